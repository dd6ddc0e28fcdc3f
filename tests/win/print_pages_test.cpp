// The page loop that Print and the database's Print All share, on a memory
// device context with page calls that count.
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win/print_pages.h"

namespace {

// The page loop on a memory device context, with page calls that count
// (StartPage and EndPage need a printer).
int g_started = 0, g_ended = 0, g_failPage = 0;
int WINAPI CountStart(HDC) { return ++g_started == g_failPage ? 0 : 1; }
int WINAPI CountEnd(HDC) {
  ++g_ended;
  return 1;
}

class PageDc {
 public:
  PageDc() {
    dc_ = CreateCompatibleDC(nullptr);
    g_started = g_ended = g_failPage = 0;
  }
  ~PageDc() { DeleteDC(dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

constexpr orvanta::PageCalls kCounting{CountStart, CountEnd};
const orvanta::FormatStep kNoFallback;

}  // namespace

TEST(PrintPagesTest, AFakeStepPrintsPageAfterPageUntilTheTextIsDone) {
  PageDc dc;
  std::vector<long> starts;
  orvanta::FormatStep step = [&](HDC, const RECT&, long start, long length) {
    starts.push_back(start);
    return std::min(length, start + 100);
  };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1000, step, kNoFallback, kCounting), 10);
  EXPECT_EQ(starts, (std::vector<long>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900}));
  EXPECT_EQ(g_started, 10);
  EXPECT_EQ(g_ended, 10);
  starts.clear();
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1001, step, kNoFallback, kCounting), 11);
}

TEST(PrintPagesTest, AStepThatMakesNoProgressEndsTheLoop) {
  PageDc dc;
  int calls = 0;
  orvanta::FormatStep stuck = [&](HDC, const RECT&, long start, long) {
    ++calls;
    return calls == 1 ? start + 50 : start;  // one page, then stuck
  };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1000, stuck, kNoFallback, kCounting), 2);
  EXPECT_EQ(calls, 2);
  calls = 0;
  orvanta::FormatStep zero = [&](HDC, const RECT&, long, long) {
    ++calls;
    return 0L;  // Wine's EM_FORMATRANGE
  };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1000, zero, kNoFallback, kCounting), 1);
  EXPECT_EQ(calls, 1);
}

TEST(PrintPagesTest, APageThePrinterRefusesAbortsTheJob) {
  PageDc dc;
  g_failPage = 3;
  orvanta::FormatStep step = [](HDC, const RECT&, long start, long length) { return std::min(length, start + 100); };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1000, step, kNoFallback, kCounting), -1);
  EXPECT_EQ(g_ended, 2);
}

TEST(PrintPagesTest, AnEmptyTextPrintsOneBlankPage) {
  PageDc dc;
  orvanta::FormatStep step = [](HDC, const RECT&, long start, long) { return start; };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 0, step, kNoFallback, kCounting), 1);
}

TEST(PrintPagesTest, AStepThatPrintsNothingHandsOverToTheFallback) {
  PageDc dc;
  int stepCalls = 0;
  std::vector<long> fallbackStarts;
  orvanta::FormatStep zero = [&](HDC, const RECT&, long, long) {
    ++stepCalls;
    return 0L;
  };
  orvanta::FormatStep fallback = [&](HDC, const RECT&, long start, long length) {
    fallbackStarts.push_back(start);
    return std::min(length, start + 300);
  };
  EXPECT_EQ(orvanta::PrintPages(dc.get(), 1000, zero, fallback, kCounting), 4);
  EXPECT_EQ(stepCalls, 1) << "once handed over, the fallback prints every later page";
  EXPECT_EQ(fallbackStarts, (std::vector<long>{0, 300, 600, 900}));
}

TEST(PrintPagesTest, PageRectangleIsThePrintableAreaInTwips) {
  PageDc dc;
  RECT page = orvanta::PageRectTwips(dc.get());
  EXPECT_EQ(page.left, 0);
  EXPECT_EQ(page.top, 0);
  EXPECT_EQ(page.right, GetDeviceCaps(dc.get(), HORZRES) * 1440 / GetDeviceCaps(dc.get(), LOGPIXELSX));
  EXPECT_EQ(page.bottom, GetDeviceCaps(dc.get(), VERTRES) * 1440 / GetDeviceCaps(dc.get(), LOGPIXELSY));
}

TEST(PrintPagesTest, LineByLineFallbackPrintsEveryLinePageAfterPage) {
  PageDc dc;
  std::string text;
  for (int i = 0; i < 500; ++i) text += "line" + std::to_string(i) + "      \n";
  CHARFORMATA font{};
  font.cbSize = sizeof font;
  font.yHeight = 480;  // 24 pt
  lstrcpyA(font.szFaceName, "DejaVu Sans");
  orvanta::FormatStep lines = orvanta::LineByLineStep(text, font, PFA_CENTER);
  std::vector<std::pair<long, long>> steps;
  orvanta::FormatStep record = [&](HDC d, const RECT& page, long start, long length) {
    long next = lines(d, page, start, length);
    steps.push_back({start, next});
    return next;
  };
  orvanta::FormatStep zero = [](HDC, const RECT&, long, long) { return 0L; };
  int pages = orvanta::PrintPages(dc.get(), static_cast<long>(text.size()), zero, record, kCounting);
  ASSERT_GT(pages, 1);
  EXPECT_EQ(static_cast<size_t>(pages), steps.size());
  EXPECT_EQ(steps.back().second, static_cast<long>(text.size())) << "the whole text is printed";
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_GT(steps[i].second, steps[i].first) << "page " << i;
    if (i > 0) {
      EXPECT_EQ(steps[i].first, steps[i - 1].second);
    }
    // Every page ends after a whole line.
    EXPECT_EQ(text[steps[i].second - 1], '\n') << "page " << i;
  }
  // The lines per page follow from the font at the device's resolution.
  HFONT f = CreateFontA(-MulDiv(480, GetDeviceCaps(dc.get(), LOGPIXELSY), 1440), 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0,
                        "DejaVu Sans");
  HGDIOBJ old = SelectObject(dc.get(), f);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc.get(), &tm);
  SelectObject(dc.get(), old);
  DeleteObject(f);
  int height = MulDiv(orvanta::PageRectTwips(dc.get()).bottom, GetDeviceCaps(dc.get(), LOGPIXELSY), 1440);
  int perPage = height / (tm.tmHeight + tm.tmExternalLeading);
  EXPECT_EQ(pages, (500 + perPage - 1) / perPage) << perPage << " lines a page";
}

TEST(PrintPagesTest, LineByLineFallbackWrapsALineWiderThanThePage) {
  PageDc dc;
  std::string text(2000, 'W');
  CHARFORMATA font{};
  font.cbSize = sizeof font;
  font.yHeight = 240;
  lstrcpyA(font.szFaceName, "DejaVu Sans");
  orvanta::FormatStep lines = orvanta::LineByLineStep(text, font, PFA_LEFT);
  RECT page = orvanta::PageRectTwips(dc.get());
  long next = lines(dc.get(), page, 0, static_cast<long>(text.size()));
  EXPECT_EQ(next, 2000) << "a page holds the wrapped line";
  RECT narrow = page;
  narrow.right = 1440;  // one inch wide, a line's height high
  narrow.bottom = 300;
  long first = lines(dc.get(), narrow, 0, 2000);
  EXPECT_GT(first, 0);
  EXPECT_LT(first, 2000);
}
