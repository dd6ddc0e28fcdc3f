// Help > "&Help " and Help > "&About  Program".
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/commands.h"
#include "app/editor_commands.h"
#include "platform/win/messages.h"

namespace orvanta {

// The one place the home page's address is written.
const char kHomePage[] = "https://orvanta.example.com/";

namespace {

const char kAboutText[] = "Orvanta " ORVANTA_VERSION
                          "\n"
                          "A password generator for Windows.\n"
                          "\n"
                          "Contact: Orvanta support <support@orvanta.example.com>\n"
                          "\n"
                          "     Would you like to go to the Homepage now?";

}  // namespace

OutsideCalls& Outside() {
  static OutsideCalls calls{WinHelpA, ShellExecuteA, WindowsMajorVersion, ProgramFolder};
  return calls;
}

DWORD WindowsMajorVersion() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (rtlGetVersion && rtlGetVersion(&version) == 0) return version.dwMajorVersion;
  return 0;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n < sizeof path ? n : 0);
  size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder;
}

// Windows 10 and later have no viewer for orv.hlp, so there the same help
// opens as a web page. Both are looked for in the program's own folder, not
// the current one: Wine's viewer looks for a bare name in its current folder
// and otherwise asks the user for the file.
void HelpCommand(HWND dialog) {
  const bool page = Outside().windowsMajorVersion() >= 10;
  const std::string file = Outside().programFolder() + (page ? "orv.html" : "orv.hlp");
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowFailure(dialog, "The help file \"" + file + "\" was not found. It belongs beside the program.");
    return;
  }
  if (page)
    Outside().shellExecute(dialog, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  else
    Outside().winHelp(dialog, file.c_str(), HELP_CONTENTS, 0);
}

void AboutCommand(HWND dialog) {
  if (MessageBoxA(dialog, kAboutText, kCaption, MB_YESNO | MB_ICONINFORMATION) == IDNO) return;
  Outside().shellExecute(nullptr, nullptr, kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvanta
