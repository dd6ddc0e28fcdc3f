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
  void Clear();
  size_t size() const { return starts_.size(); }

  // The passwords in list order, each followed by the line end; empty when
  // the lists are empty.
  std::string AscendingText() const;
  std::string DescendingText() const;

 private:
  std::string Ordered(bool ascending) const;
  std::wstring_view Password(size_t i) const;
  // Every password, wide, back to back in insertion order, and where each
  // one starts. Two growing blocks instead of one per password: thousands of
  // small blocks that live between batches would split the heap that the
  // rich edit controls take their memory from, and under Wine every later
  // large batch then pays for walking the fragments.
  std::wstring characters_;
  std::vector<size_t> starts_;
};

}  // namespace orvanta
