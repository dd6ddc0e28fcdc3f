// The Password database window: a report-view list of the Entries, the
// six buttons, the hint line and two hidden helpers (the Clipboard edit and
// the Print editor). Opened by the main dialog's "Database" button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "database/db_file.h"
#include "database/entry.h"

namespace orvanta {

// The one Password database window of the process and what it knows about
// the file it was loaded from.
struct DatabaseWindow {
  bool open = false;  // the Database open flag
  HWND window = nullptr;
  HWND list = nullptr;
  HWND hint = nullptr;
  HWND clipboardEdit = nullptr;
  HWND printEditor = nullptr;  // replaced by a fresh control whenever its text is set
  HFONT hintFont = nullptr;
  HFONT printFont = nullptr;

  std::string filePath;        // "mypsw.txt" of the folder the Entries were loaded from
  FileStamp fileStamp;         // the file as last read or written by this window
  bool unreadPart = false;     // the file holds something the list does not show
  bool savedOnClose = false;   // Close saved already; destruction has nothing to write
  bool emptiedByUser = false;  // Delete Item took the last row: the file is to go
};

DatabaseWindow& Database();

// Opens the window; while it is open, does nothing (not even bring it to the front).
void OpenDatabaseWindow();
// Destroys the Password database window if it is open, which saves its Entries.
void CloseDatabaseWindow();
// The same at the user's exit: when the Entries cannot be saved, asks
// whether to end anyway. False when the user keeps the program, and the
// window stays open with its Entries.
bool CloseDatabaseWindowAtExit();

// Appends one row after the last: Password as item text, the other three
// as sub-items. Returns false when no database window is open.
bool AppendEntry(const Entry& entry);
// The Entries of the list, in row order, each cell as the list holds it.
std::vector<Entry> ListEntries();

}  // namespace orvanta
