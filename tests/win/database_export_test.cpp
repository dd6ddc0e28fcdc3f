// Save All: every Entry as the fixed-column Database text, in a file the
// user names, whatever filter is chosen; a file that cannot be written is
// reported and keeps its content.
#include "database/db_text.h"
#include "database_test_fixture.h"

using orvanta::Entry;
using orvanta::MakeEntry;

namespace {

constexpr int kFilterCombo = 0x470;  // cmb1 of the common Save dialog

// Chooses filter `index` in the Save dialog, checks its description, then
// saves as `path`.
uitest::Answer SaveWithFilter(int index, const std::string& description, const std::string& path) {
  return uitest::Inspect(
      [index, description](HWND dialog) {
        EXPECT_EQ(uitest::Text(dialog), "Save File As");
        HWND combo = GetDlgItem(dialog, kFilterCombo);
        ASSERT_NE(combo, nullptr) << "no filter combo box";
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0) << "the first filter is not preselected";
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFilterCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        char text[128] = "";
        SendMessageA(combo, CB_GETLBTEXT, SendMessageA(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::string(text), description);
      },
      uitest::SaveAs(path));
}

}  // namespace

TEST_F(DatabaseTest, SaveAllWritesTheFixedColumnTextWhateverTheFilter) {
  // More Entries than a 12-Entry text buffer, one of them with fields longer
  // than a column.
  std::vector<Entry> entries = SampleEntries(20);
  entries[3] = MakeEntry(std::string(60, 'P'), std::string(49, 'L'), "url", std::string(200, 'C'));
  WriteDatabase(entries);
  ASSERT_NE(Open(), nullptr);

  const std::string expected = orvanta::BuildDatabaseText(entries);
  ASSERT_EQ(expected.size(), 20u * 210);
  // The fourth Entry's line: each column cut to 49 characters.
  const std::string line4 = std::string(49, 'P') + "  " + std::string(49, 'L') + "  url" + std::string(46, ' ') + "  " +
                            std::string(49, 'C') + "  \r\n \r\n ";
  EXPECT_EQ(expected.substr(3 * 210, 210), line4);

  struct Choice {
    int index;
    const char* description;
    const char* name;
  };
  const Choice choices[] = {{0, "Text Files  *.txt", "a.txt"},
                            {1, " Microsoft Excel  *.xls", "b.xls"},
                            {2, " Microsoft Works spreadsheet file *.wks", "c.wks"},
                            {3, "Text Files  *.rtf", "d.rtf"},
                            {4, "All Files", "e.dat"}};
  for (const Choice& c : choices) {
    answers_.Queue(SaveWithFilter(c.index, c.description, folder() + c.name));
    Press(IDC_DB_SAVE_ALL);
    EXPECT_EQ(uitest::ReadFile(folder() + c.name), expected) << c.description;
  }
  EXPECT_EQ(Rows(), entries) << "Save All changed the list";
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(entries)) << "Save All touched mypsw.txt";
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DatabaseTest, SaveAllOfAnEmptyListWritesAnEmptyFile) {
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(uitest::SaveAs(folder() + "empty.txt"));
  Press(IDC_DB_SAVE_ALL);
  EXPECT_TRUE(uitest::FileExists(folder() + "empty.txt"));
  EXPECT_EQ(uitest::ReadFile(folder() + "empty.txt"), "");
}

TEST_F(DatabaseTest, SaveAllOntoAnExistingFileAsksThenReplacesAllOfIt) {
  const std::string target = folder() + "export.txt";
  uitest::WriteFile(target, std::string(5000, 'o'));
  WriteDatabase({MakeEntry("one", "", "", "")});
  ASSERT_NE(Open(), nullptr);

  answers_.Queue(uitest::SaveAs(target));
  answers_.Queue(uitest::PressButton(IDYES));  // "File already exists. Do you want to replace it?"
  Press(IDC_DB_SAVE_ALL);
  ASSERT_EQ(answers_.seen().size(), 2u);
  EXPECT_NE(answers_.seen()[1].text.find("already exists"), std::string::npos) << answers_.seen()[1].text;
  EXPECT_EQ(uitest::ReadFile(target), orvanta::BuildDatabaseText(std::vector<Entry>{MakeEntry("one", "", "", "")}));
}

TEST_F(DatabaseTest, SaveAllReportsAFileThatCannotBeWrittenAndKeepsIt) {
  const std::string target = folder() + "locked.txt";
  uitest::WriteFile(target, "earlier content");
  WriteDatabase(SampleEntries(3));
  ASSERT_NE(Open(), nullptr);

  uitest::FileLock lock(target);
  ASSERT_TRUE(lock.held());
  answers_.Queue(uitest::SaveAs(target));
  answers_.Queue(uitest::PressButton(IDYES));
  answers_.Queue(uitest::PressButton(IDOK));
  Press(IDC_DB_SAVE_ALL);
  lock.Release();

  ASSERT_EQ(Messages().size(), 1u) << "the failure was not reported";
  EXPECT_NE(Messages()[0].find(target), std::string::npos) << Messages()[0];
  EXPECT_EQ(uitest::ReadFile(target), "earlier content");
  EXPECT_EQ(RowCount(), 3);
}

TEST_F(DatabaseTest, PrintAllPutsEveryEntryIntoThePrintEditorAndAsksForThePrinter) {
  // More Entries than a 12-Entry text buffer would hold.
  const std::vector<Entry> entries = SampleEntries(15);
  WriteDatabase(entries);
  HWND window = Open();
  ASSERT_NE(window, nullptr);

  // With no printer installed, Wine's Print Setup says so in its own
  // message box ("Print"); either is cancelled here. While it is open, the
  // hidden Print editor holds the text; afterwards no password stays in it.
  std::string whileAsked;
  bool hidden = false;
  answers_.Queue(uitest::Inspect(
      [&](HWND) {
        HWND printEditor = GetDlgItem(window, IDC_DB_PRINT_EDITOR);
        whileAsked = uitest::Text(printEditor);
        hidden = printEditor && !IsWindowVisible(printEditor);
      },
      uitest::PressButton(IDCANCEL)));
  Press(IDC_DB_PRINT_ALL);
  ASSERT_EQ(answers_.seen().size(), 1u) << "Print All asked for no printer";
  EXPECT_TRUE(Messages().empty()) << "a cancelled print was reported: " << Messages().front();
  EXPECT_TRUE(hidden);
  EXPECT_EQ(whileAsked, orvanta::BuildDatabaseText(entries));
  EXPECT_EQ(uitest::Text(GetDlgItem(window, IDC_DB_PRINT_EDITOR)), "");
  EXPECT_EQ(RowCount(), 15);
}
