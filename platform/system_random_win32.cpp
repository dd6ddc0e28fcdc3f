#include "platform/system_random.h"

#include <windows.h>
// After windows.h; declares RtlGenRandom as ADVAPI32's SystemFunction036.
#include <ntsecapi.h>

#include <algorithm>

namespace orvanta {

// ADVAPI32 is imported at start already (and is a known DLL), so RtlGenRandom
// adds no DLL to the program's imports. Its length is a ULONG: a larger
// request goes in pieces.
bool FillWithSystemRandom(unsigned char* bytes, std::size_t count) {
  constexpr std::size_t kLargest = 0x10000000;
  while (count > 0) {
    const std::size_t piece = std::min(count, kLargest);
    if (!RtlGenRandom(bytes, static_cast<ULONG>(piece))) return false;
    bytes += piece;
    count -= piece;
  }
  return true;
}

}  // namespace orvanta
