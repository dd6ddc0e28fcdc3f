// The Item Data dialog (IDD_DIALOG2): one new Entry, appended at the end of
// the open database window's list.
#pragma once

namespace orvanta {

void RunItemDataDialog();

}  // namespace orvanta
