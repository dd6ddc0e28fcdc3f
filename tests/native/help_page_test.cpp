// The help page as a browser shows it, read with patterns of its own from
// the built file, against the topics and links read straight from the
// source text (neither side uses the builder's parser).
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "help_file_reader.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;  // (id or target, title or text)

std::string Unescape(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1)) s.replace(at, strlen(from), to);
  }
  return s;
}

Pairs AllMatches(const std::string& text, const std::regex& pattern) {
  Pairs found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
    found.emplace_back((*it)[1].str(), (*it)[2].str());
  return found;
}

struct Source {
  std::string contents;
  Pairs topics;  // in source order
  Pairs links;   // in source order, [[id]] showing the topic's title
};

Source ReadSource(const std::string& raw) {
  std::string text;  // without comment lines
  std::smatch m;
  Source source;
  for (size_t start = 0; start < raw.size();) {
    size_t end = raw.find('\n', start);
    std::string line = raw.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? raw.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#", 0) == 0) continue;
    if (std::regex_match(line, m, std::regex(R"re(@topic\s+(\S+)\s+(.*\S)\s*)re")))
      source.topics.emplace_back(m[1], m[2]);
    if (std::regex_match(line, m, std::regex(R"re(@contents\s+(\S+)\s*)re"))) source.contents = m[1];
    text += line + "\n";
  }
  source.links = AllMatches(text, std::regex(R"re(\[\[\s*([^\]|]+?)\s*(?:\|\s*([^\]]*?)\s*)?\]\])re"));
  for (auto& [target, shown] : source.links) {
    if (!shown.empty()) continue;
    for (const auto& [id, title] : source.topics)
      if (id == target) shown = title;
  }
  return source;
}

TEST(HelpPage, HoldsEveryTopicAndLinkOfTheSourceContentsFirst) {
  const Source source = ReadSource(helptest::ReadTextFile(ORVANTA_HELP_SOURCE_FILE));
  const std::string page = helptest::ReadTextFile(ORVANTA_BUILT_HELP_PAGE);
  ASSERT_GT(source.topics.size(), 10u);
  ASSERT_GT(source.links.size(), 20u);

  Pairs expectedSections;
  for (const auto& topic : source.topics)
    if (topic.first == source.contents) expectedSections.push_back(topic);
  for (const auto& topic : source.topics)
    if (topic.first != source.contents) expectedSections.push_back(topic);
  Pairs sections = AllMatches(page, std::regex(R"re(<section id="([^"]+)">\s*<h[12]>([^<]*)</h[12]>)re"));
  for (auto& section : sections) section.second = Unescape(section.second);
  EXPECT_EQ(sections, expectedSections);

  Pairs links = AllMatches(page, std::regex(R"re(<a href="#([^"]+)">([^<]*)</a>)re"));
  for (auto& link : links) link.second = Unescape(link.second);
  EXPECT_EQ(links, source.links);

  // Self-contained: every link stays on the page, nothing runs or loads.
  EXPECT_EQ(AllMatches(page, std::regex(R"re((href)=("[^#]))re")).size(), 0u);
  for (const char* outside : {"<script", "src=", "<link", "url(", "@import"})
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
}

// The user manual that the README links to is the page the build makes.
TEST(HelpPage, TheCopyInDocsIsTheBuiltPage) {
  EXPECT_TRUE(helptest::ReadTextFile(ORVANTA_DOCS_HELP_PAGE) == helptest::ReadTextFile(ORVANTA_BUILT_HELP_PAGE))
      << "copy the build's bin/orv.html to docs/orv.html";
}

}  // namespace
