// The Edit menu on the real main dialog: Undo, Cut, Copy, Paste, "C&Iear",
// Select all on the Output editor, and the toolbar buttons that follow
// the editor's selection and the clipboard.
#include <windows.h>
#include <richedit.h>

#include <cstdio>

#include "resources/resource.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

CHARRANGE Selection(HWND editor) {
  CHARRANGE range{-2, -2};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void Type(HWND editor, const std::string& keys) {
  for (char c : keys) SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(c), 1);
}

class EditCommandsTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    App().tickCount = uitest::FixedTick;
    Click(IDC_QUANTITY_30);
    Generate();
    batch_ = App().engine.output();
    ASSERT_EQ(OutputText(), batch_);
    ASSERT_EQ(batch_.size(), 30u * 11u);
  }
  void Select(long from, long to) { SendMessageA(output(), EM_SETSEL, from, to); }

  std::string batch_;
};

}  // namespace

TEST_F(EditCommandsTest, UndoTakesBackTyping) {
  long end = static_cast<long>(batch_.size());
  Select(end, end);
  Type(output(), "xyz");
  ASSERT_EQ(OutputText(), batch_ + "xyz");
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch_);
}

TEST_F(EditCommandsTest, UndoTakesBackAPaste) {
  uitest::SetClipboardText("PASTED");
  Select(0, 0);
  Command(IDM_PASTE);
  ASSERT_EQ(OutputText(), "PASTED" + batch_);
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch_);
}

TEST_F(EditCommandsTest, CutMovesTheSelectionToTheClipboard) {
  uitest::SetClipboardText("before");
  Select(0, 11);
  Command(IDM_CUT);
  EXPECT_EQ(uitest::ClipboardText(), batch_.substr(0, 11));
  EXPECT_EQ(OutputText(), batch_.substr(11));
  EXPECT_EQ(GetFocus(), output()) << "the command leaves the focus in its editor";
}

TEST_F(EditCommandsTest, CopyPutsTheSelectionOnTheClipboardAndKeepsTheText) {
  uitest::SetClipboardText("before");
  Select(11, 22);
  Command(IDM_COPY);
  EXPECT_EQ(uitest::ClipboardText(), batch_.substr(11, 11));
  EXPECT_EQ(OutputText(), batch_);
}

TEST_F(EditCommandsTest, PasteReplacesTheSelectionWithTheClipboardText) {
  uitest::SetClipboardText("ABCD");
  Select(0, 4);
  Command(IDM_PASTE);
  EXPECT_EQ(OutputText(), "ABCD" + batch_.substr(4));
  EXPECT_EQ(uitest::ClipboardText(), "ABCD") << "paste leaves the clipboard as it was";
}

TEST_F(EditCommandsTest, ClearEmptiesTheEditorAndLeavesTheTextOnTheClipboard) {
  uitest::SetClipboardText("before");
  Select(3, 3);  // whatever the selection, the whole text goes
  Command(IDM_CLEAR);
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), batch_);
  EXPECT_EQ(App().engine.output(), batch_) << "the Output buffer is not an editor";
}

TEST_F(EditCommandsTest, SelectAllSelectsTheWholeText) {
  Select(5, 5);
  Command(IDM_SELECT_ALL);
  CHARRANGE range = Selection(output());
  EXPECT_EQ(range.cpMin, 0);
  EXPECT_GE(range.cpMax, static_cast<LONG>(batch_.size()));
  EXPECT_EQ(GetFocus(), output());
  // What is selected is all of it: a copy gives the whole batch.
  Command(IDM_COPY);
  EXPECT_EQ(uitest::ClipboardText(), batch_);
}

TEST_F(EditCommandsTest, EditCommandsGoToTheBigScreenEditorWhileItIsOpen) {
  // Opened by a batch with "Use big screen"; with the box cleared again the
  // window stays open and the next batch goes to the Output editor.
  Click(IDC_USE_BIG_SCREEN);
  Generate();
  Click(IDC_USE_BIG_SCREEN);
  Generate();
  batch_ = OutputText();
  ASSERT_NE(bigEditor(), nullptr);
  SetWindowTextA(bigEditor(), "big screen text");
  Command(IDM_CLEAR);
  std::string bigText = uitest::Text(bigEditor()), outputText = OutputText(), clip = uitest::ClipboardText();
  DestroyWindow(bigScreen());
  EXPECT_EQ(bigText, "");
  EXPECT_EQ(clip, "big screen text");
  EXPECT_EQ(outputText, batch_) << "the Output editor is left alone";
}

TEST_F(EditCommandsTest, ToolbarCutAndCopyFollowTheSelection) {
  Select(0, 0);
  uitest::Pump();
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_CUT));
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_COPY));
  Select(0, 4);  // EN_SELCHANGE
  uitest::Pump();
  EXPECT_TRUE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_CUT));
  EXPECT_TRUE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_COPY));
  Command(IDM_CUT);  // after a command: the selection is empty again
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_CUT));
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_COPY));
}

TEST_F(EditCommandsTest, ToolbarUndoFollowsTheEditor) {
  Command(IDM_SELECT_ALL);
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_UNDO)) << "a fresh batch has nothing to undo";
  long end = static_cast<long>(batch_.size());
  Select(end, end);
  Type(output(), "q");
  uitest::Pump();
  Command(IDM_SELECT_ALL);
  EXPECT_TRUE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_UNDO));
}

TEST_F(EditCommandsTest, ToolbarPasteFollowsTheClipboard) {
  // The clipboard is shared with tests running in parallel: the button is
  // compared with what the clipboard holds once the change has arrived.
  auto pasteMatchesTheClipboard = [&] {
    uitest::Pump(100);  // WM_CLIPBOARDUPDATE
    return uitest::IsToolbarButtonEnabled(toolbar(), IDM_PASTE) == (IsClipboardFormatAvailable(CF_TEXT) != 0);
  };
  uitest::EmptyTheClipboard();
  EXPECT_TRUE(pasteMatchesTheClipboard());
  uitest::SetClipboardText("text");
  EXPECT_TRUE(pasteMatchesTheClipboard());
  EXPECT_TRUE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_PASTE));
  uitest::EmptyTheClipboard();
  EXPECT_TRUE(pasteMatchesTheClipboard());
}

// The largest batch: every edit of the whole text moves it as one step,
// which Undo takes back.
TEST_F(MainDialogTest, ClearAndRightJustifyOfTheLargestBatchMoveItAllToTheClipboardAndUndoBringsItBack) {
  Click(IDC_QUANTITY_9999);
  Click(IDC_LENGTH_34);
  Generate();
  const std::string batch = App().engine.output();
  ASSERT_EQ(batch.size(), 9999u * 41u);
  Command(IDM_CLEAR);
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), batch);
  EXPECT_EQ(GetFocus(), output());
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch) << "Undo after Clear";
  Command(IDM_ALIGN_RIGHT);
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), batch);
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch) << "Undo after Right Justify";
  EXPECT_EQ(uitest::ParagraphAlignment(output()), PFA_RIGHT) << "the text comes back in the chosen alignment";
  Generate();
  EXPECT_EQ(uitest::ParagraphAlignment(output()), PFA_RIGHT);
}

TEST_F(MainDialogTest, CutAndPasteOfTheLargestBatchAreUndoneFromTheMenuAndTheKeyboard) {
  Click(IDC_QUANTITY_9999);
  Click(IDC_LENGTH_34);
  Generate();
  const std::string batch = OutputText();
  Command(IDM_SELECT_ALL);
  Command(IDM_CUT);
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), batch);
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch) << "Undo after Cut";
  EXPECT_EQ(uitest::LineHeight(output()), 32) << "the Output font";
  SendMessageA(output(), EM_SETSEL, 41, 41);
  Command(IDM_PASTE);
  EXPECT_EQ(OutputText(), batch.substr(0, 41) + batch + batch.substr(41)) << "Paste into the second line";
  Command(IDM_UNDO);
  EXPECT_EQ(OutputText(), batch) << "Undo after Paste";
  uitest::PressWithControl(output(), 'A');
  uitest::PressWithControl(output(), 'X');
  EXPECT_EQ(OutputText(), "") << "Ctrl+A, Ctrl+X";
  uitest::PressWithControl(output(), 'V');
  EXPECT_EQ(OutputText(), batch) << "Ctrl+V";
  EXPECT_EQ(uitest::LineHeight(output()), 32) << "pasted into the emptied editor: still the Output font";
  uitest::PressWithControl(output(), 'Z');
  uitest::PressWithControl(output(), 'Z');
  EXPECT_EQ(OutputText(), batch) << "Ctrl+Z twice: the paste, then the cut";
}
