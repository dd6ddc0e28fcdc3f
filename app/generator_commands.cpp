// The controller between the option controls and the engine: stores the
// options, runs the Generate command and the two sort commands.
#include <windows.h>

#include <iterator>

#include "app/app_state.h"
#include "app/big_screen.h"
#include "app/commands.h"
#include "engine/win/custom_seed_dialog.h"
#include "platform/win/messages.h"
#include "platform/win/output_view.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

// Quantity buttons 139..160 in ID order store the number of their caption.
constexpr int32_t kQuantities[] = {2,   3,   30,  40,  50,  60,  80,  90,   100,  150,  200,
                                   300, 400, 500, 600, 700, 800, 900, 2000, 4000, 8000, 9999};
static_assert(std::size(kQuantities) == IDC_QUANTITY_9999 - IDC_QUANTITY_2 + 1);

// Length buttons 120..137 are "4".."20" then "30"; 119 is "34".
int32_t LengthOf(int id) {
  if (id == IDC_LENGTH_34) return 34;
  if (id == IDC_LENGTH_30) return 30;
  return 4 + (id - IDC_LENGTH_4);
}

void FlipAutoCopy(HWND dialog) {
  OutputState& out = App().output;
  out.autoCopy = !out.autoCopy;
  SendDlgItemMessageA(dialog, IDC_AUTO_COPY, BM_SETCHECK, out.autoCopy ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetBigScreenText(HWND dialog, std::string_view text) {
  if (HWND editor = BigScreenEditorOf(dialog)) ReplaceEditorText(editor, text);
}

void ShowBatch(HWND dialog) {
  AppState& app = App();
  const std::string& batch = app.engine.output();

  // The Output editor is emptied and takes the current alignment before
  // every batch, also when the batch goes to the Big-screen window.
  if (!app.output.useBigScreen) {
    HWND editor = app.SetOutputEditorText(dialog, batch, app.output.alignment);
    if (app.output.autoCopy) SelectAllAndCopy(editor, batch);
    return;
  }
  app.SetOutputEditorText(dialog, "", app.output.alignment);
  if (HWND bigEditor = BigScreenEditorOf(dialog)) {
    // The open window keeps its text; the batch waits in the Output buffer
    // and the sort lists.
    SetFocus(bigEditor);
    return;
  }
  ShowBatchInNewBigScreen(dialog);
}

// Seed > Autogenerate, Custom and Strong share one check mark. While Strong
// holds, neither the method nor the mode plays a part: their buttons are
// greyed, their choices kept for when the user goes back.
void CheckSeedItem(HWND dialog, int item) {
  HMENU menu = GetMenu(dialog);
  for (int each : {IDM_SEED_AUTO, IDM_SEED_CUSTOM, IDM_SEED_STRONG})
    CheckMenuItem(menu, each, MF_BYCOMMAND | (each == item ? MF_CHECKED : MF_UNCHECKED));
  for (int button : {IDC_METHOD_LCG, IDC_METHOD_BITSHIFT, IDC_MODE_SIMPLE, IDC_MODE_ADVANCED})
    EnableWindow(GetDlgItem(dialog, button), item != IDM_SEED_STRONG);
}

}  // namespace

bool OptionCommand(HWND dialog, int id) {
  GeneratorSettings& s = App().settings;
  switch (id) {
    case IDC_METHOD_LCG: s.method = kMethodLinearCongruential; return true;
    case IDC_METHOD_BITSHIFT: s.method = kMethodBitShift; return true;
    case IDC_MODE_SIMPLE: s.mode = kModeSimple; return true;
    case IDC_MODE_ADVANCED: s.mode = kModeAdvanced; return true;
    case IDC_KEYS_ALL: s.keySet = kKeysAll; return true;
    case IDC_KEYS_DIGITS: s.keySet = kKeysDigits; return true;
    case IDC_KEYS_LETTERS: s.keySet = kKeysLetters; return true;
    case IDC_KEYS_ALNUM: s.keySet = kKeysDigitsLetters; return true;
    case IDC_CASE_YES: s.caseOption = kCaseSensitive; return true;
    case IDC_CASE_NO: s.caseOption = kCaseNo; return true;
    case IDC_AUTO_COPY: FlipAutoCopy(dialog); return true;
    case IDC_USE_BIG_SCREEN: App().output.useBigScreen = !App().output.useBigScreen; return true;
    default: break;
  }
  if (id == IDC_LENGTH_34 || (id >= IDC_LENGTH_4 && id <= IDC_LENGTH_30)) {
    s.length = LengthOf(id);
    return true;
  }
  if (id >= IDC_QUANTITY_2 && id <= IDC_QUANTITY_9999) {
    s.quantity = kQuantities[id - IDC_QUANTITY_2];
    return true;
  }
  return false;
}

void ReportNoStrongBatch(HWND owner) {
  ShowFailure(owner,
              "The system's random source gave no random bytes, so no strong batch was made. Please try again; "
              "Seed > \"Autogenerate\" makes batches without it.");
}

void GenerateCommand(HWND dialog) {
  AppState& app = App();
  app.sortLists.Clear();
  app.engine.ResetItemCounter();
  // A source that fails leaves an empty batch, shown as such, and says so
  // once the command is done.
  const bool made = app.MakeBatch(app.settings.seedMode);
  ShowBatch(dialog);
  if (!made) ReportNoStrongBatch(dialog);
}

void SortCommand(HWND dialog, bool ascending) {
  AppState& app = App();
  app.engine.SetOutput("");
  if (app.sortLists.size() == 0) return;
  app.SetOutputEditorText(dialog, "");
  SetBigScreenText(dialog, "");
  app.engine.SetOutput(ascending ? app.sortLists.AscendingText() : app.sortLists.DescendingText());
  if (app.output.useBigScreen) {
    if (HWND bigEditor = BigScreenEditorOf(dialog)) {
      SetFocus(bigEditor);
      SetBigScreenText(dialog, app.engine.output());
    }
    return;
  }
  app.SetOutputEditorText(dialog, app.engine.output());
}

void SeedAutogenerateCommand(HWND dialog) {
  CheckSeedItem(dialog, IDM_SEED_AUTO);
  App().settings.seedMode = kSeedAutogenerate;
}

// The mark moves to Custom even when the dialog is cancelled. A cancel
// after Strong leaves the clock's seeding, as from Autogenerate: the
// batches then follow the method and mode that the buttons show again.
void SeedCustomCommand(HWND dialog) {
  CheckSeedItem(dialog, IDM_SEED_CUSTOM);
  if (App().settings.seedMode == kSeedStrong) App().settings.seedMode = kSeedAutogenerate;
  uint32_t seed = 0;
  if (RunCustomSeedDialog(dialog, &seed)) {
    App().engine.SetRandomState(seed);
    App().settings.seedMode = kSeedCustom;
  }
}

void SeedStrongCommand(HWND dialog) {
  CheckSeedItem(dialog, IDM_SEED_STRONG);
  App().settings.seedMode = kSeedStrong;
}

}  // namespace orvanta
