// The Output editor through a session: batches that do and do not fit,
// sorts, Clear, an alignment and a chosen font. Whatever came before, the
// editor scrolls when its text does not fit and keeps its font.
#include <windows.h>
#include <richedit.h>

#include "resources/resource.h"
#include "support/font_dialog.h"
#include "support/main_dialog_fixture.h"

namespace {

// The user can scroll: the editor has its vertical bar and a page down
// moves the text.
bool Scrolls(HWND editor) {
  if (!(GetWindowLongPtrA(editor, GWL_STYLE) & WS_VSCROLL)) return false;
  SendMessageA(editor, WM_VSCROLL, SB_PAGEDOWN, 0);
  const bool moved = SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0) > 0;
  SendMessageA(editor, WM_VSCROLL, SB_TOP, 0);
  return moved;
}

std::string FaceAtStart(HWND editor) { return uitest::FormatOf(editor, 0, 0).szFaceName; }

constexpr int kOutputLineHeight = 32;  // the Output font, "Arial" height 32

}  // namespace

class OutputEditorTest : public MainDialogTest {
 protected:
  void Batch(int quantityButton) {
    Click(quantityButton);
    Generate();
  }
  // A batch of 30 does not fit: the editor scrolls, in the font `lineHeight` gives.
  void ExpectScrollsInLinesOf(int lineHeight, const char* after) {
    EXPECT_TRUE(Scrolls(output())) << "after " << after;
    EXPECT_EQ(uitest::LineHeight(output()), lineHeight) << "after " << after;
  }
};

TEST_F(OutputEditorTest, ScrollsAndKeepsTheOutputFontThroughBatchesSortsClearAndAlignment) {
  Batch(IDC_QUANTITY_30);
  ExpectScrollsInLinesOf(kOutputLineHeight, "the first batch of 30");
  Batch(IDC_QUANTITY_2);
  EXPECT_FALSE(Scrolls(output())) << "two passwords fit";
  Batch(IDC_QUANTITY_30);
  ExpectScrollsInLinesOf(kOutputLineHeight, "a batch of 2, then 30");
  Command(IDM_SORT_ASCENDING);
  ExpectScrollsInLinesOf(kOutputLineHeight, "Sort ascending");
  Command(IDM_SORT_DESCENDING);
  ExpectScrollsInLinesOf(kOutputLineHeight, "Sort descending");
  Generate();
  ExpectScrollsInLinesOf(kOutputLineHeight, "a batch after the sorts");
  Command(IDM_CLEAR);
  Generate();
  ExpectScrollsInLinesOf(kOutputLineHeight, "Clear and a batch");
  Command(IDM_ALIGN_RIGHT);
  Generate();
  ExpectScrollsInLinesOf(kOutputLineHeight, "Right Justify and a batch");
}

TEST_F(OutputEditorTest, AFontChosenForTheWholeTextStaysThroughBatchesAndSorts) {
  Batch(IDC_QUANTITY_30);
  Command(IDM_SELECT_ALL);
  answers_.Queue(uitest::Inspect(
      [](HWND fontDialog) {
        uitest::ChooseInCombo(fontDialog, uitest::kFontFace, "Liberation Mono");
        uitest::ChooseInCombo(fontDialog, uitest::kFontSize, "16");
      },
      uitest::PressButton(IDOK)));
  Command(IDM_FONT);
  ASSERT_EQ(FaceAtStart(output()), "Liberation Mono");
  const int chosenHeight = uitest::LineHeight(output());
  EXPECT_LT(chosenHeight, kOutputLineHeight) << "16 points";

  Generate();
  EXPECT_EQ(FaceAtStart(output()), "Liberation Mono") << "the next batch";
  Command(IDM_SORT_ASCENDING);
  EXPECT_EQ(FaceAtStart(output()), "Liberation Mono") << "Sort ascending";
  Command(IDM_CLEAR);
  Batch(IDC_QUANTITY_2);
  Batch(IDC_QUANTITY_30);
  EXPECT_EQ(FaceAtStart(output()), "Liberation Mono") << "Clear, a batch of 2, then 30";
  ExpectScrollsInLinesOf(chosenHeight, "Clear, a batch of 2, then 30");
}
