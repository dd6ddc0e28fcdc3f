#include "platform/win/window_parts.h"

#include "platform/win/display_scale.h"

namespace orvanta {

void RegisterWindowClass(const char* className, WNDPROC procedure) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

HWND MakeChild(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
               int width, int height, int id, HFONT font) {
  HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (child && font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

HFONT MakeFont(int height, int weight, const char* face, int dpi) {
  return CreateFontA(ScaleToDpi(height, dpi), ScaleToDpi(8, dpi), 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                     0, 0, 0, face);
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int read = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(read > 0 ? read : 0));
  return text;
}

void KeepFocusOnActivation(HWND window, WPARAM wParam, HWND& focus) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND current = GetFocus();
    if (current && IsChild(window, current)) focus = current;
    return;
  }
  if (HIWORD(wParam)) return;  // minimized: no control shows
  // A replaced editor's old control is gone, or no longer a tab stop.
  if (!focus || !IsChild(window, focus) || !IsWindowVisible(focus)) focus = GetNextDlgTabItem(window, nullptr, FALSE);
  SetFocus(focus ? focus : window);
}

}  // namespace orvanta
