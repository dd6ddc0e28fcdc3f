#include "database/win/database_export.h"

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win/output_view.h"
#include "platform/win/save_dialog.h"
#include "database/db_text.h"
#include "database/win/database_window.h"
#include "platform/win/print_pages.h"
#include "resources/resource.h"

namespace orvanta {

// Both take what they need from the record before their first dialog: the
// window may be closed while a dialog is open, and its record with it.

// Every filter writes the same plain text; the name alone decides the file.
void ExportDatabase(const DatabaseWindow& db) {
  HWND window = db.window;
  const std::string text = BuildDatabaseText(ListEntries(db));
  std::filesystem::path path;
  if (!AskSaveFileName(window, kDatabaseSaveFilters, &path)) return;
  WriteFileOrReport(window, path, text);
}

void PrintDatabase(const DatabaseWindow& db) {
  HWND window = db.window;
  const std::vector<Entry> entries = ListEntries(db);
  // A fresh control takes a large text at once; emptying the old one would not.
  ReplaceEditorText(GetDlgItem(window, IDC_DB_PRINT_EDITOR), BuildDatabaseText(entries));
  // The Print editor's own layout would wrap the long lines in its
  // proportional font and push the columns apart: on paper each Entry keeps
  // one line, in a fixed-pitch face sized to fit.
  if (HDC printer = AskPrinter(window)) {
    std::string paper = DatabaseTextForPaper(entries);
    const long length = static_cast<long>(paper.size());
    PrintJob(printer, window, "Orvanta", length, FixedColumnsStep(std::move(paper)), nullptr);
  }
  // Done with it: no password stays behind in a hidden control.
  ReplaceEditorText(GetDlgItem(window, IDC_DB_PRINT_EDITOR), "");
}

}  // namespace orvanta
