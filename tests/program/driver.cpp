#include "tests/program/driver.h"

#include <cstdio>

#include "platform/utf8_text.h"
#include "tests/win/support/clipboard_text.h"

namespace driver {

namespace {

DWORD g_process = 0;
int g_failures = 0;

struct Search {
  const char* className;
  const char* caption;  // nullptr: any
  bool ofProgram;       // false: of another process (the help viewer)
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
  Search& search = *reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char name[64] = "", caption[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  GetWindowTextA(hwnd, caption, sizeof caption);
  if ((owner == g_process) != search.ofProgram || !IsWindowVisible(hwnd)) return TRUE;
  if (search.caption && lstrcmpA(caption, search.caption) != 0) return TRUE;
  if (search.className && lstrcmpA(name, search.className) != 0) return TRUE;
  search.found = hwnd;
  return FALSE;
}

}  // namespace

void WatchProgram(DWORD processId) { g_process = processId; }

int Failures() { return g_failures; }

void Check(bool ok, const char* what) {
  if (ok) return;
  ++g_failures;
  fprintf(stderr, "  FAILED: %s\n", what);
}

HWND FindVisible(const char* className, const char* caption, bool ofProgram) {
  Search search{className, caption, ofProgram, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const char* className, const char* caption, DWORD timeout) {
  const DWORD start = GetTickCount();
  do {
    if (HWND found = FindVisible(className, caption)) return found;
    Sleep(20);
  } while (GetTickCount() - start < timeout);
  fprintf(stderr, "  no window \"%s\"\n", caption);
  return nullptr;
}

// Any button ends a message box: OK, or Yes to "End Orvanta anyway?".
void AnswerComplaint() {
  HWND box = FindVisible("#32770", "Orvanta");
  if (!box) return;
  wchar_t text[2048] = L"";
  SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
  Check(false, ("the program said: " + orvanta::Utf8FromWide(text)).c_str());
  PostMessageA(box, WM_COMMAND, IDYES, 0);
  for (int i = 0; i < 250 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(20);
}

void WaitUntilGone(HWND window) {
  for (int i = 0; i < 1000 && IsWindow(window) && IsWindowVisible(window); ++i) {
    AnswerComplaint();
    Sleep(20);
  }
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout) {
  for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
    if (GetTickCount() - start > timeout) return false;
  return true;
}

void PressKey(HWND window, WPARAM key) {
  HWND focus = FocusOf(window);
  if (!focus) return;  // a null window would post to this driver's own thread
  const char character = key == VK_TAB ? '\t' : key == VK_RETURN ? '\r' : key == VK_SPACE ? ' ' : '\0';
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  if (character) PostMessageA(focus, WM_CHAR, static_cast<WPARAM>(character), 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

// WM_GETTEXT is marshalled across processes, also for edit and rich edit controls.
std::string TextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(
      static_cast<size_t>(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::string ClipboardText() { return uitest::ReadClipboardText(); }

std::string FileText(const std::wstring& path) {
  std::string data;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return data;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) data.append(buffer, got);
  CloseHandle(file);
  return data;
}

void Step(const char* what, const std::function<void()>& action) {
  const DWORD start = GetTickCount();
  action();
  printf("  %-52s %6.3f s\n", what, (GetTickCount() - start) / 1000.0);
  fflush(stdout);
}

}  // namespace driver
