// hlpbuild SOURCE.txt OUT.hlp: builds the help file from its plain-text source.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/hlpbuild/help_source.h"
#include "tools/hlpbuild/hlp_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: hlpbuild SOURCE.txt OUT.hlp\n";
    return 2;
  }
  const std::string source_path = argv[1];
  const std::string out_path = argv[2];
  std::ifstream in(source_path, std::ios::binary);
  if (!in) {
    std::cerr << source_path << ": cannot be read\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::uint8_t> bytes;
  try {
    bytes = orvanta::hlp::BuildHelpFile(orvanta::hlp::ParseHelpSource(text.str()));
  } catch (const std::exception& e) {
    std::cerr << source_path << ": " << e.what() << "\n";
    return 1;
  }
  // Written beside the target and renamed, so a failed build never leaves a half-written help file.
  const std::string temp_path = out_path + ".tmp";
  {
    std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << temp_path << ": cannot be written\n";
      std::remove(temp_path.c_str());
      return 1;
    }
  }
  std::remove(out_path.c_str());
  if (std::rename(temp_path.c_str(), out_path.c_str()) != 0) {
    std::cerr << out_path << ": cannot be replaced\n";
    std::remove(temp_path.c_str());
    return 1;
  }
  return 0;
}
