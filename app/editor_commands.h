// What the editor commands share with the main dialog and with tests: the
// refreshes of the Format menu's check marks and of the toolbar, and the
// two ways Help and About reach outside the program.
#pragma once

#include <windows.h>

#include <filesystem>

namespace orvanta {

// The product's home page, opened from the About box.
extern const char kHomePage[];

// The editor an Edit command (Undo … Select all) acts on: the Big-screen
// editor while that window is open, else the Output editor.
HWND EditTarget(HWND dialog);
// The editor an alignment command acts on: the Big-screen editor when "Use
// big screen" is checked (nullptr while that window is closed), else the
// Output editor.
HWND AlignmentTarget(HWND dialog);

// Reads the target's paragraph alignment and moves the Format menu's check
// marks and the toolbar's pressed alignment button to it.
void RefreshAlignmentChecks(HWND dialog, HWND target);

// Enables the toolbar's Undo, Cut, Copy and Paste by the editor's state,
// then refreshes the alignment checks. Called after every command, on a
// selection change of the Output editor and on a clipboard change.
void RefreshEditButtons(HWND dialog);

// Where Help and About leave the program, and what they ask the system;
// tests put recorders and stand-ins here. Wide, as every file name is.
struct OutsideCalls {
  BOOL(WINAPI* winHelp)(HWND, LPCWSTR, UINT, ULONG_PTR);
  HINSTANCE(WINAPI* shellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  DWORD (*windowsMajorVersion)();
  std::filesystem::path (*programFolder)();
};
OutsideCalls& Outside();

// The system's real major version, from RtlGetVersion: GetVersionExA says
// 6.2 on Windows 10 and later to a program without a compatibility manifest.
DWORD WindowsMajorVersion();
// The folder of the program file.
std::filesystem::path ProgramFolder();

}  // namespace orvanta
