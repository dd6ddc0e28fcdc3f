// An independent reader of uncompressed WinHelp 3.1 files, written from the format notes
// alone, so that the tests check the writer against a second reading of the format.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace helptest {

// A whole file's bytes; empty (and a failed expectation) when it cannot be read.
std::string ReadTextFile(const char* path);

class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Link {
  std::uint32_t hash = 0;
  std::string text;
};

struct Paragraph {
  std::uint16_t font = 0;
  std::string text;  // all strings of the record joined, link texts included
  std::vector<Link> links;
  std::size_t block = 0;
};

struct Topic {
  std::string title;
  std::uint32_t offset = 0;  // TOPICOFFSET as computed from the records
  std::uint32_t header_pos = 0;
  std::uint32_t number = 0;
  std::uint32_t browse_back = 0, browse_forward = 0;
  std::uint32_t scroll = 0, next_header = 0, declared_bytes = 0;
  std::uint32_t counted_bytes = 0;  // sum of the record sizes actually found
  std::uint32_t first_text_pos = 0xFFFFFFFFu;
  std::vector<Paragraph> paragraphs;  // empty spacer paragraphs left out
  std::vector<std::size_t> blocks;    // blocks holding its records, in order, no repeats
};

struct Font {
  std::uint8_t attributes = 0, half_points = 0, family = 0;
  std::uint16_t face = 0;
};

struct HelpFile {
  std::vector<std::string> directory;  // file names in directory order
  std::string title;
  std::optional<std::uint32_t> contents_offset;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> context;  // (hash, TOPICOFFSET) in file order
  std::vector<std::string> faces;
  std::vector<Font> fonts;
  std::size_t topic_blocks = 0;
  std::vector<Topic> topics;

  // The topic whose context hash is hash, or nullptr.
  const Topic* TopicForHash(std::uint32_t hash) const;
};

// Decodes and checks the whole structure; throws ReadError naming the first inconsistency.
HelpFile ReadHelpFile(const std::vector<std::uint8_t>& bytes);

// The context-ID hash, computed here from the format notes.
std::uint32_t ReferenceHash(std::string_view id);

}  // namespace helptest
