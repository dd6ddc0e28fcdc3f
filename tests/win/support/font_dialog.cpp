#include "support/font_dialog.h"

#include <gtest/gtest.h>

#include "support/ui.h"

namespace uitest {

// Sets a combo box of the Font dialog to the item with `text` and tells the
// dialog, as a click in its list would.
void ChooseInCombo(HWND dialog, int id, const char* text) {
  HWND combo = GetDlgItem(dialog, id);
  LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (index == CB_ERR) {
    ADD_FAILURE() << "the Font dialog's list " << id << " has no \"" << text << "\"";
    return;
  }
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ChooseColour(HWND dialog, COLORREF colour) {
  HWND combo = GetDlgItem(dialog, kFontColour);
  LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (static_cast<COLORREF>(SendMessageA(combo, CB_GETITEMDATA, i, 0)) == colour) {
      SendMessageA(combo, CB_SETCURSEL, i, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontColour, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      return;
    }
  }
  ADD_FAILURE() << "no colour " << std::hex << colour << " in the Font dialog";
}

void Tick(HWND dialog, int id) {
  HWND box = GetDlgItem(dialog, id);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

std::string ComboText(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return "(none) " + uitest::Text(combo);
  char text[256] = "";
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace uitest
