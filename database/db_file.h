// The database file "mypsw.txt": four fields per Entry, each the first 255
// characters of its cell text and ended by "^", and one final "^". N Entries
// take N x 1024 + 1 bytes. There is no header, count or line end.
//
// Reading follows the load rules below with no limit on the file's size;
// what it could not read is reported, never silently dropped.
#pragma once

#include "database/entry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

inline constexpr std::string_view kDatabaseFileName = "mypsw.txt";
inline constexpr std::size_t kFileFieldLength = 255;                                   // bytes per field
inline constexpr std::size_t kFileEntryBytes = kColumnCount * (kFileFieldLength + 1);  // 1024

// What a read left behind. The clean end of a file is the end of its last
// complete Entry followed by exactly one final "^" and nothing else; a file
// of 0 bytes (and one holding only "^") is clean. Everything after the
// clean end is unread: a damaged tail, an Entry cut off before its fourth
// "^" + following byte, and every byte from the first zero byte on.
struct ReadReport {
  std::size_t consumed_bytes = 0;  // the Entries read, plus the final "^" when it ends the file
  std::size_t unread_bytes = 0;    // file size - consumed_bytes
  std::size_t cut_fields = 0;      // fields longer than 255 characters, cut to 255
  bool stopped_early() const { return unread_bytes != 0; }
  bool clean() const { return unread_bytes == 0 && cut_fields == 0; }
};

struct ParsedDatabase {
  std::vector<Entry> entries;  // cell texts, each 256 characters
  ReadReport report;
};

// Reads the Entries from the bytes of a database file.
ParsedDatabase ParseDatabase(std::string_view file_bytes);

enum class WriteStatus {
  kOk,              // the bytes were built / the file now holds them
  kNothingToWrite,  // the list is empty: keep the old file as it is
  kUnwritableText,  // a field's first 255 characters hold "^" or a zero byte
  kWriteFailed,     // the file could not be written; the earlier file is intact
};

// Builds the file bytes. For an empty list returns kNothingToWrite and
// leaves `out` empty. A field that would not read back as written ("^" or a
// zero byte in its first 255 characters) gives kUnwritableText, `out` empty
// and, when given, the index of that Entry in `bad_entry`.
WriteStatus SerializeDatabase(std::span<const Entry> entries, std::string* out, std::size_t* bad_entry = nullptr);

// A fingerprint of the file's content, to tell whether another program
// changed the file between load and save.
struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;  // FNV-1a of the bytes
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(std::string_view bytes);
FileStamp ReadFileStamp(const std::filesystem::path& path);  // exists == false when it cannot be read

enum class LoadStatus { kLoaded, kNoFile, kUnreadable };

struct LoadedDatabase {
  LoadStatus status = LoadStatus::kNoFile;
  std::vector<Entry> entries;
  ReadReport report;
  FileStamp stamp;  // of the bytes read; exists == false unless kLoaded
};

// Reads and parses `path`. kNoFile: no such file (start with an empty list).
// kUnreadable: the file exists but could not be read; it must not be replaced.
LoadedDatabase LoadDatabaseFile(const std::filesystem::path& path);

// Writes the Entries to `path` through the safe-write helper (temporary file,
// then replace). kNothingToWrite and kUnwritableText touch no file. On
// kWriteFailed / kUnwritableText `error`, when given, says why (UTF-8).
WriteStatus SaveDatabaseFile(const std::filesystem::path& path, std::span<const Entry> entries,
                             std::string* error = nullptr);

// A backup name beside `path` for which `taken` is false: "mypsw.txt" gives
// "mypsw.txt.bak", then "mypsw-1.txt.bak", "mypsw-2.txt.bak", ...
std::filesystem::path ChooseBackupName(const std::filesystem::path& path,
                                       const std::function<bool(const std::filesystem::path&)>& taken);

// Copies the current content of `path` to a new backup file (named by
// ChooseBackupName against the files that exist) and names it in
// `backup_path`. A missing `path` has nothing to keep: true, empty name.
bool BackupDatabaseFile(const std::filesystem::path& path, std::filesystem::path* backup_path,
                        std::string* error = nullptr);

// Why the file's content must be copied before it is replaced or deleted.
enum class CopyReason {
  kNone,              // the window showed all of it and nobody changed it
  kUnreadPart,        // part of it could not be read when the window opened
  kChangedElsewhere,  // another program changed it since the window read or wrote it
  kUnreadableNow,     // it is there but cannot be read (another program holds it)
};

// What the window knows of the file since it last read or wrote it.
struct KnownFile {
  FileStamp stamp;
  bool unread_part = false;
};

// What one change of the file did, for the window to act on and report
// once the change is over.
struct FileChange {
  bool done = false;  // the change was made
  CopyReason reason = CopyReason::kNone;
  std::filesystem::path copy;  // where the earlier content was kept, "" when no copy was made
  bool copy_failed = false;    // a copy was needed and could not be made: nothing was changed
  std::string error;           // why the change was not made (UTF-8)
  FileStamp stamp;             // the file as it is afterwards
};

// Replaces or deletes the database file in one go, with no one asked in
// between: keeps a copy of whatever the window never showed (see
// CopyReason), then runs `change`, which returns false and says why when it
// fails. The file is left unchanged when the copy cannot be made.
FileChange ChangeDatabaseFile(const std::filesystem::path& path, const KnownFile& known,
                              const std::function<bool(std::string* error)>& change);

}  // namespace orvanta
