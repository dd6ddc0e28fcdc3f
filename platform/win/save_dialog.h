// The "Save File As" dialog shared by Save (a batch) and Save All (the
// database): one file-name buffer, so a name chosen in either is offered
// in both; and writing the chosen file without ever losing the old one.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvanta {

// Filter lists, each "description\0pattern\0...\0\0".
extern const char kBatchSaveFilters[];
extern const char kDatabaseSaveFilters[];

// Shows the Save dialog; false when the user cancels. The chosen name is
// left in the shared file-name buffer and returned in `path`.
bool AskSaveFileName(HWND owner, const char* filters, std::string* path);

// Writes `data` to `path` through the safe-write helper; a failure is
// reported in a message box that names the file. Returns success.
bool WriteFileOrReport(HWND owner, const std::string& path, std::string_view data);

}  // namespace orvanta
