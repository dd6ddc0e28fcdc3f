// The Big-screen window: a large editor in the Output font beside the main
// dialog, with its own "GENERATE PASSWORD" and "CLOSE". At most one is
// open; the main dialog's record names it while it exists.
#pragma once

#include <windows.h>

namespace orvanta {

// Creates the window of `mainDialog` (not shown with a batch yet); nullptr on failure.
HWND CreateBigScreenWindow(HWND mainDialog);

}  // namespace orvanta
