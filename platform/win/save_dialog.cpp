#include "platform/win/save_dialog.h"

#include <commdlg.h>

#include "platform/safe_write.h"
#include "platform/win/messages.h"

namespace orvanta {

const char kBatchSaveFilters[] =
    " Microsoft Excel  *.xls\0*.xls\0"
    "Text Files  *.txt\0*.txt\0"
    " Microsoft Works spreadsheet file *.wks\0*.wks\0"
    "Text Files  *.rtf\0*.rtf\0"
    "All Files\0*.*\0";

const char kDatabaseSaveFilters[] =
    "Text Files  *.txt\0*.txt\0"
    " Microsoft Excel  *.xls\0*.xls\0"
    " Microsoft Works spreadsheet file *.wks\0*.wks\0"
    "Text Files  *.rtf\0*.rtf\0"
    "All Files\0*.*\0";

namespace {

// Offered by both Save dialogs, for the whole run of the program.
char g_fileName[256] = "";

}  // namespace

bool AskSaveFileName(HWND owner, const char* filters, std::string* path) {
  char* fileName = g_fileName;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filters;
  ofn.lpstrFile = fileName;
  ofn.nMaxFile = sizeof g_fileName;
  ofn.lpstrTitle = "Save File As";
  ofn.Flags = OFN_OVERWRITEPROMPT;
  ofn.lpstrDefExt = " ";
  if (!GetSaveFileNameA(&ofn)) return false;
  *path = fileName;
  return true;
}

bool WriteFileOrReport(HWND owner, const std::string& path, std::string_view data) {
  std::string error;
  if (SafeWriteFile(path, data, &error)) return true;
  ShowFailure(owner, "The file \"" + path + "\" could not be saved.\n\n" + error +
                         "\n\nIts earlier content, if any, is unchanged.");
  return false;
}

}  // namespace orvanta
