// The system's cryptographic random generator, for strong batches.
#pragma once

#include <cstddef>

namespace orvanta {

// Fills `bytes` with `count` bytes of the system's cryptographic random
// generator: getrandom on Linux, RtlGenRandom on Windows. False when the
// system could not deliver them all.
bool FillWithSystemRandom(unsigned char* bytes, std::size_t count);

}  // namespace orvanta
