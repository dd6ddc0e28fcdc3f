#include "app/big_screen.h"

#include <richedit.h>

#include <string>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/win/display_scale.h"
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
  int dpi = kDefaultDpi;      // the DPI its controls, fonts and places are made for
};

BigScreenRecord* RecordOf(HWND window) {
  return reinterpret_cast<BigScreenRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND EditorOf(HWND window) { return GetDlgItem(window, IDC_BIG_EDITOR); }

// Places are pixels at 96 DPI, scaled to the window's.
void OnCreate(HWND window, BigScreenRecord& record) {
  AppState& app = App();
  const int dpi = record.dpi = DpiOf(window);
  const Fonts& fonts = app.FontsFor(dpi);
  auto px = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
  MakeChild(window, WS_EX_DLGMODALFRAME, "button", "GENERATE PASSWORD", kChildStyle | BS_CENTER, px(97), px(445),
            px(270), px(30), IDC_BIG_GENERATE, fonts.dialogFont);
  HWND editor = MakeChild(window, WS_EX_DLGMODALFRAME, "richedit", "", kChildStyle | ES_MULTILINE, px(2), px(2),
                          px(663), px(440), IDC_BIG_EDITOR, fonts.outputFont);
  MakeChild(window, WS_EX_DLGMODALFRAME, "button", "CLOSE", kChildStyle | BS_CENTER, px(397), px(445), px(150), px(30),
            IDC_BIG_CLOSE, fonts.dialogFont);
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

// WM_DPICHANGED: the window moved to a monitor of another scale. A font
// chosen with Format > Font keeps its point size.
void OnDpiChanged(HWND window, BigScreenRecord& record, WPARAM wParam, LPARAM lParam) {
  record.dpi = FollowDpiChange(window, wParam, lParam, record.dpi);
  AppState& app = App();
  const Fonts& fonts = app.FontsFor(record.dpi);
  for (int id : {IDC_BIG_GENERATE, IDC_BIG_CLOSE})
    SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.dialogFont), TRUE);
  if (!app.output.fontChosen)
    SendMessageA(EditorOf(window), WM_SETFONT, reinterpret_cast<WPARAM>(fonts.outputFont), TRUE);
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
    case WM_CREATE: OnCreate(window, *record); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, *record, wParam, lParam); return 0;
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
  // Placed and sized as at 96 DPI, scaled to the main dialog's DPI.
  const int dpi = DpiOf(mainDialog);
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Select symbol", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                ScaleToDpi(56, dpi), ScaleToDpi(87, dpi), ScaleToDpi(673, dpi), ScaleToDpi(500, dpi),
                                nullptr, nullptr, GetModuleHandleA(nullptr), mainDialog);
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
