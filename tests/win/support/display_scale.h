// The display scale as the window tests meet it. The window fixtures run at
// 96 DPI and, the cases that tests/win/CMakeLists.txt names, once more in a
// second Wine prefix whose screen has 144 DPI (150 %). A size described at
// 96 DPI is expected grown by the screen's DPI / 96, within a pixel of
// rounding.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace uitest {

// The screen's DPI, which every window of a test has.
int Dpi();
// `pixels` at 96 DPI, at the screen's DPI.
int Scaled(int pixels);
RECT Scaled(const RECT& at96);
// `actual` is `at96` grown by the display scale (of `dpi`), within a pixel
// of rounding.
testing::AssertionResult GrowsWithScale(int actual, int at96, int dpi = Dpi());

// A child window's rectangle in its parent's client area.
RECT PlaceInParent(HWND child);
// The height of the font `control` draws with (its LOGFONT height, without
// sign); 0 when the control names none.
int FontHeight(HWND control);
// The size of the picture a BS_BITMAP button shows.
SIZE PictureSize(HWND button);
// The size of a toolbar's images.
SIZE ToolbarImageSize(HWND toolbar);
// The texts of `window`'s labels (the text of its buttons, check boxes,
// radio buttons, group boxes and statics) that do not fit their control,
// measured with the control's own font.
std::vector<std::string> CutLabels(HWND window);

}  // namespace uitest
