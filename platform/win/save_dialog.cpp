#include "platform/win/save_dialog.h"

#include <commdlg.h>

#include <iterator>
#include <string>

#include "platform/safe_write.h"
#include "platform/utf8_text.h"
#include "platform/win/messages.h"

namespace orvanta {

const wchar_t kBatchSaveFilters[] =
    L" Microsoft Excel  *.xls\0*.xls\0"
    L"Text Files  *.txt\0*.txt\0"
    L" Microsoft Works spreadsheet file *.wks\0*.wks\0"
    L"Text Files  *.rtf\0*.rtf\0"
    L"All Files\0*.*\0";

const wchar_t kDatabaseSaveFilters[] =
    L"Text Files  *.txt\0*.txt\0"
    L" Microsoft Excel  *.xls\0*.xls\0"
    L" Microsoft Works spreadsheet file *.wks\0*.wks\0"
    L"Text Files  *.rtf\0*.rtf\0"
    L"All Files\0*.*\0";

namespace {

// Offered by both Save dialogs, for the whole run of the program. Wide, so
// that a name with letters outside the system's code page survives.
wchar_t g_fileName[256] = L"";

}  // namespace

bool AskSaveFileName(HWND owner, const wchar_t* filters, std::filesystem::path* path) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filters;
  ofn.lpstrFile = g_fileName;
  ofn.nMaxFile = static_cast<DWORD>(std::size(g_fileName));  // characters, not bytes
  ofn.lpstrTitle = L"Save File As";
  ofn.Flags = OFN_OVERWRITEPROMPT;
  ofn.lpstrDefExt = L" ";
  if (!GetSaveFileNameW(&ofn)) return false;
  *path = g_fileName;
  return true;
}

bool WriteFileOrReport(HWND owner, const std::filesystem::path& path, std::string_view data) {
  std::string error;
  if (SafeWriteFile(path, data, &error)) return true;
  ShowFailure(owner, "The file \"" + PathText(path) + "\" could not be saved.\n\n" + error +
                         "\n\nIts earlier content, if any, is unchanged.");
  return false;
}

}  // namespace orvanta
