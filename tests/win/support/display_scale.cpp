#include "support/display_scale.h"

#include <commctrl.h>

#include <cstdlib>

#include "support/ui.h"

namespace uitest {

int Dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Scaled(int pixels) { return MulDiv(pixels, Dpi(), 96); }

RECT Scaled(const RECT& at96) { return {Scaled(at96.left), Scaled(at96.top), Scaled(at96.right), Scaled(at96.bottom)}; }

testing::AssertionResult GrowsWithScale(int actual, int at96, int dpi) {
  const double expected = at96 * dpi / 96.0;
  if (std::abs(actual - expected) <= 1.0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << actual << " pixels, not " << at96 << " x " << dpi << " / 96 = " << expected;
}

RECT PlaceInParent(HWND child) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

int FontHeight(HWND control) {
  LOGFONTA font{};
  HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (!handle || !GetObjectA(handle, sizeof font, &font)) return 0;
  return std::abs(font.lfHeight);
}

SIZE PictureSize(HWND button) {
  BITMAP info{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

SIZE ToolbarImageSize(HWND toolbar) {
  // Looked up: the tests call no other function of COMCTL32 that the program does not.
  using GetIconSize = BOOL(WINAPI*)(HIMAGELIST, int*, int*);
  const auto get = reinterpret_cast<GetIconSize>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("comctl32.dll"), "ImageList_GetIconSize")));
  int width = 0, height = 0;
  if (get) get(reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)), &width, &height);
  return {width, height};
}

namespace {

bool IsClass(HWND control, const char* name) {
  char kind[32] = "";
  GetClassNameA(control, kind, sizeof kind);
  return lstrcmpiA(kind, name) == 0;
}

// Where a control of this kind draws its text: its client rectangle less
// what the control keeps for itself (a check box's box, a frame).
RECT TextRoom(HWND control, HDC dc) {
  RECT room;
  GetClientRect(control, &room);
  if (!IsClass(control, "Button")) return room;
  switch (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      // The box, 13 pixels at 96 DPI, then half a digit's width.
      INT digit = 0;
      GetCharWidth32A(dc, '0', '0', &digit);
      room.left += MulDiv(12, Dpi(), 96) + 1 + digit / 2;
      break;
    }
    case BS_GROUPBOX: InflateRect(&room, -Scaled(8), 0); break;
    default: InflateRect(&room, -Scaled(2), -Scaled(2)); break;  // a push button's frame
  }
  return room;
}

bool Wraps(HWND control) {
  const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
  if (IsClass(control, "Button")) return (style & BS_MULTILINE) != 0;
  const LONG_PTR kind = style & SS_TYPEMASK;
  return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
}

// Whether the text fits: on one line, its width; wrapped into lines, their
// width and height.
bool TextFits(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  const RECT room = TextRoom(control, dc);
  const bool wraps = Wraps(control);
  RECT needed = {0, 0, room.right - room.left, 0};
  DrawTextA(dc, Text(control).c_str(), -1, &needed, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return needed.right - needed.left <= room.right - room.left &&
         (!wraps || needed.bottom - needed.top <= room.bottom - room.top);
}

bool IsLabel(HWND control) {
  if (IsClass(control, "Static")) return true;
  return IsClass(control, "Button") && !(GetWindowLongPtrA(control, GWL_STYLE) & BS_BITMAP);
}

}  // namespace

std::vector<std::string> CutLabels(HWND window) {
  std::vector<std::string> cut;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsLabel(child) && IsWindowVisible(child) && !Text(child).empty() && !TextFits(child))
      cut.push_back(Text(child));
  }
  return cut;
}

}  // namespace uitest
