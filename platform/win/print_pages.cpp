#include "platform/win/print_pages.h"
#include "platform/win/window_parts.h"

#include "platform/win/char_format.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/win/messages.h"

namespace orvanta {

int PrintPages(HDC dc, long length, const FormatStep& step, const FormatStep& fallback) {
  return PrintPages(dc, length, step, fallback, PageCalls{StartPage, EndPage});
}

int PrintPages(HDC dc, long length, const FormatStep& step, const FormatStep& fallback, const PageCalls& calls) {
  const RECT page = PageRectTwips(dc);
  const FormatStep* current = &step;
  long start = 0;
  int pages = 0;
  for (;;) {
    if (calls.startPage(dc) <= 0) return -1;
    long next = (*current)(dc, page, start, length);
    // Under Wine EM_FORMATRANGE draws nothing and returns 0: the page is
    // still blank, so the fallback prints it, and every later page.
    if (next <= start && start < length && fallback && current != &fallback) {
      current = &fallback;
      next = (*current)(dc, page, start, length);
    }
    if (calls.endPage(dc) <= 0) return -1;
    ++pages;
    // No progress, or the text is done: an empty text gives one blank page.
    if (next <= start || next >= length) break;
    start = next;
  }
  return pages;
}

RECT PageRectTwips(HDC dc) {
  auto twips = [dc](int size, int perInch) -> LONG {
    unsigned dots = static_cast<unsigned>(GetDeviceCaps(dc, size));
    unsigned inch = static_cast<unsigned>(GetDeviceCaps(dc, perInch));
    return inch ? static_cast<LONG>(static_cast<unsigned long long>(dots) * 1440u / inch) : 0;
  };
  return RECT{0, 0, twips(HORZRES, LOGPIXELSX), twips(VERTRES, LOGPIXELSY)};
}

FormatStep RichEditStep(HWND editor) {
  return [editor](HDC dc, const RECT& page, long start, long length) -> long {
    FORMATRANGE range{};
    range.hdc = dc;
    // The printer is also the device the text is laid out for.
    range.hdcTarget = dc;
    range.rc = page;
    range.rcPage = page;
    range.chrg.cpMin = start;
    range.chrg.cpMax = length;
    return static_cast<long>(SendMessageA(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
  };
}

namespace {

HFONT MakeDeviceFont(HDC dc, CHARFORMATA cf) {
  if (cf.yHeight == 0) cf.yHeight = 200;  // no size known: 10 points
  LOGFONTA lf{};
  LogFontFromCharFormat(cf, GetDeviceCaps(dc, LOGPIXELSY), lf);
  return CreateFontIndirectA(&lf);
}

// How the lines of a text go onto a page.
struct LineLayout {
  HFONT font;
  COLORREF color;
  WORD alignment;  // PFA_LEFT, PFA_CENTER, PFA_RIGHT
  bool wrap;       // a line wider than the page goes on over the next lines; else it is cut
};

// Prints the lines of text from `start` that fit the page, and returns the
// index of the first character not printed. A line feed ends a line; a
// carriage return is not printed.
long PrintLines(HDC dc, const RECT& pageTwips, const std::string& text, long start, long length,
                const LineLayout& layout) {
  const long end = std::min(length, static_cast<long>(text.size()));
  if (start < 0 || start >= end) return start;
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const RECT area{MulDiv(pageTwips.left, dpiX, 1440), MulDiv(pageTwips.top, dpiY, 1440),
                  MulDiv(pageTwips.right, dpiX, 1440), MulDiv(pageTwips.bottom, dpiY, 1440)};
  const int width = area.right - area.left;

  HGDIOBJ oldFont = SelectObject(dc, layout.font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  COLORREF oldColor = SetTextColor(dc, layout.color);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int lineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));

  long pos = start;
  int y = area.top;
  bool anyLine = false;
  while (pos < end) {
    // The first line of a page is printed even if the page is too short
    // for it, so every page makes progress.
    if (anyLine && y + lineHeight > area.bottom) break;
    size_t found = text.find('\n', static_cast<size_t>(pos));
    long lineEnd = found == std::string::npos ? end : std::min(end, static_cast<long>(found));
    long visibleEnd = lineEnd;
    while (visibleEnd > pos && text[visibleEnd - 1] == '\r') --visibleEnd;
    int count = static_cast<int>(visibleEnd - pos);
    int fit = count;
    SIZE size{};
    if (count > 0) {
      GetTextExtentExPointA(dc, text.data() + pos, count, width, &fit, nullptr, &size);
      fit = std::clamp(fit, layout.wrap ? 1 : 0, count);
      if (fit < count) GetTextExtentPoint32A(dc, text.data() + pos, fit, &size);
      int x = area.left;
      if (layout.alignment == PFA_CENTER) x += std::max(0, (width - static_cast<int>(size.cx)) / 2);
      if (layout.alignment == PFA_RIGHT) x += std::max(0, width - static_cast<int>(size.cx));
      if (fit > 0) TextOutA(dc, x, y, text.data() + pos, fit);
    }
    y += lineHeight;
    anyLine = true;
    if (layout.wrap && fit < count)
      pos += fit;  // the rest of a wrapped line goes on the next line
    else
      pos = lineEnd < end ? lineEnd + 1 : end;
  }

  SetTextColor(dc, oldColor);
  SetTextAlign(dc, oldAlign);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  return pos;
}

// The widest line of `text` without its trailing blanks.
std::string LongestLine(const std::string& text) {
  std::string longest;
  for (size_t pos = 0; pos < text.size();) {
    size_t lineEnd = std::min(text.find('\n', pos), text.size());
    size_t visibleEnd = lineEnd;
    while (visibleEnd > pos && (text[visibleEnd - 1] == ' ' || text[visibleEnd - 1] == '\r')) --visibleEnd;
    if (visibleEnd - pos > longest.size()) longest = text.substr(pos, visibleEnd - pos);
    pos = lineEnd + 1;
  }
  return longest;
}

HFONT MakeFixedPitchFont(int height) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
}

// The largest fixed-pitch font from 10 points down to 4 in which `line` fits `width` device units.
HFONT FixedPitchFontFitting(HDC dc, const std::string& line, int width) {
  const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int largest = MulDiv(10, dpiY, 72), smallest = std::max(1, MulDiv(4, dpiY, 72));
  auto widthAt = [dc, &line](int height) {
    HFONT font = MakeFixedPitchFont(height);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    return static_cast<int>(size.cx);
  };
  int height = largest;
  int lineWidth = widthAt(height);
  // The width grows with the height, so one proportional step lands close;
  // the steps after it correct the rounding of the glyph widths.
  if (lineWidth > width) {
    height = std::max(smallest, static_cast<int>(static_cast<long long>(height) * width / lineWidth));
    lineWidth = widthAt(height);
  }
  while (lineWidth > width && height > smallest) lineWidth = widthAt(--height);
  return MakeFixedPitchFont(height);
}

}  // namespace

FormatStep LineByLineStep(std::string text, const CHARFORMATA& font, WORD alignment) {
  return [text = std::move(text), font, alignment](HDC dc, const RECT& page, long start, long length) -> long {
    HFONT deviceFont = MakeDeviceFont(dc, font);
    const COLORREF color = (font.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : font.crTextColor;
    long next = PrintLines(dc, page, text, start, length, LineLayout{deviceFont, color, alignment, true});
    DeleteObject(deviceFont);
    return next;
  };
}

FormatStep FixedColumnsStep(std::string text) {
  std::string longest = LongestLine(text);
  return [text = std::move(text), longest = std::move(longest)](HDC dc, const RECT& page, long start,
                                                                long length) -> long {
    const int width = MulDiv(page.right - page.left, GetDeviceCaps(dc, LOGPIXELSX), 1440);
    HFONT font = FixedPitchFontFitting(dc, longest, width);
    long next = PrintLines(dc, page, text, start, length, LineLayout{font, RGB(0, 0, 0), PFA_LEFT, false});
    DeleteObject(font);
    return next;
  };
}

HDC AskPrinter(HWND owner) {
  PRINTDLGA setup{};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = owner;
  setup.hInstance = GetModuleHandleA(nullptr);
  setup.Flags = PD_RETURNDC | PD_PRINTSETUP | PD_NOSELECTION;
  if (!PrintDlgA(&setup)) {
    // Zero: the user cancelled (or, with no printer, the dialog has already
    // said so itself).
    if (DWORD error = CommDlgExtendedError()) {
      char text[160];
      snprintf(text, sizeof text, "The printer could not be set up (common dialog error 0x%04lx).",
               static_cast<unsigned long>(error));
      ShowFailure(owner, text);
    }
    return nullptr;
  }
  if (setup.hDevMode) GlobalFree(setup.hDevMode);
  if (setup.hDevNames) GlobalFree(setup.hDevNames);
  if (!setup.hDC) ShowFailure(owner, "The printer could not be opened.");
  return setup.hDC;
}

bool PrintJob(HDC printer, HWND owner, const char* documentName, long length, const FormatStep& step,
              const FormatStep& fallback) {
  const std::string failed = std::string("\"") + documentName + "\" could not be printed.";
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName;
  if (StartDocA(printer, &doc) <= 0) {
    // Cancelling a "Print to file" name prompt is the user's choice.
    if (GetLastError() != ERROR_CANCELLED) ShowFailure(owner, failed + " The print job could not be started.");
    DeleteDC(printer);
    return false;
  }
  if (PrintPages(printer, length, step, fallback) < 0) {
    AbortDoc(printer);
    DeleteDC(printer);
    ShowFailure(owner, failed + " The printer refused a page and the job was cancelled.");
    return false;
  }
  int ended = EndDoc(printer);
  DeleteDC(printer);
  if (ended <= 0) {
    ShowFailure(owner, failed + " The print job could not be finished.");
    return false;
  }
  return true;
}

bool PrintEditorTextOn(HDC printer, HWND owner, HWND editor, const char* documentName) {
  std::string text = WindowText(editor);
  CHARFORMATA font{};
  font.cbSize = sizeof font;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  const long size = static_cast<long>(text.size());
  bool printed = PrintJob(printer, owner, documentName, size, RichEditStep(editor),
                          LineByLineStep(std::move(text), font, paragraph.wAlignment));
  SendMessageA(editor, EM_FORMATRANGE, FALSE, 0);  // drops the control's cached layout
  return printed;
}

}  // namespace orvanta
