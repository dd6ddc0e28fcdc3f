// Turns a parsed help source into one self-contained web page, the help that
// opens where no .hlp viewer exists.
#pragma once

#include <string>

#include "tools/hlpbuild/help_source.h"

namespace orvanta::hlp {

// The page: the contents topic first, then the other topics in source
// order, each a section whose id is its context ID; every link of the
// source an in-page link. No scripts and nothing loaded from elsewhere.
std::string BuildHelpPage(const HelpSource& source);

}  // namespace orvanta::hlp
