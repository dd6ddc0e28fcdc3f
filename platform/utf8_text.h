// Texts for the user are UTF-8 inside the program; file paths keep the
// system's own form (UTF-16 on Windows). These turn one into the other
// without passing through a code page that cannot spell every letter.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvanta {

// The path as UTF-8, for messages.
std::string PathText(const std::filesystem::path& path);

#ifdef _WIN32
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);
#endif

}  // namespace orvanta
