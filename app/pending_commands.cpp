// Commands whose windows are not built yet: routed here so the main dialog's
// routing is complete. Each moves to its own file when it is built.
#include "app/commands.h"

namespace orvanta {

void EditCommand(HWND, int) {}
void AlignmentCommand(HWND, int) {}
void FontCommand(HWND) {}
void SaveCommand(HWND) {}
void PrintCommand(HWND) {}
void HelpCommand(HWND) {}
void AboutCommand(HWND) {}
void ShowBatchInNewBigScreen() {}
void RunCustomSeedDialog() {}
void OpenDatabaseWindow() {}
void CloseDatabaseWindow() {}

}  // namespace orvanta
