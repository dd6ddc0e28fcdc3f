// Parser of the plain-text help source.
//
// The format, line by line:
//   # ...                 a comment (only at the start of a line)
//   @title TEXT           the help file's title; once, before the first topic
//   @contents ID          the contents topic; once, before the first topic (default: the first topic)
//   @topic ID TITLE       starts a topic; ID is its context ID (A-Z a-z 0-9 . _)
//   (blank line)          ends a paragraph
//   - TEXT                starts a new paragraph (a list item; the "- " stays in the text)
//   TEXT                  continues the current paragraph; lines are joined with one space
// Inside text, [[ID|link text]] is a link to topic ID and [[ID]] a link showing that topic's title.
// The text must be printable ASCII, so that the file shows the same in every code page.
#include "tools/hlpbuild/help_source.h"

#include <map>
#include <utility>

namespace orvanta::hlp {

HelpSourceError::HelpSourceError(std::size_t line, const std::string& message)
    : std::runtime_error(line ? "line " + std::to_string(line) + ": " + message : message), line_(line) {}

bool IsValidContextId(std::string_view id) {
  if (id.empty()) return false;
  for (char c : id) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_';
    if (!ok) return false;
  }
  return true;
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Context IDs hash case-insensitively, so two IDs that differ only in case would be one topic.
std::string FoldCase(std::string_view id) {
  std::string out(id);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// A link whose target is checked once every topic is known.
struct PendingLink {
  std::size_t topic;
  std::size_t paragraph;
  std::size_t run;
  std::size_t line;
};

class Parser {
 public:
  HelpSource Run(std::string_view text);

 private:
  void HandleLine(std::string_view line);
  void Directive(std::string_view line);
  void AddText(std::string_view text, bool new_paragraph);
  void FlushParagraph();
  std::size_t LineOfOffset(std::size_t offset) const;
  void ResolveLinks();

  HelpSource source_;
  std::size_t line_no_ = 0;
  bool saw_contents_ = false;
  std::string paragraph_;
  bool paragraph_is_item_ = false;
  std::vector<std::pair<std::size_t, std::size_t>> paragraph_lines_;  // (offset in paragraph_, source line)
  std::vector<PendingLink> links_;
  std::map<std::string, std::size_t> folded_ids_;  // folded ID -> line of its @topic
};

HelpSource Parser::Run(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++line_no_;
    HandleLine(text.substr(start, end - start));
    start = end + 1;
  }
  FlushParagraph();
  line_no_ = 0;
  if (source_.topics.empty()) throw HelpSourceError(0, "the help source holds no @topic");
  if (source_.title.empty()) throw HelpSourceError(0, "the help source has no @title");
  if (!saw_contents_) source_.contents_id = source_.topics.front().id;
  bool contents_found = false;
  for (const HelpTopic& t : source_.topics) contents_found = contents_found || t.id == source_.contents_id;
  if (!contents_found) throw HelpSourceError(0, "@contents names no topic: " + source_.contents_id);
  for (const HelpTopic& t : source_.topics) {
    if (t.paragraphs.empty()) throw HelpSourceError(0, "topic " + t.id + " has no text");
  }
  ResolveLinks();
  return std::move(source_);
}

void Parser::HandleLine(std::string_view raw) {
  for (char c : raw) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (u < 0x20 && c != '\t' && c != '\r') || u == 0x7F) {
      throw HelpSourceError(line_no_, "only printable ASCII is allowed (found byte " + std::to_string(u) + ")");
    }
  }
  const std::string_view line = Trim(raw);
  if (!raw.empty() && raw.front() == '#') return;
  if (line.empty()) {
    FlushParagraph();
  } else if (line.front() == '@') {
    FlushParagraph();
    Directive(line);
  } else if (source_.topics.empty()) {
    throw HelpSourceError(line_no_, "text before the first @topic");
  } else if (line.size() >= 2 && line[0] == '-' && line[1] == ' ') {
    AddText(line, true);
  } else {
    AddText(line, false);
  }
}

void Parser::Directive(std::string_view line) {
  const std::size_t space = line.find_first_of(" \t");
  const std::string_view name = line.substr(0, space);
  const std::string_view rest = space == std::string_view::npos ? std::string_view() : Trim(line.substr(space));
  if (name == "@title" || name == "@contents") {
    if (!source_.topics.empty()) throw HelpSourceError(line_no_, std::string(name) + " after the first @topic");
    if (rest.empty()) throw HelpSourceError(line_no_, std::string(name) + " needs a value");
    if (name == "@title") {
      if (!source_.title.empty()) throw HelpSourceError(line_no_, "@title given twice");
      source_.title = rest;
    } else {
      if (saw_contents_) throw HelpSourceError(line_no_, "@contents given twice");
      if (!IsValidContextId(rest)) throw HelpSourceError(line_no_, "bad context ID: " + std::string(rest));
      source_.contents_id = rest;
      saw_contents_ = true;
    }
    return;
  }
  if (name != "@topic") throw HelpSourceError(line_no_, "unknown directive " + std::string(name));
  const std::size_t id_end = rest.find_first_of(" \t");
  const std::string_view id = rest.substr(0, id_end);
  const std::string_view title = id_end == std::string_view::npos ? std::string_view() : Trim(rest.substr(id_end));
  if (!IsValidContextId(id)) throw HelpSourceError(line_no_, "bad context ID: '" + std::string(id) + "'");
  if (title.empty()) throw HelpSourceError(line_no_, "topic " + std::string(id) + " has no title");
  const auto [it, inserted] = folded_ids_.emplace(FoldCase(id), line_no_);
  if (!inserted) {
    throw HelpSourceError(line_no_, "context ID " + std::string(id) + " already used on line " +
                                        std::to_string(it->second) + " (IDs ignore case)");
  }
  source_.topics.push_back(HelpTopic{std::string(id), std::string(title), {}});
}

void Parser::AddText(std::string_view text, bool new_paragraph) {
  if (new_paragraph) FlushParagraph();
  if (paragraph_.empty()) paragraph_is_item_ = new_paragraph;
  if (!paragraph_.empty()) paragraph_ += ' ';
  paragraph_lines_.emplace_back(paragraph_.size(), line_no_);
  paragraph_ += text;
}

std::size_t Parser::LineOfOffset(std::size_t offset) const {
  std::size_t line = paragraph_lines_.front().second;
  for (const auto& [start, l] : paragraph_lines_) {
    if (start <= offset) line = l;
  }
  return line;
}

// Splits the collected paragraph into text and link runs.
void Parser::FlushParagraph() {
  if (paragraph_.empty()) return;
  HelpTopic& topic = source_.topics.back();
  HelpParagraph para;
  para.list_item = paragraph_is_item_;
  std::size_t pos = 0;
  while (pos < paragraph_.size()) {
    const std::size_t open = paragraph_.find("[[", pos);
    const std::size_t stray = paragraph_.find("]]", pos);
    if (stray != std::string::npos && (open == std::string::npos || stray < open)) {
      throw HelpSourceError(LineOfOffset(stray), "']]' without '[['");
    }
    if (open == std::string::npos) {
      para.runs.push_back(HelpRun{paragraph_.substr(pos), ""});
      break;
    }
    if (open > pos) para.runs.push_back(HelpRun{paragraph_.substr(pos, open - pos), ""});
    const std::size_t close = paragraph_.find("]]", open + 2);
    if (close == std::string::npos) throw HelpSourceError(LineOfOffset(open), "'[[' without ']]'");
    const std::string inner = paragraph_.substr(open + 2, close - open - 2);
    if (inner.find("[[") != std::string::npos) throw HelpSourceError(LineOfOffset(open), "'[[' inside a link");
    const std::size_t bar = inner.find('|');
    HelpRun link;
    link.target = std::string(Trim(inner.substr(0, bar)));
    if (bar != std::string::npos) {
      link.text = std::string(Trim(std::string_view(inner).substr(bar + 1)));
      if (link.text.empty()) throw HelpSourceError(LineOfOffset(open), "empty link text");
    }
    if (!IsValidContextId(link.target)) {
      throw HelpSourceError(LineOfOffset(open), "bad link target: '" + link.target + "'");
    }
    links_.push_back(
        PendingLink{source_.topics.size() - 1, topic.paragraphs.size(), para.runs.size(), LineOfOffset(open)});
    para.runs.push_back(std::move(link));
    pos = close + 2;
  }
  topic.paragraphs.push_back(std::move(para));
  paragraph_.clear();
  paragraph_lines_.clear();
}

void Parser::ResolveLinks() {
  std::map<std::string, const HelpTopic*> by_id;
  for (const HelpTopic& t : source_.topics) by_id[t.id] = &t;
  for (const PendingLink& l : links_) {
    HelpRun& run = source_.topics[l.topic].paragraphs[l.paragraph].runs[l.run];
    const auto it = by_id.find(run.target);
    if (it == by_id.end()) throw HelpSourceError(l.line, "link to unknown topic '" + run.target + "'");
    if (run.text.empty()) run.text = it->second->title;
  }
}

}  // namespace

HelpSource ParseHelpSource(std::string_view text) { return Parser().Run(text); }

}  // namespace orvanta::hlp
