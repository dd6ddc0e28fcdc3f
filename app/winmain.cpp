// Process entry: DLLs from the system folder only, common controls, the
// Rich Edit 1.0 library, then the modal main dialog, whose loop serves every
// window of the program.
#include <windows.h>
#include <commctrl.h>

#include "app/main_dialog.h"

namespace {

// Windows looks for a DLL that is not one of its known DLLs in the
// program's folder first, so a DLL left beside orvanta.exe (in a downloads
// folder, say) would run inside it, passwords in reach. From here on, every
// DLL loaded by name, by the program or by the system DLLs it uses, comes
// from the system folder. COMCTL32, COMDLG32 and SHELL32 are delay-loaded
// (cmake/DelayLoad.cmake), so none of them is loaded before this.
void LoadDllsFromSystemFolderOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // Looked up: Windows 7 has it only with an update.
  auto set = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromSystemFolderOnly();
  HINSTANCE module = GetModuleHandleA(nullptr);
  InitCommonControls();
  // Registers the "RichEdit" class of the dialog template.
  LoadLibraryExA("RICHED32.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  orvanta::RunMainDialog(module);
  ExitProcess(0);
}
