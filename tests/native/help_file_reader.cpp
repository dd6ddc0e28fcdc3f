// The reader behind the help-file tests; see help_file_reader.h.
#include "help_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace helptest {

std::string ReadTextFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

void Require(bool ok, const std::string& what) {
  if (!ok) throw ReadError(what);
}

// Bounds-checked little-endian access to a byte range.
class View {
 public:
  View(const std::vector<std::uint8_t>& b, std::size_t start, std::size_t size) : b_(b), start_(start), size_(size) {
    Require(start <= b.size() && size <= b.size() - start, "range outside the file");
  }
  std::size_t size() const { return size_; }
  std::uint8_t U8(std::size_t at) const {
    Require(at < size_, "read past the end of an internal file");
    return b_[start_ + at];
  }
  std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(U8(at) | U8(at + 1) << 8); }
  std::uint32_t U32(std::size_t at) const {
    return static_cast<std::uint32_t>(U16(at)) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
  }
  // A NUL-terminated string at at; advances at past the NUL.
  std::string CString(std::size_t& at, std::size_t end) const {
    std::string s;
    while (true) {
      Require(at < end, "string without NUL");
      const char c = static_cast<char>(U8(at++));
      if (c == '\0') return s;
      s += c;
    }
  }
  View Sub(std::size_t at, std::size_t size) const {
    Require(at <= size_ && size <= size_ - at, "sub-range outside its file");
    return View(b_, start_ + at, size);
  }

 private:
  const std::vector<std::uint8_t>& b_;
  std::size_t start_, size_;
};

// The data of the internal file whose FILEHEADER is at offset.
View InternalFile(const std::vector<std::uint8_t>& bytes, std::uint32_t offset) {
  const View head(bytes, offset, 9);
  const std::uint32_t reserved = head.U32(0), used = head.U32(4);
  Require(reserved == used + 9, "ReservedSpace is not UsedSpace + 9");
  Require(head.U8(8) == 4, "FileFlags is not 4");
  return View(bytes, offset + 9, used);
}

// A one-leaf B+ tree: checks the header and returns the leaf's entry bytes and count.
std::pair<View, std::uint16_t> LeafPage(const View& f, std::uint16_t flags, std::uint16_t page_size,
                                        const std::string& structure) {
  Require(f.U16(0) == 0x293B, "B+ tree magic");
  Require(f.U16(2) == flags, "B+ tree flags");
  Require(f.U16(4) == page_size, "B+ tree page size");
  std::string s;
  for (std::size_t i = 0; i < 16; ++i) {
    const char c = static_cast<char>(f.U8(6 + i));
    if (c == '\0') {
      for (std::size_t j = i; j < 16; ++j) Require(f.U8(6 + j) == 0, "structure text not zero-padded");
      break;
    }
    s += c;
  }
  Require(s == structure, "B+ tree structure '" + s + "'");
  Require(f.U16(22) == 0 && f.U16(24) == 0 && f.U16(26) == 0 && f.U16(28) == 0xFFFF, "B+ tree fixed fields");
  Require(f.U16(30) == 1 && f.U16(32) == 1, "not a single-page tree");
  const std::uint32_t total = f.U32(34);
  Require(f.size() == 38u + page_size, "tree file is not header + one page");
  const View page = f.Sub(38, page_size);
  const std::uint16_t count = page.U16(2);
  Require(count == total, "page entry count differs from the header");
  Require(page.U16(4) == 0xFFFF && page.U16(6) == 0xFFFF, "leaf page links");
  return {page, count};
}

std::size_t CompressedLong(const View& v, std::size_t& at) {
  const std::uint16_t w = v.U16(at);
  Require((w & 1) == 0 && (w & 0x8000) != 0, "TopicSize is not a two-byte compressed long");
  at += 2;
  return (w - 0x8000u) / 2;
}

std::size_t CompressedShort(const View& v, std::size_t& at) {
  const std::uint8_t b = v.U8(at);
  if ((b & 1) == 0) {
    at += 1;
    return b / 2;
  }
  const std::uint16_t w = v.U16(at);
  at += 2;
  return (w - 1u) / 2;
}

Paragraph ReadDisplay(const View& link1, const View& link2, std::uint32_t& text_length) {
  std::size_t at = 0;
  const std::size_t topic_size = CompressedLong(link1, at);
  text_length = static_cast<std::uint32_t>(CompressedShort(link1, at));
  Require(topic_size == link2.size() && text_length == link2.size(), "TopicSize/TopicLength differ from LinkData2");
  Require(link1.U8(at) == 0x00 && link1.U8(at + 1) == 0x80, "display record marker bytes");
  Require(link1.U16(at + 2) == 0 && link1.U16(at + 4) == 0, "display record id or paragraph bits");
  at += 6;
  Paragraph p;
  std::size_t s = 0;
  bool font_seen = false, ended = false, in_link = false;
  while (!ended) {
    const std::string text = link2.CString(s, link2.size());
    const std::uint8_t cmd = link1.U8(at++);
    p.text += text;
    switch (cmd) {
      case 0x80:
        Require(!font_seen, "second font command");
        p.font = link1.U16(at);
        at += 2;
        font_seen = true;
        break;
      case 0xE3:
        Require(!in_link, "link inside a link");
        p.links.push_back(Link{link1.U32(at), ""});
        at += 4;
        in_link = true;
        break;
      case 0x89:
        Require(in_link, "end of link without a link");
        p.links.back().text = text;
        in_link = false;
        break;
      case 0x82: break;
      case 0xFF: ended = true; break;
      default: throw ReadError("unknown command " + std::to_string(cmd));
    }
  }
  Require(font_seen && !in_link, "paragraph without font or with an open link");
  Require(at == link1.size() && s == link2.size(), "bytes left after the end command");
  return p;
}

void ReadTopics(const View& f, HelpFile& out) {
  Require(f.size() % 4096 == 0 && f.size() > 0, "|TOPIC is not whole 4 KB blocks");
  out.topic_blocks = f.size() / 4096;
  std::uint32_t pos = 12, prev = kNone, last_header = kNone;
  std::size_t expected_block = 0;  // the next block whose header is still to be checked
  std::uint32_t counted = 0;       // display text before the current record in its block
  std::size_t current_block = 0;
  Topic* topic = nullptr;
  std::set<std::uint32_t> seen;
  while (pos != kNone) {
    Require(seen.insert(pos).second, "record chain loops");
    const std::size_t block = pos / 0x4000, in_block = pos % 0x4000;
    Require(block < out.topic_blocks && in_block >= 12 && in_block < 4096, "TOPICPOS outside the blocks");
    if (block != current_block) {
      Require(block > current_block, "records go backwards");
      current_block = block;
      counted = 0;
    }
    while (expected_block <= block) {  // every block up to this one must announce its first record
      const View bh = f.Sub(expected_block * 4096, 12);
      if (expected_block == block) {
        Require(bh.U32(0) == prev && bh.U32(4) == pos && bh.U32(8) == last_header, "block header");
      }
      ++expected_block;
    }
    const View head = f.Sub(block * 4096 + in_block, 21);
    const std::uint32_t size = head.U32(0), len2 = head.U32(4), len1 = head.U32(16);
    Require(in_block + size <= 4096, "record crosses a block boundary");
    Require(size == len1 + len2 && len1 >= 21, "record lengths");
    Require(head.U32(8) == prev, "previous-record link");
    const std::uint8_t type = head.U8(20);
    const View rec = f.Sub(block * 4096 + in_block, size);
    const View link1 = rec.Sub(21, len1 - 21), link2 = rec.Sub(len1, len2);
    if (type == 2) {
      Require(link1.size() == 28, "topic header LinkData1 size");
      out.topics.emplace_back();
      topic = &out.topics.back();
      std::size_t s = 0;
      topic->title = link2.CString(s, link2.size());
      Require(s == link2.size(), "bytes after the topic title");
      topic->offset = static_cast<std::uint32_t>(block * 0x8000) + counted;
      topic->header_pos = pos;
      topic->declared_bytes = link1.U32(0);
      topic->browse_back = link1.U32(4);
      topic->browse_forward = link1.U32(8);
      topic->number = link1.U32(12);
      Require(link1.U32(16) == kNone, "non-scrolling region");
      topic->scroll = link1.U32(20);
      topic->next_header = link1.U32(24);
      last_header = pos;
    } else {
      Require(type == 0x20, "unknown record type " + std::to_string(type));
      Require(topic != nullptr, "text before the first topic header");
      std::uint32_t text_length = 0;
      Paragraph p = ReadDisplay(link1, link2, text_length);
      p.block = block;
      counted += text_length;
      if (topic->first_text_pos == kNone) topic->first_text_pos = pos;
      if (!p.text.empty()) topic->paragraphs.push_back(std::move(p));
    }
    topic->counted_bytes += size;
    if (topic->blocks.empty() || topic->blocks.back() != block) topic->blocks.push_back(block);
    prev = pos;
    pos = head.U32(12);
  }
  Require(expected_block == out.topic_blocks, "a block holds no record");
}

}  // namespace

std::uint32_t ReferenceHash(std::string_view id) {
  std::uint32_t h = 0;
  for (const char c : id) {
    std::uint32_t v;
    if (c >= 'a' && c <= 'z')
      v = 17u + static_cast<std::uint32_t>(c - 'a');
    else if (c >= 'A' && c <= 'Z')
      v = 17u + static_cast<std::uint32_t>(c - 'A');
    else if (c == '0')
      v = 10;
    else if (c >= '1' && c <= '9')
      v = static_cast<std::uint32_t>(c - '0');
    else if (c == '.')
      v = 12;
    else if (c == '_')
      v = 13;
    else
      throw ReadError("character outside context IDs");
    h = h * 43u + v;
  }
  return h;
}

const Topic* HelpFile::TopicForHash(std::uint32_t hash) const {
  for (const auto& [h, offset] : context) {
    if (h != hash) continue;
    for (const Topic& t : topics) {
      if (t.offset == offset) return &t;
    }
  }
  return nullptr;
}

HelpFile ReadHelpFile(const std::vector<std::uint8_t>& bytes) {
  HelpFile out;
  const View header(bytes, 0, 16);
  Require(header.U32(0) == 0x00035F3F, "file magic");
  Require(header.U32(8) == kNone, "first free block");
  Require(header.U32(12) == bytes.size(), "file size in the header");

  const View dir = InternalFile(bytes, header.U32(4));
  const auto [page, count] = LeafPage(dir, 0x0402, 0x400, "z4");
  std::map<std::string, std::uint32_t> files;
  std::size_t at = 8;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::string name = page.CString(at, page.size());
    files[name] = page.U32(at);
    at += 4;
    out.directory.push_back(name);
  }
  Require(page.U16(0) == page.size() - at, "unused-bytes count of the directory page");
  for (const char* required : {"|SYSTEM", "|FONT", "|CONTEXT", "|TOPIC"}) {
    Require(files.count(required) == 1, std::string("missing ") + required);
  }

  const View sys = InternalFile(bytes, files["|SYSTEM"]);
  Require(sys.U16(0) == 0x036C && sys.U16(2) == 21 && sys.U16(4) == 1 && sys.U16(10) == 0, "|SYSTEM header");
  for (std::size_t r = 12; r < sys.size();) {
    const std::uint16_t type = sys.U16(r), size = sys.U16(r + 2);
    const View data = sys.Sub(r + 4, size);
    if (type == 1) {
      std::size_t s = 0;
      out.title = data.CString(s, data.size());
      Require(s == data.size(), "title record size");
    } else if (type == 3) {
      Require(size == 4, "contents record size");
      out.contents_offset = data.U32(0);
    }
    r += 4u + size;
  }

  const View font = InternalFile(bytes, files["|FONT"]);
  const std::uint16_t faces = font.U16(0), descriptors = font.U16(2);
  for (std::uint16_t i = 0; i < faces; ++i) {
    std::size_t s = font.U16(4) + 20u * i;
    out.faces.push_back(font.CString(s, font.U16(4) + 20u * (i + 1)));
  }
  for (std::uint16_t i = 0; i < descriptors; ++i) {
    const std::size_t d = font.U16(6) + 11u * i;
    out.fonts.push_back(Font{font.U8(d), font.U8(d + 1), font.U8(d + 2), font.U16(d + 3)});
    Require(out.fonts.back().face < faces, "font descriptor names a missing face");
  }

  const View ctx = InternalFile(bytes, files["|CONTEXT"]);
  const auto [cpage, ccount] = LeafPage(ctx, 0x0002, 0x800, "L4");
  Require(cpage.U16(0) == 0x800 - 8 - 8u * ccount, "unused-bytes count of the context page");
  for (std::uint16_t i = 0; i < ccount; ++i) out.context.emplace_back(cpage.U32(8 + 8u * i), cpage.U32(12 + 8u * i));

  ReadTopics(InternalFile(bytes, files["|TOPIC"]), out);
  return out;
}

}  // namespace helptest
