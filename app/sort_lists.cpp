#include "app/sort_lists.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace orvanta {

void WinSortLists::Clear() {
  characters_.clear();
  starts_.clear();
}

void WinSortLists::Insert(std::string_view password) {
  // Kept wide so ordering does not convert every password at every comparison.
  const size_t start = characters_.size();
  characters_.resize(start + password.size());
  int n = MultiByteToWideChar(CP_ACP, 0, password.data(), static_cast<int>(password.size()), characters_.data() + start,
                              static_cast<int>(password.size()));
  characters_.resize(start + (n > 0 ? static_cast<size_t>(n) : 0));
  starts_.push_back(start);
}

std::wstring_view WinSortLists::Password(size_t i) const {
  const size_t end = i + 1 < starts_.size() ? starts_[i + 1] : characters_.size();
  return std::wstring_view(characters_).substr(starts_[i], end - starts_[i]);
}

std::string WinSortLists::AscendingText() const { return Ordered(true); }
std::string WinSortLists::DescendingText() const { return Ordered(false); }

std::string WinSortLists::Ordered(bool ascending) const {
  // A sorted list view puts a new item before the equal ones it already
  // holds: start from the newest and keep equal items in that order.
  std::vector<size_t> order(starts_.size());
  std::iota(order.rbegin(), order.rend(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const std::wstring_view x = Password(a), y = Password(b);
    int c = CompareStringW(LOCALE_USER_DEFAULT, 0, x.data(), static_cast<int>(x.size()), y.data(),
                           static_cast<int>(y.size()));
    return ascending ? c == CSTR_LESS_THAN : c == CSTR_GREATER_THAN;
  });
  std::string text;
  text.reserve(characters_.size() + order.size() * kLineEnd.size());
  for (size_t i : order) {
    const std::wstring_view w = Password(i);
    char narrow[256];
    int n =
        WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), narrow, sizeof narrow, nullptr, nullptr);
    text.append(narrow, n > 0 ? static_cast<size_t>(n) : 0);
    text.append(kLineEnd);
  }
  return text;
}

}  // namespace orvanta
