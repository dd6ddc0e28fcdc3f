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

std::string TextOf(HWND window);
std::string ClipboardText();
std::string FileText(const std::wstring& path);

// Runs one step of the session and prints its time.
void Step(const char* what, const std::function<void()>& action);

}  // namespace driver
