#include "platform/safe_write.h"

#include "platform/utf8_text.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace orvanta {

namespace {

// `code` is the errno of the call that failed, taken before the clean-up.
bool Fail(std::string* error, const std::string& what, int code) {
  if (error) *error = what + ": " + std::strerror(code);
  return false;
}

bool WriteAll(int fd, std::string_view data, std::size_t fits) {
  while (!data.empty()) {
    if (fits == 0) {
      errno = ENOSPC;
      return false;
    }
    ssize_t n = ::write(fd, data.data(), data.size() < fits ? data.size() : fits);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
    fits -= static_cast<size_t>(n);
  }
  return true;
}

// An existing file keeps its permissions; a new one gets the usual 0644.
mode_t ModeFor(const std::filesystem::path& path) {
  struct stat target {};
  return ::stat(path.c_str(), &target) == 0 ? (target.st_mode & 07777) : 0644;
}

bool Write(const std::filesystem::path& path, std::string_view data, std::size_t fits, std::string* error) {
  std::string tmp = path.native() + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return Fail(error, "cannot create a temporary file beside " + PathText(path), errno);
  bool ok = WriteAll(fd, data, fits) && ::fchmod(fd, ModeFor(path)) == 0 && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    return Fail(error, "cannot write " + PathText(path), saved);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    saved = errno;
    ::unlink(tmp.c_str());
    return Fail(error, "cannot replace " + PathText(path), saved);
  }
  return true;
}

}  // namespace

bool SafeWriteFile(const std::filesystem::path& path, std::string_view data, std::string* error) {
  return Write(path, data, SIZE_MAX, error);
}

bool SafeWriteFileOnFullDevice(const std::filesystem::path& path, std::string_view data, std::size_t bytesThatFit,
                               std::string* error) {
  return Write(path, data, bytesThatFit, error);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string* data) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  data->clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data->append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace orvanta
