// Process entry: DLLs from the system folder only, common controls, the
// Rich Edit 1.0 library, then the modal main dialog, whose loop serves every
// window of the program.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/main_dialog.h"
#include "platform/win/messages.h"

namespace {

// Windows looks for a DLL that is not one of its known DLLs in the
// program's folder first, so a DLL left beside orvanta.exe (in a downloads
// folder, say) would run inside it, passwords in reach. From here on, every
// DLL loaded by name, by the program or by the system DLLs it uses, comes
// from the system folder. COMCTL32, COMDLG32 and SHELL32 are delay-loaded
// (cmake/DelayLoad.cmake), so none of them is loaded before this. False
// where Windows cannot be told so (Windows 7 without its 2011 update).
bool LoadDllsFromSystemFolderOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // Looked up: Windows 7 has it only with an update.
  auto set = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::wstring SystemFolder() {
  std::wstring folder(GetSystemDirectoryW(nullptr, 0), L'\0');
  folder.resize(GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size())));
  return folder;
}

// Registers the "RichEdit" class of the dialog template. Without the
// system-folder flag, the library is named by its full path there, and its
// own imports are looked for beside it.
bool LoadRichEdit(bool systemFolderOnly) {
  if (systemFolderOnly) return LoadLibraryExW(L"riched32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) != nullptr;
  return LoadLibraryExW((SystemFolder() + L"\\riched32.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) !=
         nullptr;
}

// Said, rather than an end with nothing on screen and exit code 0.
[[noreturn]] void FailToStart(const std::string& why) {
  orvanta::ShowFailure(nullptr, "Orvanta could not start: " + why);
  ExitProcess(1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const bool systemFolderOnly = LoadDllsFromSystemFolderOnly();
  HINSTANCE module = GetModuleHandleA(nullptr);
  InitCommonControls();
  if (!LoadRichEdit(systemFolderOnly))
    FailToStart("the rich edit library riched32.dll could not be loaded from the system folder (error " +
                std::to_string(GetLastError()) + ").");
  if (orvanta::RunMainDialog(module) == -1)
    FailToStart("its main window could not be made (error " + std::to_string(GetLastError()) + ").");
  ExitProcess(0);
}
