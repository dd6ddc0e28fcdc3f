// The Big-screen window as a user meets it: opened by Generate with "Use big
// screen", its own "GENERATE PASSWORD" and "CLOSE", and how its batches meet
// the sort commands and the clipboard.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "resources/resource.h"
#include "support/display_scale.h"
#include "support/font_dialog.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

DWORD g_tick = 0;
DWORD WINAPI TestTick() { return g_tick; }

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// The batch the engine makes from `state` with the current options.
std::string BatchFrom(int32_t seedMode, DWORD tick, uint32_t state = 0) {
  return EngineBatch(App().settings, seedMode, tick, state);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

class BigScreenTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    g_tick = 1000;
    App().tickCount = TestTick;
  }
  void TearDown() override {
    App().tickCount = GetTickCount;  // the clock outlives the dialog
    MainDialogTest::TearDown();
  }
  std::string BigText() const { return uitest::Text(bigEditor()); }
  void ClickBig(int id) { uitest::Click(bigScreen(), id); }
  void UseBigScreen() { Click(IDC_USE_BIG_SCREEN); }
};

}  // namespace

TEST_F(BigScreenTest, FirstGenerateOpensTheWindowWithTheBatch) {
  UseBigScreen();
  Generate();
  ASSERT_TRUE(bigScreen() != nullptr);
  HWND big = bigScreen();
  char className[32] = "";
  GetClassNameA(big, className, sizeof className);
  EXPECT_STREQ(className, "popup");
  EXPECT_EQ(uitest::Text(big), "Select symbol");
  // Pixels at 96 DPI, grown with the display scale.
  RECT rc;
  GetWindowRect(big, &rc);
  EXPECT_EQ(rc.left, uitest::Scaled(56));
  EXPECT_EQ(rc.top, uitest::Scaled(87));
  EXPECT_EQ(rc.right - rc.left, uitest::Scaled(673));
  EXPECT_EQ(rc.bottom - rc.top, uitest::Scaled(500));
  LONG_PTR style = GetWindowLongPtrA(big, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_BORDER), WS_POPUP | WS_VISIBLE | WS_BORDER);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION) << "no caption bar";
  EXPECT_NE(GetWindowLongPtrA(big, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
  EXPECT_EQ(GetWindow(big, GW_OWNER), nullptr);

  struct Child {
    int id;
    const char* className;
    const char* text;
    RECT place;
    HFONT font;
  };
  const HFONT font = App().FontsFor(uitest::Dpi()).dialogFont;
  const Child children[] = {
      {IDC_BIG_GENERATE, "button", "GENERATE PASSWORD", uitest::Scaled({97, 445, 367, 475}), font},
      {IDC_BIG_EDITOR, "richedit", nullptr, uitest::Scaled({2, 2, 665, 442}), nullptr},  // font: below
      {IDC_BIG_CLOSE, "button", "CLOSE", uitest::Scaled({397, 445, 547, 475}), font},
  };
  for (const Child& c : children) {
    HWND child = GetDlgItem(big, c.id);
    ASSERT_NE(child, nullptr) << c.id;
    GetClassNameA(child, className, sizeof className);
    EXPECT_EQ(Lower(className), c.className) << c.id;
    if (c.text) {
      EXPECT_EQ(uitest::Text(child), c.text);
    }
    RECT place = uitest::PlaceInParent(child);
    EXPECT_TRUE(EqualRect(&place, &c.place))
        << c.id << " at " << place.left << "," << place.top << " to " << place.right << "," << place.bottom;
    if (c.font) {
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), c.font) << c.id;
    }
    EXPECT_NE(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0) << c.id;
    EXPECT_TRUE(IsWindowVisible(child)) << c.id;
  }
  EXPECT_EQ(GetDlgItem(big, IDC_BIG_EDITOR), bigEditor());

  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedAutogenerate, 1000));
  EXPECT_EQ(Lines(BigText()).size(), 2u);
  EXPECT_EQ(OutputText(), "") << "the Output editor stays empty";
  EXPECT_EQ(SendMessageA(bigEditor(), EM_GETLIMITTEXT, 0, 0), 30);
  EXPECT_EQ(uitest::ParagraphAlignment(bigEditor()), PFA_CENTER) << "the start-up alignment";
  // The large font: Arial, 32 pixels high at 96 DPI (Wine's rich edit
  // answers no WM_GETFONT and gives the height of a font made with a
  // positive height as negative twips).
  CHARFORMATA cf = uitest::FormatOf(bigEditor(), 0, 1);
  EXPECT_STREQ(cf.szFaceName, "Arial");
  EXPECT_EQ(std::abs(cf.yHeight), MulDiv(uitest::Scaled(32), 1440, uitest::Dpi()));
}

TEST_F(BigScreenTest, ItsFontsAndLinesFollowTheDisplayScale) {
  UseBigScreen();
  Generate();
  ASSERT_TRUE(bigScreen() != nullptr);
  for (int id : {IDC_BIG_GENERATE, IDC_BIG_CLOSE})
    EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(bigScreen(), id)), 16)) << "control " << id;
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::LineHeight(bigEditor()), 32)) << "the editor's lines";
  EXPECT_EQ(uitest::CutLabels(bigScreen()), std::vector<std::string>{});
}

TEST_F(BigScreenTest, ANewWindowTakesTheCurrentAlignmentAndChosenFont) {
  UseBigScreen();
  // Chosen while the window is closed: the command stores the alignment
  // for the next window.
  const std::pair<int, WORD> commands[] = {
      {IDM_ALIGN_LEFT, PFA_LEFT}, {IDM_ALIGN_RIGHT, PFA_RIGHT}, {IDM_ALIGN_CENTER, PFA_CENTER}};
  for (auto [command, alignment] : commands) {
    Command(command);
    Generate();
    ASSERT_TRUE(bigScreen() != nullptr);
    EXPECT_EQ(uitest::ParagraphAlignment(bigEditor()), alignment) << "command " << command;
    ClickBig(IDC_BIG_CLOSE);
  }

  // A font chosen in the Font dialog applies to the new window's text.
  answers_.Queue(uitest::Inspect(
      [](HWND fontDialog) {
        uitest::ChooseInCombo(fontDialog, uitest::kFontFace, "Liberation Mono");
        uitest::ChooseInCombo(fontDialog, uitest::kFontStyle, "Italic");
        uitest::ChooseInCombo(fontDialog, uitest::kFontSize, "20");
        uitest::ChooseColour(fontDialog, RGB(255, 0, 0));
      },
      uitest::PressButton(IDOK)));
  Command(IDM_FONT);
  Generate();
  ASSERT_TRUE(bigScreen() != nullptr);
  EXPECT_EQ(BigText(), App().engine.output());
  CHARFORMATA cf = uitest::FormatOf(bigEditor(), 0, 1);
  EXPECT_STREQ(cf.szFaceName, "Liberation Mono");
  EXPECT_EQ(cf.yHeight, 400) << "20 points in twips";
  EXPECT_EQ(cf.dwEffects & (CFE_ITALIC | CFE_BOLD), static_cast<DWORD>(CFE_ITALIC));
  EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
}

TEST_F(BigScreenTest, GenerateWhileOpenLeavesBothEditorsButSortShowsTheNewerBatch) {
  UseBigScreen();
  Generate();
  std::string first = BigText();
  Click(IDC_KEYS_DIGITS);
  Click(IDC_QUANTITY_30);
  g_tick = 2000;
  Generate();
  std::string newer = App().engine.output();
  EXPECT_EQ(newer, BatchFrom(orvanta::kSeedAutogenerate, 2000));
  EXPECT_EQ(BigText(), first) << "the open window keeps its text";
  EXPECT_EQ(OutputText(), "");

  Command(IDM_SORT_ASCENDING);
  std::vector<std::string> shown = Lines(BigText());
  EXPECT_EQ(shown.size(), 30u);
  EXPECT_EQ(Sorted(shown), Sorted(Lines(newer)));
  EXPECT_EQ(OutputText(), "");
}

TEST_F(BigScreenTest, ItsButtonMakesABatchWithTheCurrentOptionsAndTheClockAlone) {
  answers_.Queue(uitest::PressButton(IDC_SEED_OK));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  ASSERT_EQ(App().settings.seedMode, orvanta::kSeedCustom);
  UseBigScreen();
  Generate();
  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedCustom, 1000, 862753941))
      << "the main Generate seeds by the custom rule";

  for (int id : {IDC_METHOD_LCG, IDC_MODE_ADVANCED, IDC_KEYS_ALL, IDC_CASE_YES, IDC_LENGTH_12, IDC_QUANTITY_30})
    Click(id);
  uint32_t stateBefore = App().engine.randomState();
  g_tick = 2000;
  ClickBig(IDC_BIG_GENERATE);
  std::string made = BigText();
  EXPECT_EQ(made, BatchFrom(orvanta::kSeedAutogenerate, 2000));
  EXPECT_NE(made, BatchFrom(orvanta::kSeedCustom, 2000, stateBefore)) << "the rules must differ for this check";
  std::vector<std::string> passwords = Lines(made);
  EXPECT_EQ(passwords.size(), 30u);
  for (const std::string& p : passwords) EXPECT_EQ(p.size(), 12u) << p;
  EXPECT_EQ(made, App().engine.output());
  EXPECT_EQ(OutputText(), "") << "the window does not touch the Output editor";
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedCustom) << "the Seed mode stays";
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_SEED_CUSTOM));
  // Nothing can be typed into an editor that holds more than 30 characters.
  SendMessageA(bigEditor(), EM_SETSEL, 0, 0);
  SendMessageA(bigEditor(), WM_CHAR, 'Z', 1);
  EXPECT_EQ(BigText(), made) << "typing added to the batch";
}

TEST_F(BigScreenTest, ItsBatchesJoinTheSortListsUntilTheNextMainGenerate) {
  UseBigScreen();
  Click(IDC_QUANTITY_30);
  Generate();
  std::vector<std::string> all = Lines(App().engine.output());
  for (DWORD tick : {2000u, 3000u}) {
    g_tick = tick;
    ClickBig(IDC_BIG_GENERATE);
    std::vector<std::string> batch = Lines(BigText());
    EXPECT_EQ(batch.size(), 30u);
    all.insert(all.end(), batch.begin(), batch.end());
  }
  auto compare = [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1);
  };

  Command(IDM_SORT_ASCENDING);
  std::vector<std::string> up = Lines(BigText());
  EXPECT_EQ(up.size(), 90u);
  EXPECT_EQ(Sorted(up), Sorted(all)) << "the main batch and both window batches";
  for (size_t i = 1; i < up.size(); ++i) EXPECT_NE(compare(up[i - 1], up[i]), CSTR_GREATER_THAN) << i;
  Command(IDM_SORT_DESCENDING);
  std::vector<std::string> down = Lines(BigText());
  std::reverse(down.begin(), down.end());
  EXPECT_EQ(Sorted(down), Sorted(all));

  g_tick = 4000;
  Generate();
  std::string latest = App().engine.output();
  Command(IDM_SORT_ASCENDING);
  EXPECT_EQ(Sorted(Lines(BigText())), Sorted(Lines(latest))) << "a main Generate empties the lists";
}

TEST_F(BigScreenTest, AutoCopyPutsEachNewBatchOnTheClipboard) {
  UseBigScreen();
  uitest::SetClipboardText("untouched");
  Generate();
  ClickBig(IDC_BIG_GENERATE);
  EXPECT_EQ(uitest::ClipboardText(), "untouched") << "Auto copy is off";
  ClickBig(IDC_BIG_CLOSE);

  Click(IDC_AUTO_COPY);
  g_tick = 2000;
  Generate();
  EXPECT_EQ(uitest::ClipboardText(), BigText()) << "a new window copies its batch";
  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedAutogenerate, 2000));
  uitest::SetClipboardText("stale");
  g_tick = 3000;
  ClickBig(IDC_BIG_GENERATE);
  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedAutogenerate, 3000));
  EXPECT_EQ(uitest::ClipboardText(), BigText()) << "the window's button copies its batch";
}

TEST_F(BigScreenTest, CloseEndsTheWindowAndTheNextGenerateOpensANewOne) {
  UseBigScreen();
  Generate();
  HWND first = bigScreen();
  ClickBig(IDC_BIG_CLOSE);
  EXPECT_FALSE(bigScreen() != nullptr);
  EXPECT_EQ(bigEditor(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(uitest::ThreadWindows("popup", false).empty()) << "no popup window left";

  // With no window the sort commands show nothing and do no harm.
  Command(IDM_SORT_ASCENDING);
  EXPECT_EQ(OutputText(), "");

  g_tick = 2000;
  Generate();
  ASSERT_TRUE(bigScreen() != nullptr);
  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedAutogenerate, 2000)) << "a new window with the new batch only";
  EXPECT_EQ(uitest::ThreadWindows("popup", false).size(), 1u);

  // Any other way the window goes clears the open flag as well.
  DestroyWindow(bigScreen());
  EXPECT_FALSE(bigScreen() != nullptr);
  EXPECT_EQ(bigEditor(), nullptr);
}

TEST_F(BigScreenTest, UncheckingUseBigScreenLeavesTheWindowOpen) {
  UseBigScreen();
  Generate();
  std::string shown = BigText();
  UseBigScreen();  // off again
  g_tick = 2000;
  Generate();
  EXPECT_TRUE(bigScreen() != nullptr);
  EXPECT_EQ(BigText(), shown);
  EXPECT_EQ(OutputText(), BatchFrom(orvanta::kSeedAutogenerate, 2000));
}

TEST_F(BigScreenTest, TheLargestBatchShowsInFull) {
  Click(IDC_LENGTH_34);
  Click(IDC_QUANTITY_9999);
  UseBigScreen();
  Generate();
  EXPECT_EQ(BigText().size(), 9999u * 41u);
  EXPECT_TRUE(BigText() == App().engine.output()) << "the new window does not hold the whole batch";
  EXPECT_EQ(uitest::ViewState(bigEditor()), "caret 0-0, line 0 at the top, undo no");
  g_tick = 2000;
  ClickBig(IDC_BIG_GENERATE);
  EXPECT_TRUE(BigText() == App().engine.output()) << "the window's own batch is not shown in full";
  EXPECT_EQ(uitest::ViewState(bigEditor()), "caret 0-0, line 0 at the top, undo no");
}

// A user who chose Strong gets strong batches in the window too, from the
// main dialog's Generate and from the window's own button.
TEST_F(BigScreenTest, WhileStrongHoldsBothGeneratesMakeStrongLargestBatches) {
  Command(IDM_SEED_STRONG);
  for (int id : {IDC_KEYS_DIGITS, IDC_LENGTH_34, IDC_QUANTITY_9999}) Click(id);
  UseBigScreen();
  Generate();
  const std::string first = BigText();
  EXPECT_TRUE(IsStrongBatch(first, App().settings, g_tick));
  g_tick = 2000;
  ClickBig(IDC_BIG_GENERATE);
  EXPECT_TRUE(BigText() == App().engine.output()) << "the window's own batch is not shown in full";
  EXPECT_TRUE(IsStrongBatch(BigText(), App().settings, g_tick));
  EXPECT_TRUE(BigText() != first);
}

TEST_F(BigScreenTest, TheKeyboardReachesItsControlsAndLeavesTheEditorItsKeys) {
  UseBigScreen();
  Generate();
  ASSERT_NE(bigScreen(), nullptr);
  HWND big = bigScreen();
  HWND generate = GetDlgItem(big, IDC_BIG_GENERATE), close = GetDlgItem(big, IDC_BIG_CLOSE);
  EXPECT_EQ(GetFocus(), generate) << "the focus as the window opens";
  // Round in the order of creation, and back.
  for (HWND expected : {bigEditor(), close, generate}) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), expected) << "Tab";
  }
  for (HWND expected : {close, bigEditor(), generate}) {
    Key(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), expected) << "Shift+Tab";
  }

  // Space and Enter press the focused button.
  g_tick = 2000;
  Key(VK_SPACE);
  EXPECT_EQ(BigText(), BatchFrom(orvanta::kSeedAutogenerate, 2000)) << "Space";
  g_tick = 3000;
  Key(VK_RETURN);
  const std::string batch = BatchFrom(orvanta::kSeedAutogenerate, 3000);
  EXPECT_EQ(BigText(), batch) << "Enter";

  // The editor keeps typing, Enter, the arrows and the editing keys (the
  // batch of 22 characters leaves room for 8 more).
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), bigEditor());
  SendMessageA(bigEditor(), EM_SETSEL, batch.size(), batch.size());
  Key('Q');
  EXPECT_EQ(BigText(), batch + "q") << "typing";
  const size_t typed = BigText().size();
  Key(VK_RETURN);
  EXPECT_GT(BigText().size(), typed) << "Enter made no new line";
  const WORD end = LOWORD(SendMessageA(bigEditor(), EM_GETSEL, 0, 0));
  Key(VK_LEFT);
  EXPECT_LT(LOWORD(SendMessageA(bigEditor(), EM_GETSEL, 0, 0)), end) << "Left arrow";
  SendMessageA(bigEditor(), EM_SETSEL, 0, 4);
  Key('C', VK_CONTROL);
  EXPECT_EQ(uitest::ClipboardText(), batch.substr(0, 4)) << "Ctrl+C";

  // Space on CLOSE closes the window.
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), close);
  Key(VK_SPACE);
  EXPECT_FALSE(IsWindow(big));
}
