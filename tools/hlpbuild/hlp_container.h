// The container of a WinHelp 3.1 file: bytes in little-endian order, the
// one-page B+ trees of its indexes, and the file header and directory around
// its internal files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::hlp {

class Bytes {
 public:
  void U8(std::uint32_t v) { data_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Text(std::string_view s) { data_.insert(data_.end(), s.begin(), s.end()); }
  void CString(std::string_view s) {
    Text(s);
    U8(0);
  }
  void Zeros(std::size_t n) { data_.insert(data_.end(), n, 0); }
  void Append(const std::vector<std::uint8_t>& more) { data_.insert(data_.end(), more.begin(), more.end()); }
  void Put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::size_t size() const { return data_.size(); }
  std::vector<std::uint8_t>& data() { return data_; }

 private:
  std::vector<std::uint8_t> data_;
};

// A B+ tree of one leaf page. Throws HelpLayoutError when the entries do not fit.
std::vector<std::uint8_t> OnePageTree(std::uint16_t flags, std::size_t page_size, std::string_view structure,
                                      std::uint32_t entries, const std::vector<std::uint8_t>& entry_bytes);

// The whole file: header, each internal file behind its file header, in the
// order of their names (as the directory must be), then the directory.
std::vector<std::uint8_t> AssembleHelpFile(const std::map<std::string, std::vector<std::uint8_t>>& files);

}  // namespace orvanta::hlp
