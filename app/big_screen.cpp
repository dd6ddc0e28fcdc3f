#include "app/big_screen.h"

#include <richedit.h>

#include <string>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/win/output_view.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

constexpr char kClassName[] = "popup";
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

HWND CreateChild(HWND window, const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                 int id, HFONT font) {
  HWND child = CreateWindowExA(WS_EX_DLGMODALFRAME, className, text, style, x, y, width, height, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void OnCreate(HWND window) {
  AppState& app = App();
  const MainDialogRecord& main = app.main;
  CreateChild(window, "button", "GENERATE PASSWORD", kChildStyle | BS_CENTER, 97, 445, 270, 30, IDC_BIG_GENERATE,
              main.dialogFont);
  HWND editor =
      CreateChild(window, "richedit", "", kChildStyle | ES_MULTILINE, 2, 2, 663, 440, IDC_BIG_EDITOR, main.outputFont);
  CreateChild(window, "button", "CLOSE", kChildStyle | BS_CENTER, 397, 445, 150, 30, IDC_BIG_CLOSE, main.dialogFont);
  SendMessageA(editor, EM_LIMITTEXT, 30, 0);
  ApplyAlignment(editor, app.output.alignment);
  app.NoteAlignmentApplied(app.output.alignment);
  app.bigScreen.window = window;
  app.bigScreen.editor = editor;
}

// The window's own batch: always seeded by the autogenerate rule, with the
// options as they are now. The sort lists keep the earlier passwords, so a
// sort command shows every batch since the main dialog's last Generate.
void Regenerate() {
  AppState& app = App();
  const std::string& batch = app.engine.Generate(kSeedAutogenerate, app.tickCount());
  // A fresh control takes the text at once; emptying a full one is slow.
  app.bigScreen.editor = ReplaceEditorText(app.bigScreen.editor, batch);
  if (app.output.autoCopy) SelectAllAndCopy(app.bigScreen.editor, batch);
}

LRESULT CALLBACK BigScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_BIG_CLOSE)
        DestroyWindow(window);
      else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_BIG_GENERATE)
        Regenerate();
      return 0;
    case WM_DESTROY: App().bigScreen = BigScreenRecord{}; return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateBigScreenWindow() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BigScreenProc;
  wc.hInstance = App().module;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);  // fails harmlessly when already registered
  return CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Select symbol", WS_POPUP | WS_VISIBLE | WS_BORDER, 56, 87,
                         673, 500, nullptr, nullptr, App().module, nullptr);
}

void ShowBatchInNewBigScreen() {
  AppState& app = App();
  if (!CreateBigScreenWindow()) return;
  HWND editor = app.bigScreen.editor;
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
