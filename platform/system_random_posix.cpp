#include "platform/system_random.h"

#include <sys/random.h>

#include <cerrno>

namespace orvanta {

// getrandom may deliver less than asked (a signal during a large request).
bool FillWithSystemRandom(unsigned char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t got = getrandom(bytes, count, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += got;
    count -= static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace orvanta
