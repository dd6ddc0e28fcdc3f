// Every text the program puts on the clipboard is a password or a batch of
// them: a clipboard listener, as Windows' clipboard history is one, must see
// each copy once, with the text and the formats that keep it out of the
// history and the cloud clipboard.
#include <windows.h>

#include <functional>
#include <string>

#include "database_test_fixture.h"
#include "platform/win/clipboard.h"
#include "support/clipboard_listener.h"

using orvanta::App;

namespace {

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

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
  App().tickCount = uitest::FixedTick;
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
  uitest::ClipboardHeld hold(300);
  ASSERT_TRUE(hold.held());
  ExpectOnePrivateCopy(
      "Enter on an Entry while the clipboard is held", [&] { Key(VK_RETURN); }, "pw2");
}

// Held longer than the program waits: every way of copying says that
// nothing was copied, every cut leaves its text, and the clipboard keeps
// what it held (which must not be pasted as if it were the new text).
TEST_F(ClipboardPrivacyTest, ACopyThatCannotReachTheClipboardIsToldAndMovesNothing) {
  App().tickCount = uitest::FixedTick;
  Click(IDC_QUANTITY_30);
  Generate();
  const std::string batch = OutputText();
  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  uitest::SetClipboardText("what was there before");
  listener_.TakeChanges();

  const std::vector<std::pair<const char*, std::function<void()>>> actions = {
      {"a double-click on an Entry", [&] { DoubleClickList(CellCentre(1, 0)); }},
      {"Edit > Copy", [&] { Select(0, 11), Command(IDM_COPY); }},
      {"Ctrl+X in the Output editor", [&] { Select(0, 11), uitest::PressWithControl(output(), 'X'); }},
      {"Edit > Clear", [&] { Command(IDM_CLEAR); }},
      {"Format > Right Justify", [&] { Command(IDM_ALIGN_RIGHT); }},
      {"Auto copy", [&] { Click(IDC_AUTO_COPY), Generate(); }},
  };
  {
    uitest::ClipboardHeld hold(1500 * static_cast<DWORD>(actions.size()));
    ASSERT_TRUE(hold.held());
    for (const auto& [action, act] : actions) {
      const size_t before = Messages().size();
      answers_.Queue(uitest::PressButton(IDOK));
      act();
      ASSERT_EQ(Messages().size(), before + 1) << action << " said nothing";
      EXPECT_NE(Messages().back().find("Nothing was copied"), std::string::npos) << action << ": " << Messages().back();
      EXPECT_EQ(OutputText(), batch) << action << " took text that never reached the clipboard";
    }
  }
  EXPECT_EQ(uitest::Text(GetDlgItem(Window(), IDC_DB_CLIPBOARD_EDIT)), "") << "a password stays in a hidden control";
  EXPECT_TRUE(listener_.TakeChanges().empty());
  EXPECT_EQ(uitest::ClipboardText(), "what was there before");
}

// A password copied from the database leaves the clipboard after its
// lifetime (shortened here) and at exit, unless something else was put
// there since; a batch stays.
TEST_F(ClipboardPrivacyTest, APasswordCopiedFromTheDatabaseLeavesTheClipboardAndABatchStays) {
  orvanta::SetPasswordCopyLifetime(300);
  WriteDatabase(SampleEntries(2));
  ASSERT_NE(Open(), nullptr);
  auto copyAndWait = [&](const std::function<void()>& meanwhile) {
    DoubleClickList(CellCentre(1, 0));
    EXPECT_EQ(uitest::ClipboardText(), "pw2");
    meanwhile();
    uitest::Pump(600);
    return uitest::ClipboardText();
  };
  EXPECT_EQ(copyAndWait([] {}), "") << "the password stayed on the clipboard";
  EXPECT_EQ(copyAndWait([] { uitest::SetClipboardText("another program's text"); }), "another program's text");
  Click(IDC_AUTO_COPY);
  EXPECT_EQ(copyAndWait([&] { Generate(); }), App().engine.output()) << "a batch left the clipboard";

  orvanta::SetPasswordCopyLifetime(60000);
  DoubleClickList(CellCentre(0, 0));
  ASSERT_EQ(uitest::ClipboardText(), "pw1");
  Command(IDM_EXIT);
  EXPECT_FALSE(IsWindowVisible(dialog()));
  EXPECT_EQ(uitest::ClipboardText(), "") << "the password outlived the program";
}
