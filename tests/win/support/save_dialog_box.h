// The file name box of a common Save dialog: the edit inside the combo box
// cmb13, the combo box itself, or edt1. Shared by the window tests and the
// whole-program driver.
#pragma once

#include <windows.h>

namespace uitest {

inline HWND SaveDialogFileNameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, 0x47C)) {
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    return edit ? edit : combo;
  }
  return GetDlgItem(dialog, 0x480);
}

}  // namespace uitest
