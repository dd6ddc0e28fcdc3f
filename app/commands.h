// The commands of the main dialog, one function per command, grouped by the
// file that carries them out. The main dialog procedure only routes to them.
#pragma once

#include <windows.h>

namespace orvanta {

// generator_commands.cpp: option controls, Seed menu, Generate, sorting.
bool OptionCommand(HWND dialog, int id);  // false when `id` is not an option control
void GenerateCommand(HWND dialog);
void SortCommand(HWND dialog, bool ascending);
void SeedAutogenerateCommand(HWND dialog);
void SeedCustomCommand(HWND dialog);
void SeedStrongCommand(HWND dialog);
// Tells the user that the system's random source failed and no strong batch was made.
void ReportNoStrongBatch(HWND owner);

// edit_commands.cpp: the Edit menu and the alignment commands.
void EditCommand(HWND dialog, int id);       // IDM_UNDO to IDM_SELECT_ALL
void AlignmentCommand(HWND dialog, int id);  // IDM_ALIGN_LEFT, IDM_ALIGN_CENTER, IDM_ALIGN_RIGHT
// format_commands.cpp: Format > Font.
void FontCommand(HWND dialog);
// file_commands.cpp: Save and Print of the batch; help_commands.cpp: Help and About.
void SaveCommand(HWND dialog);
void PrintCommand(HWND dialog);
void HelpCommand(HWND dialog);
void AboutCommand(HWND dialog);

}  // namespace orvanta
