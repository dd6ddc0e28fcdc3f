// The Big-screen window: a large editor in the Output font beside the main
// dialog, with its own "GENERATE PASSWORD" and "CLOSE". At most one is
// open; the main dialog's record names it while it exists.
#pragma once

#include <windows.h>

namespace orvanta {

// Opens the window of `mainDialog` showing the Output buffer: the Generate
// command's path when "Use big screen" is on and no window is open.
void ShowBatchInNewBigScreen(HWND mainDialog);

}  // namespace orvanta
