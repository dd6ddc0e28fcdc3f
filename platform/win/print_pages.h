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
// EndPage, until the text is done. When `step` makes no progress on a page
// while text is left, `fallback` (if any) prints that page instead and every
// page after it. A step that makes no progress ends the loop instead of
// spinning. Returns the number of pages printed, or -1 when the job was
// aborted (StartPage or EndPage failed).
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

// Text in fixed columns, one printed line for each line of `text`, never
// wrapped: in a fixed-pitch face whose size lets the longest line fit the
// page's width (10 points at most, 4 at least); where even 4 points is too
// wide, a line is cut at the page's right edge.
FormatStep FixedColumnsStep(std::string text);

// The parts of a print. AskPrinter shows the Print Setup dialog and returns
// the printer's device context, or nullptr (cancelled: silent; an error of
// the dialog: reported). PrintJob prints `length` characters with `step`
// (and `fallback`, see PrintPages) as one job named `documentName`, reports
// a failure, and deletes the device context. PrintEditorTextOn is the job of
// the Print command: the text of the rich edit control `editor` as the
// control lays it out, in its font; where the control cannot render to a
// printer (EM_FORMATRANGE draws nothing, as under Wine), the same text line
// by line in the editor's font and alignment.
HDC AskPrinter(HWND owner);
bool PrintJob(HDC printer, HWND owner, const char* documentName, long length, const FormatStep& step,
              const FormatStep& fallback);
bool PrintEditorTextOn(HDC printer, HWND owner, HWND editor, const char* documentName);

}  // namespace orvanta
