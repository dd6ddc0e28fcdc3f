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

const char kAboutText[] =
    "Orvanta " ORVANTA_VERSION
    "\n"
    "A password generator for Windows.\n"
    "\n"
    "Contact: Orvanta support <support@orvanta.example.com>\n"
    "\n"
    "     Would you like to go to the Homepage now?";

}  // namespace

OutsideCalls& Outside() {
  static OutsideCalls calls{WinHelpA, ShellExecuteA};
  return calls;
}

std::string HelpFilePath() {
  // The program's own folder, not the current one: Wine's viewer looks for a
  // bare name in its current folder and otherwise asks the user for the file.
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string file(path, n < sizeof path ? n : 0);
  size_t slash = file.find_last_of("\\/");
  file.erase(slash == std::string::npos ? 0 : slash + 1);
  return file + "orv.hlp";
}

void HelpCommand(HWND dialog) { Outside().winHelp(dialog, HelpFilePath().c_str(), HELP_CONTENTS, 0); }

void AboutCommand(HWND dialog) {
  if (MessageBoxA(dialog, kAboutText, kCaption, MB_YESNO | MB_ICONINFORMATION) == IDNO) return;
  Outside().shellExecute(nullptr, nullptr, kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvanta
