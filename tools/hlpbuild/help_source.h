// The parsed help source: topics made of paragraphs of plain text and links.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::hlp {

// A piece of a paragraph: plain text when target is empty, else a link to the topic whose context ID is target.
struct HelpRun {
  std::string text;
  std::string target;
};

struct HelpParagraph {
  std::vector<HelpRun> runs;
  bool list_item = false;  // written "- text"; follows a list item above it without a gap
};

struct HelpTopic {
  std::string id;
  std::string title;
  std::vector<HelpParagraph> paragraphs;
};

struct HelpSource {
  std::string title;        // the help file's title (shown in the viewer's caption)
  std::string contents_id;  // context ID of the contents topic
  std::vector<HelpTopic> topics;
};

// A fault in the help source; line is 1-based, 0 when the fault belongs to no single line.
class HelpSourceError : public std::runtime_error {
 public:
  HelpSourceError(std::size_t line, const std::string& message);
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// True when id is a usable context ID: non-empty, only A-Z a-z 0-9 . _
bool IsValidContextId(std::string_view id);

// Parses the text format described in help_source.cpp. Throws HelpSourceError.
HelpSource ParseHelpSource(std::string_view text);

}  // namespace orvanta::hlp
