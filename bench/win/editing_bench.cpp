// Times what a user does with the largest batch (9,999 passwords of 34
// characters) once it is shown, in one real main dialog: scrolling to the
// end and back, Select all with Cut, Copy, Paste, Undo, Clear, an
// alignment, Font, the editors' own keys, and the next Generates, first in
// the Output editor, then in the Big-screen editor. Every step's time is
// printed, then the worst. What one step leaves behind is what the next
// one meets, so a slow-down that builds up over a session shows here.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_dialog.h"
#include "bench_util.h"
#include "resources/resource.h"

namespace {

HWND g_dialog = nullptr;

void Click(int id) { SendMessageA(GetDlgItem(g_dialog, id), BM_CLICK, 0, 0); }
void Command(int id) { SendMessageA(g_dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); }
HWND Output() { return orvanta::OutputEditorOf(g_dialog); }
HWND BigEditor() { return orvanta::BigScreenEditorOf(g_dialog); }

// Selects the item `text` of one of the Font dialog's lists, as a click would.
void ChooseInList(HWND dialog, int id, const char* text) {
  HWND list = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (index == CB_ERR) return;
  SendMessageA(list, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The button pressed in the Font dialog as soon as it is activated, and when
// it showed: a user waits once for the dialog, then again after OK.
WPARAM g_answer = IDOK;
double g_dialogShownAt = 0;

LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    char name[16] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    // Only this session's Font dialog: when the Big-screen window closes,
    // Wine may activate the main dialog of another session on the display.
    if (lstrcmpA(name, "#32770") == 0 && GetWindow(reinterpret_cast<HWND>(wParam), GW_OWNER) == g_dialog) {
      g_dialogShownAt = Seconds();
      HWND dialog = reinterpret_cast<HWND>(wParam);
      // A face and size as a user picks them (the dialog's first face, which
      // it offers when the editor's face is not installed, is a vertical one).
      ChooseInList(dialog, 0x470, "Liberation Sans");
      ChooseInList(dialog, 0x472, "20");
      PostMessageA(dialog, WM_COMMAND, g_answer, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A key as the keyboard delivers it to the focused control, with Ctrl held when asked.
void Key(HWND target, WPARAM key, bool control = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = control ? 0x80 : 0;
  SetKeyboardState(keys);
  SetFocus(target);
  SendMessageA(target, WM_KEYDOWN, key, 1);
  if (control && key >= 'A' && key <= 'Z') SendMessageA(target, WM_CHAR, key & 0x1F, 1);
  SendMessageA(target, WM_KEYUP, key, 0xC0000001);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// The scroll bar as the user drags it to an end, then what it shows.
void ScrollTo(HWND editor, int end) {
  SendMessageA(editor, WM_VSCROLL, end, 0);
  SendMessageA(editor, EM_GETLINECOUNT, 0, 0);
  SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
}

// Calls `visit` with each entry of `heap`, under the heap's lock; false when
// the heap could not be locked.
template <typename Visit>
bool WalkHeap(HANDLE heap, Visit visit) {
  if (!HeapLock(heap)) return false;
  PROCESS_HEAP_ENTRY entry = {};
  while (HeapWalk(heap, &entry)) visit(entry);
  HeapUnlock(heap);
  return true;
}

// With ORVANTA_HEAP_CENSUS set, each step is followed by the free blocks of
// every large or fragmented heap of the process, counted by the size classes
// Wine's heap keeps them in. A search for a free block walks the request's
// class and every larger one up to the first block big enough, so a class
// full of blocks just too small makes every allocation of that size slow.
void PrintHeapCensus() {
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
  for (DWORD h = 0; h < count; ++h) {
    static const SIZE_T limits[] = {0x100, 0x200, 0x400, 0x1000, ~SIZE_T(0)};
    size_t free[5] = {}, busy = 0, regions = 0;
    SIZE_T freeBytes = 0, busyBytes = 0;
    const bool walked = WalkHeap(heaps[h], [&](const PROCESS_HEAP_ENTRY& entry) {
      if (entry.wFlags & PROCESS_HEAP_REGION) {
        ++regions;
      } else if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
        ++busy, busyBytes += entry.cbData;
      } else if (!(entry.wFlags & PROCESS_HEAP_UNCOMMITTED_RANGE)) {
        int c = 0;
        while (entry.cbData + entry.cbOverhead > limits[c]) ++c;
        ++free[c], freeBytes += entry.cbData;
      }
    });
    if (!walked) continue;
    if (busy < 1000 && free[0] + free[1] + free[2] + free[3] + free[4] < 50) continue;
    printf(
        "        heap %lu%s: %zu regions, %zu busy (%zu KB); free <=100h %zu, <=200h %zu, <=400h %zu, "
        "<=1000h %zu, larger %zu (%zu KB)\n",
        static_cast<unsigned long>(h), heaps[h] == GetProcessHeap() ? " (process)" : "", regions, busy,
        static_cast<size_t>(busyBytes / 1024), free[0], free[1], free[2], free[3], free[4],
        static_cast<size_t>(freeBytes / 1024));
  }
}

// With ORVANTA_HEAP_CENSUS set, a second thread also looks at the process
// heap every 0.3 s while the steps run (each allocation takes the heap's lock
// only briefly) and prints the free block sizes that many blocks share once
// over 200 are free: the small blocks that one long pass of rich edit's
// leaves behind it, and walks past, show here and not after the step.
std::atomic<double> g_stepStart{0};

DWORD WINAPI CensusDuringSteps(void*) {
  for (;;) {
    Sleep(300);
    std::map<SIZE_T, size_t> freeBySize;
    size_t busy = 0, free = 0;
    const double at = Seconds() - g_stepStart;
    const bool walked = WalkHeap(GetProcessHeap(), [&](const PROCESS_HEAP_ENTRY& entry) {
      if (entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)) return;
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
        ++busy;
      else
        ++free, ++freeBySize[entry.cbData + entry.cbOverhead];
    });
    if (!walked || free < 200) continue;
    printf("        %.2f s into the step: process heap %zu busy, %zu free, by size:", at, busy, free);
    for (const auto& [size, count] : freeBySize)
      if (count >= 20) printf(" %zxh x %zu", static_cast<size_t>(size), count);
    printf("\n");
    fflush(stdout);
  }
}

struct Step {
  const char* what;
  std::function<void()> action;
};

// The session, first in the Output editor, then with "Use big screen" on.
std::vector<Step> Session() {
  auto largest = [] {
    Click(IDC_LENGTH_34);
    Click(IDC_QUANTITY_9999);
    Click(IDC_GENERATE);
  };
  std::vector<Step> steps = {
      {"Generate the largest batch", largest},
      {"scroll bar to the end", [] { ScrollTo(Output(), SB_BOTTOM); }},
      {"scroll bar to the top", [] { ScrollTo(Output(), SB_TOP); }},
      {"Generate after scrolling", [] { Click(IDC_GENERATE); }},
      {"Ctrl+End, then Ctrl+Home", [] { Key(Output(), VK_END, true), Key(Output(), VK_HOME, true); }},
      {"Page Down three times", [] { Key(Output(), VK_NEXT), Key(Output(), VK_NEXT), Key(Output(), VK_NEXT); }},
      {"Select all, Cut", [] { Command(IDM_SELECT_ALL), Command(IDM_CUT); }},
      {"Paste", [] { Command(IDM_PASTE); }},
      {"Undo (the paste)", [] { Command(IDM_UNDO); }},
      {"Undo (the cut)", [] { Command(IDM_UNDO); }},
      {"Select all, Copy", [] { Command(IDM_SELECT_ALL), Command(IDM_COPY); }},
      {"Select all, Font, Cancel (the dialog alone)",
       [] {
         g_answer = IDCANCEL;
         Command(IDM_SELECT_ALL), Command(IDM_FONT);
         g_answer = IDOK;
       }},
      {"Select all, Font, OK", [] { Command(IDM_SELECT_ALL), Command(IDM_FONT); }},
      {"Clear", [] { Command(IDM_CLEAR); }},
      {"Undo (the clear)", [] { Command(IDM_UNDO); }},
      {"Right Justify", [] { Command(IDM_ALIGN_RIGHT); }},
      {"Undo (the alignment's cut)", [] { Command(IDM_UNDO); }},
      {"Ctrl+A, Ctrl+X", [] { Key(Output(), 'A', true), Key(Output(), 'X', true); }},
      {"Ctrl+V", [] { Key(Output(), 'V', true); }},
      {"Ctrl+Z", [] { Key(Output(), 'Z', true); }},
      {"Ctrl+A, Ctrl+C", [] { Key(Output(), 'A', true), Key(Output(), 'C', true); }},
      {"Center Text", [] { Command(IDM_ALIGN_CENTER); }},
      {"Generate the largest batch again", [] { Click(IDC_GENERATE); }},
      {"scroll bar to the end again", [] { ScrollTo(Output(), SB_BOTTOM); }},
      {"Generate a small batch", [] { Click(IDC_LENGTH_4), Click(IDC_QUANTITY_2), Click(IDC_GENERATE); }},
      {"Generate the largest after a small one", largest},
      {"Big screen: Generate opens it", [] { Click(IDC_USE_BIG_SCREEN), Click(IDC_GENERATE); }},
      {"Big screen: scroll bar to the end", [] { ScrollTo(BigEditor(), SB_BOTTOM); }},
      {"Big screen: its GENERATE PASSWORD",
       [] { SendMessageA(GetDlgItem(GetParent(BigEditor()), IDC_BIG_GENERATE), BM_CLICK, 0, 0); }},
      {"Big screen: scroll to the end, to the top",
       [] { ScrollTo(BigEditor(), SB_BOTTOM), ScrollTo(BigEditor(), SB_TOP); }},
      {"Big screen: Select all, Cut", [] { Command(IDM_SELECT_ALL), Command(IDM_CUT); }},
      {"Big screen: Paste", [] { Command(IDM_PASTE); }},
      {"Big screen: Undo", [] { Command(IDM_UNDO); }},
      {"Big screen: Select all, Copy", [] { Command(IDM_SELECT_ALL), Command(IDM_COPY); }},
      {"Big screen: Clear", [] { Command(IDM_CLEAR); }},
      {"Big screen: Undo", [] { Command(IDM_UNDO); }},
      {"Big screen: Ctrl+A, Ctrl+X, Ctrl+V",
       [] { Key(BigEditor(), 'A', true), Key(BigEditor(), 'X', true), Key(BigEditor(), 'V', true); }},
      {"Big screen: its GENERATE PASSWORD again",
       [] { SendMessageA(GetDlgItem(GetParent(BigEditor()), IDC_BIG_GENERATE), BM_CLICK, 0, 0); }},
      {"Big screen: CLOSE",
       [] {
         SendMessageA(GetDlgItem(GetParent(BigEditor()), IDC_BIG_CLOSE), BM_CLICK, 0, 0);
         Click(IDC_USE_BIG_SCREEN);
       }},
      {"Generate the largest at the end", [] { Click(IDC_GENERATE); }},
  };
  return steps;
}

}  // namespace

// editing_bench [ROUNDS]: the session once, or ROUNDS times in a row
// (ORVANTA_HEAP_CENSUS=1: with the heap census after every step).
int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 1;
  const bool census = getenv("ORVANTA_HEAP_CENSUS") != nullptr;
  InitCommonControls();
  LoadLibraryA("RICHED32.DLL");
  orvanta::App().module = GetModuleHandleA(nullptr);
  g_dialog = CreateDialogParamA(orvanta::App().module, "IDD_DIALOG1", nullptr, orvanta::MainDialogProc, 0);
  SetWindowsHookExA(WH_CBT, AnswerDialogs, nullptr, GetCurrentThreadId());
  Pump();
  if (census) CreateThread(nullptr, 0, CensusDuringSteps, nullptr, 0, nullptr);

  printf("Working with the largest batch (9999 x 34) in the real main dialog, %d round(s):\n", rounds);
  double worst = 0, total = 0;
  std::string worstStep;
  const std::vector<Step> session = Session();
  for (int round = 1; round <= rounds; ++round) {
    for (size_t i = 0; i < session.size(); ++i) {
      const double start = Seconds();
      g_stepStart = start;
      session[i].action();
      Pump();  // include the repaint the user waits for
      const double seconds = Seconds() - start;
      printf("  %d.%-3zu %-44s %7.3f s  (%zu characters shown)\n", round, i + 1, session[i].what, seconds,
             static_cast<size_t>(GetWindowTextLengthA(BigEditor() ? BigEditor() : Output())));
      if (g_dialogShownAt > start)
        printf("        (the dialog showed after %.3f s; the rest took %.3f s)\n", g_dialogShownAt - start,
               start + seconds - g_dialogShownAt);
      g_dialogShownAt = 0;
      if (census) PrintHeapCensus();
      fflush(stdout);
      total += seconds;
      if (seconds > worst) worst = seconds, worstStep = std::to_string(round) + "." + session[i].what;
    }
  }
  printf("worst step: %.3f s (%s); whole session %.3f s\n", worst, worstStep.c_str(), total);
  DestroyWindow(g_dialog);
  return 0;
}
