// Entries for the database tests, and readable failure messages for them.
#pragma once

#include <ostream>
#include <vector>

#include "database/db_file.h"
#include "database/entry.h"

namespace orvanta {

// The four cells without their padding.
inline void PrintTo(const Entry& e, std::ostream* os) {
  *os << "{" << TrimTrailingSpaces(e.password) << "|" << TrimTrailingSpaces(e.login) << "|" << TrimTrailingSpaces(e.url)
      << "|" << TrimTrailingSpaces(e.comments) << "}";
}

// One Entry with every field, one with only a Password, one with blanks inside.
inline std::vector<Entry> ThreeEntries() {
  return {MakeEntry("k7Vq2mXa", "alice", "https://mail.example.org", "work mail"), MakeEntry("93814027", "", "", ""),
          MakeEntry("Zr!8 #qT", "bob.smith", "ftp://files.example.net/upload", "shared  folder ")};
}

}  // namespace orvanta
