// A ByteSource for the strong-batch tests: a script of bytes played round and
// round, failing once a set number of bytes has been delivered.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "engine/strong_random.h"

namespace orvanta {

struct ScriptedBytes final : ByteSource {
  std::vector<unsigned char> script;
  std::size_t failAfter = static_cast<std::size_t>(-1);
  std::size_t delivered = 0;

  explicit ScriptedBytes(std::vector<unsigned char> bytes) : script(std::move(bytes)) {}
  bool Fill(unsigned char* bytes, std::size_t count) override {
    if (count > failAfter - delivered) return false;
    for (std::size_t i = 0; i < count; ++i) bytes[i] = script[delivered++ % script.size()];
    return true;
  }
};

// 0, 1, ..., 255, 0, 1, ...
inline ScriptedBytes EveryByteInTurn() {
  std::vector<unsigned char> all(256);
  for (std::size_t b = 0; b < all.size(); ++b) all[b] = static_cast<unsigned char>(b);
  return ScriptedBytes(std::move(all));
}

}  // namespace orvanta
