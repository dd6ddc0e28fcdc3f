// An engine with its own settings for one method, length and quantity, its
// divisors prepared as a batch would find them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace orvanta {

struct Batch {
  GeneratorSettings settings;
  Engine engine{settings};
  Batch(int32_t method, int32_t length, int32_t quantity, int32_t mode = kModeSimple) {
    settings.method = method;
    settings.mode = mode;
    settings.length = length;
    settings.quantity = quantity;
    engine.PrepareDivisors();
  }
};

// Sort lists that keep every password in the order it came.
struct RecordingLists : SortLists {
  std::vector<std::string> inserted;
  void Insert(std::string_view password) override { inserted.emplace_back(password); }
};

// The lines of an Output buffer, each with its line end's blanks.
inline std::vector<std::string> Lines(const std::string& output) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < output.size()) {
    size_t end = output.find('\n', at);
    lines.push_back(output.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

}  // namespace orvanta
