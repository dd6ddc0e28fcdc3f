// The one way the program replaces a file: write a temporary file in the
// same folder, then put it in the target's place, so a failed or interrupted
// write never destroys the earlier content. A file that exists keeps what
// its owner set on it (attributes, permissions, on Windows also encryption
// and hard links).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvanta {

// Returns true when `path` now holds exactly `data`. On failure the earlier
// file is untouched, no temporary file is left, and `error` (when given)
// says in UTF-8 what went wrong.
bool SafeWriteFile(const std::filesystem::path& path, std::string_view data, std::string* error = nullptr);

// The same, with a device that takes only `bytesThatFit` bytes of the
// temporary file and then reports itself full: how tests make a write fail
// part way.
bool SafeWriteFileOnFullDevice(const std::filesystem::path& path, std::string_view data, std::size_t bytesThatFit,
                               std::string* error = nullptr);

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string* data);

}  // namespace orvanta
