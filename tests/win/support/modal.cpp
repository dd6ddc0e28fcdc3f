#include "support/modal.h"

#include "platform/utf8_text.h"

#include "support/save_dialog_box.h"
#include "support/ui.h"

namespace uitest {

namespace {
constexpr UINT kNewDialog = WM_APP + 1;
constexpr UINT_PTR kPollTimer = 1;
ModalAnswerer* g_active = nullptr;  // the hook procedure has no user data

bool IsDialogClass(HWND hwnd) {
  char name[16] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}
}  // namespace

ModalAnswerer::ModalAnswerer() {
  g_active = this;
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "OrvantaTestAnswerer";
  RegisterClassA(&wc);
  window_ = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  SetTimer(window_, kPollTimer, 25, nullptr);
  hook_ = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

ModalAnswerer::~ModalAnswerer() {
  UnhookWindowsHookEx(hook_);
  KillTimer(window_, kPollTimer);
  DestroyWindow(window_);
  g_active = nullptr;
}

LRESULT CALLBACK ModalAnswerer::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_active) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (IsDialogClass(hwnd)) PostMessageA(g_active->window_, kNewDialog, wParam, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalAnswerer::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_active && message == kNewDialog) {
    g_active->Handle(reinterpret_cast<HWND>(wParam));
    return 0;
  }
  if (g_active && message == WM_TIMER && wParam == kPollTimer) {
    g_active->Poll();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ModalAnswerer::Poll() {
  // Forget closed dialogs so a reused handle counts as new (ignored ones too:
  // a closed window's handle may come back as a new dialog).
  for (auto it = handled_.begin(); it != handled_.end();) it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
  for (HWND hwnd : ThreadWindows("#32770", true)) Handle(hwnd);
}

void ModalAnswerer::Handle(HWND dialog) {
  if (!IsWindow(dialog) || handled_.count(dialog)) return;
  // Wine may report the activation of another process's window (a parallel
  // test's main dialog) to this thread's hook: answer only our own dialogs.
  if (GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
  // A dialog that is still being built is not visible yet; the timer comes back.
  if (!IsWindowVisible(dialog)) return;
  handled_.insert(dialog);
  seen_.push_back({UnicodeText(dialog), MessageBoxText(dialog)});
  if (answers_.empty()) {
    ++unexpected_;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  answer(dialog);
}

Answer PressButton(int id) {
  return [id](HWND dialog) {
    HWND button = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  };
}

Answer CloseBox() {
  return [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); };
}

Answer SetItemText(int id, const std::string& text, Answer then) {
  return [id, text, then](HWND dialog) {
    SetDlgItemTextA(dialog, id, text.c_str());
    if (then) then(dialog);
  };
}

Answer SaveAs(const std::string& windowsPath) {
  return [windowsPath](HWND dialog) {
    SetWindowTextW(SaveDialogFileNameBox(dialog), orvanta::WideFromUtf8(windowsPath).c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  };
}

Answer Inspect(std::function<void(HWND)> check, Answer then) {
  return [check, then](HWND dialog) {
    check(dialog);
    if (then) then(dialog);
  };
}

std::string MessageBoxText(HWND dialog) {
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text ? UnicodeText(text) : std::string();
}

}  // namespace uitest
