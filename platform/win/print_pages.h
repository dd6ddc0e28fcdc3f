// The page loop shared by the batch's Print and the database's Print All.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace orvanta {

// One formatting step: render text from `start` onto the page rectangle of
// `dc` (in twips) and return the index of the first character not printed.
using FormatStep = std::function<long(HDC dc, const RECT& pageTwips, long start, long length)>;

// Prints `length` characters page by page: StartPage, one FormatStep,
// EndPage, until the text is done. A step that makes no progress ends the
// loop instead of spinning. Returns the number of pages printed, or -1 when
// the job was aborted (StartPage or EndPage failed).
int PrintPages(HDC dc, long length, const FormatStep& step);

}  // namespace orvanta
