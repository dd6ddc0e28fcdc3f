#include "support/clipboard_listener.h"

#include "support/ui.h"

namespace uitest {

namespace {

constexpr char kClassName[] = "OrvantaTestClipboardListener";

// True when `format` is on the clipboard holding a DWORD 0.
bool HoldsZero(const char* format) {
  HANDLE data = GetClipboardData(RegisterClipboardFormatA(format));
  if (!data || GlobalSize(data) < sizeof(DWORD)) return false;
  const DWORD value = *static_cast<const DWORD*>(GlobalLock(data));
  GlobalUnlock(data);
  return value == 0;
}

ClipboardChange ReadClipboard(HWND owner) {
  ClipboardChange change;
  if (!OpenClipboard(owner)) return change;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    change.text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    change.unicodeText = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  change.excluded = GetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"));
  change.historyRefused = HoldsZero("CanIncludeInClipboardHistory");
  change.cloudRefused = HoldsZero("CanUploadToCloudClipboard");
  CloseClipboard();
  return change;
}

}  // namespace

ClipboardListener::ClipboardListener() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // a second listener of the run finds it registered
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, this);
  AddClipboardFormatListener(window_);
}

ClipboardListener::~ClipboardListener() {
  RemoveClipboardFormatListener(window_);
  DestroyWindow(window_);
}

std::vector<ClipboardChange> ClipboardListener::TakeChanges() {
  Pump(50);
  std::vector<ClipboardChange> taken;
  taken.swap(changes_);
  return taken;
}

LRESULT CALLBACK ClipboardListener::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<ClipboardListener*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_CLIPBOARDUPDATE && self) self->changes_.push_back(ReadClipboard(hwnd));
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace uitest
