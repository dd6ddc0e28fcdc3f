// The Edit menu (Undo, Cut, Copy, Paste, Clear, Select all), the three
// alignment commands of the Format menu, and the refreshes of the Format
// menu's check marks and the toolbar's buttons that follow them.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/editor_commands.h"
#include "platform/win/clipboard.h"
#include "platform/win/editor_edits.h"
#include "platform/win/output_view.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

// A target that does not exist (the Big-screen window closed) takes no
// message; SetFocus(nullptr) would take the keyboard focus from everything.
void FocusOn(HWND target) {
  if (target) SetFocus(target);
}

// "C&Iear": the whole text moves to the clipboard and the editor is left
// empty. The editors are routed (editor_edits.h): the cut takes the private
// clipboard and, for a large text, leaves a fresh control in the target's place.
void SelectAllAndCut(HWND target) {
  FocusOn(target);
  SendMessageA(target, EM_SETSEL, 0, -1);
  FocusOn(target);
  SendMessageA(target, WM_CUT, 0, 0);
}

int AlignmentCodeOf(int command) {
  switch (command) {
    case IDM_ALIGN_LEFT: return kAlignLeft;
    case IDM_ALIGN_RIGHT: return kAlignRight;
    default: return kAlignCenter;
  }
}

}  // namespace

HWND EditTarget(HWND dialog) {
  HWND bigEditor = BigScreenEditorOf(dialog);
  return bigEditor ? bigEditor : OutputEditorOf(dialog);
}

HWND AlignmentTarget(HWND dialog) {
  return App().output.useBigScreen ? BigScreenEditorOf(dialog) : OutputEditorOf(dialog);
}

void EditCommand(HWND dialog, int id) {
  HWND target = EditTarget(dialog);
  if (id == IDM_CLEAR) {
    SelectAllAndCut(target);
    return;
  }
  FocusOn(target);
  switch (id) {
    case IDM_UNDO: SendMessageA(target, WM_UNDO, 0, 0); break;
    case IDM_CUT: SendMessageA(target, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageA(target, WM_COPY, 0, 0); break;
    case IDM_PASTE: SendMessageA(target, WM_PASTE, 0, 0); break;
    case IDM_SELECT_ALL: SendMessageA(target, EM_SETSEL, 0, -1); break;
    default: break;
  }
}

void AlignmentCommand(HWND dialog, int id) {
  const int code = AlignmentCodeOf(id);
  HWND target = AlignmentTarget(dialog);
  FocusOn(target);
  // The whole text to the clipboard and the editor left empty in the new
  // alignment, as one step for Undo.
  bool copied = true;
  if (target) target = CutWholeText(target, code, &copied);
  PARAFORMAT& pf = App().editor.paraFormat;
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = ParagraphAlignmentOfCode(code);
  // A missing target leaves the record as just written, so the checks still
  // end on the chosen command.
  RefreshAlignmentChecks(dialog, target);
  FocusOn(target);
  App().output.alignment = code;
  App().output.alignmentChosen = true;
  if (!copied) ReportCopyFailure(dialog);
}

void RefreshAlignmentChecks(HWND dialog, HWND target) {
  EditorRecords& records = App().editor;
  PARAFORMAT& pf = records.paraFormat;
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  SendMessageA(target, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  if (pf.wAlignment != 0) App().output.alignmentChosen = true;
  HMENU menu = GetMenu(dialog);
  HWND toolbar = ToolbarOf(dialog);
  for (int command : {IDM_ALIGN_LEFT, IDM_ALIGN_CENTER, IDM_ALIGN_RIGHT}) {
    bool on = pf.wAlignment == ParagraphAlignmentOfCode(AlignmentCodeOf(command));
    CheckMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    SendMessageA(toolbar, TB_CHECKBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
  }
  records.charFormat.cbSize = sizeof records.charFormat;
  SendMessageA(target, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&records.charFormat));
}

void RefreshEditButtons(HWND dialog) {
  AppState& app = App();
  HWND toolbar = ToolbarOf(dialog);
  HWND output = OutputEditorOf(dialog);
  if (!toolbar || !output) return;
  DWORD from = 0, to = 0;
  SendMessageA(output, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  bool selection = from != to;
  auto enable = [toolbar](int command, bool on) {
    SendMessageA(toolbar, TB_ENABLEBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
  };
  enable(IDM_UNDO, SendMessageA(output, EM_CANUNDO, 0, 0) != 0);
  enable(IDM_CUT, selection);
  enable(IDM_COPY, selection);
  enable(IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT) != 0);
  // Until a batch or an alignment command has set an alignment, the start
  // state stands: the center button pressed and no check mark, although the
  // empty editor itself is left-aligned.
  if (app.output.alignmentChosen) RefreshAlignmentChecks(dialog, AlignmentTarget(dialog));
}

}  // namespace orvanta
