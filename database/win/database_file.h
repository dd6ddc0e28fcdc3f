// The Password database window's file "mypsw.txt": read when the window is
// created, written when it goes. A copy is kept of any file content that the
// window never showed before that content is replaced or deleted.
#pragma once

namespace orvanta {

// Fills the open window's list from "mypsw.txt" of the current folder.
void LoadDatabase();
// Writes the list back to the file it was loaded from. An empty list writes
// nothing. Returns false when the Entries could not be saved (already
// reported to the user); the file is then as it was.
bool SaveDatabase();
// Delete All: removes the file, keeping a copy first if it holds Entries the
// window never showed. The list is emptied by the caller.
void DeleteDatabaseFile();

}  // namespace orvanta
