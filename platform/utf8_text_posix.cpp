#include "platform/utf8_text.h"

namespace orvanta {

// File names here are bytes, UTF-8 by convention: shown as they are.
std::string PathText(const std::filesystem::path& path) { return path.native(); }

}  // namespace orvanta
