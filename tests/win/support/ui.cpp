#include "support/ui.h"

#include <commctrl.h>
#include <richedit.h>

#include "platform/utf8_text.h"
#include "support/clipboard_text.h"
#include "platform/win/window_parts.h"

namespace uitest {

void Click(HWND parent, int id) { SendMessageA(GetDlgItem(parent, id), BM_CLICK, 0, 0); }

void Command(HWND window, int id) { SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

std::string Text(HWND window) { return orvanta::WindowText(window); }

std::string UnicodeText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return orvanta::Utf8FromWide(text);
}

bool IsChecked(HWND parent, int id) { return IsDlgButtonChecked(parent, id) == BST_CHECKED; }

WORD ParagraphAlignment(HWND editor) {
  PARAFORMAT pf{};
  pf.cbSize = sizeof pf;
  SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  return pf.wAlignment;
}

int LineHeight(HWND editor) {
  POINTL first{}, second{};
  SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  const LRESULT secondLine = SendMessageA(editor, EM_LINEINDEX, 1, 0);
  SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), secondLine);
  return static_cast<int>(second.y - first.y);
}

std::string ViewState(HWND editor) {
  CHARRANGE selection{};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return "caret " + std::to_string(selection.cpMin) + "-" + std::to_string(selection.cpMax) + ", line " +
         std::to_string(SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0)) + " at the top, undo " +
         (SendMessageA(editor, EM_CANUNDO, 0, 0) ? "yes" : "no");
}

bool IsMenuChecked(HWND window, int command) {
  return (GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool IsToolbarButtonChecked(HWND toolbar, int command) {
  return SendMessageA(toolbar, TB_ISBUTTONCHECKED, command, 0) != 0;
}

bool IsToolbarButtonEnabled(HWND toolbar, int command) {
  return SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
}

CHARFORMATA SelectionFormat(HWND editor) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf;
}

CHARFORMATA FormatOf(HWND editor, long from, long to) {
  SendMessageA(editor, EM_SETSEL, from, to);
  return SelectionFormat(editor);
}

std::string ClipboardText() { return ReadClipboardText(); }

void SetClipboardText(const std::string& text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  char* p = static_cast<char*>(GlobalLock(mem));
  memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
  }
}

void EmptyTheClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

ClipboardHeld::ClipboardHeld(DWORD milliseconds)
    : milliseconds_(milliseconds), opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = CreateThread(nullptr, 0, Hold, this, 0, nullptr);
  if (thread_) WaitForSingleObject(opened_, 5000);
}

ClipboardHeld::~ClipboardHeld() {
  if (thread_) {
    WaitForSingleObject(thread_, milliseconds_ + 5000);
    CloseHandle(thread_);
  }
  CloseHandle(opened_);
}

DWORD WINAPI ClipboardHeld::Hold(void* self) {
  auto* hold = static_cast<ClipboardHeld*>(self);
  hold->held_ = OpenClipboard(nullptr) != FALSE;
  SetEvent(hold->opened_);
  Sleep(hold->milliseconds_);
  if (hold->held_) CloseClipboard();
  return 0;
}

FileLock::FileLock(const std::string& path)
    : handle_(CreateFileW(orvanta::WideFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

void FileLock::Release() {
  if (held()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

DWORD WINAPI FixedTick() { return 20240601; }

void PressWithControl(HWND window, WPARAM key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(window, WM_KEYDOWN, key, 1);
  SendMessageA(window, WM_CHAR, key & 0x1F, 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

void Pump(int milliseconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds > 0) Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

void PumpModal(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
}

namespace {
// The character a key makes: Tab, Enter, Space, and letters (with Ctrl, their control character).
char CharacterOf(WPARAM key, WPARAM modifier) {
  if (key >= 'A' && key <= 'Z')
    return static_cast<char>(modifier == VK_CONTROL ? key & 0x1F : modifier == VK_SHIFT ? key : key + ('a' - 'A'));
  return key == VK_TAB ? '\t' : key == VK_RETURN ? '\r' : key == VK_SPACE ? ' ' : '\0';
}
}  // namespace

void PressKey(HWND dialog, WPARAM key, WPARAM modifier) {
  BYTE keys[256];
  GetKeyboardState(keys);
  if (modifier) keys[modifier] = 0x80;
  SetKeyboardState(keys);
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  if (const char character = CharacterOf(key, modifier)) PostMessageA(focus, WM_CHAR, static_cast<BYTE>(character), 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
  PumpModal(dialog);
  if (modifier) keys[modifier] = 0;
  SetKeyboardState(keys);
}

namespace {
struct EnumState {
  const char* className;
  bool visibleOnly;
  std::vector<HWND>* out;
};
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<EnumState*>(lParam);
  if (state->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (state->className) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, state->className) != 0) return TRUE;
  }
  state->out->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> ThreadWindows(const char* className, bool visibleOnly) {
  std::vector<HWND> windows;
  EnumState state{className, visibleOnly, &windows};
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&state));
  return windows;
}

HWND FindThreadWindow(const char* className, const char* title) {
  for (HWND hwnd : ThreadWindows(className, false))
    if (!title || Text(hwnd) == title) return hwnd;
  return nullptr;
}

std::string MakeTestFolder(bool plainName) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  const std::wstring name = std::wstring(base) + (plainName ? L"orvanta-test-" : L"orvanta-test-Łódź-Ω-李-");
  std::wstring folder;
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
    folder = name + std::to_wstring(n);
    if (CreateDirectoryW(folder.c_str(), nullptr)) break;
  }
  SetCurrentDirectoryW(folder.c_str());
  return orvanta::Utf8FromWide(folder) + "\\";
}

void RemoveTestFolder(const std::string& folder) {
  const std::filesystem::path path(orvanta::WideFromUtf8(folder));
  SetCurrentDirectoryW(path.parent_path().parent_path().c_str());
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::string ReadFile(const std::string& path) {
  std::string data;
  HANDLE h = CreateFileW(orvanta::WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return data;
  char buf[65536];
  DWORD n;
  while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) data.append(buf, n);
  CloseHandle(h);
  return data;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(orvanta::WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::string& path, const std::string& data) {
  HANDLE h = CreateFileW(orvanta::WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
  CloseHandle(h);
}

}  // namespace uitest
