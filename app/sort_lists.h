// The Ascending and Descending lists of the Generate command, kept by the
// program: every password of the batches since the last Generate, ordered on
// demand by the platform's text comparison.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace orvanta {

class WinSortLists final : public SortLists {
 public:
  void Insert(std::string_view password) override;
  void Clear() { passwords_.clear(); }
  size_t size() const { return passwords_.size(); }

  // The passwords in list order, each followed by the line end; empty when
  // the lists are empty.
  std::string AscendingText() const;
  std::string DescendingText() const;

 private:
  std::string Ordered(bool ascending) const;
  std::vector<std::wstring> passwords_;  // in insertion order
};

}  // namespace orvanta
