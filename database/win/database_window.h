// The Password database window: a report-view list of the Entries, the
// six buttons, the hint line and two hidden helpers (the Clipboard edit and
// the Print editor). Opened by the main dialog's "Database" button.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/db_file.h"
#include "database/entry.h"
#include "platform/win/display_scale.h"

namespace orvanta {

// The record of a Password database window, made by OpenDatabaseWindow and
// kept in the window's GWLP_USERDATA: its controls and what it knows about
// the file it was loaded from. The Print editor is replaced by a fresh
// control whenever its text is set, so it is looked up by its ID.
struct DatabaseWindow {
  bool open = false;  // the Database open flag: cleared as the window goes
  HWND window = nullptr;
  HWND list = nullptr;
  HWND hint = nullptr;
  HWND clipboardEdit = nullptr;
  HWND focus = nullptr;  // the control that had the keyboard focus as the window was last left
  HFONT hintFont = nullptr;
  HFONT printFont = nullptr;
  int dpi = kDefaultDpi;  // the DPI its controls, fonts and places are made for

  std::filesystem::path filePath;  // "mypsw.txt" of the folder the Entries were loaded from
  FileStamp fileStamp;             // the file as last read or written by this window
  bool unreadPart = false;         // the file holds something the list does not show
  bool savedOnClose = false;       // Close saved already; destruction has nothing to write
  bool emptiedByUser = false;      // Delete Item took the last row: the file is to go
  std::string sessionEndFailure;   // why the Entries could not be saved as the session was to end
};

// The record of the open Password database window; nullptr when none is open.
DatabaseWindow* FindDatabaseWindow();

// Opens the window for `mainDialog`, which owns the notices that come after
// the window has gone; while it is open, does nothing (not even bring it to
// the front).
void OpenDatabaseWindow(HWND mainDialog);
// Destroys the Password database window if it is open, which saves its Entries.
void CloseDatabaseWindow();
// The same at the user's exit: when the Entries cannot be saved, asks
// (on behalf of `mainDialog`) whether to end anyway. False when the user
// keeps the program, and the window stays open with its Entries.
bool CloseDatabaseWindowAtExit(HWND mainDialog);

// The session ends (the window itself saved its Entries when Windows asked
// whether it may): the Entries are saved once more if they could not be.
void DatabaseSessionEnds();

// Appends one row after the last of `db`'s list: Password as item text, the
// other three as sub-items. False when the row could not be added.
bool AppendEntry(const DatabaseWindow& db, const Entry& entry);
// The Entries of `db`'s list, in row order, each cell as the list holds it.
std::vector<Entry> ListEntries(const DatabaseWindow& db);

}  // namespace orvanta
