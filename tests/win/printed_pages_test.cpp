// Print of a batch and Print All through the real commands and the real
// Print Setup dialog, onto a printer that writes PostScript to a file, and
// the pages read back as a reader of the paper would see them.
#include <windows.h>
#include <richedit.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>

#include "database/db_text.h"
#include "database_test_fixture.h"
#include "support/file_printer.h"

using orvanta::App;

namespace {

class PrintedPagesTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    // The printer's port and Ghostscript take ANSI paths.
    printerFolder_ = uitest::MakeTestFolder(true);
    printer_ = std::make_unique<uitest::FilePrinter>(printerFolder_ + "printed.ps");
    ASSERT_TRUE(printer_->ready()) << "the file printer could not be installed";
  }
  void TearDown() override {
    DatabaseTest::TearDown();
    uitest::RemoveTestFolder(printerFolder_);
  }

  // Runs a print command, answering its Print Setup dialog with `answer`;
  // returns the seconds the command took.
  double Print(const std::function<void()>& command, int answer = IDOK) {
    DeleteFileA(printer_->output().c_str());
    std::string caption;
    answers_.Queue(uitest::Inspect([&](HWND d) { caption = uitest::Text(d); }, uitest::PressButton(answer)));
    const auto start = std::chrono::steady_clock::now();
    command();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    uitest::Pump();
    EXPECT_EQ(caption, "Print Setup");
    return seconds;
  }
  void PrintBatch() { Command(IDM_PRINT); }
  void PrintAll() { Press(IDC_DB_PRINT_ALL); }

  uitest::PrintedPages Printed(int inkPages = 1000000) const {
    return uitest::ReadPrinted(printer_->output(), printerFolder_, inkPages);
  }

  // Every page's ink, and every line's characters, lie inside the printer's printable area.
  void ExpectInkInsideThePrintableArea(const uitest::PrintedPages& printed) const {
    HDC dc = printer_->CreateDc();
    const double dpi = GetDeviceCaps(dc, LOGPIXELSY);
    const double left = GetDeviceCaps(dc, PHYSICALOFFSETX) * 72 / dpi;
    const double right = left + GetDeviceCaps(dc, HORZRES) * 72 / dpi;
    const double top = (GetDeviceCaps(dc, PHYSICALHEIGHT) - GetDeviceCaps(dc, PHYSICALOFFSETY)) * 72 / dpi;
    const double bottom = top - GetDeviceCaps(dc, VERTRES) * 72 / dpi;
    DeleteDC(dc);
    for (size_t i = 0; i < printed.ink.size(); ++i) {
      const uitest::Box& ink = printed.ink[i];
      if (ink.right == 0 && ink.top == 0) continue;  // a blank page
      EXPECT_TRUE(ink.left >= left && ink.right <= right && ink.bottom >= bottom && ink.top <= top)
          << "page " << i + 1 << ": ink " << ink.left << " " << ink.bottom << " " << ink.right << " " << ink.top
          << ", printable " << left << " " << bottom << " " << right << " " << top;
    }
    for (const auto& page : printed.pages)
      for (const uitest::PrintedLine& line : page)
        EXPECT_TRUE(line.x.front() >= left && line.right <= right) << line.text << ": " << line.right;
  }

  std::string printerFolder_;
  std::unique_ptr<uitest::FilePrinter> printer_;
};

// The seconds of each print, for the record.
void Report(const char* what, double seconds, const uitest::PrintedPages& printed) {
  printf("%s: %zu pages in %.2f s\n", what, printed.pages.size(), seconds);
}

// Every line's characters at `columns` (indices in the line) start where the first line's do.
void ExpectColumnsAligned(const uitest::PrintedPages& printed, const std::vector<size_t>& columns) {
  const std::vector<uitest::PrintedLine>& page1 = printed.pages.at(0);
  ASSERT_FALSE(page1.empty());
  for (const auto& page : printed.pages)
    for (const uitest::PrintedLine& line : page)
      for (size_t column : columns) {
        ASSERT_LT(column, line.x.size()) << line.text;
        EXPECT_NEAR(line.x[column], page1[0].x[column], 0.5) << "column at " << column << " of " << line.text;
      }
}

// A Database of `count` Entries whose Comments fill their column.
std::vector<orvanta::Entry> LongEntries(int count) {
  std::vector<orvanta::Entry> entries;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    entries.push_back(orvanta::MakeEntry("Kq7-pw" + n + "-x9Lm2Vb", "login.name" + n,
                                         "https://accounts.site" + n + ".example/sign-in",
                                         "home router, changed every spring " + n + " (kept in the drawer)"));
  }
  return entries;
}

}  // namespace

TEST_F(PrintedPagesTest, PrintAllPutsEachEntryOnOneLineWithItsColumnsAlignedInsideThePage) {
  const std::vector<orvanta::Entry> few = SampleEntries(3);
  WriteDatabase(few);
  ASSERT_NE(Open(), nullptr);
  double seconds = Print([this] { PrintAll(); });
  uitest::PrintedPages printed = Printed();
  Report("Print All, 3 Entries", seconds, printed);
  EXPECT_EQ(printed.pages.size(), 1u);
  EXPECT_EQ(printed.Lines(), uitest::PrintableLines(orvanta::BuildDatabaseText(few)));
  ExpectColumnsAligned(printed, {51, 102, 153});
  ExpectInkInsideThePrintableArea(printed);

  // The same window closed, and opened again on a file of 120 full Entries.
  Press(IDC_DB_CLOSE);
  const std::vector<orvanta::Entry> many = LongEntries(120);
  WriteDatabase(many);
  ASSERT_NE(Open(), nullptr);
  seconds = Print([this] { PrintAll(); });
  printed = Printed();
  Report("Print All, 120 Entries", seconds, printed);
  const std::vector<std::string> expected = uitest::PrintableLines(orvanta::BuildDatabaseText(many));
  ASSERT_GE(expected.front().size(), 200u) << "every column full";
  EXPECT_EQ(printed.Lines(), expected) << "one line per Entry, none cut";
  ASSERT_FALSE(printed.pages.empty());
  const size_t perPage = printed.pages[0].size();
  EXPECT_EQ(printed.pages.size(), (120 + perPage - 1) / perPage) << perPage << " Entries a page";
  for (size_t i = 0; i + 1 < printed.pages.size(); ++i) EXPECT_EQ(printed.pages[i].size(), perPage) << "page " << i + 1;
  ExpectColumnsAligned(printed, {51, 102, 153});
  ExpectInkInsideThePrintableArea(printed);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PrintedPagesTest, PrintOfASmallAndOfTheLargestBatchPutsEveryPasswordOnThePagesInOrder) {
  HDC dc = printer_->CreateDc();
  // The Output font, as the text shows it.
  const CHARFORMATA font = uitest::FormatOf(output(), 0, 0);
  HFONT printed_font = CreateFontA(-MulDiv(std::abs(font.yHeight), GetDeviceCaps(dc, LOGPIXELSY), 1440), 0, 0, 0,
                                   (font.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL, 0, 0, 0, font.bCharSet, 0, 0, 0,
                                   font.bPitchAndFamily, font.szFaceName);
  HGDIOBJ old = SelectObject(dc, printed_font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(printed_font);
  const size_t perPage =
      static_cast<size_t>(GetDeviceCaps(dc, VERTRES) / (metrics.tmHeight + metrics.tmExternalLeading));
  DeleteDC(dc);

  Generate();  // 2 passwords of 4 characters, as the program starts
  double seconds = Print([this] { PrintBatch(); });
  uitest::PrintedPages printed = Printed();
  Report("Print, 2 x 4", seconds, printed);
  EXPECT_EQ(printed.Lines(), uitest::PrintableLines(OutputText()));
  EXPECT_EQ(printed.pages.size(), 1u);
  ExpectInkInsideThePrintableArea(printed);

  Click(IDC_QUANTITY_9999);
  Click(IDC_LENGTH_34);
  Generate();
  seconds = Print([this] { PrintBatch(); });
  printed = Printed(2);
  Report("Print, 9999 x 34", seconds, printed);
  const std::vector<std::string> expected = uitest::PrintableLines(OutputText());
  ASSERT_EQ(expected.size(), 9999u);
  EXPECT_TRUE(printed.Lines() == expected) << "the passwords on the pages differ from the batch";
  EXPECT_EQ(printed.pages.size(), (9999 + perPage - 1) / perPage) << perPage << " lines a page";
  EXPECT_EQ(printed.pages.at(0).size(), perPage);
  ExpectInkInsideThePrintableArea(printed);
}

TEST_F(PrintedPagesTest, CancelInPrintSetupPrintsNothing) {
  Generate();
  Print([this] { PrintBatch(); }, IDCANCEL);
  WriteDatabase(SampleEntries(3));
  ASSERT_NE(Open(), nullptr);
  Print([this] { PrintAll(); }, IDCANCEL);
  EXPECT_FALSE(uitest::FileExists(printer_->output()));
  EXPECT_EQ(answers_.seen().size(), 2u) << "and says nothing";
}

// A printer that cannot take the job (here: its file cannot be made) is
// told, for a batch and for the database; nothing is passed off as printed.
TEST_F(PrintedPagesTest, APrinterThatCannotPrintIsTold) {
  uitest::FilePrinter broken(printerFolder_ + "no such folder\\printed.ps");
  ASSERT_TRUE(broken.ready());
  Generate();
  WriteDatabase(SampleEntries(3));
  ASSERT_NE(Open(), nullptr);
  for (const auto& print : std::vector<std::function<void()>>{[this] { PrintBatch(); }, [this] { PrintAll(); }}) {
    const size_t before = Messages().size();
    Print([&] {
      answers_.Queue(uitest::PressButton(IDOK));  // after Print Setup
      print();
    });
    ASSERT_EQ(Messages().size(), before + 1) << "the failed print was not told";
    EXPECT_NE(Messages().back().find("could not be printed"), std::string::npos) << Messages().back();
  }
}
