// orvanta-batch: one batch of the generation engine, written to stdout.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/strong_random.h"
#include "platform/system_random.h"
#include "tools/batch_options.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

// Milliseconds since the system started, low 32 bits: what the program seeds from.
uint32_t SystemTick() {
#ifdef _WIN32
  return GetTickCount();
#else
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
#endif
}

bool WriteAll(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The line end is a bare line feed; text mode would add carriage returns.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string_view> args(argv + 1, argv + argc);
  orvanta::FunctionByteSource systemRandom(&orvanta::FillWithSystemRandom);
  orvanta::batch::ToolResult result = orvanta::batch::RunTool(args, SystemTick(), systemRandom);
  WriteAll(stderr, result.err);
  // A batch cut short (a full device, a closed pipe) must not pass for a whole one.
  if (!WriteAll(stdout, result.out)) {
    const int error = errno;
    std::fprintf(stderr, "orvanta-batch: cannot write the batch: %s\n", std::strerror(error));
    return 1;
  }
  return result.status;
}
