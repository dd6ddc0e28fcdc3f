// The Password database window from the keyboard alone, through the main
// dialog's modal loop: the focus as it opens, Tab and Shift+Tab, Space and
// Enter on its buttons, Enter on a row.
#include <vector>

#include "database_test_fixture.h"

TEST_F(DatabaseTest, TheKeyboardReachesEveryControlAndEnterCopiesTheSelectedPassword) {
  WriteDatabase(SampleEntries(3));
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(GetFocus(), List()) << "the focus as the window opens";

  // Round in the order of creation, and back.
  std::vector<HWND> order;
  for (int id :
       {IDC_DB_ADD_ITEM, IDC_DB_DELETE_ITEM, IDC_DB_DELETE_ALL, IDC_DB_PRINT_ALL, IDC_DB_SAVE_ALL, IDC_DB_CLOSE})
    order.push_back(GetDlgItem(Window(), id));
  order.push_back(List());
  for (HWND expected : order) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), expected) << "Tab to control " << GetDlgCtrlID(expected);
  }
  for (size_t i = order.size() - 1; i-- > 0;) {
    Key(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), order[i]) << "Shift+Tab to control " << GetDlgCtrlID(order[i]);
  }
  Key(VK_TAB, VK_SHIFT);
  ASSERT_EQ(GetFocus(), List());

  // Enter on a row copies the selected Entry's password; with no row selected, nothing.
  Select(1);
  Key(VK_RETURN);
  EXPECT_EQ(uitest::ClipboardText(), "pw2");
  Select(-1);
  uitest::SetClipboardText("kept");
  Key(VK_RETURN);
  EXPECT_EQ(uitest::ClipboardText(), "kept");

  // Space on Add Item opens the Item Data dialog; the focus comes back to the button.
  Key(VK_TAB);
  answers_.Queue(uitest::SetItemText(IDC_ITEM_PASSWORD, "typed", uitest::PressButton(IDC_ITEM_OK)));
  Key(VK_SPACE);
  ASSERT_EQ(answers_.seen().size(), 1u) << "no dialog opened";
  EXPECT_EQ(answers_.seen()[0].caption, "Item Data");
  EXPECT_EQ(RowCount(), 4);
  EXPECT_EQ(GetFocus(), GetDlgItem(Window(), IDC_DB_ADD_ITEM));

  // Enter on Close closes the window, which saves the Entries.
  Key(VK_TAB, VK_SHIFT);
  Key(VK_TAB, VK_SHIFT);
  ASSERT_EQ(GetFocus(), GetDlgItem(Window(), IDC_DB_CLOSE));
  Key(VK_RETURN);
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()).size(), 4u * 1024 + 1);
}
