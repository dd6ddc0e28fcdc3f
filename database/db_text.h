// The Database text that Save All writes and Print All prints: per Entry,
// each column the first 49 characters of its cell text followed by two
// spaces, and after the Comments column "\r\n \r\n ". Every Entry adds
// exactly 210 characters; an empty list gives an empty text.
#pragma once

#include "database/entry.h"

#include <cstddef>
#include <span>
#include <string>

namespace orvanta {

inline constexpr std::size_t kTextColumnWidth = 49;
inline constexpr std::string_view kTextColumnGap = "  ";
inline constexpr std::string_view kTextEntryEnd = "\r\n \r\n ";
inline constexpr std::size_t kTextEntryBytes =
    kColumnCount * (kTextColumnWidth + kTextColumnGap.size()) + kTextEntryEnd.size();  // 210

std::string BuildDatabaseText(std::span<const Entry> entries);

// The Database text as Print All puts it on paper: the same lines without
// the blank that begins every line after the first, so that on the page
// every Entry's columns start where the first Entry's do.
std::string DatabaseTextForPaper(std::span<const Entry> entries);

}  // namespace orvanta
