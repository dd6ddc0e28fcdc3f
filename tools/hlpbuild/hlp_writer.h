// Turns a parsed help source into the bytes of an uncompressed WinHelp 3.1 file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tools/hlpbuild/help_source.h"

namespace orvanta::hlp {

// A help source that cannot be laid out (a paragraph too long for one topic block,
// a link to a missing topic, two context IDs with the same hash, too many topics).
class HelpLayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The viewer's hash of a context ID.
std::uint32_t ContextHash(std::string_view id);

// The whole .hlp file. Throws HelpLayoutError.
std::vector<std::uint8_t> BuildHelpFile(const HelpSource& source);

}  // namespace orvanta::hlp
