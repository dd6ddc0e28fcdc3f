// Tests of the Password database window, opened as a user opens it: the
// main dialog's "Database" button, in a folder of the test's own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "database/db_file.h"
#include "database/entry.h"
#include "platform/utf8_text.h"
#include "resources/resource.h"
#include "support/main_dialog_fixture.h"

class DatabaseTest : public MainDialogTest {
 protected:
  // The Password database windows of this thread ("generic", "Database").
  static std::vector<HWND> DatabaseWindows() {
    std::vector<HWND> found;
    for (HWND hwnd : uitest::ThreadWindows("generic", false))
      if (uitest::Text(hwnd) == "Database") found.push_back(hwnd);
    return found;
  }
  static HWND Window() {
    std::vector<HWND> windows = DatabaseWindows();
    return windows.empty() ? nullptr : windows.front();
  }
  static HWND List() { return FindWindowExA(Window(), nullptr, WC_LISTVIEWA, nullptr); }

  HWND Open() {
    Click(IDC_DATABASE);
    uitest::Pump();
    return Window();
  }
  static void Press(int id) {
    uitest::Click(Window(), id);
    uitest::Pump();
  }

  static int RowCount() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }
  // A whole cell as the list holds it (up to 299 characters).
  static std::string Cell(int row, int column) {
    char text[300] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static orvanta::Entry Row(int row) { return {Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)}; }
  static std::vector<orvanta::Entry> Rows() {
    std::vector<orvanta::Entry> rows;
    for (int i = 0; i < RowCount(); ++i) rows.push_back(Row(i));
    return rows;
  }
  static void Select(int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(List(), LVM_SETITEMSTATE, row < 0 ? static_cast<WPARAM>(-1) : row, reinterpret_cast<LPARAM>(&state));
  }

  // The middle of a cell, in the list's client coordinates.
  static POINT CellCentre(int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(List(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    if (column == 0) cell.right = cell.left + 20;  // the bounds of sub-item 0 span the whole row
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  }
  // A user's double-click at `point` of the list, both clicks and releases.
  static void DoubleClickList(POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      PostMessageA(List(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    uitest::Pump(50);
  }

  std::string DatabasePath() const { return folder() + "mypsw.txt"; }
  // Writes "mypsw.txt" as the program writes it.
  void WriteDatabase(const std::vector<orvanta::Entry>& entries) {
    std::string bytes;
    ASSERT_EQ(orvanta::SerializeDatabase(entries, &bytes), orvanta::WriteStatus::kOk);
    uitest::WriteFile(DatabasePath(), bytes);
  }
  static std::string FileBytes(const std::vector<orvanta::Entry>& entries) {
    std::string bytes;
    orvanta::SerializeDatabase(entries, &bytes);
    return bytes;
  }
  // `count` distinct Entries.
  static std::vector<orvanta::Entry> SampleEntries(int count) {
    std::vector<orvanta::Entry> entries;
    for (int i = 0; i < count; ++i) {
      std::string n = std::to_string(i + 1);
      entries.push_back(orvanta::MakeEntry("pw" + n, "user" + n, "https://site" + n + ".example", "note " + n));
    }
    return entries;
  }
  // Texts of the message boxes seen so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const uitest::SeenDialog& d : answers_.seen())
      if (d.caption == "Orvanta") texts.push_back(d.text);
    return texts;
  }
};
