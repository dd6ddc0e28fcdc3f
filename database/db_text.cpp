#include "database/db_text.h"

namespace orvanta {

// Each column is what a cell read with a capacity of 50 yields: the first 49
// characters. A cell ends at a zero byte as a list cell would, and a cell
// shorter than 49 characters is filled with spaces as the list holds it, so
// every Entry is exactly 210 characters and the columns stay aligned.
std::string BuildDatabaseText(std::span<const Entry> entries) {
  std::string text;
  text.reserve(entries.size() * kTextEntryBytes);
  for (const Entry& entry : entries) {
    for (int column = 0; column < kColumnCount; ++column) {
      std::string_view cell = FieldOf(entry, column);
      cell = cell.substr(0, cell.find('\0')).substr(0, kTextColumnWidth);
      text.append(cell);
      text.append(kTextColumnWidth - cell.size(), ' ');
      text.append(kTextColumnGap);
    }
    text.append(kTextEntryEnd);
  }
  return text;
}

std::string DatabaseTextForPaper(std::span<const Entry> entries) {
  const std::string text = BuildDatabaseText(entries);
  std::string paper;
  paper.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && i > 0 && text[i - 1] == '\n') continue;
    paper += text[i];
  }
  return paper;
}

}  // namespace orvanta
