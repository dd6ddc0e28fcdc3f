// The fixed-column Database text of Save All and Print All.
#include "database/db_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

std::string Column(const std::string& text) {
  std::string column = text;
  column.resize(49, ' ');
  return column + "  ";
}

TEST(DatabaseText, EmptyListGivesEmptyText) { EXPECT_EQ(BuildDatabaseText({}), ""); }

TEST(DatabaseText, OneShortEntryIsExactly210Bytes) {
  const std::vector<Entry> entries = {MakeEntry("k7Vq", "", "example.org", "hi")};
  const std::string text = BuildDatabaseText(entries);
  ASSERT_EQ(text.size(), 210u);
  std::string expected = "k7Vq" + std::string(45, ' ') + "  ";
  expected += "-" + std::string(48, ' ') + "  ";
  expected += "example.org" + std::string(38, ' ') + "  ";
  expected += "hi" + std::string(47, ' ') + "  ";
  expected += "\r\n \r\n ";
  EXPECT_EQ(text, expected);
}

TEST(DatabaseText, FieldOver49CharactersIsCutAt49) {
  const std::string password = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";  // 62
  const std::string comment(49, 'c');
  const std::string text =
      BuildDatabaseText(std::vector<Entry>{MakeEntry(password, "L", std::string(50, 'u'), comment)});
  ASSERT_EQ(text.size(), 210u);
  EXPECT_EQ(text.substr(0, 51), password.substr(0, 49) + "  ");
  EXPECT_EQ(text.substr(51, 51), Column("L"));
  EXPECT_EQ(text.substr(102, 51), std::string(49, 'u') + "  ");
  EXPECT_EQ(text.substr(153, 51), comment + "  ");
}

TEST(DatabaseText, ManyEntriesKeepTheLineLayout) {
  // Far more than a fixed text buffer of a few Entries would hold.
  std::vector<Entry> entries;
  for (int i = 0; i < 1000; ++i) entries.push_back(MakeEntry("pw" + std::to_string(i), "", "u", "c"));
  const std::string text = BuildDatabaseText(entries);
  ASSERT_EQ(text.size(), 1000u * 210);
  EXPECT_EQ(text.substr(text.size() - 3), "\r\n ");

  // Split at CR LF: Entry lines (first 204 characters, later 205 with the
  // leading space) alternate with lines of one space.
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 2001u);
  for (std::size_t i = 0; i < 2000; i += 2) {
    const std::size_t entry = i / 2;
    const std::string prefix = entry == 0 ? "" : " ";
    EXPECT_EQ(lines[i], prefix + Column("pw" + std::to_string(entry)) + Column("-") + Column("u") + Column("c"))
        << "Entry " << entry;
    EXPECT_EQ(lines[i + 1], " ") << "after Entry " << entry;
  }
  EXPECT_EQ(lines[2000], " ");
}

TEST(DatabaseText, OnPaperEveryEntryLineStartsInTheFirstColumn) {
  const std::vector<Entry> entries = {MakeEntry(" lead", "l", "u", "c"), MakeEntry("two", "", "", ""),
                                      MakeEntry("three", "x", "y", "z")};
  const std::string line1 = Column(" lead") + Column("l") + Column("u") + Column("c");
  const std::string line2 = Column("two") + Column("-") + Column("-") + Column("-");
  const std::string line3 = Column("three") + Column("x") + Column("y") + Column("z");
  EXPECT_EQ(DatabaseTextForPaper(entries), line1 + "\r\n\r\n" + line2 + "\r\n\r\n" + line3 + "\r\n\r\n")
      << "a password's own leading blank stays";
  EXPECT_EQ(DatabaseTextForPaper({}), "");
}

TEST(DatabaseText, UnpaddedOrZeroEndedCellsStillFillTheirColumns) {
  const std::vector<Entry> entries = {Entry{"ab", std::string("x\0hidden", 8), "", "c"}};
  const std::string text = BuildDatabaseText(entries);
  ASSERT_EQ(text.size(), 210u);
  EXPECT_EQ(text, Column("ab") + Column("x") + Column("") + Column("c") + "\r\n \r\n ");
}

}  // namespace
}  // namespace orvanta
