// The Item Data dialog, run from the database window's Add Item button.
#include <functional>
#include <memory>

#include "database_test_fixture.h"
#include "support/display_scale.h"

using orvanta::Entry;
using orvanta::MakeEntry;

namespace {

std::function<void(HWND)>& PendingStep() {
  static std::function<void(HWND)> pending;
  return pending;
}

void CALLBACK RunPendingStep(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  for (HWND box : uitest::ThreadWindows("#32770", true))
    if (uitest::Text(box) == "Orvanta") return;  // the message box is still up
  KillTimer(hwnd, id);
  auto step = std::move(PendingStep());
  if (step) step(hwnd);
}

// Runs `step` on `dialog` from inside its own modal loop once no message box
// is open any more: for checks after a message box the dialog showed.
void WhenBackIn(HWND dialog, std::function<void(HWND)> step) {
  PendingStep() = std::move(step);
  SetTimer(dialog, 77, 30, RunPendingStep);
}

uitest::Answer TypeEntry(const std::string& password, const std::string& login, const std::string& url,
                         const std::string& comments, uitest::Answer then) {
  return uitest::SetItemText(
      IDC_ITEM_PASSWORD, password,
      uitest::SetItemText(
          IDC_ITEM_LOGIN, login,
          uitest::SetItemText(IDC_ITEM_URL, url, uitest::SetItemText(IDC_ITEM_COMMENTS, comments, then))));
}

std::string ItemText(HWND dialog, int id) { return uitest::Text(GetDlgItem(dialog, id)); }

}  // namespace

TEST_F(DatabaseTest, AddItemAppendsAtTheEndWhateverRowIsSelected) {
  const std::vector<Entry> stored = SampleEntries(2);
  WriteDatabase(stored);
  ASSERT_NE(Open(), nullptr);

  Select(0);
  HWND seen = nullptr;
  answers_.Queue(uitest::Inspect(
      [&](HWND dialog) {
        seen = dialog;
        EXPECT_EQ(uitest::Text(dialog), "Item Data");
        // Owned, so the database window cannot be closed or used underneath it.
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), Window());
        EXPECT_FALSE(IsWindowEnabled(Window()));
      },
      TypeEntry("n3w-pass", "me@example", "https://example.org", "first added", uitest::PressButton(IDC_ITEM_OK))));
  Press(IDC_DB_ADD_ITEM);
  ASSERT_NE(seen, nullptr) << "no Item Data dialog";
  EXPECT_FALSE(IsWindow(seen)) << "OK did not close the dialog";

  Select(2);
  answers_.Queue(TypeEntry("second", "x", "y", "z", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);
  Select(1);
  answers_.Queue(TypeEntry("third", "", "", "", uitest::PressButton(IDC_ITEM_OK)));
  Press(IDC_DB_ADD_ITEM);

  const std::vector<Entry> expected = {stored[0], stored[1],
                                       MakeEntry("n3w-pass", "me@example", "https://example.org", "first added"),
                                       MakeEntry("second", "x", "y", "z"), MakeEntry("third", "", "", "")};
  EXPECT_EQ(Rows(), expected);
  // Each cell is its text filled with spaces to 256 characters; empty
  // fields show "-".
  EXPECT_EQ(Cell(2, 0), "n3w-pass" + std::string(248, ' '));
  EXPECT_EQ(Cell(4, 1), "-" + std::string(255, ' '));
  EXPECT_EQ(Cell(4, 3), "-" + std::string(255, ' '));
  // Added Entries reach the file when the window closes.
  Press(IDC_DB_CLOSE);
  EXPECT_EQ(uitest::ReadFile(DatabasePath()), FileBytes(expected));
}

// As a keyboard and a screen reader meet it: the focus on Password, and
// each box named by the label just before it in the dialog's order.
TEST_F(DatabaseTest, ItemDataOpensOnPasswordWithEachLabelRightBeforeItsBox) {
  ASSERT_NE(Open(), nullptr);
  int focus = 0;
  std::vector<int> order;
  std::vector<std::string> cut;
  answers_.Queue(uitest::Inspect(
      [&](HWND dialog) {
        focus = GetDlgCtrlID(GetFocus());
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
          order.push_back(GetDlgCtrlID(child));
        // The dialog's font (8 points, 11 pixels at 96 DPI) grows with the display scale.
        for (int id : order)
          EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(dialog, id)), 11)) << "control " << id;
        cut = uitest::CutLabels(dialog);
      },
      uitest::PressButton(IDC_ITEM_CANCEL)));
  Press(IDC_DB_ADD_ITEM);
  EXPECT_EQ(focus, IDC_ITEM_PASSWORD);
  const std::vector<int> expected = {IDC_ITEM_LABEL_PLEASE, IDC_ITEM_LABEL_PASSWORD, IDC_ITEM_PASSWORD,
                                     IDC_ITEM_LABEL_LOGIN,  IDC_ITEM_LOGIN,          IDC_ITEM_LABEL_URL,
                                     IDC_ITEM_URL,          IDC_ITEM_LABEL_COMMENTS, IDC_ITEM_COMMENTS,
                                     IDC_ITEM_OK,           IDC_ITEM_CANCEL};
  EXPECT_EQ(order, expected);
  // Its ":" wraps to a second line below the label's place already at 96 DPI.
  for (const std::string& label : cut) EXPECT_EQ(label, "Password :") << "cut";
}

TEST_F(DatabaseTest, AnEmptyPasswordIsRefusedAndTheOtherTextsStay) {
  ASSERT_NE(Open(), nullptr);
  std::string afterMessage[3];
  bool stillOpen = false;
  answers_.Queue(TypeEntry("", "login kept", "url kept", "comment kept", uitest::PressButton(IDC_ITEM_OK)));
  answers_.Queue([&](HWND box) {
    HWND item = uitest::FindThreadWindow("#32770", "Item Data");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), item) << "the message belongs to the dialog, which waits for it";
    WhenBackIn(item, [&](HWND dialog) {
      stillOpen = IsWindowVisible(dialog);
      for (int i = 0; i < 3; ++i) afterMessage[i] = ItemText(dialog, IDC_ITEM_LOGIN + i);
      // Now with a password, the same dialog adds the Entry.
      SetDlgItemTextA(dialog, IDC_ITEM_PASSWORD, "finally");
      PostMessageA(dialog, WM_COMMAND, IDC_ITEM_OK, 0);
    });
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  Press(IDC_DB_ADD_ITEM);

  EXPECT_EQ(Messages(), std::vector<std::string>{"Please type your password."});
  EXPECT_TRUE(stillOpen) << "the dialog closed after the message";
  EXPECT_EQ(afterMessage[0], "login kept");
  EXPECT_EQ(afterMessage[1], "url kept");
  EXPECT_EQ(afterMessage[2], "comment kept");
  EXPECT_EQ(Rows(), std::vector<Entry>{MakeEntry("finally", "login kept", "url kept", "comment kept")});
}

TEST_F(DatabaseTest, AFieldSeparatorIsRefusedAndTheDialogKeepsWhatWasTyped) {
  ASSERT_NE(Open(), nullptr);
  // A "^" in any field, one after the other; each refusal keeps the texts.
  const char* typed[4] = {"pa^ss", "lo^gin", "u^rl", "com^ments"};
  const char* fixed[4] = {"pass", "login", "url", "comments"};
  std::vector<std::string> keptTexts;
  std::function<void(HWND, int)> refuseField = [&](HWND box, int field) {
    HWND item = uitest::FindThreadWindow("#32770", "Item Data");
    ASSERT_NE(item, nullptr);
    WhenBackIn(item, [&, field](HWND dialog) {
      keptTexts.push_back(ItemText(dialog, IDC_ITEM_PASSWORD + field));
      SetDlgItemTextA(dialog, IDC_ITEM_PASSWORD + field, fixed[field]);
      PostMessageA(dialog, WM_COMMAND, IDC_ITEM_OK, 0);
    });
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  };
  answers_.Queue(TypeEntry(typed[0], typed[1], typed[2], typed[3], uitest::PressButton(IDC_ITEM_OK)));
  for (int field = 0; field < 4; ++field) answers_.Queue([&, field](HWND box) { refuseField(box, field); });
  Press(IDC_DB_ADD_ITEM);

  ASSERT_EQ(Messages().size(), 4u);
  EXPECT_EQ(Messages()[0].rfind("The Password field contains", 0), 0u) << Messages()[0];
  EXPECT_EQ(Messages()[3].rfind("The Comments field contains", 0), 0u) << Messages()[3];
  EXPECT_NE(Messages()[0].find("\"^\""), std::string::npos) << Messages()[0];
  EXPECT_EQ(keptTexts, (std::vector<std::string>{typed[0], typed[1], typed[2], typed[3]}));
  EXPECT_EQ(Rows(), std::vector<Entry>{MakeEntry("pass", "login", "url", "comments")});
}

TEST_F(DatabaseTest, CancelCloseBoxEnterAndEscapeAddNothing) {
  ASSERT_NE(Open(), nullptr);
  answers_.Queue(TypeEntry("p1", "l", "u", "c", uitest::PressButton(IDC_ITEM_CANCEL)));
  Press(IDC_DB_ADD_ITEM);
  answers_.Queue(TypeEntry("p2", "l", "u", "c", uitest::CloseBox()));
  Press(IDC_DB_ADD_ITEM);
  EXPECT_EQ(RowCount(), 0);

  // Enter and Escape reach the dialog as IDOK and IDCANCEL, which it ignores.
  bool openAfterKeys = false;
  int rowsAfterKeys = -1;
  answers_.Queue(TypeEntry("p3", "", "", "", [&](HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_ITEM_PASSWORD);
    SetFocus(edit);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      MSG msg{edit, WM_KEYDOWN, key, 0, GetTickCount(), {}};
      if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
      uitest::Pump(20);
    }
    openAfterKeys = IsWindow(dialog) && IsWindowVisible(dialog);
    rowsAfterKeys = RowCount();
    PostMessageA(dialog, WM_COMMAND, IDC_ITEM_CANCEL, 0);
  }));
  Press(IDC_DB_ADD_ITEM);
  EXPECT_TRUE(openAfterKeys) << "Enter or Escape closed the dialog";
  EXPECT_EQ(rowsAfterKeys, 0);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_TRUE(Messages().empty());
}
