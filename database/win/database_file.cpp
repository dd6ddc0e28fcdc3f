#include "database/win/database_file.h"

#include <windows.h>
#include <commctrl.h>

#include "database/win/database_window.h"
#include "platform/win/messages.h"

namespace orvanta {

namespace {

// Message boxes belong to the window while it is open; once it is going
// they stand alone.
HWND Owner() {
  const DatabaseWindow& db = Database();
  return db.open ? db.window : nullptr;
}

std::string FullPathOf(std::string_view name) {
  const std::string relative(name);
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(relative.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : relative;
}

// Why the file must be copied before it is replaced or deleted, or "" when
// the window showed all of it and nobody else changed it.
std::string ReasonToKeepCopy() {
  const DatabaseWindow& db = Database();
  const std::string quoted = "\"" + db.filePath + "\"";
  if (db.unreadPart)
    return "Part of " + quoted +
           " could not be read when the database window opened (the file is damaged, cannot be read, or has "
           "a "
           "field longer than 255 characters).";
  if (ReadFileStamp(db.filePath) != db.fileStamp)
    return quoted + " was changed by another program while the database window was open.";
  return "";
}

// Keeps a copy of the file before it is replaced or deleted when it holds
// something the window never showed, and says so once, naming the copy.
// False when a copy was needed and could not be made.
bool KeepCopyIfNeeded(const char* action) {
  DatabaseWindow& db = Database();
  const std::string reason = ReasonToKeepCopy();
  if (reason.empty()) return true;
  std::string copy, error;
  if (!BackupDatabaseFile(db.filePath, &copy, &error)) {
    ShowFailure(Owner(), reason + "\n\nA copy of it could not be kept (" + error + "), so it was not " +
                             action + ". The file is unchanged.");
    return false;
  }
  // From now on the copy holds what was there; nothing more to keep.
  db.unreadPart = false;
  db.fileStamp = ReadFileStamp(db.filePath);
  if (!copy.empty())
    ShowInformation(Owner(), reason + "\n\nBefore it is " + action +
                                 ", a copy of it as it was is kept as\n\"" + copy + "\".");
  return true;
}

}  // namespace

void LoadDatabase() {
  DatabaseWindow& db = Database();
  // The file is saved back where it was loaded from, even if the current
  // folder changes meanwhile (the Save dialog may change it).
  db.filePath = FullPathOf(kDatabaseFileName);
  const LoadedDatabase loaded = LoadDatabaseFile(db.filePath);
  db.fileStamp = loaded.stamp;
  db.unreadPart = loaded.status == LoadStatus::kUnreadable || !loaded.report.clean();
  if (loaded.entries.empty()) return;
  // A visible list view repaints after every row: thousands of rows would
  // take minutes under Wine.
  SendMessageA(db.list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(db.list, LVM_SETITEMCOUNT, loaded.entries.size(), 0);
  for (const Entry& entry : loaded.entries) AppendEntry(entry);
  SendMessageA(db.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(db.list, nullptr, TRUE);
}

bool SaveDatabase() {
  DatabaseWindow& db = Database();
  const std::vector<Entry> entries = ListEntries();
  if (entries.empty()) return true;  // an empty list is never written
  if (!KeepCopyIfNeeded("replaced")) return false;
  std::string error;
  if (SaveDatabaseFile(db.filePath, entries, &error) == WriteStatus::kOk) {
    db.fileStamp = ReadFileStamp(db.filePath);
    return true;
  }
  ShowFailure(Owner(), "The database could not be saved to \"" + db.filePath + "\".\n\n" + error +
                           "\n\nThe file keeps its earlier content." +
                           (db.open ? " The Entries stay in the database window." : ""));
  return false;
}

void DeleteDatabaseFile() {
  DatabaseWindow& db = Database();
  if (!KeepCopyIfNeeded("deleted")) return;
  if (!DeleteFileA(db.filePath.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    ShowFailure(Owner(), "\"" + db.filePath + "\" could not be deleted.");
    db.fileStamp = ReadFileStamp(db.filePath);
    return;
  }
  db.fileStamp = FileStamp{};
  db.unreadPart = false;
}

}  // namespace orvanta
