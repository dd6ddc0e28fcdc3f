// hlpbuild SOURCE.txt OUT.hlp OUT.html: builds the help file and the help
// page from their one plain-text source.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/hlpbuild/help_source.h"
#include "tools/hlpbuild/hlp_writer.h"
#include "tools/hlpbuild/html_writer.h"

namespace {

// Written beside the target and renamed, so a failed build never leaves a
// half-written file.
bool WriteReplacing(const std::string& path, std::string_view bytes) {
  const std::string temp_path = path + ".tmp";
  {
    std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << temp_path << ": cannot be written\n";
      std::remove(temp_path.c_str());
      return false;
    }
  }
  std::remove(path.c_str());
  if (std::rename(temp_path.c_str(), path.c_str()) != 0) {
    std::cerr << path << ": cannot be replaced\n";
    std::remove(temp_path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: hlpbuild SOURCE.txt OUT.hlp OUT.html\n";
    return 2;
  }
  const std::string source_path = argv[1];
  std::ifstream in(source_path, std::ios::binary);
  if (!in) {
    std::cerr << source_path << ": cannot be read\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::uint8_t> file;
  std::string page;
  try {
    const orvanta::hlp::HelpSource source = orvanta::hlp::ParseHelpSource(text.str());
    file = orvanta::hlp::BuildHelpFile(source);
    page = orvanta::hlp::BuildHelpPage(source);
  } catch (const std::exception& e) {
    std::cerr << source_path << ": " << e.what() << "\n";
    return 1;
  }
  const std::string_view file_bytes(reinterpret_cast<const char*>(file.data()), file.size());
  return WriteReplacing(argv[2], file_bytes) && WriteReplacing(argv[3], page) ? 0 : 1;
}
