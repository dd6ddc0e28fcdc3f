// Editor commands not built yet; routed here so the routing is complete.
#include "app/commands.h"

namespace orvanta {

void EditCommand(HWND, int) {}
void AlignmentCommand(HWND, int) {}
void FontCommand(HWND) {}
void SaveCommand(HWND) {}
void PrintCommand(HWND) {}
void HelpCommand(HWND) {}
void AboutCommand(HWND) {}

}  // namespace orvanta
