// Writer of uncompressed WinHelp 3.1 files (minor version 21: 4 KB topic blocks, no LZ77, no phrases).
//
// File: 16-byte header, then the internal files |SYSTEM, |FONT, |CONTEXT, |TOPIC, each behind a 9-byte
// file header, then the directory (a one-page B+ tree of file names). Each topic is one topic-header
// record followed by one display record per paragraph; a record never crosses a 4 KB block, because the
// viewer reads records block by block.
#include "tools/hlpbuild/hlp_writer.h"

#include "tools/hlpbuild/hlp_container.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace orvanta::hlp {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::size_t kBlockDataSize = kBlockSize - kBlockHeaderSize;
constexpr std::size_t kLinkHeaderSize = 21;
constexpr std::size_t kContextPageSize = 0x800;

// Font 0 is the body text, font 1 the heading that opens every topic.
constexpr std::uint8_t kBodyFont = 0;
constexpr std::uint8_t kHeadingFont = 1;

// One record of the |TOPIC stream. The topic header's LinkData1 is filled in after placement.
struct Record {
  std::uint8_t type = 0;  // 2 topic header, 0x20 display text
  std::size_t topic = 0;
  std::vector<std::uint8_t> link1;
  std::vector<std::uint8_t> link2;
  std::uint32_t topic_length = 0;  // display records: counts toward TOPICOFFSET
  std::size_t block = 0;
  std::size_t offset = 0;  // within the block's data area
  std::size_t size() const { return kLinkHeaderSize + link1.size() + link2.size(); }
  std::uint32_t pos() const { return static_cast<std::uint32_t>(kBlockHeaderSize + block * 0x4000 + offset); }
};

void CompressedLong(Bytes& b, std::size_t v) {
  if (v >= 0x4000) throw HelpLayoutError("paragraph too long for one record");
  b.U16(static_cast<std::uint32_t>(2 * v + 0x8000));
}

void CompressedShort(Bytes& b, std::size_t v) {
  if (v < 128) {
    b.U8(static_cast<std::uint32_t>(2 * v));
  } else if (v < 0x8000) {
    b.U16(static_cast<std::uint32_t>(2 * v + 1));
  } else {
    throw HelpLayoutError("paragraph too long for one record");
  }
}

void CheckText(const std::string& s) {
  if (s.find('\0') != std::string::npos) throw HelpLayoutError("text holds a NUL character");
}

// A display record: LinkData2 holds one NUL-terminated string in front of every command.
class ParagraphBuilder {
 public:
  explicit ParagraphBuilder(std::uint8_t font) { Command("", {0x80, font, 0x00}); }
  void Command(const std::string& text, std::vector<std::uint8_t> cmd) {
    CheckText(text);
    strings_.CString(text);
    commands_.insert(commands_.end(), cmd.begin(), cmd.end());
  }
  Record Finish(const std::string& pending, std::size_t topic) {
    Command(pending, {0x82});
    Command("", {0xFF});
    Record r;
    r.type = 0x20;
    r.topic = topic;
    Bytes link1;
    CompressedLong(link1, strings_.size());
    CompressedShort(link1, strings_.size());
    link1.U8(0x00);
    link1.U8(0x80);
    link1.U16(0);  // id
    link1.U16(0);  // paragraph bits: left-aligned, no optional fields
    link1.Append(commands_);
    r.link1 = std::move(link1.data());
    r.link2 = std::move(strings_.data());
    r.topic_length = static_cast<std::uint32_t>(r.link2.size());
    if (r.size() > kBlockDataSize) throw HelpLayoutError("a paragraph is too long for one topic block");
    return r;
  }

 private:
  Bytes strings_;
  std::vector<std::uint8_t> commands_;
};

Record TextParagraph(const HelpParagraph& p, std::size_t topic, const std::map<std::string, std::uint32_t>& hashes) {
  ParagraphBuilder b(kBodyFont);
  std::string pending;
  for (const HelpRun& run : p.runs) {
    if (run.target.empty()) {
      pending += run.text;
      continue;
    }
    const auto it = hashes.find(run.target);
    if (it == hashes.end()) throw HelpLayoutError("link to unknown topic '" + run.target + "'");
    const std::uint32_t h = it->second;
    b.Command(pending, {0xE3, static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(h >> 8),
                        static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 24)});
    b.Command(run.text, {0x89});
    pending.clear();
  }
  return b.Finish(pending, topic);
}

Record PlainParagraph(const std::string& text, std::uint8_t font, std::size_t topic) {
  return ParagraphBuilder(font).Finish(text, topic);
}

// Every topic: its header record, the title as a heading, then its paragraphs with an empty
// paragraph in front of each (paragraphs carry no spacing of their own); list items that follow
// each other stand without a gap.
std::vector<Record> MakeRecords(const HelpSource& source, const std::map<std::string, std::uint32_t>& hashes) {
  std::vector<Record> records;
  for (std::size_t t = 0; t < source.topics.size(); ++t) {
    const HelpTopic& topic = source.topics[t];
    CheckText(topic.title);
    Record header;
    header.type = 2;
    header.topic = t;
    header.link1.assign(28, 0);
    header.link2.assign(topic.title.begin(), topic.title.end());
    header.link2.push_back(0);
    records.push_back(std::move(header));
    records.push_back(PlainParagraph(topic.title, kHeadingFont, t));
    const HelpParagraph* previous = nullptr;
    for (const HelpParagraph& p : topic.paragraphs) {
      if (!(p.list_item && previous && previous->list_item)) records.push_back(PlainParagraph("", kBodyFont, t));
      records.push_back(TextParagraph(p, t, hashes));
      previous = &p;
    }
  }
  return records;
}

// Places the records block by block; returns the number of blocks.
std::size_t Place(std::vector<Record>& records) {
  std::size_t block = 0;
  std::size_t offset = 0;
  for (Record& r : records) {
    if (offset + r.size() > kBlockDataSize) {
      ++block;
      offset = 0;
    }
    r.block = block;
    r.offset = offset;
    offset += r.size();
  }
  return block + 1;
}

void PutU32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}

// The topic offsets (block * 0x8000 + text counted before the header in its block) of each topic.
std::vector<std::uint32_t> TopicOffsets(const std::vector<Record>& records, std::size_t topics) {
  std::vector<std::uint32_t> offsets(topics, 0);
  std::size_t block = 0;
  std::uint32_t counted = 0;
  for (const Record& r : records) {
    if (r.block != block) {
      block = r.block;
      counted = 0;
    }
    if (r.type == 2) offsets[r.topic] = static_cast<std::uint32_t>(block * 0x8000) + counted;
    counted += r.topic_length;
  }
  return offsets;
}

void FillTopicHeaders(std::vector<Record>& records, const std::vector<std::uint32_t>& offsets) {
  const std::size_t topics = offsets.size();
  std::vector<std::uint32_t> bytes(topics, 0), first_text(topics, kNone), header_pos(topics, kNone);
  for (const Record& r : records) {
    bytes[r.topic] += static_cast<std::uint32_t>(r.size());
    if (r.type == 2) header_pos[r.topic] = r.pos();
    if (r.type == 0x20 && first_text[r.topic] == kNone) first_text[r.topic] = r.pos();
  }
  for (Record& r : records) {
    if (r.type != 2) continue;
    const std::size_t t = r.topic;
    PutU32(r.link1, 0, bytes[t]);
    PutU32(r.link1, 4, t > 0 ? offsets[t - 1] : kNone);           // browse back
    PutU32(r.link1, 8, t + 1 < topics ? offsets[t + 1] : kNone);  // browse forward
    PutU32(r.link1, 12, static_cast<std::uint32_t>(t));
    PutU32(r.link1, 16, kNone);  // no non-scrolling region
    PutU32(r.link1, 20, first_text[t]);
    PutU32(r.link1, 24, t + 1 < topics ? header_pos[t + 1] : kNone);
  }
}

std::vector<std::uint8_t> TopicFile(const std::vector<Record>& records, std::size_t blocks) {
  std::vector<std::uint8_t> out(blocks * kBlockSize, 0);
  std::uint32_t last_link = kNone;
  std::uint32_t last_header = kNone;
  std::size_t next_block = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    if (r.block == next_block) {  // first record of its block: write the block header
      const std::size_t base = r.block * kBlockSize;
      PutU32(out, base, last_link);
      PutU32(out, base + 4, r.pos());
      PutU32(out, base + 8, last_header);
      ++next_block;
    }
    Bytes head;
    head.U32(static_cast<std::uint32_t>(r.size()));  // DataLen1 + DataLen2
    head.U32(static_cast<std::uint32_t>(r.link2.size()));
    head.U32(i > 0 ? records[i - 1].pos() : kNone);
    head.U32(i + 1 < records.size() ? records[i + 1].pos() : kNone);
    head.U32(static_cast<std::uint32_t>(kLinkHeaderSize + r.link1.size()));
    head.U8(r.type);
    std::size_t at = r.block * kBlockSize + kBlockHeaderSize + r.offset;
    for (const std::vector<std::uint8_t>* part : {&std::as_const(head.data()), &r.link1, &r.link2}) {
      std::copy(part->begin(), part->end(), out.begin() + static_cast<std::ptrdiff_t>(at));
      at += part->size();
    }
    last_link = r.pos();
    if (r.type == 2) last_header = r.pos();
  }
  return out;
}

std::vector<std::uint8_t> SystemFile(const HelpSource& source, std::uint32_t contents_offset) {
  CheckText(source.title);
  Bytes b;
  b.U16(0x036C);
  b.U16(21);
  b.U16(1);
  b.U32(0);
  b.U16(0);
  b.U16(1);  // title
  b.U16(static_cast<std::uint32_t>(source.title.size() + 1));
  b.CString(source.title);
  b.U16(3);  // contents topic
  b.U16(4);
  b.U32(contents_offset);
  return std::move(b.data());
}

std::vector<std::uint8_t> FontFile() {
  Bytes b;
  b.U16(1);   // face names
  b.U16(2);   // descriptors
  b.U16(8);   // face names offset
  b.U16(28);  // descriptors offset
  b.Text("Arial");
  b.Zeros(20 - 5);
  struct Face {
    std::uint8_t attributes, half_points;
  };
  for (const Face f : {Face{0, 20}, Face{1, 28}}) {  // body 10 pt; heading 14 pt bold
    b.U8(f.attributes);
    b.U8(f.half_points);
    b.U8(3);                          // swiss
    b.U16(0);                         // face name index
    b.U8(0), b.U8(0), b.U8(0);        // black text
    b.U8(255), b.U8(255), b.U8(255);  // white background
  }
  return std::move(b.data());
}

std::vector<std::uint8_t> ContextFile(const HelpSource& source, const std::map<std::string, std::uint32_t>& hashes,
                                      const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::int32_t, std::uint32_t>> entries;
  for (std::size_t t = 0; t < source.topics.size(); ++t) {
    entries.emplace_back(static_cast<std::int32_t>(hashes.at(source.topics[t].id)), offsets[t]);
  }
  // The viewer searches the hashes as signed numbers.
  std::sort(entries.begin(), entries.end());
  Bytes b;
  for (const auto& [hash, offset] : entries) {
    b.U32(static_cast<std::uint32_t>(hash));
    b.U32(offset);
  }
  return OnePageTree(0x0002, kContextPageSize, "L4", static_cast<std::uint32_t>(entries.size()), b.data());
}

// The viewer's value of one character of a context ID: a letter of either
// case 17 to 42, '1' to '9' their digit, '0' 10, '.' 12, '_' 13.
std::uint32_t CharacterValue(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A' + 17);
  if (c >= '1' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  switch (c) {
    case '0': return 10;
    case '.': return 12;
    case '_': return 13;
    default: return 0;
  }
}

}  // namespace

std::uint32_t ContextHash(std::string_view id) {
  std::uint32_t h = 0;
  for (char c : id) h = h * 43 + CharacterValue(c);
  return h;
}

std::vector<std::uint8_t> BuildHelpFile(const HelpSource& source) {
  if (source.topics.empty()) throw HelpLayoutError("no topics");
  std::map<std::string, std::uint32_t> hashes;
  std::map<std::uint32_t, std::string> owners;
  for (const HelpTopic& t : source.topics) {
    if (!IsValidContextId(t.id)) throw HelpLayoutError("bad context ID '" + t.id + "'");
    const std::uint32_t h = ContextHash(t.id);
    const auto [it, fresh] = owners.emplace(h, t.id);
    if (!fresh) throw HelpLayoutError("context IDs '" + it->second + "' and '" + t.id + "' have the same hash");
    hashes[t.id] = h;
  }
  const auto contents = hashes.find(source.contents_id);
  if (contents == hashes.end()) throw HelpLayoutError("no contents topic '" + source.contents_id + "'");

  std::vector<Record> records = MakeRecords(source, hashes);
  const std::size_t blocks = Place(records);
  const std::vector<std::uint32_t> offsets = TopicOffsets(records, source.topics.size());
  FillTopicHeaders(records, offsets);
  std::size_t contents_index = 0;
  while (source.topics[contents_index].id != source.contents_id) ++contents_index;

  std::map<std::string, std::vector<std::uint8_t>> files;  // ordered by name bytes, as the directory must be
  files["|SYSTEM"] = SystemFile(source, offsets[contents_index]);
  files["|FONT"] = FontFile();
  files["|CONTEXT"] = ContextFile(source, hashes, offsets);
  files["|TOPIC"] = TopicFile(records, blocks);

  return AssembleHelpFile(files);
}

}  // namespace orvanta::hlp
