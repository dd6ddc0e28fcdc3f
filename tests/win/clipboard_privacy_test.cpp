// Every text the program puts on the clipboard is a password or a batch of
// them: a clipboard listener, as Windows' clipboard history is one, must see
// each copy once, with the text and the formats that keep it out of the
// history and the cloud clipboard.
#include <windows.h>

#include <functional>
#include <string>

#include "database_test_fixture.h"
#include "support/clipboard_listener.h"

using orvanta::App;

namespace {

DWORD WINAPI FixedTick() { return 20240601; }

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Another program's moment with the clipboard: a thread that holds it open.
struct ClipboardHold {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD milliseconds = 300;
};

DWORD WINAPI HoldClipboard(void* param) {
  auto* hold = static_cast<ClipboardHold*>(param);
  const BOOL open = OpenClipboard(nullptr);
  SetEvent(hold->opened);
  Sleep(hold->milliseconds);
  if (open) CloseClipboard();
  return open;
}

class ClipboardPrivacyTest : public DatabaseTest {
 protected:
  // Runs a user's action and expects exactly one clipboard change: `text`,
  // kept out of the history and the cloud.
  void ExpectOnePrivateCopy(const char* action, const std::function<void()>& act, const std::string& text) {
    listener_.TakeChanges();
    act();
    const std::vector<uitest::ClipboardChange> changes = listener_.TakeChanges();
    ASSERT_EQ(changes.size(), 1u) << action;
    EXPECT_EQ(changes[0].text, text) << action;
    EXPECT_EQ(changes[0].unicodeText, Widened(text)) << action << ": what other programs paste";
    EXPECT_TRUE(changes[0].excluded) << action;
    EXPECT_TRUE(changes[0].historyRefused) << action;
    EXPECT_TRUE(changes[0].cloudRefused) << action;
  }
  void Select(long from, long to) { SendMessageA(output(), EM_SETSEL, from, to); }

  uitest::ClipboardListener listener_;
};

}  // namespace

TEST_F(ClipboardPrivacyTest, EveryWayOfCopyingKeepsTheTextOutOfHistoryAndCloud) {
  App().tickCount = FixedTick;
  Click(IDC_AUTO_COPY);
  Click(IDC_QUANTITY_30);
  ExpectOnePrivateCopy(
      "Auto copy", [&] { Generate(); }, App().engine.output());
  const std::string batch = OutputText();

  ExpectOnePrivateCopy(
      "Edit > Copy", [&] { Select(0, 11), Command(IDM_COPY); }, batch.substr(0, 11));
  ExpectOnePrivateCopy(
      "Ctrl+C in the Output editor", [&] { Select(11, 22), uitest::PressWithControl(output(), 'C'); },
      batch.substr(11, 11));
  ExpectOnePrivateCopy(
      "Edit > Cut", [&] { Select(0, 11), Command(IDM_CUT); }, batch.substr(0, 11));
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch) << "Undo takes the cut back";
  ExpectOnePrivateCopy(
      "Ctrl+X in the Output editor", [&] { Select(0, 11), uitest::PressWithControl(output(), 'X'); },
      batch.substr(0, 11));
  ExpectOnePrivateCopy(
      "Edit > Clear", [&] { Command(IDM_CLEAR); }, batch.substr(11));
  EXPECT_EQ(OutputText(), "");

  Click(IDC_AUTO_COPY);  // off: the next batch stays where it is shown
  Generate();
  ExpectOnePrivateCopy(
      "Format > Right Justify", [&] { Command(IDM_ALIGN_RIGHT); }, App().engine.output());

  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  ExpectOnePrivateCopy(
      "a double-click on an Entry", [&] { DoubleClickList(CellCentre(1, 0)); }, "pw2");
  ExpectOnePrivateCopy(
      "Enter on an Entry", [&] { DatabaseTest::Select(0), Key(VK_RETURN); }, "pw1");
}

TEST_F(ClipboardPrivacyTest, ACopyWaitsWhileAnotherProgramHoldsTheClipboardOpen) {
  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  DatabaseTest::Select(1);
  ClipboardHold hold;
  HANDLE holder = CreateThread(nullptr, 0, HoldClipboard, &hold, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(hold.opened, 5000), WAIT_OBJECT_0);
  ExpectOnePrivateCopy(
      "Enter on an Entry while the clipboard is held", [&] { Key(VK_RETURN); }, "pw2");
  DWORD held = 0;
  WaitForSingleObject(holder, 5000);
  GetExitCodeThread(holder, &held);
  EXPECT_EQ(held, 1u) << "the thread did not hold the clipboard";
  CloseHandle(holder);
  CloseHandle(hold.opened);
}
