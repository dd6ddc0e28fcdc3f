#include "platform/win/print_pages.h"

#include "platform/win/char_format.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/win/messages.h"

namespace orvanta {

int PrintPages(HDC dc, long length, const FormatStep& step) { return PrintPages(dc, length, step, nullptr); }

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
  if (cf.yHeight <= 0) cf.yHeight = 200;  // no size known: 10 points
  LOGFONTA lf{};
  LogFontFromCharFormat(cf, GetDeviceCaps(dc, LOGPIXELSY), lf);
  return CreateFontIndirectA(&lf);
}

}  // namespace

FormatStep LineByLineStep(std::string text, const CHARFORMATA& font, WORD alignment) {
  return [text = std::move(text), font, alignment](HDC dc, const RECT& page, long start, long length) -> long {
    const long end = std::min(length, static_cast<long>(text.size()));
    if (start < 0 || start >= end) return start;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const RECT area{MulDiv(page.left, dpiX, 1440), MulDiv(page.top, dpiY, 1440), MulDiv(page.right, dpiX, 1440),
                    MulDiv(page.bottom, dpiY, 1440)};
    const int width = area.right - area.left;

    HFONT deviceFont = MakeDeviceFont(dc, font);
    HGDIOBJ oldFont = SelectObject(dc, deviceFont);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    COLORREF oldColor = SetTextColor(dc, (font.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : font.crTextColor);
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
        fit = std::clamp(fit, 1, count);
        if (fit < count) GetTextExtentPoint32A(dc, text.data() + pos, fit, &size);
        int x = area.left;
        if (alignment == PFA_CENTER) x += std::max(0, (width - static_cast<int>(size.cx)) / 2);
        if (alignment == PFA_RIGHT) x += std::max(0, width - static_cast<int>(size.cx));
        TextOutA(dc, x, y, text.data() + pos, fit);
      }
      y += lineHeight;
      anyLine = true;
      if (fit < count)
        pos += fit;  // the rest of a wrapped line goes on the next line
      else
        pos = lineEnd < end ? lineEnd + 1 : end;
    }

    SetTextColor(dc, oldColor);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(deviceFont);
    return pos;
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

bool PrintEditorTextOn(HDC printer, HWND owner, HWND editor, const char* documentName) {
  int length = GetWindowTextLengthA(editor);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(editor, text.data(), length + 1))));
  CHARFORMATA font{};
  font.cbSize = sizeof font;
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));

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
  long size = static_cast<long>(text.size());
  int pages = PrintPages(printer, size, RichEditStep(editor), LineByLineStep(std::move(text), font, paragraph.wAlignment));
  SendMessageA(editor, EM_FORMATRANGE, FALSE, 0);  // drops the control's cached layout
  if (pages < 0) {
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

bool PrintEditorText(HWND owner, HWND editor, const char* documentName) {
  HDC printer = AskPrinter(owner);
  return printer && PrintEditorTextOn(printer, owner, editor, documentName);
}

}  // namespace orvanta
