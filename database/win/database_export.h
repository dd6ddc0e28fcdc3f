// Save All and Print All: every Entry as the fixed-column Database text.
#pragma once

namespace orvanta {

void ExportDatabase();
void PrintDatabase();

}  // namespace orvanta
