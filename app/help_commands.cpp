// Help > "&Help " and Help > "&About  Program".
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/commands.h"
#include "app/editor_commands.h"
#include "platform/utf8_text.h"
#include "platform/win/messages.h"

namespace orvanta {

// The one place the home page's address is written.
const char kHomePage[] = "https://orvanta.example.com/";

namespace {

namespace fs = std::filesystem;

const char kAboutText[] = "Orvanta " ORVANTA_VERSION
                          "\n"
                          "A password generator for Windows.\n"
                          "\n"
                          "Contact: Orvanta support <support@orvanta.example.com>\n"
                          "\n"
                          "     Would you like to go to the Homepage now?";

}  // namespace

OutsideCalls& Outside() {
  static OutsideCalls calls{WinHelpW, ShellExecuteW, WindowsMajorVersion, ProgramFolder};
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

// Wide, and as long as the name is: the program may live in a folder whose
// name the system's code page cannot spell, or deeper than MAX_PATH.
fs::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
    path.resize(path.size() * 2);
  path.resize(n);
  return fs::path(path).parent_path();
}

namespace {

// WinHelp hands the file's name to the help viewer in the system's code
// page, which spells letters outside it as "?" (the viewer then cannot find
// the file). The short name that the system keeps for such a path is plain
// ASCII; without one the full name is the best there is.
std::wstring NameForHelpViewer(const fs::path& file) {
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, file.c_str(), -1, nullptr, 0, nullptr, &lost);
  if (!lost) return file.native();
  const DWORD size = GetShortPathNameW(file.c_str(), nullptr, 0);
  std::wstring shortName(size, L'\0');
  const DWORD length = size ? GetShortPathNameW(file.c_str(), shortName.data(), size) : 0;
  if (length == 0 || length >= size) return file.native();
  shortName.resize(length);
  return shortName;
}

}  // namespace

// Windows 10 and later have no viewer for orv.hlp, so there the same help
// opens as a web page. Both are looked for in the program's own folder, not
// the current one: Wine's viewer looks for a bare name in its current folder
// and otherwise asks the user for the file.
void HelpCommand(HWND dialog) {
  const bool page = Outside().windowsMajorVersion() >= 10;
  const fs::path file = Outside().programFolder() / (page ? L"orv.html" : L"orv.hlp");
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowFailure(dialog, "The help file \"" + PathText(file) + "\" was not found. It belongs beside the program.");
    return;
  }
  if (page) {
    // Above 32 is success; below, the reason (no browser set up, say).
    const auto result = reinterpret_cast<INT_PTR>(
        Outside().shellExecute(dialog, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
      ShowFailure(dialog, "The help page \"" + PathText(file) +
                              "\" could not be opened: Windows found no program to show it (error " +
                              std::to_string(result) + "). It can be opened in any web browser.");
  } else if (!Outside().winHelp(dialog, NameForHelpViewer(file).c_str(), HELP_CONTENTS, 0)) {
    ShowFailure(dialog, "The help file \"" + PathText(file) + "\" could not be opened.");
  }
}

void AboutCommand(HWND dialog) {
  if (MessageBoxA(dialog, kAboutText, kCaption, MB_YESNO | MB_ICONINFORMATION) == IDNO) return;
  Outside().shellExecute(nullptr, nullptr, WideFromUtf8(kHomePage).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvanta
