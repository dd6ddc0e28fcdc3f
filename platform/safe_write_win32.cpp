#include "platform/safe_write.h"

#include <windows.h>

namespace orvanta {

namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                   sizeof text, nullptr);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
      reason.pop_back();
    *error = reason.empty() ? what : what + ": " + reason;
  }
  return false;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

bool SafeWriteFile(const std::string& path, std::string_view data, std::string* error) {
  char tmp[MAX_PATH];
  if (!GetTempFileNameA(FolderOf(path).c_str(), "orv", 0, tmp))
    return Fail(error, "Cannot create a temporary file beside " + path);
  HANDLE h = CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileA(tmp);
    return Fail(error, "Cannot write " + path);
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
    DeleteFileA(tmp);
    SetLastError(saved);
    return Fail(error, "Cannot write " + path);
  }
  if (!MoveFileExA(tmp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    saved = GetLastError();
    DeleteFileA(tmp);
    SetLastError(saved);
    return Fail(error, "Cannot replace " + path);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* data) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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
