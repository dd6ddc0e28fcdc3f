// Save All and Print All: every Entry as the fixed-column Database text.
#pragma once

namespace orvanta {

struct DatabaseWindow;

void ExportDatabase(const DatabaseWindow& db);
void PrintDatabase(const DatabaseWindow& db);

}  // namespace orvanta
