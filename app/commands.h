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

// editor_commands.cpp: Edit and Format menus, Save, Print, Help, About.
void EditCommand(HWND dialog, int id);       // 211, 212, 213, 214, 216, 217
void AlignmentCommand(HWND dialog, int id);  // 905, 906, 907
void FontCommand(HWND dialog);
void SaveCommand(HWND dialog);
void PrintCommand(HWND dialog);
void HelpCommand(HWND dialog);
void AboutCommand(HWND dialog);

// big_screen.cpp: creates the Big-screen window and shows the Output buffer
// in it (the Generate command's path when "Use big screen" is on).
void ShowBatchInNewBigScreen();

// engine/win/custom_seed_dialog.cpp
void RunCustomSeedDialog();

// database/win/database_window.cpp
void OpenDatabaseWindow();
// Destroys the Password database window if it is open, which saves its Entries.
void CloseDatabaseWindow();
// The same at the user's exit: when the Entries cannot be saved, asks
// whether to end anyway. False when the user keeps the program, and the
// window stays open with its Entries.
bool CloseDatabaseWindowAtExit();

}  // namespace orvanta
