// One row of the Password database: Password, Login, URL and Comments.
//
// An Entry holds the four cell texts exactly as the Database list shows them:
// the typed text (at most 255 characters) followed by spaces up to the Field
// width of 256 characters. Build one from typed texts with MakeEntry; the
// file reader returns Entries in the same form. Functions that read cells
// take a cell that is shorter than the Field width as if it were filled with
// spaces, so an unpadded text is never misread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

inline constexpr std::size_t kFieldWidth = 256;      // characters in a cell text
inline constexpr std::size_t kTypedTextLimit = 255;  // characters kept of a typed text
inline constexpr char kFieldSeparator = '^';         // ends every field in "mypsw.txt"
inline constexpr std::string_view kEmptyFieldMark = "-";

// Column order of the Database list, the file and the Database text.
enum Column : int { kColumnPassword = 0, kColumnLogin = 1, kColumnUrl = 2, kColumnComments = 3 };
inline constexpr int kColumnCount = 4;

struct Entry {
  std::string password, login, url, comments;
  bool operator==(const Entry&) const = default;
};

inline const std::string& FieldOf(const Entry& entry, int column) {
  switch (column) {
    case kColumnPassword: return entry.password;
    case kColumnLogin: return entry.login;
    case kColumnUrl: return entry.url;
    default: return entry.comments;
  }
}

inline std::string& FieldOf(Entry& entry, int column) {
  return const_cast<std::string&>(FieldOf(static_cast<const Entry&>(entry), column));
}

// The first 255 characters of `typed`, filled with spaces to the Field width.
inline std::string CellText(std::string_view typed) {
  std::string cell(typed.substr(0, kTypedTextLimit));
  cell.resize(kFieldWidth, ' ');
  return cell;
}

// A row from the four texts typed into the Item Data dialog: an empty Login,
// URL or Comments becomes "-"; every text becomes a cell text. The Password is
// taken as it is (the dialog refuses an empty one before calling this).
inline Entry MakeEntry(std::string_view password, std::string_view login, std::string_view url,
                       std::string_view comments) {
  auto orMark = [](std::string_view text) { return text.empty() ? kEmptyFieldMark : text; };
  return Entry{CellText(password), CellText(orMark(login)), CellText(orMark(url)), CellText(orMark(comments))};
}

// The text without its trailing spaces (what a double-click copies).
inline std::string_view TrimTrailingSpaces(std::string_view cell) {
  std::size_t end = cell.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : cell.substr(0, end + 1);
}

// True when `text` holds the Field separator "^", which would split the field
// when the file is read again; the Item Data dialog refuses such a text.
inline bool ContainsFieldSeparator(std::string_view text) {
  return text.find(kFieldSeparator) != std::string_view::npos;
}

}  // namespace orvanta
