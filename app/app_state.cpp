#include "app/app_state.h"

#include "resources/resource.h"

namespace orvanta {

AppState& App() {
  static AppState state;
  return state;
}

HWND AppState::OutputEditor() const { return main.dialog ? GetDlgItem(main.dialog, IDC_OUTPUT) : nullptr; }

HWND AppState::SetOutputEditorText(std::string_view text, int alignmentCode) {
  HWND output = OutputEditor();
  if (output && alignmentCode) NoteAlignmentApplied(alignmentCode);
  return ReplaceEditorText(output, text, alignmentCode);
}

void AppState::NoteAlignmentApplied(int alignmentCode) {
  PARAFORMAT& pf = editor.paraFormat;
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = ParagraphAlignmentOfCode(alignmentCode);
  output.alignmentChosen = true;
}

void AppState::ResetForNewRun() {
  settings = GeneratorSettings{};
  engine.Reset();
  engine.SetSortLists(&sortLists);
  sortLists.Clear();
  output = OutputState{};
  tickCount = GetTickCount;
  editor.paraFormat = PARAFORMAT{};
  editor.charFormat = CHARFORMATA{};
}

}  // namespace orvanta
