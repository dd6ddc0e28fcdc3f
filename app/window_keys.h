// The keyboard of the Password database window and the Big-screen window:
// plain top-level windows whose messages pass through the main dialog's
// modal loop, given the dialog manager's keys there; and Tab in the main
// dialog's Output editor, which moves on as from any other control.
#pragma once

#include <windows.h>

namespace orvanta {

// From the main dialog's start to its end: a message filter on the thread
// (WH_MSGFILTER, which the dialog manager runs for every message of a
// dialog's modal loop) takes the keys of those two windows and the Output
// editor's Tab.
void StartWindowKeys(HWND mainDialog);
void StopWindowKeys(HWND mainDialog);

}  // namespace orvanta
