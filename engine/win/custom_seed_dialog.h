// The Custom Seed dialog (template IDD_DIALOG5): nine digit boxes with
// up-down controls; OK makes the number the Random state and switches the
// Seed mode to custom. RunCustomSeedDialog() (app/commands.h) opens it.
#pragma once

#include <windows.h>

namespace orvanta {

INT_PTR CALLBACK CustomSeedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orvanta
