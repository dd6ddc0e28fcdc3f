// The "Save File As" dialog shared by Save (a batch) and Save All (the
// database): one file-name buffer, so a name chosen in either is offered
// in both; and writing the chosen file without ever losing the old one.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

namespace orvanta {

// Filter lists, each "description\0pattern\0...\0\0".
extern const wchar_t kBatchSaveFilters[];
extern const wchar_t kDatabaseSaveFilters[];

// Shows the Save dialog; false when the user cancels. The chosen name is
// left in the shared file-name buffer and returned in `path`.
bool AskSaveFileName(HWND owner, const wchar_t* filters, std::filesystem::path* path);

// Writes `data` to `path` through the safe-write helper; a failure is
// reported in a message box that names the file. Returns success.
bool WriteFileOrReport(HWND owner, const std::filesystem::path& path, std::string_view data);

}  // namespace orvanta
