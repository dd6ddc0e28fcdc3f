// Printing a text page by page: shared by the batch's Print and the
// database's Print All.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace orvanta {

// One formatting step: render from character `start` onto the page of `dc`
// whose printable area is `pageTwips`, and return the index of the first
// character not printed.
using FormatStep = std::function<long(HDC dc, const RECT& pageTwips, long start, long length)>;

// Prints `length` characters page by page: StartPage, one FormatStep,
// EndPage, until the text is done. A step that makes no progress ends the
// loop instead of spinning. Returns the number of pages printed, or -1 when
// the job was aborted (StartPage or EndPage failed).
int PrintPages(HDC dc, long length, const FormatStep& step);

// The whole Print command: the Print Setup dialog (owned by `owner`), then
// the text of the rich edit control `editor` printed as it lays it out, in
// its font. Where the control cannot render to a printer (EM_FORMATRANGE
// draws nothing), the same text is printed line by line in the editor's
// font. A cancelled dialog prints nothing and says nothing; a failed job is
// reported. Returns true when pages were printed.
bool PrintEditorText(HWND owner, HWND editor, const char* documentName);

}  // namespace orvanta
