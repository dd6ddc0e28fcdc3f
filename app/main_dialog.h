// The main dialog IDD_DIALOG1: set-up, toolbar, tooltips and the routing of
// every command to the function that carries it out.
#pragma once

#include <windows.h>

namespace orvanta {

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the main dialog modally until the user ends the program.
INT_PTR RunMainDialog(HINSTANCE module);

}  // namespace orvanta
