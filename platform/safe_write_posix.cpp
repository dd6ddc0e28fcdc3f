#include "platform/safe_write.h"

#include "platform/utf8_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace orvanta {

namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

bool SafeWriteFile(const std::filesystem::path& path, std::string_view data, std::string* error) {
  std::string tmp = path.native() + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return Fail(error, "cannot create a temporary file beside " + PathText(path));
  bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
  int saved = errno;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(tmp.c_str());
    errno = saved;
    return Fail(error, "cannot write " + PathText(path));
  }
  ::chmod(tmp.c_str(), 0644);
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    saved = errno;
    ::unlink(tmp.c_str());
    errno = saved;
    return Fail(error, "cannot replace " + PathText(path));
  }
  return true;
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
