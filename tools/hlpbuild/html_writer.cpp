#include "tools/hlpbuild/html_writer.h"

#include <string_view>

namespace orvanta::hlp {

namespace {

const char kStyle[] =
    "body{font-family:Segoe UI,Tahoma,Arial,sans-serif;max-width:46em;margin:2em auto;padding:0 1em;"
    "line-height:1.45;color:#222;background:#fff}\n"
    "h1{font-size:1.6em;border-bottom:1px solid #ccc;padding-bottom:.2em}\n"
    "h2{font-size:1.25em;margin-top:2em;border-bottom:1px solid #eee}\n"
    "a{color:#0645ad}\n"
    "li{margin:.2em 0}\n"
    // Control captions are quoted with their own spacing.
    "p,li{white-space:pre-wrap}\n";

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

// A list item's text keeps its "- " in the source; the list shows a bullet instead.
void AppendRuns(std::string& out, const HelpParagraph& paragraph) {
  bool first = true;
  for (const HelpRun& run : paragraph.runs) {
    std::string_view text = run.text;
    if (first && paragraph.list_item && text.substr(0, 2) == "- ") text.remove_prefix(2);
    first = false;
    if (run.target.empty()) {
      AppendEscaped(out, text);
    } else {
      out += "<a href=\"#";
      out += run.target;
      out += "\">";
      AppendEscaped(out, text);
      out += "</a>";
    }
  }
}

void AppendTopic(std::string& out, const HelpTopic& topic, bool isContents) {
  out += "<section id=\"" + topic.id + "\">\n";
  out += isContents ? "<h1>" : "<h2>";
  AppendEscaped(out, topic.title);
  out += isContents ? "</h1>\n" : "</h2>\n";
  bool inList = false;
  for (const HelpParagraph& paragraph : topic.paragraphs) {
    if (paragraph.list_item != inList) {
      out += paragraph.list_item ? "<ul>\n" : "</ul>\n";
      inList = paragraph.list_item;
    }
    out += inList ? "<li>" : "<p>";
    AppendRuns(out, paragraph);
    out += inList ? "</li>\n" : "</p>\n";
  }
  if (inList) out += "</ul>\n";
  out += "</section>\n";
}

}  // namespace

std::string BuildHelpPage(const HelpSource& source) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"us-ascii\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  AppendEscaped(out, source.title);
  out += "</title>\n<style>\n";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n";
  for (const HelpTopic& topic : source.topics) {
    if (topic.id == source.contents_id) AppendTopic(out, topic, true);
  }
  for (const HelpTopic& topic : source.topics) {
    if (topic.id != source.contents_id) AppendTopic(out, topic, false);
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace orvanta::hlp
