// The Item Data dialog (IDD_DIALOG2): one new Entry, appended at the end of
// the open database window's list.
#pragma once

#include <windows.h>

namespace orvanta {

// Modal, owned by `owner` (the database window), which cannot be used
// while it is open.
void RunItemDataDialog(HWND owner);

}  // namespace orvanta
