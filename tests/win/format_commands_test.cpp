// The Format menu on the real main dialog: the three alignment commands
// with their check marks and pressed buttons, and the Font dialog.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdio>

#include "resources/resource.h"
#include "support/font_dialog.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

WORD AlignmentOf(HWND editor) {
  SendMessageA(editor, EM_SETSEL, 0, -1);
  PARAFORMAT pf{};
  pf.cbSize = sizeof pf;
  SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  return pf.wAlignment;
}

struct AlignmentCase {
  int command;
  WORD paragraph;
  int code;
};
constexpr AlignmentCase kAlignments[] = {
    {IDM_ALIGN_RIGHT, PFA_RIGHT, 7}, {IDM_ALIGN_LEFT, PFA_LEFT, 5}, {IDM_ALIGN_CENTER, PFA_CENTER, 6}};

}  // namespace

// Each alignment command moves the whole text to the clipboard, leaves the
// editor empty, checks only itself in the menu and on the toolbar, and
// aligns the batches that follow.
TEST_F(MainDialogTest, EachAlignmentCommandEmptiesTheEditorIntoTheClipboardAndChecksOnlyItself) {
  App().tickCount = uitest::FixedTick;
  Click(IDC_QUANTITY_30);
  Generate();
  ASSERT_EQ(AlignmentOf(output()), PFA_CENTER) << "batches start centred";
  for (const AlignmentCase& c : kAlignments) {
    const std::string batch = OutputText();
    Command(c.command);
    EXPECT_EQ(OutputText(), "") << c.command;
    EXPECT_EQ(uitest::ClipboardText(), batch) << c.command;
    for (const AlignmentCase& other : kAlignments) {
      bool on = other.command == c.command;
      EXPECT_EQ(uitest::IsMenuChecked(dialog(), other.command), on) << c.command << " / menu " << other.command;
      EXPECT_EQ(uitest::IsToolbarButtonChecked(toolbar(), other.command), on)
          << c.command << " / button " << other.command;
    }
    EXPECT_EQ(App().output.alignment, c.code);
    EXPECT_EQ(GetFocus(), output());
    Generate();
    EXPECT_EQ(OutputText(), App().engine.output());
    EXPECT_EQ(AlignmentOf(output()), c.paragraph) << "batch after command " << c.command;
    EXPECT_TRUE(uitest::IsToolbarButtonChecked(toolbar(), c.command)) << "a refresh keeps the checks";
  }
}

TEST_F(MainDialogTest, FontDialogStartsFromTheSelectionAndAppliesTheChoice) {
  App().tickCount = uitest::FixedTick;
  Generate();
  const std::string batch = App().engine.output();
  // The first password in a known font, DejaVu Sans 12 pt. Wine's Font
  // dialog lists the machine's fonts (fonts-dejavu-core, fonts-liberation).
  SendMessageA(output(), EM_SETSEL, 0, 4);
  CHARFORMATA start{};
  start.cbSize = sizeof start;
  start.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
  start.yHeight = 240;
  start.crTextColor = RGB(0, 0, 0);
  lstrcpyA(start.szFaceName, "DejaVu Sans");
  SendMessageA(output(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&start));

  std::string presetFace, presetSize;
  answers_.Queue(uitest::Inspect(
      [&](HWND fontDialog) {
        presetFace = uitest::ComboText(fontDialog, uitest::kFontFace);
        presetSize = uitest::ComboText(fontDialog, uitest::kFontSize);
        uitest::ChooseInCombo(fontDialog, uitest::kFontFace, "Liberation Mono");
        uitest::ChooseInCombo(fontDialog, uitest::kFontStyle, "Bold Italic");
        uitest::ChooseInCombo(fontDialog, uitest::kFontSize, "16");
        uitest::Tick(fontDialog, uitest::kFontStrikeOut);
        uitest::Tick(fontDialog, uitest::kFontUnderline);
        uitest::ChooseColour(fontDialog, RGB(255, 0, 0));
      },
      uitest::PressButton(IDOK)));
  Command(IDM_FONT);
  EXPECT_EQ(presetFace, "DejaVu Sans");
  // Wine's dialog shows the face it is given but leaves its size box empty
  // (and rewrites the LOGFONT while it starts), so only a shown size is checked.
  EXPECT_TRUE(presetSize == "12" || presetSize.empty()) << presetSize;

  CHARFORMATA cf = uitest::SelectionFormat(output());
  EXPECT_STREQ(cf.szFaceName, "Liberation Mono");
  EXPECT_EQ(cf.yHeight, 320) << "16 points in twips";
  EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
  EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT),
            static_cast<DWORD>(CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT));
  EXPECT_TRUE(App().output.fontChosen);
  EXPECT_EQ(OutputText(), batch) << "the text itself is unchanged";

  // Only the selection took it.
  SendMessageA(output(), EM_SETSEL, 11, 15);
  CHARFORMATA rest = uitest::SelectionFormat(output());
  EXPECT_STRNE(rest.szFaceName, "Liberation Mono");
}

TEST_F(MainDialogTest, CancelledFontDialogChangesNothing) {
  Generate();
  SendMessageA(output(), EM_SETSEL, 0, 4);
  CHARFORMATA before = uitest::SelectionFormat(output());
  answers_.Queue(uitest::PressButton(IDCANCEL));
  Command(IDM_FONT);
  CHARFORMATA after = uitest::SelectionFormat(output());
  EXPECT_STREQ(after.szFaceName, before.szFaceName);
  EXPECT_EQ(after.yHeight, before.yHeight);
  EXPECT_EQ(after.dwEffects, before.dwEffects);
  EXPECT_FALSE(App().output.fontChosen);
}
