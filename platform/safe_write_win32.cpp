#include "platform/safe_write.h"

#include <windows.h>

#include <cstdint>
#include <iterator>

#include "platform/utf8_text.h"

namespace orvanta {

namespace {

namespace fs = std::filesystem;

// `code` is read by the caller right where the call failed: the clean-up
// that follows (closing, deleting the temporary file) may change the last
// error, and the user would be told the wrong reason.
bool Fail(std::string* error, const std::string& what, DWORD code) {
  if (error) {
    wchar_t text[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   static_cast<DWORD>(std::size(text)), nullptr);
    std::string reason = Utf8FromWide(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
      reason.pop_back();
    *error = reason.empty() ? what : what + ": " + reason;
  }
  return false;
}

// A new file beside the target, named after it, so that it lies on the same
// volume (a replace is then a rename) and any length of path works.
HANDLE CreateTemporaryBeside(const fs::path& path, std::wstring* name) {
  static unsigned counter = 0;
  for (int tries = 0; tries < 100; ++tries) {
    *name = path.native() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
    HANDLE h = CreateFileW(name->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE h, std::string_view data, std::size_t fits) {
  while (!data.empty()) {
    if (fits == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    std::size_t want = data.size() < fits ? data.size() : fits;
    const DWORD chunk = want > 0x40000000 ? 0x40000000 : static_cast<DWORD>(want);
    DWORD written = 0;
    if (!WriteFile(h, data.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    data.remove_prefix(written);
    fits -= written;
  }
  return true;
}

// Puts the written temporary file in the target's place. An existing file
// is replaced with ReplaceFileW, which keeps its attributes, its security,
// its encryption and its hard links (a rename would give the target the
// temporary file's). Returns 0, or the error that stopped it.
DWORD PutInPlace(const std::wstring& temporary, const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // Also given to the new content beforehand: Wine's ReplaceFileW keeps
    // the replacement's attributes, not the replaced file's.
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & kKept) SetFileAttributesW(temporary.c_str(), attributes & kKept);
    if (ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
      return 0;
    const DWORD code = GetLastError();
    // The old file is gone already and only the rename failed: the plain
    // move below finishes the job. Any other failure left both as they were.
    if (code != ERROR_UNABLE_TO_MOVE_REPLACEMENT) return code;
  }
  if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return GetLastError();
}

bool Write(const fs::path& path, std::string_view data, std::size_t fits, std::string* error) {
  std::wstring temporary;
  HANDLE h = CreateTemporaryBeside(path, &temporary);
  if (h == INVALID_HANDLE_VALUE)
    return Fail(error, "Cannot create a temporary file beside " + PathText(path), GetLastError());
  bool ok = WriteAll(h, data, fits) && FlushFileBuffers(h);
  const DWORD writeError = GetLastError();
  CloseHandle(h);
  if (!ok) {
    DeleteFileW(temporary.c_str());
    return Fail(error, "Cannot write " + PathText(path), writeError);
  }
  if (const DWORD placeError = PutInPlace(temporary, path)) {
    DeleteFileW(temporary.c_str());
    return Fail(error, "Cannot replace " + PathText(path), placeError);
  }
  return true;
}

}  // namespace

// Every call is the wide one: the ANSI calls spell letters outside the
// system's code page as "?" and then find no such folder.
bool SafeWriteFile(const fs::path& path, std::string_view data, std::string* error) {
  return Write(path, data, SIZE_MAX, error);
}

bool SafeWriteFileOnFullDevice(const fs::path& path, std::string_view data, std::size_t bytesThatFit,
                               std::string* error) {
  return Write(path, data, bytesThatFit, error);
}

bool ReadWholeFile(const fs::path& path, std::string* data) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  data->clear();
  char buf[65536];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr)) && n > 0) data->append(buf, n);
  CloseHandle(h);
  return ok;
}

}  // namespace orvanta
