#include "database/win/item_data_dialog.h"

#include <string>

#include "database/win/database_window.h"
#include "platform/win/messages.h"
#include "platform/win/window_parts.h"
#include "resources/resource.h"

namespace orvanta {

namespace {

constexpr int kEdits[kColumnCount] = {IDC_ITEM_PASSWORD, IDC_ITEM_LOGIN, IDC_ITEM_URL, IDC_ITEM_COMMENTS};
constexpr const char* kFieldNames[kColumnCount] = {"Password", "Login", "URL", "Comments"};

// Keeps the dialog open, with everything typed, unless the Entry was added.
// Its messages belong to the dialog itself, which then cannot be pressed
// again underneath them.
void OnOk(HWND dialog) {
  const DatabaseWindow* db = FindDatabaseWindow();
  HWND owner = dialog;
  std::string texts[kColumnCount];
  for (int i = 0; i < kColumnCount; ++i) texts[i] = WindowText(GetDlgItem(dialog, kEdits[i]));

  if (texts[kColumnPassword].empty()) {
    ShowInformation(owner, "Please type your password.");
    SetFocus(dialog);
    return;
  }
  // A "^" would split the field when the file is read again and shift every
  // later field of the database.
  for (int i = 0; i < kColumnCount; ++i) {
    if (!ContainsFieldSeparator(texts[i])) continue;
    ShowInformation(owner, std::string("The ") + kFieldNames[i] +
                               " field contains \"^\", which the database file uses between its fields. Please type "
                               "it without \"^\".");
    SetFocus(GetDlgItem(dialog, kEdits[i]));
    return;
  }
  const Entry entry = MakeEntry(texts[kColumnPassword], texts[kColumnLogin], texts[kColumnUrl], texts[kColumnComments]);
  if (!db || !AppendEntry(*db, entry)) {
    ShowInformation(owner, "The Entry could not be added to the database window's list. Please press OK again.");
    SetFocus(dialog);
    return;
  }
  EndDialog(dialog, 0);
}

// Acts only on its own two buttons and the close box: Enter and Escape
// (IDOK, IDCANCEL) neither add nor close. It opens ready for the Password.
INT_PTR CALLBACK ItemDataProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: SetFocus(GetDlgItem(dialog, IDC_ITEM_PASSWORD)); return FALSE;
    case WM_COMMAND:
      if (wParam == IDC_ITEM_OK)
        OnOk(dialog);
      else if (wParam == IDC_ITEM_CANCEL)
        EndDialog(dialog, 0);
      return FALSE;
    case WM_CLOSE:
    case WM_DESTROY: EndDialog(dialog, 0); return FALSE;
    default: return FALSE;
  }
}

}  // namespace

void RunItemDataDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "IDD_DIALOG2", owner, ItemDataProc, 0);
}

}  // namespace orvanta
