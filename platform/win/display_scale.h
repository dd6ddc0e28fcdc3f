// The display scale each window is drawn for. The manifest makes the
// program per-monitor aware, so Windows gives it every monitor's real
// pixels: fonts, pictures and layouts made in pixels are made for the DPI
// of the window they serve. 96 DPI (100 %) is the size they are described at.
#pragma once

#include <windows.h>

namespace orvanta {

constexpr int kDefaultDpi = 96;

// The DPI of `window`'s monitor (GetDpiForWindow, where Windows has it),
// else the screen's LOGPIXELSY; for nullptr, the screen's.
int DpiOf(HWND window);

// `pixels` at 96 DPI, at `dpi` (rounded).
int ScaleToDpi(int pixels, int dpi);

// A picture drawn at 100, 125, 150 and 200 % (resources/art/make_art.py):
// the resource ID of each.
struct ScaledPicture {
  int at100, at125, at150, at200;
};
// The picture of resource ID `id` and its larger drawings, named
// id_125, id_150 and id_200 (resources/resource.h).
#define ORVANTA_SCALED_PICTURE(id) \
  ::orvanta::ScaledPicture { id, id##_125, id##_150, id##_200 }

// The scale (100, 125, 150 or 200 %) of the picture drawn nearest to
// `dpi`'s, the larger on a tie; a picture is never stretched.
int PictureScale(int dpi);
// `pixels` at 100 % in a picture drawn at `scale` %: rounded up, as the art is.
int PictureSize(int pixels, int scale);
int PictureFor(const ScaledPicture& picture, int dpi);
// The picture for `dpi`, its light grey made the button face (LR_LOADMAP3DCOLORS).
HBITMAP LoadPicture(HINSTANCE module, const ScaledPicture& picture, int dpi);

// Tells the dialog manager, which scales a dialog's own font and layout when
// the DPI changes, to leave `control`'s font (and, with `ownPlace`, its
// place and size) to the program, which makes them for the new DPI itself.
// (Windows 10 1703 on; before, the dialog manager does neither.)
void KeepOwnFontAtDpiChange(HWND control, bool ownPlace = false);
// The same for `to` as for `from`: a control that takes another's place.
void CopyDpiChangeBehaviour(HWND from, HWND to);

// WM_DPICHANGED: the window takes the rectangle Windows suggests.
void TakeSuggestedRect(HWND window, LPARAM lParam);
// The same for a window laid out in pixels (not a dialog): its children
// move and grow from `fromDpi` to the new DPI, which it returns.
int FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam, int fromDpi);

}  // namespace orvanta
