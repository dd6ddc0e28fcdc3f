#include "app/window_keys.h"

#include "app/app_state.h"
#include "database/win/database_window.h"

namespace orvanta {

namespace {

// A hook procedure has no user data: the filter of the thread's one main dialog.
struct WindowKeys {
  HHOOK hook = nullptr;
  HWND mainDialog = nullptr;
  // Set while the filter hands a key to the dialog manager, which first
  // runs the message filters again with it.
  bool handingOn = false;
};
WindowKeys keys;

// The Password database window or the Big-screen window that `hwnd` belongs
// to; nullptr for any other (the main dialog, a nested modal dialog), whose
// messages are left to their own dialog manager.
HWND KeyboardWindowOf(HWND hwnd) {
  HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  if (!root) return nullptr;
  const DatabaseWindow* db = FindDatabaseWindow();
  if (db && db->window == root) return root;
  const MainDialogRecord* main = MainDialogOf(keys.mainDialog);
  return main && main->bigScreen == root ? root : nullptr;
}

bool Held(int key) { return GetKeyState(key) < 0; }

// Tab and Shift+Tab, the key and its character: Ctrl+Tab stays the editor's.
bool IsTab(const MSG& msg) {
  const bool tab =
      (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) || (msg.message == WM_CHAR && msg.wParam == '\t');
  return tab && !Held(VK_CONTROL) && !Held(VK_MENU);
}

// True when the key was taken. Tab and Enter are taken here, because the
// dialog manager, for a window that is not a dialog, leaves Tab to a control
// that wants it (the editor) and sends Enter to the window as IDOK instead
// of pressing the focused button, and away from the list. The other keys of
// the buttons and the list go through the dialog manager as in a dialog.
bool TakeKey(HWND window, MSG& msg) {
  if (IsTab(msg)) {
    if (msg.message == WM_KEYDOWN) {
      HWND focus = GetFocus();
      HWND next = GetNextDlgTabItem(window, IsChild(window, focus) ? focus : nullptr, Held(VK_SHIFT));
      if (next) SetFocus(next);
    }
    return true;
  }
  // Asked without the message: given one, rich edit takes itself for a
  // dialog's control and swallows Enter and closes the window on Escape.
  const LRESULT wants = SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, 0);
  // The editor's typing, Enter, arrows and editing keys.
  if (wants & DLGC_WANTALLKEYS) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    // Anywhere but on a button (on the list: its NM_RETURN copies a password).
    if (!(wants & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(msg.hwnd));
    return true;
  }
  keys.handingOn = true;
  const BOOL taken = IsDialogMessageA(window, &msg);
  keys.handingOn = false;
  return taken;
}

// Runs for every message of a dialog's modal loop (MSGF_DIALOGBOX): the main
// dialog's, and those of the dialogs and message boxes opened from it.
LRESULT CALLBACK WindowKeysFilter(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && msg && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    if (keys.handingOn) {
      keys.handingOn = false;  // the dialog manager's own call: it goes on with the key
    } else if (HWND window = KeyboardWindowOf(msg->hwnd)) {
      if (TakeKey(window, *msg)) return TRUE;
    } else if (IsTab(*msg) && msg->hwnd == OutputEditorOf(keys.mainDialog)) {
      // The Output editor is a tab stop of the main dialog, and Tab moves on
      // from it too: rich edit would also type the Tab into the batch.
      if (msg->message == WM_KEYDOWN) SendMessageA(keys.mainDialog, WM_NEXTDLGCTL, Held(VK_SHIFT), FALSE);
      return TRUE;
    }
  }
  return CallNextHookEx(keys.hook, code, wParam, lParam);
}

}  // namespace

void StartWindowKeys(HWND mainDialog) {
  StopWindowKeys(keys.mainDialog);
  keys.mainDialog = mainDialog;
  keys.hook = SetWindowsHookExA(WH_MSGFILTER, WindowKeysFilter, nullptr, GetCurrentThreadId());
}

void StopWindowKeys(HWND mainDialog) {
  if (keys.mainDialog != mainDialog) return;
  if (keys.hook) UnhookWindowsHookEx(keys.hook);
  keys = WindowKeys{};
}

}  // namespace orvanta
