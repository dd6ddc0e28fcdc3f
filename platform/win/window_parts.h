// The pieces the program's own windows are built from: a window class, a
// child control, a font, a window's text as a string, and a dialog's focus.
#pragma once

#include <windows.h>

#include <string>

namespace orvanta {

// Registers a top-level class of this module on the button-face background.
// Registering it again (a window reopened) fails harmlessly.
void RegisterWindowClass(const char* className, WNDPROC procedure);

// A visible child control with the ID `id`, given `font` when there is one.
HWND MakeChild(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
               int width, int height, int id, HFONT font = nullptr);

// A font of `height` pixels in cells 8 pixels wide, as at 96 DPI, made for
// `dpi` (both sizes scaled).
HFONT MakeFont(int height, int weight, const char* face, int dpi);

// The whole text of a window, of any length.
std::string WindowText(HWND window);

// WM_ACTIVATE of a top-level window that is not a dialog but takes the
// keyboard as one: `focus` keeps the control that had the keyboard focus as
// the window was left, and gets it back when the window is active again;
// the first time (or when that control is gone), its first tab stop.
void KeepFocusOnActivation(HWND window, WPARAM wParam, HWND& focus);

}  // namespace orvanta
