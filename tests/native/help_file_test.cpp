// The help file as the viewer will read it: the writer's bytes decoded by an independent reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <queue>
#include <set>
#include <sstream>

#include "help_file_reader.h"
#include "tools/hlpbuild/help_source.h"
#include "tools/hlpbuild/hlp_writer.h"

namespace {

using orvanta::hlp::BuildHelpFile;
using orvanta::hlp::HelpLayoutError;
using orvanta::hlp::ParseHelpSource;

helptest::HelpFile Decode(const std::string& source) {
  return helptest::ReadHelpFile(BuildHelpFile(ParseHelpSource(source)));
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(HelpContextHash, MatchesTheKnownValues) {
  EXPECT_EQ(orvanta::hlp::ContextHash("contents"), 0x25F4558Au);
  EXPECT_EQ(orvanta::hlp::ContextHash("second"), 0x370E6D04u);
  EXPECT_EQ(helptest::ReferenceHash("contents"), 0x25F4558Au);
  EXPECT_EQ(helptest::ReferenceHash("second"), 0x370E6D04u);
  // Letters ignore case; '1' is 1, '0' is 10, '.' 12, '_' 13.
  EXPECT_EQ(orvanta::hlp::ContextHash("CoNtEnTs"), 0x25F4558Au);
  EXPECT_EQ(orvanta::hlp::ContextHash("A1"), 17u * 43 + 1);
  EXPECT_EQ(orvanta::hlp::ContextHash("_.0"), 13u * 43 * 43 + 12u * 43 + 10);
}

TEST(HelpFile, TwoTopicsWithALinkDecode) {
  const helptest::HelpFile f = Decode(
      "@title Test Help\n@contents contents\n"
      "@topic contents Contents\nSee [[second|Second topic]] for more.\n"
      "@topic second Second topic\nThe second page.\n");
  EXPECT_EQ(f.directory, (std::vector<std::string>{"|CONTEXT", "|FONT", "|SYSTEM", "|TOPIC"}));
  EXPECT_EQ(f.title, "Test Help");
  ASSERT_EQ(f.topics.size(), 2u);
  EXPECT_EQ(f.topics[0].title, "Contents");
  EXPECT_EQ(f.topics[1].title, "Second topic");
  ASSERT_TRUE(f.contents_offset.has_value());
  EXPECT_EQ(*f.contents_offset, f.topics[0].offset);
  EXPECT_EQ(f.topics[0].offset, 0u);
  ASSERT_EQ(f.TopicForHash(0x25F4558A), &f.topics[0]);
  ASSERT_EQ(f.TopicForHash(0x370E6D04), &f.topics[1]);
  // The title heading, then the paragraph with its link.
  ASSERT_EQ(f.topics[0].paragraphs.size(), 2u);
  EXPECT_EQ(f.topics[0].paragraphs[0].text, "Contents");
  EXPECT_EQ(f.topics[0].paragraphs[0].font, 1);
  const helptest::Paragraph& p = f.topics[0].paragraphs[1];
  EXPECT_EQ(p.font, 0);
  EXPECT_EQ(p.text, "See Second topic for more.");
  ASSERT_EQ(p.links.size(), 1u);
  EXPECT_EQ(p.links[0].hash, 0x370E6D04u);
  EXPECT_EQ(p.links[0].text, "Second topic");
  // Topic headers point at each other and at their first text.
  EXPECT_EQ(f.topics[0].number, 0u);
  EXPECT_EQ(f.topics[1].number, 1u);
  EXPECT_EQ(f.topics[0].next_header, f.topics[1].header_pos);
  EXPECT_EQ(f.topics[1].next_header, 0xFFFFFFFFu);
  EXPECT_EQ(f.topics[0].browse_back, 0xFFFFFFFFu);
  EXPECT_EQ(f.topics[0].browse_forward, f.topics[1].offset);
  EXPECT_EQ(f.topics[1].browse_back, f.topics[0].offset);
  for (const helptest::Topic& t : f.topics) {
    EXPECT_EQ(t.scroll, t.first_text_pos) << t.title;
    EXPECT_EQ(t.declared_bytes, t.counted_bytes) << t.title;
  }
  EXPECT_EQ(f.topic_blocks, 1u);
}

TEST(HelpFile, FontTableHasBodyAndHeading) {
  const helptest::HelpFile f = Decode("@title T\n@topic a A\ntext\n");
  EXPECT_EQ(f.faces, std::vector<std::string>{"Arial"});
  ASSERT_EQ(f.fonts.size(), 2u);
  EXPECT_EQ(f.fonts[0].attributes, 0);
  EXPECT_EQ(f.fonts[0].half_points, 20);
  EXPECT_EQ(f.fonts[1].attributes, 1);  // bold
  EXPECT_GT(f.fonts[1].half_points, f.fonts[0].half_points);
}

TEST(HelpFile, ContextIsSortedBySignedHash) {
  std::string source = "@title T\n";
  // Five of these hash to numbers with the top bit set, five do not.
  const std::vector<std::string> ids = {"contents",    "main_window", "second",        "generating", "modes",
                                        "custom_seed", "zz",          "database_file", "abcdef",     "a.b_0"};
  for (const std::string& id : ids) source += "@topic " + id + " Title " + id + "\nText of " + id + ".\n";
  const helptest::HelpFile f = Decode(source);
  ASSERT_EQ(f.context.size(), ids.size());
  bool negative = false, positive = false;
  for (std::size_t i = 0; i < f.context.size(); ++i) {
    const auto h = static_cast<std::int32_t>(f.context[i].first);
    (h < 0 ? negative : positive) = true;
    if (i > 0) {
      EXPECT_LT(static_cast<std::int32_t>(f.context[i - 1].first), h) << "entry " << i;
    }
  }
  // Both signs present, so the order differs from an unsigned one.
  EXPECT_TRUE(negative);
  EXPECT_TRUE(positive);
  for (const std::string& id : ids) {
    const helptest::Topic* t = f.TopicForHash(helptest::ReferenceHash(id));
    ASSERT_NE(t, nullptr) << id;
    EXPECT_EQ(t->title, "Title " + id);
  }
}

TEST(HelpFile, LongTopicSplitsIntoRecordsAcrossBlocks) {
  std::string source = "@title T\n@topic first First\nBefore the long one: [[last]].\n@topic long A long topic\n";
  std::vector<std::string> texts;
  for (int i = 0; i < 40; ++i) {
    texts.push_back("Paragraph " + std::to_string(i) + " " + Repeat("of some length, ", 25) + "end.");
    source += texts.back() + " See [[first|the first topic]].\n\n";
  }
  source += "@topic last Last\nAfter the long one, back to [[long]].\n";
  const helptest::HelpFile f = Decode(source);
  ASSERT_EQ(f.topics.size(), 3u);
  const helptest::Topic& long_topic = f.topics[1];
  EXPECT_GE(long_topic.blocks.size(), 4u);
  EXPECT_GE(f.topic_blocks, 4u);
  ASSERT_EQ(long_topic.paragraphs.size(), 41u);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(long_topic.paragraphs[i + 1].text, texts[i] + " See the first topic.") << i;
    ASSERT_EQ(long_topic.paragraphs[i + 1].links.size(), 1u);
    EXPECT_EQ(f.TopicForHash(long_topic.paragraphs[i + 1].links[0].hash), &f.topics[0]);
  }
  // The topic after the long one lies in a later block, and links in both directions find it.
  const helptest::Topic& last = f.topics[2];
  EXPECT_GE(last.offset, 0x8000u * 3);
  EXPECT_EQ(f.TopicForHash(f.topics[0].paragraphs[1].links[0].hash), &last);
  EXPECT_EQ(f.TopicForHash(last.paragraphs[1].links[0].hash), &long_topic);
  EXPECT_EQ(last.paragraphs[1].links[0].text, "A long topic");
  EXPECT_EQ(long_topic.declared_bytes, long_topic.counted_bytes);
}

TEST(HelpFile, RejectsWhatCannotBeLaidOut) {
  orvanta::hlp::HelpSource s;
  s.title = "T";
  s.contents_id = "a";
  s.topics.push_back({"a", "A", {orvanta::hlp::HelpParagraph{{{"x", "missing"}}, false}}});
  EXPECT_THROW(BuildHelpFile(s), HelpLayoutError);  // link to no topic

  s.topics[0].paragraphs[0].runs = {{std::string(4100, 'x'), ""}};
  EXPECT_THROW(BuildHelpFile(s), HelpLayoutError);  // more than one block can hold
  s.topics[0].paragraphs[0].runs = {{std::string(4000, 'x'), ""}};
  EXPECT_NO_THROW(BuildHelpFile(s));

  s.topics.push_back({"A", "Same hash", {orvanta::hlp::HelpParagraph{{{"x", ""}}, false}}});
  EXPECT_THROW(BuildHelpFile(s), HelpLayoutError);  // "a" and "A" hash alike
  s.topics.pop_back();
  s.contents_id = "nowhere";
  EXPECT_THROW(BuildHelpFile(s), HelpLayoutError);
}

// The shipped help: every link lands on a topic and every topic can be reached from the contents.
TEST(HelpFile, ShippedHelpIsComplete) {
  const std::string text = helptest::ReadTextFile(ORVANTA_HELP_SOURCE_FILE);
  const orvanta::hlp::HelpSource source = ParseHelpSource(text);
  const helptest::HelpFile f = helptest::ReadHelpFile(BuildHelpFile(source));
  EXPECT_EQ(f.title, "Orvanta Help");
  ASSERT_EQ(f.topics.size(), source.topics.size());
  ASSERT_GE(f.topics.size(), 10u);
  ASSERT_TRUE(f.contents_offset.has_value());
  const helptest::Topic* contents = f.TopicForHash(helptest::ReferenceHash("contents"));
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->offset, *f.contents_offset);
  EXPECT_GE(f.topic_blocks, 2u);
  for (std::size_t i = 1; i < f.context.size(); ++i) {
    EXPECT_LT(static_cast<std::int32_t>(f.context[i - 1].first), static_cast<std::int32_t>(f.context[i].first));
  }

  std::set<const helptest::Topic*> reached{contents};
  std::queue<const helptest::Topic*> todo;
  todo.push(contents);
  std::size_t links = 0;
  while (!todo.empty()) {
    const helptest::Topic* t = todo.front();
    todo.pop();
    for (const helptest::Paragraph& p : t->paragraphs) {
      for (const helptest::Link& l : p.links) {
        ++links;
        const helptest::Topic* target = f.TopicForHash(l.hash);
        ASSERT_NE(target, nullptr) << "link '" << l.text << "' in " << t->title;
        if (reached.insert(target).second) todo.push(target);
      }
    }
  }
  EXPECT_EQ(reached.size(), f.topics.size());
  EXPECT_GE(links, f.topics.size());
  for (std::size_t i = 0; i < source.topics.size(); ++i) {
    const helptest::Topic* t = f.TopicForHash(helptest::ReferenceHash(source.topics[i].id));
    ASSERT_NE(t, nullptr) << source.topics[i].id;
    EXPECT_EQ(t->title, source.topics[i].title);
    EXPECT_EQ(t->paragraphs.size(), source.topics[i].paragraphs.size() + 1) << source.topics[i].id;
  }
}

// The file in the build folder is what the builder makes of the source (when this build made one).
TEST(HelpFile, BuiltFileMatchesTheSource) {
  std::ifstream in(ORVANTA_BUILT_HELP_FILE, std::ios::binary);
  if (!in) GTEST_SKIP() << "no " << ORVANTA_BUILT_HELP_FILE << " in this build";
  const std::vector<std::uint8_t> built((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(built == BuildHelpFile(ParseHelpSource(helptest::ReadTextFile(ORVANTA_HELP_SOURCE_FILE))))
      << "rebuild orv.hlp: it differs from resources/orv_help.txt";
}

}  // namespace
