// The Password database window's file "mypsw.txt": read when the window is
// created, written when it goes. A copy is kept of any file content that the
// window never showed before that content is replaced or deleted.
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

// Writes the list back to the database file. An empty list writes nothing,
// unless the user's deletions emptied it: then the file is removed as
// Delete All removes it. Returns false when that could not be done; the
// file is then as it was. The reason is shown to the user, or put in
// `failure` when one is given.
bool SaveDatabase(DatabaseWindow& db, std::string* failure = nullptr);
// Delete All: removes the file, keeping a copy first if it holds Entries the
// window never showed. The list is emptied by the caller. False when the
// file stays (reported as SaveDatabase reports).
bool DeleteDatabaseFile(DatabaseWindow& db, std::string* failure = nullptr);

}  // namespace orvanta
