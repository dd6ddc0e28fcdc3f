// Command line of orvanta-batch, kept apart from main() so it can be tested.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/strong_random.h"

namespace orvanta::batch {

struct Options {
  GeneratorSettings settings;    // seedMode is custom when seed is given, strong with --strong
  std::optional<uint32_t> tick;  // the system tick when absent
  std::optional<uint32_t> seed;  // Random state before custom seeding
  bool help = false;
};

struct ParseResult {
  Options options;
  std::string error;  // one line naming the option and what it takes; empty if fine
  bool ok() const { return error.empty(); }
};

// args excludes the program name.
ParseResult ParseOptions(std::span<const std::string_view> args);
std::string Usage();

// Seeds and runs one batch as the program's Generate command would, and
// returns the Output buffer; a strong batch draws from `strongSource`.
// Nothing when that source fails.
std::optional<std::string> MakeBatch(const Options& options, uint32_t systemTick, ByteSource& strongSource);

// The whole tool: what goes to stdout and stderr, and the exit status.
struct ToolResult {
  int status = 0;
  std::string out;
  std::string err;
};
ToolResult RunTool(std::span<const std::string_view> args, uint32_t systemTick, ByteSource& strongSource);

}  // namespace orvanta::batch
