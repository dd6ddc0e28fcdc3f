// Any bytes given to the database reader: no crash, no sanitizer report, and
// whatever it loads saves and loads back to the same Entries, cleanly.
#include "database/db_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ParsedDatabase first = ParseDatabase(bytes);
  const ReadReport& report = first.report;
  Require(report.consumed_bytes + report.unread_bytes == size);
  Require(report.cut_fields <= first.entries.size() * kColumnCount);
  for (const Entry& entry : first.entries) {
    for (int column = 0; column < kColumnCount; ++column) {
      const std::string& cell = FieldOf(entry, column);
      Require(cell.size() == kFieldWidth && cell.back() == ' ');
      Require(!ContainsFieldSeparator(cell) && cell.find('\0') == std::string::npos);
    }
  }

  std::string saved;
  const WriteStatus status = SerializeDatabase(first.entries, &saved);
  if (first.entries.empty()) {
    Require(status == WriteStatus::kNothingToWrite && saved.empty());
    return 0;
  }
  Require(status == WriteStatus::kOk);
  Require(saved.size() == first.entries.size() * kFileEntryBytes + 1);

  const ParsedDatabase second = ParseDatabase(saved);
  Require(second.entries == first.entries);
  Require(second.report.clean() && second.report.consumed_bytes == saved.size());

  // A clean input whose fields are all full width is reproduced byte for byte.
  std::string again;
  Require(SerializeDatabase(second.entries, &again) == WriteStatus::kOk && again == saved);
  if (report.clean() && size == saved.size()) Require(saved == bytes);
  return 0;
}
