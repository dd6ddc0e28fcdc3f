// Small helpers for driving real windows from tests, the way a user does:
// by messages to a specific window, then reading what the windows show.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

// Clicks a child button (BM_CLICK: the button checks itself and notifies
// its parent, as a mouse click would).
void Click(HWND parent, int id);
// Sends the WM_COMMAND of a menu item or toolbar button.
void Command(HWND window, int id);
// The whole text of a window (any length).
std::string Text(HWND window);
// The same read as UTF-16 and kept as UTF-8: a caption or message that may
// name a file with letters outside the system's code page.
std::string UnicodeText(HWND window);
bool IsChecked(HWND parent, int id);
// The paragraph alignment (PFA_LEFT, PFA_CENTER, PFA_RIGHT) a rich edit control reports.
WORD ParagraphAlignment(HWND editor);
// Pixels from the top of a rich edit's first line to the top of its second:
// the height of its font's lines.
int LineHeight(HWND editor);
// Where a rich edit stands, as a user sees it: "caret A-B, line N at the
// top, undo yes|no" (a fresh batch reads "caret 0-0, line 0 at the top, undo no").
std::string ViewState(HWND editor);
bool IsMenuChecked(HWND window, int command);
bool IsToolbarButtonChecked(HWND toolbar, int command);
bool IsToolbarButtonEnabled(HWND toolbar, int command);

// The character format of `editor`'s selection, and of characters `from`
// to `to` once selected (0, 0: the insertion point at the start).
CHARFORMATA SelectionFormat(HWND editor);
CHARFORMATA FormatOf(HWND editor, long from, long to);

std::string ClipboardText();  // "" when the clipboard holds no text
void SetClipboardText(const std::string& text);
void EmptyTheClipboard();

// Another program's hold on the clipboard (a clipboard manager reading it):
// a second thread opens it and keeps it open for `milliseconds`, from the
// constructor on. The destructor waits for the hold to end.
class ClipboardHeld {
 public:
  explicit ClipboardHeld(DWORD milliseconds);
  ~ClipboardHeld();
  ClipboardHeld(const ClipboardHeld&) = delete;
  ClipboardHeld& operator=(const ClipboardHeld&) = delete;
  bool held() const { return held_; }  // the thread had it open

 private:
  static DWORD WINAPI Hold(void* self);
  DWORD milliseconds_;
  HANDLE opened_;
  HANDLE thread_ = nullptr;
  bool held_ = false;
};

// A file held open with no sharing, as another program might hold it:
// nobody else can read, write, replace or delete it until the lock goes.
// `path` is UTF-8.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock() { Release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release();

 private:
  HANDLE handle_;
};

// The clock of a test, for App().tickCount: every Generate reads this tick.
DWORD WINAPI FixedTick();

// A key pressed with Ctrl held, as the keyboard delivers it to `window`:
// WM_KEYDOWN, then the character it makes.
void PressWithControl(HWND window, WPARAM key);

// Dispatches pending messages of this thread for `milliseconds`.
void Pump(int milliseconds = 0);
// Dispatches the pending messages as the main dialog's modal loop does in
// the program: each is offered to the dialog manager first (IsDialogMessage
// of `dialog`, which runs the thread's message filters with MSGF_DIALOGBOX)
// and dispatched only when that leaves it. Not translated: PressKey posts
// the characters that TranslateMessage would make.
void PumpModal(HWND dialog);
// A key pressed and released on the control with the keyboard focus, as the
// keyboard delivers it: WM_KEYDOWN, the character it makes, WM_KEYUP,
// posted, then pumped by `dialog`'s modal loop. `modifier`: VK_SHIFT or
// VK_CONTROL held meanwhile, or 0.
void PressKey(HWND dialog, WPARAM key, WPARAM modifier = 0);

// Top-level windows of this thread, optionally only those of a class.
std::vector<HWND> ThreadWindows(const char* className = nullptr, bool visibleOnly = true);
HWND FindThreadWindow(const char* className, const char* title);

// A fresh, empty folder for one test's files; also made the current folder.
// Its name, like many users' folders, holds letters that no single-byte code
// page spells, so every file the program touches there proves that its paths
// never pass through the ANSI calls. `plainName`: ASCII only, for tools that
// take ANSI paths. Paths in and out of these helpers are UTF-8.
std::string MakeTestFolder(bool plainName = false);
// Removes a folder made by MakeTestFolder, with all it holds (the current
// folder moves to its parent first).
void RemoveTestFolder(const std::string& folder);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);

}  // namespace uitest
