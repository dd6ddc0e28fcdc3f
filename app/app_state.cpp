#include "app/app_state.h"

#include "platform/win/window_parts.h"
#include "resources/resource.h"

namespace orvanta {

AppState& App() {
  static AppState state;
  return state;
}

MainDialogRecord* MainDialogOf(HWND dialog) {
  return dialog ? reinterpret_cast<MainDialogRecord*>(GetWindowLongPtrA(dialog, DWLP_USER)) : nullptr;
}

HWND OutputEditorOf(HWND dialog) { return dialog ? GetDlgItem(dialog, IDC_OUTPUT) : nullptr; }
HWND ToolbarOf(HWND dialog) { return dialog ? GetDlgItem(dialog, IDC_TOOLBAR) : nullptr; }

HWND BigScreenEditorOf(HWND dialog) {
  const MainDialogRecord* main = MainDialogOf(dialog);
  return main && main->bigScreen ? GetDlgItem(main->bigScreen, IDC_BIG_EDITOR) : nullptr;
}

void FocusBigScreen(HWND dialog) {
  if (HWND editor = BigScreenEditorOf(dialog)) SetFocus(editor);
}

HWND AppState::SetOutputEditorText(HWND dialog, std::string_view text, int alignmentCode) {
  HWND output = OutputEditorOf(dialog);
  if (output && alignmentCode) NoteAlignmentApplied(alignmentCode);
  return ReplaceEditorText(output, text, {alignmentCode});
}

void AppState::NoteAlignmentApplied(int alignmentCode) {
  PARAFORMAT& pf = editor.paraFormat;
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = ParagraphAlignmentOfCode(alignmentCode);
  output.alignmentChosen = true;
}

bool AppState::MakeBatch(int32_t seedMode) {
  if (settings.seedMode != kSeedStrong) {
    engine.Generate(seedMode, tickCount());
    return true;
  }
  FunctionByteSource source(randomBytes);
  return engine.GenerateStrong(source);
}

void AppState::ResetForNewRun() {
  settings = GeneratorSettings{};
  engine.Reset();
  engine.SetSortLists(&sortLists);
  sortLists.Clear();
  output = OutputState{};
  tickCount = GetTickCount;
  randomBytes = FillWithSystemRandom;
  editor.paraFormat = PARAFORMAT{};
  editor.charFormat = CHARFORMATA{};
}

const Fonts& AppState::FontsFor(int dpi) {
  Fonts& fonts = fontsByDpi_[dpi];
  if (!fonts.dialogFont) fonts.dialogFont = MakeFont(16, 600, "MS Sans Serif", dpi);
  if (!fonts.outputFont) fonts.outputFont = MakeFont(32, 600, "Arial", dpi);
  return fonts;
}

}  // namespace orvanta
