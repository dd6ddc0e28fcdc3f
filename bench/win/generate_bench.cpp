// Times a user's session in one real main dialog: largest batches (9,999
// passwords of 34 characters) alternating with small ones and following
// each other, both methods and both modes, Auto copy off then on, and
// both sort commands on a largest batch, and strong batches (Seed > Strong)
// beside the described ones. Every step's time is printed,
// then the worst. What one step leaves behind is what the next one meets,
// so a slow-down that builds up over a session shows here.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_dialog.h"
#include "bench_util.h"
#include "resources/resource.h"

namespace {

struct Step {
  const char* what;
  std::vector<int> clicks;  // option controls clicked before the timed command
  int command;              // IDC_GENERATE, IDM_SORT_ASCENDING or IDM_SORT_DESCENDING
  int seed = 0;             // a Seed menu item chosen first (IDM_SEED_STRONG, IDM_SEED_AUTO), or 0
};

// The length and quantity buttons of a largest and of a small batch, then
// any further option controls.
std::vector<int> Largest(std::initializer_list<int> more = {}) {
  std::vector<int> ids{IDC_LENGTH_34, IDC_QUANTITY_9999};
  ids.insert(ids.end(), more);
  return ids;
}
std::vector<int> Small(std::initializer_list<int> more = {}) {
  std::vector<int> ids{IDC_LENGTH_4, IDC_QUANTITY_2};
  ids.insert(ids.end(), more);
  return ids;
}

double TimeStep(HWND dialog, const Step& step) {
  if (step.seed) SendMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(step.seed), 0);
  for (int id : step.clicks) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  double start = Seconds();
  if (step.command == IDC_GENERATE)
    SendMessageA(GetDlgItem(dialog, IDC_GENERATE), BM_CLICK, 0, 0);
  else
    SendMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(step.command), 0);
  Pump();  // include the repaint the user waits for
  return Seconds() - start;
}

}  // namespace

// `generate_bench.exe repeat [N]`: only the largest batch of "All Keyboard"
// with case, Auto copy off, generated N times in a row (default 5): the
// shortest way to the 32-bit build's slow fill (CONTRIBUTING, bench/).
std::vector<Step> RepeatedLargest(int times) {
  std::vector<Step> steps{{"largest, all keys, case", Largest({IDC_KEYS_ALL, IDC_CASE_YES}), IDC_GENERATE}};
  for (int i = 1; i < times; ++i) steps.push_back({"largest again", {}, IDC_GENERATE});
  return steps;
}

int main(int argc, char** argv) {
  InitCommonControls();
  LoadLibraryA("RICHED32.DLL");
  orvanta::App().module = GetModuleHandleA(nullptr);
  HWND dialog = CreateDialogParamA(orvanta::App().module, "IDD_DIALOG1", nullptr, orvanta::MainDialogProc, 0);
  Pump();

  const bool repeat = argc > 1 && std::string(argv[1]) == "repeat";
  const std::vector<Step> session =
      repeat ? RepeatedLargest(argc > 2 ? std::atoi(argv[2]) : 5)
             : std::vector<Step>{
                   {"largest, bit shift, simple", Largest(), IDC_GENERATE},
                   {"largest again", {}, IDC_GENERATE},
                   {"small", Small(), IDC_GENERATE},
                   {"largest after a small one", Largest(), IDC_GENERATE},
                   {"small, linear congruential", Small({IDC_METHOD_LCG}), IDC_GENERATE},
                   {"largest, linear congruential", Largest(), IDC_GENERATE},
                   {"largest, advanced mode", {IDC_MODE_ADVANCED}, IDC_GENERATE},
                   {"Sort ascending of the largest", {}, IDM_SORT_ASCENDING},
                   {"Sort descending of the largest", {}, IDM_SORT_DESCENDING},
                   {"largest after the sorts", {}, IDC_GENERATE},
                   {"small, advanced", Small(), IDC_GENERATE},
                   {"small again", {}, IDC_GENERATE},
                   {"largest after two small ones", Largest(), IDC_GENERATE},
                   {"largest, bit shift, advanced", {IDC_METHOD_BITSHIFT}, IDC_GENERATE},
                   {"largest, auto copy on", {IDC_AUTO_COPY}, IDC_GENERATE},
                   {"small, auto copy", Small(), IDC_GENERATE},
                   {"largest after a small one, auto copy", Largest(), IDC_GENERATE},
                   {"largest again, auto copy", {}, IDC_GENERATE},
                   {"largest, simple, auto copy", {IDC_MODE_SIMPLE}, IDC_GENERATE},
                   {"Sort ascending, auto copy", {}, IDM_SORT_ASCENDING},
                   {"small, auto copy", Small(), IDC_GENERATE},
                   {"small, all keys, case", {IDC_KEYS_ALL, IDC_CASE_YES}, IDC_GENERATE},
                   {"largest, all keys, case", Largest(), IDC_GENERATE},
                   {"Sort descending, auto copy", {}, IDM_SORT_DESCENDING},
                   {"small, linear congruential", Small({IDC_METHOD_LCG}), IDC_GENERATE},
                   {"largest, linear congruential, auto copy", Largest(), IDC_GENERATE},
                   {"largest again, auto copy", {}, IDC_GENERATE},
                   // Strong batches beside the described ones just before: all keys, case, auto copy.
                   {"largest, all keys, case, strong", Largest({IDC_KEYS_ALL}), IDC_GENERATE, IDM_SEED_STRONG},
                   {"largest again, strong", {}, IDC_GENERATE},
                   {"small, strong", Small(), IDC_GENERATE},
                   {"largest after a small one, strong", Largest(), IDC_GENERATE},
                   {"Sort ascending of a strong largest", {}, IDM_SORT_ASCENDING},
                   {"largest, described again", Largest(), IDC_GENERATE, IDM_SEED_AUTO},
               };

  printf("A session in the real main dialog (largest batch: 9999 x 34, %zu characters):\n", size_t{9999} * 41);
  double worst = 0;
  const char* worstStep = "";
  double total = 0;
  for (size_t i = 0; i < session.size(); ++i) {
    double seconds = TimeStep(dialog, session[i]);
    printf("  %2zu  %-42s %7.3f s\n", i + 1, session[i].what, seconds);
    fflush(stdout);
    total += seconds;
    if (seconds > worst) {
      worst = seconds;
      worstStep = session[i].what;
    }
  }
  printf("worst step: %.3f s (%s); whole session %.3f s\n", worst, worstStep, total);
  DestroyWindow(dialog);
  return 0;
}
