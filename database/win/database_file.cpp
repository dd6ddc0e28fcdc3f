#include "database/win/database_file.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "database/db_file.h"
#include "database/win/database_window.h"
#include "platform/utf8_text.h"

namespace orvanta {

namespace {

namespace fs = std::filesystem;

// The wide call: the current folder's name may hold letters that the
// system's code page cannot spell. Asked for its length first, since a
// deep folder may be longer than MAX_PATH.
fs::path FullPathOf(const fs::path& relative) {
  const DWORD size = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  const DWORD length = size ? GetFullPathNameW(relative.c_str(), size, full.data(), nullptr) : 0;
  if (length == 0 || length >= size) return relative;
  full.resize(length);
  return full;
}

fs::path& FixedPath() {
  static fs::path path;
  return path;
}

std::string Quoted(const fs::path& path) {
  const std::string text = PathText(path);
  return "\"" + text + "\"";
}

std::string ReasonText(CopyReason reason, const fs::path& path) {
  switch (reason) {
    case CopyReason::kUnreadPart:
      return "Part of " + Quoted(path) +
             " could not be read when the database window opened (the file is damaged, cannot be read, or has a "
             "field longer than 255 characters).";
    case CopyReason::kUnreadableNow:
      return Quoted(path) + " cannot be read just now (another program may be holding it open).";
    case CopyReason::kChangedElsewhere:
      return Quoted(path) + " was changed by another program while the database window was open.";
    case CopyReason::kNone: break;
  }
  return "";
}

// Brings the record up to date with what the change did, and says it in
// words for the window to show afterwards.
FileOutcome Settle(DatabaseWindow& db, const FileChange& change, const char* action, const std::string& failure) {
  FileOutcome outcome;
  if (change.copy_failed) {
    outcome.failure = ReasonText(change.reason, db.filePath) + "\n\nA copy of it could not be kept (" + change.error +
                      "), so it was not " + action + ". The file is unchanged.";
    return outcome;
  }
  // From now on the file, or the copy, holds what the window knows of.
  if (change.done || !change.copy.empty()) {
    db.fileStamp = change.stamp;
    db.unreadPart = false;
  }
  if (!change.copy.empty()) {
    const std::string kept = "a copy of it as it was is kept as\n" + Quoted(change.copy) + ".";
    // The user heard of an unread part as the window opened; what is new
    // now is only the copy's name.
    outcome.kept = change.reason == CopyReason::kUnreadPart
                       ? "Before " + Quoted(db.filePath) + " was " + action + ", " + kept
                       : ReasonText(change.reason, db.filePath) + "\n\nBefore it was " + action + ", " + kept;
  }
  if (!change.done) outcome.failure = failure + "\n\n" + change.error;
  return outcome;
}

// To the Recycle Bin, so that a deletion can be undone outside the program;
// no dialog of its own (the program tells the user itself). Where a drive
// has no Recycle Bin, Windows deletes the file outright.
bool MoveToRecycleBin(const fs::path& path, std::string* error) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
    return true;
  std::wstring from = path.native();
  from.push_back(L'\0');  // the list of names ends with an empty one
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  const int result = SHFileOperationW(&operation);
  if (result == 0 && !operation.fAnyOperationsAborted && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return true;
  *error = "Windows could not move it to the Recycle Bin (error " + std::to_string(result) +
           "; another program may be holding it open).";
  return false;
}

KnownFile KnownOf(const DatabaseWindow& db) { return KnownFile{db.fileStamp, db.unreadPart}; }

}  // namespace

void FixDatabaseFolder() { FixedPath() = FullPathOf(fs::path(kDatabaseFileName)); }

const fs::path& DatabaseFilePath() {
  if (FixedPath().empty()) FixDatabaseFolder();
  return FixedPath();
}

void LoadDatabase(DatabaseWindow& db) {
  db.filePath = DatabaseFilePath();
  const LoadedDatabase loaded = LoadDatabaseFile(db.filePath);
  db.fileStamp = loaded.stamp;
  db.unreadPart = loaded.status == LoadStatus::kUnreadable || !loaded.report.clean();
  db.emptiedByUser = false;
  if (loaded.entries.empty()) return;
  // A visible list view repaints after every row: thousands of rows would
  // take minutes under Wine.
  SendMessageA(db.list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(db.list, LVM_SETITEMCOUNT, loaded.entries.size(), 0);
  for (const Entry& entry : loaded.entries) AppendEntry(db, entry);
  SendMessageA(db.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(db.list, nullptr, TRUE);
}

std::string UnreadPartNotice(const DatabaseWindow& db) {
  if (!db.unreadPart) return "";
  return "Part of " + Quoted(db.filePath) +
         " could not be read (the file is damaged, cannot be read, or has a field longer than 255 "
         "characters). The database window shows the Entries that could be read.\n\nBefore the file is "
         "replaced, a copy of it as it is now will be kept.";
}

FileOutcome SaveDatabase(DatabaseWindow& db) {
  const std::vector<Entry> entries = ListEntries(db);
  if (entries.empty()) return db.emptiedByUser ? RemoveDatabaseFile(db) : FileOutcome{};
  const FileChange change = ChangeDatabaseFile(db.filePath, KnownOf(db), [&](std::string* error) {
    return SaveDatabaseFile(db.filePath, entries, error) == WriteStatus::kOk;
  });
  return Settle(db, change, "replaced",
                "The database could not be saved to " + Quoted(db.filePath) +
                    ". The file keeps its earlier content, and the Entries stay in the database window.");
}

FileOutcome RemoveDatabaseFile(DatabaseWindow& db) {
  const FileChange change = ChangeDatabaseFile(
      db.filePath, KnownOf(db), [&](std::string* error) { return MoveToRecycleBin(db.filePath, error); });
  FileOutcome outcome =
      Settle(db, change, "deleted", Quoted(db.filePath) + " could not be deleted. The file is unchanged.");
  if (outcome.done()) db.emptiedByUser = false;
  return outcome;
}

}  // namespace orvanta
