// Process entry: common controls, the Rich Edit 1.0 library, then the modal
// main dialog, whose loop serves every window of the program.
#include <windows.h>
#include <commctrl.h>

#include "app/main_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  InitCommonControls();
  LoadLibraryA("RICHED32.DLL");  // registers the "RichEdit" class of the template
  orvanta::RunMainDialog(module);
  ExitProcess(0);
}
