// Printing a text page by page: shared by the batch's Print and the
// database's Print All.
#pragma once

#include <windows.h>
#include <richedit.h>

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
// The same, but when `step` makes no progress on a page while text is left,
// `fallback` prints that page instead and every page after it. The loop
// still ends when the fallback makes no progress either.
int PrintPages(HDC dc, long length, const FormatStep& step, const FormatStep& fallback);

// The page calls of the loop (StartPage, EndPage); a test passes its own to
// run the loop on a device context that is no printer.
struct PageCalls {
  int(WINAPI* startPage)(HDC);
  int(WINAPI* endPage)(HDC);
};
int PrintPages(HDC dc, long length, const FormatStep& step, const FormatStep& fallback, const PageCalls& calls);

// The printable area of `dc` in twips: left 0, top 0, right HORZRES x 1440 /
// LOGPIXELSX, bottom VERTRES x 1440 / LOGPIXELSY (no margins).
RECT PageRectTwips(HDC dc);

// The rich edit control's own layout: EM_FORMATRANGE (render) from `start`.
FormatStep RichEditStep(HWND editor);

// The fallback: `text` line by line (a line feed ends a line, a carriage
// return is dropped, a line wider than the page is wrapped) in `font`, whose
// yHeight (twips) is scaled to the device's LOGPIXELSY, aligned as
// `alignment` (PFA_LEFT, PFA_CENTER, PFA_RIGHT) says. Character indices are
// positions in `text`.
FormatStep LineByLineStep(std::string text, const CHARFORMATA& font, WORD alignment);

// The whole Print command: the Print Setup dialog (owned by `owner`), then
// the text of the rich edit control `editor` printed as it lays it out, in
// its font. Where the control cannot render to a printer (EM_FORMATRANGE
// draws nothing), the same text is printed line by line in the editor's
// font. A cancelled dialog prints nothing and says nothing; a failed job is
// reported. Returns true when pages were printed.
bool PrintEditorText(HWND owner, HWND editor, const char* documentName);

// The two halves of PrintEditorText. AskPrinter shows the Print Setup dialog
// and returns the printer's device context, or nullptr (cancelled: silent;
// an error of the dialog: reported). PrintEditorTextOn prints the job on that
// device context, reports a failure, and deletes the device context.
HDC AskPrinter(HWND owner);
bool PrintEditorTextOn(HDC printer, HWND owner, HWND editor, const char* documentName);

}  // namespace orvanta
