#include "platform/win/display_scale.h"

#include <cstdlib>
#include <initializer_list>

namespace orvanta {

namespace {

using SetBehaviourFunction = BOOL(WINAPI*)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS,
                                           DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);
using GetBehaviourFunction = DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS(WINAPI*)(HWND);

template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

void SetDpiChangeBehaviour(HWND control, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS values) {
  static const auto set = User32Function<SetBehaviourFunction>("SetDialogControlDpiChangeBehavior");
  const auto mask = static_cast<DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS>(DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT);
  if (control && set) set(control, mask, values);
}

}  // namespace

int DpiOf(HWND window) {
  // Looked up, as are the other calls of Windows 10 here: Windows 7 and 8 do
  // not have them.
  static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (window && getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kDefaultDpi); }

int PictureScale(int dpi) {
  int best = 100;
  for (int scale : {125, 150, 200})
    // Nearer, or as near and larger: compared as DPI x 100 against scale x 96.
    if (std::abs(dpi * 100 - scale * kDefaultDpi) <= std::abs(dpi * 100 - best * kDefaultDpi)) best = scale;
  return best;
}

int PictureSize(int pixels, int scale) { return (pixels * scale + 99) / 100; }

int PictureFor(const ScaledPicture& picture, int dpi) {
  switch (PictureScale(dpi)) {
    case 125: return picture.at125;
    case 150: return picture.at150;
    case 200: return picture.at200;
    default: return picture.at100;
  }
}

HBITMAP LoadPicture(HINSTANCE module, const ScaledPicture& picture, int dpi) {
  return static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(PictureFor(picture, dpi)), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

void KeepOwnFontAtDpiChange(HWND control, bool ownPlace) {
  SetDpiChangeBehaviour(control, static_cast<DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS>(
                                     DCDC_DISABLE_FONT_UPDATE | (ownPlace ? DCDC_DISABLE_RELAYOUT : 0)));
}

void CopyDpiChangeBehaviour(HWND from, HWND to) {
  static const auto get = User32Function<GetBehaviourFunction>("GetDialogControlDpiChangeBehavior");
  if (from && get) SetDpiChangeBehaviour(to, get(from));
}

void TakeSuggestedRect(HWND window, LPARAM lParam) {
  const RECT& rc = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam, int fromDpi) {
  const int toDpi = HIWORD(wParam);
  TakeSuggestedRect(window, lParam);
  if (toDpi <= 0 || fromDpi <= 0 || toDpi == fromDpi) return toDpi > 0 ? toDpi : fromDpi;
  // Each edge is scaled, not each size, so that controls side by side stay so.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
    const int left = MulDiv(rc.left, toDpi, fromDpi), top = MulDiv(rc.top, toDpi, fromDpi);
    SetWindowPos(child, nullptr, left, top, MulDiv(rc.right, toDpi, fromDpi) - left,
                 MulDiv(rc.bottom, toDpi, fromDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return toDpi;
}

}  // namespace orvanta
