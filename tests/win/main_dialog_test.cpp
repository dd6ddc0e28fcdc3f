// The main dialog as a user meets it: start-up state, options, Generate,
// Auto copy, sorting and the Seed menu.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "engine/engine.h"
#include "resources/resource.h"
#include "support/display_scale.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

// The batch `routine` makes from the fixed tick with `settings`.
std::string ExpectedBatch(const orvanta::GeneratorSettings& settings, orvanta::Routine routine) {
  EXPECT_STREQ(orvanta::RoutineName(orvanta::SelectRoutine(settings)), orvanta::RoutineName(routine));
  return EngineBatch(settings, settings.seedMode, uitest::FixedTick());
}

}  // namespace

TEST_F(MainDialogTest, StartsWithTheDefaultsChecked) {
  for (int id : {IDC_MODE_SIMPLE, IDC_KEYS_ALNUM, IDC_LENGTH_4, IDC_CASE_NO, IDC_QUANTITY_2, IDC_METHOD_BITSHIFT})
    EXPECT_TRUE(uitest::IsChecked(dialog(), id)) << "control " << id;
  for (int id : {IDC_MODE_ADVANCED, IDC_METHOD_LCG, IDC_KEYS_ALL, IDC_CASE_YES, IDC_LENGTH_34, IDC_QUANTITY_9999,
                 IDC_AUTO_COPY, IDC_USE_BIG_SCREEN})
    EXPECT_FALSE(uitest::IsChecked(dialog(), id)) << "control " << id;
  EXPECT_EQ(OutputText(), "");
  EXPECT_FALSE(uitest::IsToolbarButtonEnabled(toolbar(), IDM_UNDO)) << "nothing to undo at start";
  EXPECT_TRUE(uitest::IsToolbarButtonChecked(toolbar(), IDM_ALIGN_CENTER));
  EXPECT_FALSE(uitest::IsToolbarButtonChecked(toolbar(), IDM_ALIGN_LEFT));
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_SEED_AUTO));
  EXPECT_FALSE(uitest::IsMenuChecked(dialog(), IDM_SEED_CUSTOM));

  // The settings agree with what the buttons show.
  const orvanta::GeneratorSettings& s = App().settings;
  EXPECT_EQ(s.method, orvanta::kMethodBitShift);
  EXPECT_EQ(s.mode, orvanta::kModeSimple);
  EXPECT_EQ(s.keySet, orvanta::kKeysDigitsLetters);
  EXPECT_EQ(s.caseOption, orvanta::kCaseNo);
  EXPECT_EQ(s.length, 4);
  EXPECT_EQ(s.quantity, 2);
  EXPECT_EQ(s.seedMode, orvanta::kSeedAutogenerate);
  EXPECT_EQ(uitest::Text(dialog()), "Orvanta.");
}

TEST_F(MainDialogTest, FirstGenerateShowsTwoPasswordsOfFourLettersOrDigits) {
  App().tickCount = uitest::FixedTick;
  Generate();
  std::string text = OutputText();
  EXPECT_EQ(text, App().engine.output());
  EXPECT_EQ(text.size(), 22u);
  std::vector<std::string> passwords = Lines(text);
  ASSERT_EQ(passwords.size(), 2u);
  for (const std::string& p : passwords) {
    EXPECT_EQ(p.size(), 4u);
    EXPECT_EQ(p.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789"), std::string::npos) << p;
  }
  EXPECT_EQ(text, ExpectedBatch(orvanta::GeneratorSettings{}, orvanta::Routine::SimpleDigitsLetters));
}

TEST_F(MainDialogTest, FileMenuGenerateMakesABatchToo) {
  Command(IDM_GENERATE);
  EXPECT_EQ(Lines(OutputText()).size(), 2u);
}

struct DispatchCase {
  std::vector<int> clicks;
  orvanta::Routine routine;
};

TEST_F(MainDialogTest, EveryRoutineIsReachedThroughTheOptionControls) {
  using orvanta::Routine;
  // In the order the dispatch tests: key set, case, mode. The clicks happen
  // in sequence, so each case starts from the options the previous left.
  const std::vector<DispatchCase> cases = {
      {{IDC_KEYS_LETTERS, IDC_KEYS_DIGITS}, Routine::SimpleDigits},
      {{IDC_CASE_YES}, Routine::SimpleDigits},  // case does not matter for digits
      {{IDC_MODE_ADVANCED}, Routine::AdvancedDigits},
      {{IDC_KEYS_LETTERS, IDC_CASE_NO}, Routine::AdvancedLetters},
      {{IDC_CASE_YES}, Routine::AdvancedMixedLetters},
      {{IDC_MODE_SIMPLE}, Routine::SimpleMixedLetters},
      {{IDC_CASE_NO}, Routine::SimpleLetters},
      {{IDC_KEYS_ALNUM}, Routine::SimpleDigitsLetters},
      {{IDC_CASE_YES}, Routine::SimpleDigitsMixedLetters},
      {{IDC_MODE_ADVANCED}, Routine::AdvancedDigitsMixedLetters},
      {{IDC_CASE_NO}, Routine::AdvancedDigitsLetters},
      {{IDC_KEYS_ALL}, Routine::AdvancedKeyboard},
      {{IDC_CASE_YES}, Routine::AdvancedKeyboardMixed},
      {{IDC_MODE_SIMPLE}, Routine::SimpleKeyboardMixed},
      {{IDC_CASE_NO}, Routine::SimpleKeyboard},
  };
  App().tickCount = uitest::FixedTick;
  Click(IDC_LENGTH_30);
  Click(IDC_QUANTITY_50);
  for (int method : {IDC_METHOD_LCG, IDC_METHOD_BITSHIFT}) {
    Click(method);
    for (const DispatchCase& c : cases) {
      for (int id : c.clicks) Click(id);
      Generate();
      std::string expected = ExpectedBatch(App().settings, c.routine);
      EXPECT_EQ(OutputText(), expected) << orvanta::RoutineName(c.routine) << " with method " << method;
      EXPECT_EQ(Lines(OutputText()).size(), 50u);
    }
  }
}

TEST_F(MainDialogTest, LengthButtonsStoreTheNumberOfTheirCaption) {
  const int lengths[] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 30};
  for (int i = 0; i < 18; ++i) {
    Click(IDC_LENGTH_4 + i);
    char caption[8];
    GetDlgItemTextA(dialog(), IDC_LENGTH_4 + i, caption, sizeof caption);
    EXPECT_EQ(App().settings.length, lengths[i]) << "button " << caption;
    EXPECT_EQ(std::to_string(lengths[i]), caption);
    Generate();
    for (const std::string& p : Lines(OutputText())) EXPECT_EQ(p.size(), static_cast<size_t>(lengths[i]));
  }
  Click(IDC_LENGTH_34);
  EXPECT_EQ(App().settings.length, 34);
  EXPECT_FALSE(uitest::IsChecked(dialog(), IDC_LENGTH_30));
}

TEST_F(MainDialogTest, QuantityButtonsStoreTheNumberOfTheirCaption) {
  for (int id = IDC_QUANTITY_2; id <= IDC_QUANTITY_9999; ++id) {
    Click(id);
    char caption[8];
    GetDlgItemTextA(dialog(), id, caption, sizeof caption);
    EXPECT_EQ(std::to_string(App().settings.quantity), caption) << "button " << id;
  }
  Click(IDC_QUANTITY_30);
  Generate();
  EXPECT_EQ(Lines(OutputText()).size(), 30u);
}

TEST_F(MainDialogTest, LargestBatchShowsInFull) {
  Click(IDC_LENGTH_34);
  Click(IDC_QUANTITY_9999);
  Generate();
  std::string text = OutputText();
  EXPECT_EQ(text.size(), 9999u * 41u);
  EXPECT_TRUE(text == App().engine.output()) << "the editor does not hold the whole batch";
  EXPECT_EQ(uitest::ViewState(output()), "caret 0-0, line 0 at the top, undo no");
  EXPECT_NE(SendMessageA(output(), EM_GETEVENTMASK, 0, 0) & ENM_SELCHANGE, 0) << "the toolbar follows the selection";
  App().tickCount = uitest::FixedTick;  // a different tick: a different batch
  Generate();
  EXPECT_TRUE(OutputText() == App().engine.output()) << "the editor does not hold the second batch";
  EXPECT_TRUE(OutputText() != text) << "the second batch did not replace the first";
}

TEST_F(MainDialogTest, AutoCopyPutsExactlyTheShownTextOnTheClipboard) {
  Click(IDC_AUTO_COPY);
  EXPECT_TRUE(uitest::IsChecked(dialog(), IDC_AUTO_COPY));
  Click(IDC_QUANTITY_30);
  Generate();
  std::string shown = OutputText();
  EXPECT_EQ(uitest::ClipboardText(), shown);
  EXPECT_EQ(Lines(uitest::ClipboardText()).size(), 30u);
  EXPECT_EQ(GetFocus(), output());
}

TEST_F(MainDialogTest, WithoutAutoCopyTheClipboardIsUntouched) {
  uitest::SetClipboardText("untouched");
  Generate();
  EXPECT_EQ(uitest::ClipboardText(), "untouched");
  Click(IDC_AUTO_COPY);
  Click(IDC_AUTO_COPY);  // twice: off again
  EXPECT_FALSE(uitest::IsChecked(dialog(), IDC_AUTO_COPY));
  EXPECT_FALSE(App().output.autoCopy);
  Generate();
  EXPECT_EQ(uitest::ClipboardText(), "untouched");
}

TEST_F(MainDialogTest, SortCommandsShowTheBatchInTextOrder) {
  Click(IDC_QUANTITY_100);
  Generate();
  std::vector<std::string> made = Lines(OutputText());
  ASSERT_EQ(made.size(), 100u);
  auto compare = [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1);
  };

  Command(IDM_SORT_ASCENDING);
  std::vector<std::string> up = Lines(OutputText());
  EXPECT_EQ(OutputText(), App().engine.output());
  std::vector<std::string> sortedMade = made, sortedUp = up;
  std::sort(sortedMade.begin(), sortedMade.end());
  std::sort(sortedUp.begin(), sortedUp.end());
  EXPECT_EQ(sortedUp, sortedMade) << "the same passwords";
  for (size_t i = 1; i < up.size(); ++i) EXPECT_NE(compare(up[i - 1], up[i]), CSTR_GREATER_THAN) << i;

  Command(IDM_SORT_DESCENDING);
  std::vector<std::string> down = Lines(OutputText());
  ASSERT_EQ(down.size(), 100u);
  for (size_t i = 1; i < down.size(); ++i) EXPECT_NE(compare(down[i - 1], down[i]), CSTR_LESS_THAN) << i;
}

TEST_F(MainDialogTest, SortOrderFollowsThePlatformComparisonNotBytes) {
  // Byte order would put every capital first; the platform groups letters.
  orvanta::WinSortLists lists;
  for (const char* p : {"b", "B", "a", "A", "a"}) lists.Insert(p);
  std::vector<std::string> up = Lines(lists.AscendingText());
  ASSERT_EQ(up.size(), 5u);
  std::string firstLetters;
  for (const std::string& p : up) firstLetters += static_cast<char>(tolower(p[0]));
  EXPECT_EQ(firstLetters, "aaabb");
  std::vector<std::string> down = Lines(lists.DescendingText());
  std::reverse(down.begin(), down.end());
  EXPECT_EQ(down, up);
}

TEST_F(MainDialogTest, SortBeforeAnyGenerateLeavesTheEditorButEmptiesTheBuffer) {
  SetWindowTextA(output(), "typed by hand");
  App().engine.SetOutput("stale");
  Command(IDM_SORT_ASCENDING);
  EXPECT_EQ(OutputText(), "typed by hand");
  EXPECT_EQ(App().engine.output(), "");
  Command(IDM_SORT_DESCENDING);
  EXPECT_EQ(OutputText(), "typed by hand");
}

TEST_F(MainDialogTest, SortShowsOnlyTheLatestBatch) {
  Generate();
  std::string first = OutputText();
  Click(IDC_KEYS_DIGITS);
  Generate();
  Command(IDM_SORT_ASCENDING);
  for (const std::string& p : Lines(OutputText()))
    EXPECT_EQ(p.find_first_not_of("0123456789"), std::string::npos) << p << " came from an earlier batch";
}

TEST_F(MainDialogTest, AutogenerateMovesTheSeedCheckMarkBack) {
  // Seed > Custom, its dialog's seed taken with OK and "New Seed" closed.
  answers_.Queue(uitest::PressButton(IDC_SEED_OK));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  ASSERT_EQ(App().settings.seedMode, orvanta::kSeedCustom);
  ASSERT_EQ(App().engine.randomState(), 862753941u);
  Command(IDM_SEED_AUTO);
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_SEED_AUTO));
  EXPECT_FALSE(uitest::IsMenuChecked(dialog(), IDM_SEED_CUSTOM));
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedAutogenerate);
  // The next batch ignores the state a custom seed left.
  App().tickCount = uitest::FixedTick;
  Generate();
  EXPECT_EQ(OutputText(), ExpectedBatch(orvanta::GeneratorSettings{}, orvanta::Routine::SimpleDigitsLetters));
}

// A tooltip is a button's name for a screen reader; the menu is the way to
// its command from the keyboard.
TEST_F(MainDialogTest, EveryToolbarButtonHasATooltipAndAMenuItem) {
  auto tooltip = [&](UINT_PTR command) -> std::string {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = toolbar();
    info.hdr.idFrom = command;
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(dialog(), WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "";
  };
  EXPECT_EQ(tooltip(IDM_CLEAR), "Delete");
  EXPECT_EQ(tooltip(IDM_SAVE), "Save");
  EXPECT_EQ(tooltip(IDM_ALIGN_RIGHT), "Align Right");
  EXPECT_EQ(tooltip(IDM_HELP), "Help");
  EXPECT_EQ(tooltip(IDM_SORT_ASCENDING), "Sort ascending");
  EXPECT_EQ(tooltip(IDM_SORT_DESCENDING), "Sort descending");
  // Common Controls 6 asks in UTF-16.
  NMTTDISPINFOW wide{};
  wide.hdr.hwndFrom = toolbar();
  wide.hdr.idFrom = IDM_SORT_DESCENDING;
  wide.hdr.code = TTN_NEEDTEXTW;
  SendMessageA(dialog(), WM_NOTIFY, IDM_SORT_DESCENDING, reinterpret_cast<LPARAM>(&wide));
  EXPECT_TRUE(wide.lpszText && lstrcmpW(wide.lpszText, L"Sort descending") == 0);

  ASSERT_EQ(SendMessageA(toolbar(), TB_BUTTONCOUNT, 0, 0), 19);
  HMENU menu = GetMenu(dialog());
  int buttons = 0;
  for (int i = 0; i < 19; ++i) {
    TBBUTTON button{};
    SendMessageA(toolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & TBSTYLE_SEP) continue;
    ++buttons;
    EXPECT_NE(tooltip(button.idCommand), "") << "button " << i << " has no tooltip";
    EXPECT_NE(GetMenuState(menu, button.idCommand, MF_BYCOMMAND), static_cast<UINT>(-1))
        << "no menu item for command " << button.idCommand;
  }
  EXPECT_EQ(buttons, 14);
  char text[32] = "";
  GetMenuStringA(menu, IDM_SORT_ASCENDING, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Sort &Ascending");
  GetMenuStringA(menu, IDM_SORT_DESCENDING, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Sort &Descending");
}

TEST_F(MainDialogTest, TabGoesFromGeneratePasswordToTheOutputEditorAndOn) {
  Generate();
  const std::string batch = OutputText();
  HWND generate = GetDlgItem(dialog(), IDC_GENERATE);
  SetFocus(generate);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), output()) << "Tab from GENERATE PASSWORD";
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog(), IDC_METHOD_BITSHIFT)) << "Tab from the editor: the checked method";
  Key(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), output()) << "Shift+Tab back";
  Key(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), generate) << "Shift+Tab from the editor";
  EXPECT_EQ(OutputText(), batch) << "a Tab went into the batch";
}

// At 96 DPI the sizes the program is described with; in the prefix at 144
// DPI the same grown by 1.5.
TEST_F(MainDialogTest, FontsLinesToolbarAndPictureFollowTheDisplayScale) {
  Generate();
  for (HWND child = GetWindow(dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (child == output()) continue;  // rich edit names no font: its lines below
    // The dialog's own font, 8 points (11 pixels at 96 DPI); GENERATE
    // PASSWORD's 16 pixels; the toolbar's, the system's.
    const int at96 = id == IDC_GENERATE ? 16 : 11;
    EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(child), at96)) << "the font of control " << id;
  }
  EXPECT_TRUE(uitest::GrowsWithScale(uitest::LineHeight(output()), 32)) << "the Output editor's lines";
  const LRESULT button = SendMessageA(toolbar(), TB_GETBUTTONSIZE, 0, 0);
  EXPECT_TRUE(uitest::GrowsWithScale(LOWORD(button), 23)) << "the toolbar's buttons";
  EXPECT_TRUE(uitest::GrowsWithScale(HIWORD(button), 21)) << "the toolbar's buttons";
  const SIZE image = uitest::ToolbarImageSize(toolbar());
  EXPECT_TRUE(uitest::GrowsWithScale(image.cx, 16)) << "the toolbar's images";
  EXPECT_TRUE(uitest::GrowsWithScale(image.cy, 15)) << "the toolbar's images";
  const SIZE picture = uitest::PictureSize(GetDlgItem(dialog(), IDC_DATABASE));
  EXPECT_TRUE(uitest::GrowsWithScale(picture.cx, 120)) << "the Database button's picture";
  EXPECT_TRUE(uitest::GrowsWithScale(picture.cy, 18)) << "the Database button's picture";
  // With Wine's fonts this label is a pixel too wide for its place already at 96 DPI.
  for (const std::string& label : uitest::CutLabels(dialog())) EXPECT_EQ(label, "Numbers and Letters") << "cut";
}

TEST_F(MainDialogTest, TheIconIsTheResourceNamedIdiIcon1) {
  EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), "IDI_ICON1", RT_GROUP_ICON), nullptr);
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr);
}

TEST_F(MainDialogTest, ExitEndsTheDialog) {
  Command(IDM_EXIT);
  EXPECT_FALSE(IsWindowVisible(dialog()));
}
