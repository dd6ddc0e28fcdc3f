#include "tools/hlpbuild/hlp_container.h"

#include "tools/hlpbuild/hlp_writer.h"

namespace orvanta::hlp {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
constexpr std::size_t kDirectoryPageSize = 0x400;

}  // namespace

std::vector<std::uint8_t> OnePageTree(std::uint16_t flags, std::size_t page_size, std::string_view structure,
                                      std::uint32_t entries, const std::vector<std::uint8_t>& entry_bytes) {
  if (entry_bytes.size() + 8 > page_size) throw HelpLayoutError("too many topics for one index page");
  Bytes b;
  b.U16(0x293B);
  b.U16(flags);
  b.U16(static_cast<std::uint32_t>(page_size));
  b.Text(structure);
  b.Zeros(16 - structure.size());
  b.U16(0);
  b.U16(0);  // page splits
  b.U16(0);  // root page
  b.U16(0xFFFF);
  b.U16(1);  // pages
  b.U16(1);  // levels
  b.U32(entries);
  b.U16(static_cast<std::uint32_t>(page_size - 8 - entry_bytes.size()));
  b.U16(entries);
  b.U16(0xFFFF);
  b.U16(0xFFFF);
  b.Append(entry_bytes);
  b.Zeros(page_size - 8 - entry_bytes.size());
  return std::move(b.data());
}

std::vector<std::uint8_t> AssembleHelpFile(const std::map<std::string, std::vector<std::uint8_t>>& files) {
  Bytes out;
  out.Zeros(16);
  Bytes dir_entries;
  for (const auto& [name, data] : files) {
    dir_entries.CString(name);
    dir_entries.U32(static_cast<std::uint32_t>(out.size()));
    out.U32(static_cast<std::uint32_t>(data.size() + 9));  // reserved space, this header included
    out.U32(static_cast<std::uint32_t>(data.size()));
    out.U8(4);
    out.Append(data);
  }
  const std::vector<std::uint8_t> directory =
      OnePageTree(0x0402, kDirectoryPageSize, "z4", static_cast<std::uint32_t>(files.size()), dir_entries.data());
  const std::size_t directory_at = out.size();
  out.U32(static_cast<std::uint32_t>(directory.size() + 9));
  out.U32(static_cast<std::uint32_t>(directory.size()));
  out.U8(4);
  out.Append(directory);
  out.Put32(0, 0x00035F3F);
  out.Put32(4, static_cast<std::uint32_t>(directory_at));
  out.Put32(8, kNone);
  out.Put32(12, static_cast<std::uint32_t>(out.size()));
  return std::move(out.data());
}

}  // namespace orvanta::hlp
