#include "database/win/database_file.h"

#include <windows.h>
#include <commctrl.h>

#include "database/win/database_window.h"
#include "platform/utf8_text.h"
#include "platform/win/messages.h"

namespace orvanta {

namespace {

namespace fs = std::filesystem;

HWND Owner(const DatabaseWindow& db) { return MessageOwnerOf(&db); }

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

// Shown, or handed to the caller who asked for it.
void Report(const DatabaseWindow& db, const std::string& text, std::string* failure) {
  if (failure)
    *failure = text;
  else
    ShowFailure(Owner(db), text);
}

// Why the file must be copied before it is replaced or deleted, or "" when
// the window showed all of it and nobody else changed it.
std::string ReasonToKeepCopy(const DatabaseWindow& db) {
  if (db.unreadPart)
    return "Part of " + Quoted(db.filePath) +
           " could not be read when the database window opened (the file is damaged, cannot be read, or has a "
           "field longer than 255 characters).";
  const FileStamp now = ReadFileStamp(db.filePath);
  if (now == db.fileStamp) return "";
  if (!now.exists && GetFileAttributesW(db.filePath.c_str()) != INVALID_FILE_ATTRIBUTES)
    return Quoted(db.filePath) + " cannot be read just now (another program may be holding it open).";
  return Quoted(db.filePath) + " was changed by another program while the database window was open.";
}

// Keeps a copy of the file before it is replaced or deleted when it holds
// something the window never showed, and names the copy once. False when a
// copy was needed and could not be made.
bool KeepCopyIfNeeded(DatabaseWindow& db, const char* action, std::string* failure) {
  const std::string reason = ReasonToKeepCopy(db);
  if (reason.empty()) return true;
  fs::path copy;
  std::string error;
  if (!BackupDatabaseFile(db.filePath, &copy, &error)) {
    Report(db,
           reason + "\n\nA copy of it could not be kept (" + error + "), so it was not " + action +
               ". The file is unchanged.",
           failure);
    return false;
  }
  // The user heard of an unread part as the window opened; what is new now
  // is only the copy's name.
  const bool toldAtOpen = db.unreadPart;
  // From now on the copy holds what was there; nothing more to keep.
  db.unreadPart = false;
  db.fileStamp = ReadFileStamp(db.filePath);
  if (copy.empty()) return true;
  const std::string kept = "a copy of it as it was is kept as\n" + Quoted(copy) + ".";
  if (toldAtOpen)
    ShowInformation(Owner(db), "Before " + Quoted(db.filePath) + " is " + action + ", " + kept);
  else
    ShowInformation(Owner(db), reason + "\n\nBefore it is " + action + ", " + kept);
  return true;
}

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

bool SaveDatabase(DatabaseWindow& db, std::string* failure) {
  const std::vector<Entry> entries = ListEntries(db);
  if (entries.empty()) return !db.emptiedByUser || DeleteDatabaseFile(db, failure);
  if (!KeepCopyIfNeeded(db, "replaced", failure)) return false;
  std::string error;
  if (SaveDatabaseFile(db.filePath, entries, &error) == WriteStatus::kOk) {
    db.fileStamp = ReadFileStamp(db.filePath);
    return true;
  }
  Report(db,
         "The database could not be saved to " + Quoted(db.filePath) + ".\n\n" + error +
             "\n\nThe file keeps its earlier content." + (db.open ? " The Entries stay in the database window." : ""),
         failure);
  return false;
}

bool DeleteDatabaseFile(DatabaseWindow& db, std::string* failure) {
  if (!KeepCopyIfNeeded(db, "deleted", failure)) return false;
  if (!DeleteFileW(db.filePath.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    Report(db, Quoted(db.filePath) + " could not be deleted.", failure);
    db.fileStamp = ReadFileStamp(db.filePath);
    return false;
  }
  db.fileStamp = FileStamp{};
  db.unreadPart = false;
  db.emptiedByUser = false;
  return true;
}

}  // namespace orvanta
