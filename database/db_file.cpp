#include "database/db_file.h"

#include "platform/safe_write.h"
#include "platform/utf8_text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvanta {

namespace {

namespace fs = std::filesystem;

constexpr auto npos = std::string_view::npos;

// Why a field may not be written: the reader splits a field at "^" and ends
// the whole text at a zero byte, so either would change every later field.
bool Unwritable(std::string_view stored) { return stored.find(kFieldSeparator) != npos || stored.find('\0') != npos; }

std::string_view StoredPart(const std::string& cell) { return std::string_view(cell).substr(0, kFileFieldLength); }

}  // namespace

// The load rules, step by step: for each field find the next "^"; stop
// when there is none, when it is the text's last byte, or when the field
// before it is empty. The Entry being read at a stop is dropped. The whole
// file is read at once, since a fixed reading buffer would drop the Entries
// past its end, and a field longer than 255 characters is cut to 255 (and
// counted) rather than overrunning a field; 255 rather than 256 so that a
// save keeps exactly what was loaded.
ParsedDatabase ParseDatabase(std::string_view file_bytes) {
  ParsedDatabase result;
  const std::string_view text = file_bytes.substr(0, file_bytes.find('\0'));
  std::size_t consumed = 0;  // end of the last complete Entry

  // Files written by the program hold 1024 bytes per Entry.
  result.entries.reserve(text.size() / kFileEntryBytes + 1);
  std::size_t p = 0;
  bool stopped = text.empty();
  while (!stopped) {
    Entry entry;
    std::size_t cuts = 0;
    for (int column = 0; column < kColumnCount; ++column) {
      const std::size_t sep = text.find(kFieldSeparator, p);
      if (sep == npos || sep + 1 == text.size() || sep == p) {
        stopped = true;
        break;
      }
      const std::size_t length = sep - p;
      if (length > kFileFieldLength) ++cuts;
      std::string& cell = FieldOf(entry, column);
      cell.reserve(kFieldWidth);
      cell.assign(text.substr(p, std::min(length, kFileFieldLength)));
      cell.resize(kFieldWidth, ' ');
      p = sep + 1;
    }
    if (stopped) break;
    result.entries.push_back(std::move(entry));
    result.report.cut_fields += cuts;
    consumed = p;
  }

  // A well-formed file ends with exactly one "^" after its last Entry: the
  // reader stops on it (its "^" is the last byte), but nothing is lost.
  if (text.size() - consumed == 1 && text[consumed] == kFieldSeparator) ++consumed;
  result.report.consumed_bytes = consumed;
  result.report.unread_bytes = file_bytes.size() - consumed;
  return result;
}

WriteStatus SerializeDatabase(std::span<const Entry> entries, std::string* out, std::size_t* bad_entry) {
  out->clear();
  if (entries.empty()) return WriteStatus::kNothingToWrite;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (int column = 0; column < kColumnCount; ++column) {
      if (Unwritable(StoredPart(FieldOf(entries[i], column)))) {
        if (bad_entry) *bad_entry = i;
        return WriteStatus::kUnwritableText;
      }
    }
  }
  out->reserve(entries.size() * kFileEntryBytes + 1);
  for (const Entry& entry : entries) {
    for (int column = 0; column < kColumnCount; ++column) {
      // A cell is normally 256 characters; a shorter one is filled as the
      // list would have filled it, so every field is exactly 255 bytes and
      // never empty (an empty field would end the reading).
      const std::string_view stored = StoredPart(FieldOf(entry, column));
      out->append(stored);
      out->append(kFileFieldLength - stored.size(), ' ');
      out->push_back(kFieldSeparator);
    }
  }
  out->push_back(kFieldSeparator);
  return WriteStatus::kOk;
}

FileStamp StampOf(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return FileStamp{true, bytes.size(), hash};
}

FileStamp ReadFileStamp(const fs::path& path) {
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) return FileStamp{};
  return StampOf(bytes);
}

LoadedDatabase LoadDatabaseFile(const fs::path& path) {
  LoadedDatabase loaded;
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) {
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    // When existence cannot be decided, assume the file is there: treating
    // it as missing would let the next save replace what was never read.
    loaded.status = (exists || ec) ? LoadStatus::kUnreadable : LoadStatus::kNoFile;
    return loaded;
  }
  ParsedDatabase parsed = ParseDatabase(bytes);
  loaded.status = LoadStatus::kLoaded;
  loaded.entries = std::move(parsed.entries);
  loaded.report = parsed.report;
  loaded.stamp = StampOf(bytes);
  return loaded;
}

WriteStatus SaveDatabaseFile(const fs::path& path, std::span<const Entry> entries, std::string* error) {
  std::string bytes;
  std::size_t bad = 0;
  const WriteStatus status = SerializeDatabase(entries, &bytes, &bad);
  if (status == WriteStatus::kUnwritableText && error) {
    *error = "Entry " + std::to_string(bad + 1) + " contains \"^\" or a zero byte and cannot be saved";
  }
  if (status != WriteStatus::kOk) return status;
  return SafeWriteFile(path, bytes, error) ? WriteStatus::kOk : WriteStatus::kWriteFailed;
}

fs::path ChooseBackupName(const fs::path& path, const std::function<bool(const fs::path&)>& taken) {
  // Only the file name is split into stem and extension, so a dot in a
  // folder name is never mistaken for the extension.
  fs::path candidate = path;
  candidate += ".bak";
  for (unsigned n = 1; taken(candidate); ++n) {
    fs::path name = path.stem();
    name += "-";
    name += std::to_string(n);
    name += path.extension();
    name += ".bak";
    candidate = path;
    candidate.replace_filename(name);
  }
  return candidate;
}

bool BackupDatabaseFile(const fs::path& path, fs::path* backup_path, std::string* error) {
  backup_path->clear();
  std::error_code ec;
  if (!fs::exists(path, ec) && !ec) return true;
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) {
    if (error) *error = "cannot read " + PathText(path) + " to keep a copy of it";
    return false;
  }
  const fs::path name = ChooseBackupName(path, [](const fs::path& candidate) {
    std::error_code exists_error;
    // An undecidable name counts as taken, so no file is ever overwritten.
    return fs::exists(candidate, exists_error) || exists_error;
  });
  if (!SafeWriteFile(name, bytes, error)) return false;
  *backup_path = name;
  return true;
}

namespace {

CopyReason ReasonToKeepCopy(const fs::path& path, const KnownFile& known) {
  if (known.unread_part) return CopyReason::kUnreadPart;
  const FileStamp now = ReadFileStamp(path);
  if (now == known.stamp) return CopyReason::kNone;
  std::error_code ec;
  if (!now.exists && (fs::exists(path, ec) || ec)) return CopyReason::kUnreadableNow;
  return CopyReason::kChangedElsewhere;
}

}  // namespace

FileChange ChangeDatabaseFile(const fs::path& path, const KnownFile& known,
                              const std::function<bool(std::string* error)>& change) {
  FileChange result;
  result.reason = ReasonToKeepCopy(path, known);
  if (result.reason != CopyReason::kNone && !BackupDatabaseFile(path, &result.copy, &result.error)) {
    result.copy_failed = true;
    result.stamp = ReadFileStamp(path);
    return result;
  }
  result.done = change(&result.error);
  result.stamp = ReadFileStamp(path);
  return result;
}

}  // namespace orvanta
