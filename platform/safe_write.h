// The one way the program replaces a file: write a temporary file in the
// same folder, then move it over the target, so a failed or interrupted
// write never destroys the earlier content.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvanta {

// Returns true when `path` now holds exactly `data`. On failure the earlier
// file is untouched and `error` (when given) says in UTF-8 what went wrong.
bool SafeWriteFile(const std::filesystem::path& path, std::string_view data, std::string* error = nullptr);

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string* data);

}  // namespace orvanta
