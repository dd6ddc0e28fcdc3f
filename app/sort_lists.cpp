#include "app/sort_lists.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace orvanta {

void WinSortLists::Insert(std::string_view password) {
  // Kept wide so ordering does not convert every password at every comparison.
  std::wstring wide(password.size(), L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, password.data(), static_cast<int>(password.size()), wide.data(),
                              static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
  passwords_.push_back(std::move(wide));
}

std::string WinSortLists::AscendingText() const { return Ordered(true); }
std::string WinSortLists::DescendingText() const { return Ordered(false); }

std::string WinSortLists::Ordered(bool ascending) const {
  // A sorted list view puts a new item before the equal ones it already
  // holds: start from the newest and keep equal items in that order.
  std::vector<size_t> order(passwords_.size());
  std::iota(order.rbegin(), order.rend(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const std::wstring& x = passwords_[a];
    const std::wstring& y = passwords_[b];
    int c = CompareStringW(LOCALE_USER_DEFAULT, 0, x.c_str(), static_cast<int>(x.size()), y.c_str(),
                           static_cast<int>(y.size()));
    return ascending ? c == CSTR_LESS_THAN : c == CSTR_GREATER_THAN;
  });
  std::string text;
  for (size_t i : order) {
    const std::wstring& w = passwords_[i];
    char narrow[256];
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), narrow, sizeof narrow,
                                nullptr, nullptr);
    text.append(narrow, n > 0 ? static_cast<size_t>(n) : 0);
    text.append(kLineEnd);
  }
  return text;
}

}  // namespace orvanta
