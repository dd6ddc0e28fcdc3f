#include "app/big_screen.h"

#include <richedit.h>

#include <string>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/win/editor_edits.h"
#include "platform/win/output_view.h"
#include "platform/win/window_parts.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

constexpr char kClassName[] = "popup";
constexpr DWORD kChildStyle = WS_TABSTOP;

// The window's record, in its GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY.
struct BigScreenRecord {
  HWND mainDialog = nullptr;  // the dialog that opened it: its Output editor and its record
  HWND focus = nullptr;       // the control that had the keyboard focus as the window was last left
};

BigScreenRecord* RecordOf(HWND window) {
  return reinterpret_cast<BigScreenRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND EditorOf(HWND window) { return GetDlgItem(window, IDC_BIG_EDITOR); }

void OnCreate(HWND window) {
  AppState& app = App();
  const Fonts& fonts = app.fonts;
  MakeChild(window, WS_EX_DLGMODALFRAME, "button", "GENERATE PASSWORD", kChildStyle | BS_CENTER, 97, 445, 270, 30,
            IDC_BIG_GENERATE, fonts.dialogFont);
  HWND editor = MakeChild(window, WS_EX_DLGMODALFRAME, "richedit", "", kChildStyle | ES_MULTILINE, 2, 2, 663, 440,
                          IDC_BIG_EDITOR, fonts.outputFont);
  MakeChild(window, WS_EX_DLGMODALFRAME, "button", "CLOSE", kChildStyle | BS_CENTER, 397, 445, 150, 30, IDC_BIG_CLOSE,
            fonts.dialogFont);
  SendMessageA(editor, EM_LIMITTEXT, 30, 0);
  RouteEditorEdits(editor);
  ApplyAlignment(editor, app.output.alignment);
  app.NoteAlignmentApplied(app.output.alignment);
}

// The window's own batch, with the options as they are now: seeded by the
// autogenerate rule, or strong while Seed > "Strong (system random)" holds
// (a user who chose Strong must not be handed a weaker batch here). The
// sort lists keep the earlier passwords, so a sort command shows every
// batch since the main dialog's last Generate.
void Regenerate(HWND window) {
  AppState& app = App();
  const bool made = app.MakeBatch(kSeedAutogenerate);
  const std::string& batch = app.engine.output();
  // A fresh control takes the text at once; emptying a full one is slow.
  HWND editor = ReplaceEditorText(EditorOf(window), batch);
  if (app.output.autoCopy && made) SelectAllAndCopy(editor, batch);
  if (!made) ReportNoStrongBatch(window);
}

void OnDestroy(HWND window, const BigScreenRecord& record) {
  MainDialogRecord* main = MainDialogOf(record.mainDialog);
  if (main && main->bigScreen == window) main->bigScreen = nullptr;
}

LRESULT CALLBACK BigScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* record = new BigScreenRecord;
    record->mainDialog = static_cast<HWND>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
  }
  BigScreenRecord* record = RecordOf(window);
  if (!record) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_BIG_CLOSE)
        DestroyWindow(window);
      else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_BIG_GENERATE)
        Regenerate(window);
      return 0;
    case WM_ACTIVATE: KeepFocusOnActivation(window, wParam, record->focus); return 0;
    case WM_DESTROY: OnDestroy(window, *record); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete record;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Creates the window (not shown with a batch yet); nullptr on failure.
HWND CreateBigScreenWindow(HWND mainDialog) {
  RegisterWindowClass(kClassName, BigScreenProc);
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Select symbol", WS_POPUP | WS_VISIBLE | WS_BORDER, 56,
                                87, 673, 500, nullptr, nullptr, GetModuleHandleA(nullptr), mainDialog);
  if (MainDialogRecord* main = MainDialogOf(mainDialog)) main->bigScreen = window;
  return window;
}

}  // namespace

void ShowBatchInNewBigScreen(HWND mainDialog) {
  AppState& app = App();
  HWND window = CreateBigScreenWindow(mainDialog);
  if (!window) return;
  HWND editor = EditorOf(window);
  if (app.output.fontChosen) {
    CHARFORMATA& cf = app.editor.charFormat;
    cf.cbSize = sizeof cf;
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    // WM_SETTEXT gives the text the control's default format, not the
    // insertion point's, so the chosen font is made the default as well.
    SendMessageA(editor, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf));
  }
  SendMessageA(editor, EM_LIMITTEXT, 30, 0);
  const std::string& batch = app.engine.output();
  SetWindowTextA(editor, batch.c_str());  // a fresh control: fast even for a large batch
  if (app.output.autoCopy) SelectAllAndCopy(editor, batch);
}

}  // namespace orvanta
