// The help source parser: what it builds from good text and how it refuses bad text.
#include <gtest/gtest.h>

#include <string>

#include "tools/hlpbuild/help_source.h"

namespace {

using orvanta::hlp::HelpSource;
using orvanta::hlp::HelpSourceError;
using orvanta::hlp::ParseHelpSource;

// The line that ParseHelpSource blames, or 0 if it does not throw.
std::size_t ErrorLine(const std::string& text) {
  try {
    ParseHelpSource(text);
  } catch (const HelpSourceError& e) {
    return e.line() ? e.line() : static_cast<std::size_t>(-1);
  }
  return 0;
}

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

TEST(HelpSource, ParsesTopicsParagraphsAndLinks) {
  const HelpSource s = ParseHelpSource(
      "# a comment\r\n"
      "@title  My Help \r\n"
      "@contents start\n"
      "@topic intro Introduction\n"
      "First line\n"
      "  continues here.\n"
      "\n"
      "- item one with [[start]]\n"
      "- item two, [[intro|back here]] and more\n"
      "@topic start The Start\n"
      "Go to [[intro|the\n"
      "introduction]].\n");
  EXPECT_EQ(s.title, "My Help");
  EXPECT_EQ(s.contents_id, "start");
  ASSERT_EQ(s.topics.size(), 2u);
  EXPECT_EQ(s.topics[0].id, "intro");
  EXPECT_EQ(s.topics[0].title, "Introduction");
  ASSERT_EQ(s.topics[0].paragraphs.size(), 3u);
  const auto& p0 = s.topics[0].paragraphs[0];
  ASSERT_EQ(p0.runs.size(), 1u);
  EXPECT_EQ(p0.runs[0].text, "First line continues here.");
  EXPECT_FALSE(p0.list_item);
  const auto& p1 = s.topics[0].paragraphs[1];
  EXPECT_TRUE(p1.list_item);
  ASSERT_EQ(p1.runs.size(), 2u);
  EXPECT_EQ(p1.runs[0].text, "- item one with ");
  EXPECT_EQ(p1.runs[1].target, "start");
  EXPECT_EQ(p1.runs[1].text, "The Start");  // [[id]] shows the target's title
  const auto& p2 = s.topics[0].paragraphs[2];
  ASSERT_EQ(p2.runs.size(), 3u);
  EXPECT_EQ(p2.runs[1].text, "back here");
  EXPECT_EQ(p2.runs[2].text, " and more");
  const auto& p3 = s.topics[1].paragraphs[0];
  ASSERT_EQ(p3.runs.size(), 3u);
  EXPECT_EQ(p3.runs[1].text, "the introduction");  // a link may span a line break
  EXPECT_EQ(p3.runs[2].text, ".");
}

TEST(HelpSource, ContentsDefaultsToTheFirstTopic) {
  const HelpSource s = ParseHelpSource("@title T\n@topic one One\nx\n@topic two Two\ny\n");
  EXPECT_EQ(s.contents_id, "one");
}

TEST(HelpSource, UnknownLinkTargetIsReportedWithItsLine) {
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\ntext\nmore [[nowhere|x]] text\n"), 4u);
  try {
    ParseHelpSource("@title T\n@topic a A\n[[nowhere]]\n");
    FAIL() << "no error";
  } catch (const HelpSourceError& e) {
    EXPECT_NE(std::string(e.what()).find("nowhere"), std::string::npos) << e.what();
  }
}

TEST(HelpSource, MalformedLinksAreRefused) {
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nopen [[a|x\n\n"), 3u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nstray ]] here\n"), 3u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\n[[a|]]\n"), 3u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\n[[a b|x]]\n"), 3u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\n[[a|[[a]]]]\n"), 3u);
}

TEST(HelpSource, BadTopicsAreRefused) {
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nx\n@topic A Again\ny\n"), 4u);  // IDs ignore case
  EXPECT_EQ(ErrorLine("@title T\n@topic a-b A\nx\n"), 2u);
  EXPECT_EQ(ErrorLine("@title T\n@topic onlyid\nx\n"), 2u);
  EXPECT_EQ(ErrorLine("@title T\ntext first\n@topic a A\nx\n"), 2u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nx\n@title Late\n"), 4u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nx\n@heading H\n"), 4u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nx\n@topic b B\n"), kNoLine);  // b has no text
  EXPECT_EQ(ErrorLine("@title T\n@contents zz\n@topic a A\nx\n"), kNoLine);
  EXPECT_EQ(ErrorLine("@topic a A\nx\n"), kNoLine);  // no @title
  EXPECT_EQ(ErrorLine("@title T\n"), kNoLine);       // no topic
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nok\n"), 0u);
}

TEST(HelpSource, OnlyPrintableAsciiIsAccepted) {
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\ncaf\xc3\xa9\n"), 3u);
  EXPECT_EQ(ErrorLine("@title T\n@topic a A\nbell\a\n"), 3u);
  EXPECT_EQ(ErrorLine(std::string("@title T\n@topic a A\nnul\0x\n", 24)), 3u);
}

}  // namespace
