// The "mypsw.txt" format in memory: reading rules, damage reports, writing.
#include "database/db_file.h"
#include "support/database_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {

namespace {

std::string Serialize(const std::vector<Entry>& entries) {
  std::string bytes;
  EXPECT_EQ(SerializeDatabase(entries, &bytes), WriteStatus::kOk);
  return bytes;
}

std::string Padded(std::string text, std::size_t width = kFieldWidth) {
  text.resize(width, ' ');
  return text;
}

TEST(DatabaseEntry, MakeEntryFillsCellsAndMarksEmptyFields) {
  const Entry e = MakeEntry("pw", "", "", "");
  EXPECT_EQ(e.password, Padded("pw"));
  EXPECT_EQ(e.login, Padded("-"));
  EXPECT_EQ(e.url, Padded("-"));
  EXPECT_EQ(e.comments, Padded("-"));
  // A password of spaces only is kept as spaces, not replaced by "-".
  EXPECT_EQ(MakeEntry("   ", "l", "u", "c").password, std::string(kFieldWidth, ' '));
  // Typed text is cut to 255 characters, so the 256th cell character is always padding.
  const Entry long_entry = MakeEntry(std::string(300, 'p'), "l", "u", "c");
  EXPECT_EQ(long_entry.password, Padded(std::string(255, 'p')));
}

TEST(DatabaseEntry, TrimAndSeparatorChecks) {
  EXPECT_EQ(TrimTrailingSpaces(Padded("a b ")), "a b");
  EXPECT_EQ(TrimTrailingSpaces(std::string(kFieldWidth, ' ')), "");
  EXPECT_EQ(TrimTrailingSpaces("  x"), "  x");
  EXPECT_TRUE(ContainsFieldSeparator("a^b"));
  EXPECT_TRUE(ContainsFieldSeparator("^"));
  EXPECT_FALSE(ContainsFieldSeparator("a~b'\"`"));
  EXPECT_FALSE(ContainsFieldSeparator(""));
}

TEST(DatabaseRead, EmptyFileAndLoneSeparatorLoadNothingAndAreClean) {
  for (const std::string& bytes : {std::string(), std::string("^")}) {
    const ParsedDatabase parsed = ParseDatabase(bytes);
    EXPECT_TRUE(parsed.entries.empty()) << "file \"" << bytes << "\"";
    EXPECT_TRUE(parsed.report.clean()) << "file \"" << bytes << "\"";
    EXPECT_EQ(parsed.report.consumed_bytes, bytes.size());
  }
}

TEST(DatabaseWrite, ThreeEntriesTake3073BytesInTheFixedLayout) {
  const std::string bytes = Serialize(ThreeEntries());
  ASSERT_EQ(bytes.size(), 3073u);
  // Every field is 255 bytes and ends with "^" at offsets 255, 511, ..., then one final "^".
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool separator = (i % 256 == 255) || i == 3072;
    EXPECT_EQ(bytes[i] == '^', separator) << "offset " << i;
  }
  EXPECT_EQ(bytes.substr(0, 256), Padded("k7Vq2mXa", 255) + "^");
  EXPECT_EQ(bytes.substr(256, 256), Padded("alice", 255) + "^");
  EXPECT_EQ(bytes.substr(1024 + 256, 256), Padded("-", 255) + "^");
  EXPECT_EQ(bytes.substr(2048 + 768, 256), Padded("shared  folder ", 255) + "^");
}

TEST(DatabaseRoundTrip, ThreeEntriesLoadBackTheSameInOrder) {
  const std::vector<Entry> entries = ThreeEntries();
  const ParsedDatabase parsed = ParseDatabase(Serialize(entries));
  EXPECT_EQ(parsed.entries, entries);
  for (const Entry& e : parsed.entries) {
    for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(FieldOf(e, c).size(), kFieldWidth);
  }
  EXPECT_TRUE(parsed.report.clean());
  EXPECT_EQ(parsed.report.consumed_bytes, 3073u);
}

TEST(DatabaseRoundTrip, TextOf255CharactersSurvivesInFull) {
  const std::string text(255, 'x');
  std::string login(255, 'z');
  login[0] = 'y';
  const std::vector<Entry> entries = {MakeEntry(text, login, "u", "c")};
  const std::string bytes = Serialize(entries);
  ASSERT_EQ(bytes.size(), 1025u);
  EXPECT_EQ(bytes.substr(0, 256), text + "^");
  const ParsedDatabase parsed = ParseDatabase(bytes);
  ASSERT_EQ(parsed.entries.size(), 1u);
  EXPECT_EQ(parsed.entries[0].password, text + " ");
  EXPECT_EQ(parsed.entries[0].login, login + " ");
  EXPECT_EQ(parsed.report.cut_fields, 0u);
}

TEST(DatabaseRoundTrip, ThousandEntriesWithEveryByteButSeparatorAndZero) {
  std::vector<Entry> entries;
  for (int i = 0; i < 1000; ++i) {
    std::string password = "pw" + std::to_string(i);
    // Spread all single-byte values (code page text included) over the entries.
    for (int k = 0; k < i % 40; ++k) {
      unsigned char b = static_cast<unsigned char>(1 + (i * 7 + k) % 255);
      password.push_back(b == '^' ? '~' : static_cast<char>(b));
    }
    entries.push_back(MakeEntry(password, i % 3 ? "login" + std::to_string(i) : "", std::string(i % 256, 'u'),
                                i % 5 ? "" : "note " + std::to_string(i)));
  }
  const std::string bytes = Serialize(entries);
  ASSERT_EQ(bytes.size(), 1000u * 1024 + 1);
  const ParsedDatabase parsed = ParseDatabase(bytes);
  ASSERT_EQ(parsed.entries.size(), 1000u);
  EXPECT_EQ(parsed.entries, entries);
  EXPECT_TRUE(parsed.report.clean());
}

TEST(DatabaseRead, MissingFinalSeparatorLosesOnlyTheLastEntry) {
  const std::vector<Entry> entries = ThreeEntries();
  std::string bytes = Serialize(entries);
  bytes.pop_back();
  const ParsedDatabase parsed = ParseDatabase(bytes);
  EXPECT_EQ(parsed.entries, std::vector<Entry>(entries.begin(), entries.begin() + 2));
  EXPECT_TRUE(parsed.report.stopped_early());
  EXPECT_EQ(parsed.report.consumed_bytes, 2048u);
  EXPECT_EQ(parsed.report.unread_bytes, 1024u);
}

TEST(DatabaseRead, TwoSeparatorsInARowStopThere) {
  const std::vector<Entry> entries = ThreeEntries();
  const std::string bytes = Serialize(entries);
  // Entry 2 without its Login text: "password^^url^...".
  const std::string damaged = bytes.substr(0, 1280) + "^" + bytes.substr(1536);
  ParsedDatabase parsed = ParseDatabase(damaged);
  EXPECT_EQ(parsed.entries, std::vector<Entry>(entries.begin(), entries.begin() + 1));
  EXPECT_EQ(parsed.report.consumed_bytes, 1024u);
  EXPECT_EQ(parsed.report.unread_bytes, damaged.size() - 1024);

  // "^^" in the first Entry's last field: nothing at all is loaded.
  parsed = ParseDatabase("a^b^c^^d^^");
  EXPECT_TRUE(parsed.entries.empty());
  EXPECT_EQ(parsed.report.unread_bytes, 10u);
}

TEST(DatabaseRead, OtherStopsDropTheEntryBeingRead) {
  struct Case {
    std::string bytes;
    std::size_t entries, consumed;
  };
  const Case cases[] = {
      {"no separator at all", 0, 0}, {"a^b^c^", 0, 0},  // the "^" ending Comments is the last byte
      {"a^b^c^d^e^f", 1, 8},                            // second Entry has no more "^"
      {"^a^b^c^d^^", 0, 0},                             // leading empty field
      {"a^b^c^d^^^", 1, 8},                             // a second final "^" is not clean
      {"a^b^c^d^^garbage", 1, 8},                       // bytes after the final "^"
  };
  for (const Case& c : cases) {
    const ParsedDatabase parsed = ParseDatabase(c.bytes);
    EXPECT_EQ(parsed.entries.size(), c.entries) << c.bytes;
    EXPECT_EQ(parsed.report.consumed_bytes, c.consumed) << c.bytes;
    EXPECT_EQ(parsed.report.unread_bytes, c.bytes.size() - c.consumed) << c.bytes;
    EXPECT_TRUE(parsed.report.stopped_early()) << c.bytes;
  }
}

TEST(DatabaseRead, TextEndsAtTheFirstZeroByteWhichCountsAsUnread) {
  const std::vector<Entry> entries = ThreeEntries();
  const std::string bytes = Serialize(entries);

  std::string damaged = bytes;
  damaged[1024 + 600] = '\0';  // inside Entry 2
  ParsedDatabase parsed = ParseDatabase(damaged);
  EXPECT_EQ(parsed.entries, std::vector<Entry>(entries.begin(), entries.begin() + 1));
  EXPECT_EQ(parsed.report.unread_bytes, damaged.size() - 1024);

  // A zero byte after a clean end: all Entries load, but the file is not clean.
  parsed = ParseDatabase(bytes + std::string(1, '\0') + "a^b^c^d^^");
  EXPECT_EQ(parsed.entries, entries);
  EXPECT_EQ(parsed.report.consumed_bytes, 3073u);
  EXPECT_EQ(parsed.report.unread_bytes, 10u);

  parsed = ParseDatabase(std::string(1, '\0') + bytes);
  EXPECT_TRUE(parsed.entries.empty());
  EXPECT_EQ(parsed.report.unread_bytes, bytes.size() + 1);
}

TEST(DatabaseRead, ShortFieldsFromOtherProgramsAreFilledToTheFieldWidth) {
  const ParsedDatabase parsed = ParseDatabase("pw1^-^-^-^secret^me^example.com^note^^");
  ASSERT_EQ(parsed.entries.size(), 2u);
  EXPECT_EQ(parsed.entries[0], MakeEntry("pw1", "", "", ""));
  EXPECT_EQ(parsed.entries[1], MakeEntry("secret", "me", "example.com", "note"));
  EXPECT_TRUE(parsed.report.clean());
}

TEST(DatabaseRead, FieldsLongerThan255AreCutKeptAndReported) {
  const std::string bytes =
      std::string(300, 'A') + "^" + std::string(256, 'B') + "^" + std::string(255, 'C') + "^d^" + "e^f^g^h^^";
  const ParsedDatabase parsed = ParseDatabase(bytes);
  ASSERT_EQ(parsed.entries.size(), 2u);
  EXPECT_EQ(parsed.entries[0].password, std::string(255, 'A') + " ");
  EXPECT_EQ(parsed.entries[0].login, std::string(255, 'B') + " ");
  EXPECT_EQ(parsed.entries[0].url, std::string(255, 'C') + " ");
  EXPECT_EQ(parsed.entries[1], MakeEntry("e", "f", "g", "h"));
  EXPECT_EQ(parsed.report.cut_fields, 2u);
  EXPECT_EQ(parsed.report.unread_bytes, 0u);
  EXPECT_FALSE(parsed.report.stopped_early());
  EXPECT_FALSE(parsed.report.clean());

  // What was kept saves and loads back unchanged, with nothing more to cut.
  const ParsedDatabase again = ParseDatabase(Serialize(parsed.entries));
  EXPECT_EQ(again.entries, parsed.entries);
  EXPECT_TRUE(again.report.clean());
}

TEST(DatabaseWrite, EmptyListHasNothingToWrite) {
  std::string out = "stale";
  EXPECT_EQ(SerializeDatabase({}, &out), WriteStatus::kNothingToWrite);
  EXPECT_TRUE(out.empty());
}

TEST(DatabaseWrite, RefusesTextThatWouldNotReadBack) {
  std::vector<Entry> entries = ThreeEntries();
  entries[1].url = CellText("a^b");
  std::string out = "stale";
  std::size_t bad = 99;
  EXPECT_EQ(SerializeDatabase(entries, &out, &bad), WriteStatus::kUnwritableText);
  EXPECT_EQ(bad, 1u);
  EXPECT_TRUE(out.empty());

  entries[1].url = CellText("ok");
  entries[2].comments = std::string("zero\0byte", 9);
  EXPECT_EQ(SerializeDatabase(entries, &out, &bad), WriteStatus::kUnwritableText);
  EXPECT_EQ(bad, 2u);

  // Only the first 255 characters are stored: a "^" in the 256th is never written.
  entries[2].comments = std::string(255, 'c') + "^";
  EXPECT_EQ(SerializeDatabase(entries, &out, &bad), WriteStatus::kOk);
  EXPECT_EQ(out.size(), 3073u);
}

TEST(DatabaseWrite, UnpaddedTextsAreFilledSoEveryEntryStays1024Bytes) {
  const std::vector<Entry> entries = {Entry{"p", "", "u", std::string(400, 'c')}};
  const std::string bytes = Serialize(entries);
  ASSERT_EQ(bytes.size(), 1025u);
  EXPECT_EQ(bytes.substr(256, 256), std::string(255, ' ') + "^");
  const ParsedDatabase parsed = ParseDatabase(bytes);
  ASSERT_EQ(parsed.entries.size(), 1u);
  EXPECT_EQ(parsed.entries[0].password, Padded("p"));
  EXPECT_EQ(parsed.entries[0].login, std::string(kFieldWidth, ' '));
  EXPECT_EQ(parsed.entries[0].comments, Padded(std::string(255, 'c')));
}

}  // namespace
}  // namespace orvanta
