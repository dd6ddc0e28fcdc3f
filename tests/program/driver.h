// How the session driver reaches the program from outside: its windows and
// texts by messages, the clipboard and files, and the record of the checks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace driver {

// The process whose windows the lookups below call the program's.
void WatchProgram(DWORD processId);

// A check that failed is counted and printed; the session goes on.
void Check(bool ok, const char* what);
int Failures();

// A visible top-level window of that class (nullptr: any) and caption
// (nullptr: any), of the program or, with `ofProgram` false, of another
// process (the help viewer).
HWND FindVisible(const char* className, const char* caption, bool ofProgram = true);
// The program's visible top-level window of that caption, waited for.
HWND WaitForWindow(const char* className, const char* caption, DWORD timeout = 20000);
// A message box of the program that no step expects (a file not saved, a
// help file not found) is a failure: printed with its text, and answered so
// that the session goes on.
void AnswerComplaint();
// Waits for `window` to go, answering such message boxes meanwhile.
void WaitUntilGone(HWND window);

// The control of `window`'s thread that has the keyboard focus (nullptr: none).
HWND FocusOf(HWND window);
// Whether `condition` comes true within `timeout` milliseconds.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 10000);
// A key pressed and released on the focused control of `window`'s thread,
// as the keyboard delivers it: WM_KEYDOWN, the character it makes (Tab,
// Enter and Space make one), WM_KEYUP, posted to the program's queue.
void PressKey(HWND window, WPARAM key);

std::string TextOf(HWND window);
std::string ClipboardText();
std::string FileText(const std::wstring& path);

// Runs one step of the session and prints its time.
void Step(const char* what, const std::function<void()>& action);

}  // namespace driver
