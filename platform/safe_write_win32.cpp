#include "platform/safe_write.h"

#include <windows.h>

#include <iterator>

#include "platform/utf8_text.h"

namespace orvanta {

namespace {

namespace fs = std::filesystem;

bool Fail(std::string* error, const std::string& what) {
  if (error) {
    wchar_t text[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   static_cast<DWORD>(std::size(text)), nullptr);
    std::string reason = Utf8FromWide(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
      reason.pop_back();
    *error = reason.empty() ? what : what + ": " + reason;
  }
  return false;
}

fs::path FolderOf(const fs::path& path) {
  const fs::path folder = path.parent_path();
  return folder.empty() ? fs::path(L".") : folder;
}

}  // namespace

// Every call is the wide one: the ANSI calls spell letters outside the
// system's code page as "?" and then find no such folder.
bool SafeWriteFile(const fs::path& path, std::string_view data, std::string* error) {
  wchar_t tmp[MAX_PATH];
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"orv", 0, tmp))
    return Fail(error, "Cannot create a temporary file beside " + PathText(path));
  HANDLE h = CreateFileW(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileW(tmp);
    return Fail(error, "Cannot write " + PathText(path));
  }
  bool ok = true;
  const char* p = data.data();
  size_t left = data.size();
  while (ok && left > 0) {
    DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD written = 0;
    ok = WriteFile(h, p, chunk, &written, nullptr) && written == chunk;
    p += written;
    left -= written;
  }
  ok = ok && FlushFileBuffers(h);
  DWORD saved = GetLastError();
  CloseHandle(h);
  if (!ok) {
    DeleteFileW(tmp);
    SetLastError(saved);
    return Fail(error, "Cannot write " + PathText(path));
  }
  if (!MoveFileExW(tmp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    saved = GetLastError();
    DeleteFileW(tmp);
    SetLastError(saved);
    return Fail(error, "Cannot replace " + PathText(path));
  }
  return true;
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
