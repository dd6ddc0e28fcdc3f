#include "platform/utf8_text.h"

#include <windows.h>

namespace orvanta {

// A broken UTF-16 sequence (possible in a file name) becomes U+FFFD rather
// than an exception: a message must always be shown.
std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return "";
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty()) return L"";
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string PathText(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

}  // namespace orvanta
