// Which editor the Edit and alignment commands of the main dialog act on
// while the Big-screen window exists: the Edit commands follow the open
// window, the alignment commands follow "Use big screen".
#include <richedit.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

class BigScreenTargetsTest : public MainDialogTest {
 protected:
  std::string BigText() const { return uitest::Text(bigEditor()); }
  // Opens the window with a batch and puts a text of its own in the Output
  // editor.
  void OpenWithBatch() {
    Click(IDC_USE_BIG_SCREEN);
    Generate();
    ASSERT_TRUE(bigScreen() != nullptr);
    batch_ = BigText();
    ASSERT_FALSE(batch_.empty());
    SetWindowTextA(output(), "main text");
  }
  std::string batch_;
};

}  // namespace

TEST_F(BigScreenTargetsTest, EditCommandsActOnTheOpenWindowsEditor) {
  OpenWithBatch();
  Command(IDM_SELECT_ALL);
  DWORD start = 1, end = 0;
  SendMessageA(bigEditor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_GE(end, static_cast<DWORD>(batch_.size())) << "the whole batch is selected";
  EXPECT_EQ(GetFocus(), bigEditor());

  uitest::SetClipboardText("before");
  Command(IDM_COPY);
  EXPECT_EQ(uitest::ClipboardText(), batch_) << "Copy";

  Command(IDM_CUT);
  EXPECT_EQ(BigText(), "") << "Cut";
  EXPECT_EQ(uitest::ClipboardText(), batch_) << "Cut";

  uitest::SetClipboardText("pasted");
  Command(IDM_PASTE);
  EXPECT_EQ(BigText(), "pasted") << "Paste";
  Command(IDM_UNDO);
  EXPECT_NE(BigText(), "pasted") << "Undo takes the paste back";

  SetWindowTextA(bigEditor(), "abc");
  Command(IDM_CLEAR);
  EXPECT_EQ(BigText(), "") << "Clear";
  EXPECT_EQ(uitest::ClipboardText(), "abc") << "Clear";
  EXPECT_EQ(OutputText(), "main text") << "the Output editor is not a target";

  // The open window stays the target when "Use big screen" is unchecked.
  Click(IDC_USE_BIG_SCREEN);
  SetWindowTextA(bigEditor(), "xyz");
  Command(IDM_CLEAR);
  EXPECT_EQ(BigText(), "");
  EXPECT_EQ(uitest::ClipboardText(), "xyz");
  EXPECT_EQ(OutputText(), "main text");
}

TEST_F(BigScreenTargetsTest, WithTheWindowClosedEditCommandsActOnTheOutputEditor) {
  OpenWithBatch();
  uitest::Click(bigScreen(), IDC_BIG_CLOSE);
  ASSERT_FALSE(bigScreen() != nullptr);
  Command(IDM_CLEAR);  // "Use big screen" is still checked
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), "main text");
}

TEST_F(BigScreenTargetsTest, AlignmentCommandsFollowUseBigScreen) {
  OpenWithBatch();
  Command(IDM_ALIGN_RIGHT);
  EXPECT_EQ(BigText(), "") << "the window's editor is emptied into the clipboard";
  EXPECT_EQ(uitest::ClipboardText(), batch_);
  EXPECT_EQ(uitest::ParagraphAlignment(bigEditor()), PFA_RIGHT);
  EXPECT_EQ(OutputText(), "main text");
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_ALIGN_RIGHT));

  // Unchecked, the Output editor is the target although the window is open.
  SetWindowTextA(bigEditor(), "kept");
  Click(IDC_USE_BIG_SCREEN);
  Command(IDM_ALIGN_LEFT);
  EXPECT_EQ(OutputText(), "");
  EXPECT_EQ(uitest::ClipboardText(), "main text");
  EXPECT_EQ(uitest::ParagraphAlignment(output()), PFA_LEFT);
  EXPECT_EQ(BigText(), "kept");
  EXPECT_EQ(uitest::ParagraphAlignment(bigEditor()), PFA_RIGHT);
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_ALIGN_LEFT));
}

TEST_F(BigScreenTargetsTest, AnAlignmentWithNoWindowIsStoredForTheNextOne) {
  Click(IDC_USE_BIG_SCREEN);
  SetWindowTextA(output(), "main text");
  Command(IDM_ALIGN_RIGHT);  // no Big-screen editor yet: nothing to act on
  EXPECT_EQ(OutputText(), "main text") << "the Output editor is not the target";
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_ALIGN_RIGHT));
  EXPECT_TRUE(uitest::IsToolbarButtonChecked(toolbar(), IDM_ALIGN_RIGHT));
  EXPECT_EQ(App().output.alignment, 7);
  Generate();
  ASSERT_TRUE(bigScreen() != nullptr);
  EXPECT_EQ(uitest::ParagraphAlignment(bigEditor()), PFA_RIGHT);
}
