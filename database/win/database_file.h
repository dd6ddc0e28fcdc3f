// The Password database window's file "mypsw.txt": read when the window is
// created, written when it closes. A copy is kept of any file content that
// the window never showed before that content is replaced or deleted.
//
// The file work never asks or tells the user anything: it does its work,
// brings the window's record up to date and returns what happened. The
// window acts on that (stays, goes, empties its list) and shows the notices
// last, once nothing more is done with its record (see CONTRIBUTING).
#pragma once

#include <filesystem>
#include <string>

namespace orvanta {

struct DatabaseWindow;

// Makes "mypsw.txt" of the current folder the database file for the rest of
// the run. Called as the program starts, so that the folders the Save
// dialogs move to never move the database.
void FixDatabaseFolder();
// The full path of the database file of this run.
const std::filesystem::path& DatabaseFilePath();

// Fills the window's list from the database file.
void LoadDatabase(DatabaseWindow& db);
// What the user is told as the window opens when part of the file could not
// be read; "" when all of it was read.
std::string UnreadPartNotice(const DatabaseWindow& db);

// What a save or a removal of the file did.
struct FileOutcome {
  std::string kept;     // names the copy kept of the earlier content, or ""
  std::string failure;  // why it was not done, or "": the file is as the list wants it
  bool done() const { return failure.empty(); }
};

// Writes the list back to the database file. An empty list writes nothing,
// unless the user's deletions emptied it: then the file goes as with
// RemoveDatabaseFile.
FileOutcome SaveDatabase(DatabaseWindow& db);
// Delete All: moves the file to the Recycle Bin, keeping a copy beside it
// first if it holds Entries the window never showed. The caller empties the
// list once this is done.
FileOutcome RemoveDatabaseFile(DatabaseWindow& db);

}  // namespace orvanta
