#include "database/win/database_export.h"

#include <string>

#include "app/output_view.h"
#include "app/save_dialog.h"
#include "database/db_text.h"
#include "database/win/database_window.h"
#include "platform/win/print_pages.h"

namespace orvanta {

// Every filter writes the same plain text; the name alone decides the file.
void ExportDatabase() {
  DatabaseWindow& db = Database();
  std::string path;
  if (!AskSaveFileName(db.window, kDatabaseSaveFilters, &path)) return;
  WriteFileOrReport(db.window, path, BuildDatabaseText(ListEntries()));
}

void PrintDatabase() {
  DatabaseWindow& db = Database();
  // A fresh control takes a large text at once; emptying the old one would not.
  db.printEditor = ReplaceEditorText(db.printEditor, BuildDatabaseText(ListEntries()));
  PrintEditorText(db.window, db.printEditor, "Orvanta");
}

}  // namespace orvanta
