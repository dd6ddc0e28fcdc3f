// The Custom Seed dialog, opened from Seed > Custom and answered the way a
// user would: digits typed or stepped with the arrows, then OK, Cancel, the
// close box, Escape or Enter.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "engine/engine.h"
#include "resources/resource.h"
#include "support/display_scale.h"
#include "support/main_dialog_fixture.h"

using orvanta::App;

namespace {

constexpr int kFirstBox = IDC_SEED_DIGIT_FIRST;  // leftmost box, most significant digit

// The nine boxes' texts, left to right, with "|" between them.
std::string Boxes(HWND seedDialog) {
  std::string all;
  for (int id = kFirstBox; id <= IDC_SEED_DIGIT_LAST; ++id) {
    if (id != kFirstBox) all += '|';
    all += uitest::Text(GetDlgItem(seedDialog, id));
  }
  return all;
}

void TypeInto(HWND seedDialog, const std::string& nineDigits) {
  for (int i = 0; i < 9; ++i) SetDlgItemTextA(seedDialog, kFirstBox + i, nineDigits.substr(i, 1).c_str());
}

// The up-down control beside box 3002 + i is 4010 - i.
HWND UpDownOf(HWND seedDialog, int box) { return GetDlgItem(seedDialog, IDC_SEED_UPDOWN_LAST - (box - kFirstBox)); }

// A mouse click on the right (increasing) or left (decreasing) arrow.
void ClickArrow(HWND seedDialog, int box, bool right) {
  HWND upDown = UpDownOf(seedDialog, box);
  RECT rc;
  GetClientRect(upDown, &rc);
  LPARAM at = MAKELPARAM(right ? rc.right * 3 / 4 : rc.right / 4, rc.bottom / 2);
  SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(upDown, WM_LBUTTONUP, 0, at);
}

void PressKey(HWND seedDialog, int box, WPARAM key) {
  HWND edit = GetDlgItem(seedDialog, box);
  SendMessageA(edit, WM_KEYDOWN, key, 1);
  SendMessageA(edit, WM_KEYUP, key, 0xC0000001);
}

void PostClick(HWND seedDialog, int id) {
  PostMessageA(seedDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(seedDialog, id)));
}

std::string BatchFrom(uint32_t state, int32_t seedMode) {
  return EngineBatch(App().settings, seedMode, uitest::FixedTick(), state);
}

}  // namespace

class CustomSeedTest : public MainDialogTest {
 protected:
  void TearDown() override {
    App().tickCount = GetTickCount;  // the clock outlives the dialog
    MainDialogTest::TearDown();
  }
};

TEST_F(CustomSeedTest, OkOnTheInitialDigitsMakesTheSeedAndSelectsCustomSeeding) {
  HWND seedDialog = nullptr, seedOwner = reinterpret_cast<HWND>(1), boxOwner = nullptr;
  std::string caption, shown;
  bool mainEnabled = false;
  int32_t modeWhileBoxOpen = -1;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        seedDialog = d;
        caption = uitest::Text(d);
        shown = Boxes(d);
        seedOwner = GetWindow(d, GW_OWNER);
        mainEnabled = IsWindowEnabled(dialog());
      },
      uitest::PressButton(IDC_SEED_OK)));
  answers_.Queue(uitest::Inspect(
      [&](HWND box) {
        boxOwner = GetWindow(box, GW_OWNER);
        modeWhileBoxOpen = App().settings.seedMode;
      },
      uitest::PressButton(IDOK)));
  Command(IDM_SEED_CUSTOM);

  EXPECT_EQ(caption, "Custom Seed");
  EXPECT_EQ(shown, "8|6|2|7|5|3|9|4|1");
  EXPECT_EQ(seedOwner, dialog()) << "no Generate or Exit underneath the dialog";
  EXPECT_FALSE(mainEnabled);
  ASSERT_EQ(answers_.seen().size(), 2u);
  EXPECT_EQ(answers_.seen()[1].caption, "New Seed");
  EXPECT_EQ(answers_.seen()[1].text, "862753941");
  EXPECT_EQ(boxOwner, seedDialog) << "the message box belongs to the dialog";
  EXPECT_EQ(modeWhileBoxOpen, orvanta::kSeedAutogenerate) << "custom seeding starts when the box is closed";
  EXPECT_FALSE(IsWindow(seedDialog));
  EXPECT_EQ(App().engine.randomState(), 862753941u);
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedCustom);
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_SEED_CUSTOM));
  EXPECT_FALSE(uitest::IsMenuChecked(dialog(), IDM_SEED_AUTO));

  // The next batch mixes the tick count into the user's seed.
  App().tickCount = uitest::FixedTick;
  Generate();
  std::string custom = BatchFrom(862753941, orvanta::kSeedCustom);
  EXPECT_EQ(OutputText(), custom);
  EXPECT_NE(custom, BatchFrom(0, orvanta::kSeedAutogenerate)) << "the comparison must tell the rules apart";
}

TEST_F(CustomSeedTest, NinesAndZerosAreSeedsToo) {
  answers_.Queue(uitest::SetItemText(kFirstBox, "9", [](HWND d) {
    TypeInto(d, "999999999");
    PostClick(d, IDC_SEED_OK);
  }));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(App().engine.randomState(), 999999999u);
  ASSERT_EQ(answers_.seen().size(), 2u);
  EXPECT_EQ(answers_.seen()[1].text, "999999999");

  std::string reopened;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        reopened = Boxes(d);
        for (int id = IDC_SEED_UPDOWN_UNITS; id <= IDC_SEED_UPDOWN_LAST; ++id)
          SendDlgItemMessageA(d, id, UDM_SETPOS, 0, MAKELPARAM(0, 0));
      },
      uitest::PressButton(IDC_SEED_OK)));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(reopened, "8|6|2|7|5|3|9|4|1") << "every opening starts from the initial digits";
  ASSERT_EQ(answers_.seen().size(), 4u);
  EXPECT_EQ(answers_.seen()[3].caption, "New Seed");
  EXPECT_EQ(answers_.seen()[3].text, "0");
  EXPECT_EQ(App().engine.randomState(), 0u);
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedCustom);

  // Zero is a valid seed: the tick count still enters.
  App().tickCount = uitest::FixedTick;
  Generate();
  EXPECT_EQ(OutputText(), BatchFrom(0, orvanta::kSeedCustom));
}

TEST_F(CustomSeedTest, ArrowsWrapPastNineAndBelowZero) {
  std::string afterClicks[5], afterKeys[2];
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        const int hundreds = kFirstBox + 6, units = kFirstBox + 8, first = kFirstBox;
        ClickArrow(d, hundreds, true);  // 9 + 1
        afterClicks[0] = uitest::Text(GetDlgItem(d, hundreds));
        ClickArrow(d, hundreds, false);  // 0 - 1
        afterClicks[1] = uitest::Text(GetDlgItem(d, hundreds));
        ClickArrow(d, units, false);  // 1 - 1
        afterClicks[2] = uitest::Text(GetDlgItem(d, units));
        ClickArrow(d, units, false);  // 0 - 1
        afterClicks[3] = uitest::Text(GetDlgItem(d, units));
        ClickArrow(d, units, true);  // 9 + 1
        afterClicks[4] = uitest::Text(GetDlgItem(d, units));
        PressKey(d, first, VK_UP);  // 8 + 1
        afterKeys[0] = uitest::Text(GetDlgItem(d, first));
        PressKey(d, first, VK_UP);  // 9 + 1
        afterKeys[1] = uitest::Text(GetDlgItem(d, first));
      },
      uitest::PressButton(IDC_SEED_OK)));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(afterClicks[0], "0") << "9 + 1";
  EXPECT_EQ(afterClicks[1], "9") << "0 - 1";
  EXPECT_EQ(afterClicks[2], "0") << "1 - 1";
  EXPECT_EQ(afterClicks[3], "9") << "0 - 1";
  EXPECT_EQ(afterClicks[4], "0") << "9 + 1";
  EXPECT_EQ(afterKeys[0], "9") << "arrow key: 8 + 1";
  EXPECT_EQ(afterKeys[1], "0") << "arrow key: 9 + 1";
  // 0 6 2 7 5 3 9 4 0: the seed is read from the stepped positions.
  EXPECT_EQ(App().engine.randomState(), 62753940u);
  ASSERT_EQ(answers_.seen().size(), 2u);
  EXPECT_EQ(answers_.seen()[1].text, "62753940");
}

TEST_F(CustomSeedTest, CancelAndTheCloseBoxChangeNothingButTheMenuCheck) {
  Generate();  // a Random state of its own, which the dialog must keep
  const uint32_t before = App().engine.randomState();
  answers_.Queue(uitest::Inspect(
      [](HWND d) {
        TypeInto(d, "111111111");
        ClickArrow(d, kFirstBox, true);
      },
      uitest::PressButton(IDC_SEED_CANCEL)));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(App().engine.randomState(), before) << "after Cancel";
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedAutogenerate) << "after Cancel";
  EXPECT_TRUE(uitest::IsMenuChecked(dialog(), IDM_SEED_CUSTOM)) << "the menu check moves even when cancelled";
  EXPECT_FALSE(uitest::IsMenuChecked(dialog(), IDM_SEED_AUTO));

  std::string reopened;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        reopened = Boxes(d);
        TypeInto(d, "000000007");
      },
      uitest::CloseBox()));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(reopened, "8|6|2|7|5|3|9|4|1") << "a cancelled opening leaves nothing behind";
  EXPECT_EQ(App().engine.randomState(), before) << "after the close box";
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedAutogenerate) << "after the close box";
  EXPECT_EQ(answers_.seen().size(), 2u) << "no message box";

  // Although the menu says "Custom", batches are still seeded by the clock alone.
  App().tickCount = uitest::FixedTick;
  Generate();
  EXPECT_EQ(OutputText(), BatchFrom(0, orvanta::kSeedAutogenerate));
}

TEST_F(CustomSeedTest, EscapeAndEnterLeaveTheDialogOpen) {
  answers_.Queue([](HWND d) {
    HWND box = GetDlgItem(d, kFirstBox);
    // The keys through the dialog's own loop, then the commands they stand for.
    PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // Still open: OK is acted on.
    PostClick(d, IDC_SEED_OK);
  });
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  ASSERT_EQ(answers_.seen().size(), 2u) << "the dialog closed before OK";
  EXPECT_EQ(answers_.seen()[1].caption, "New Seed");
  EXPECT_EQ(App().engine.randomState(), 862753941u);
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedCustom);
}

TEST_F(CustomSeedTest, ABoxWithoutExactlyOneDigitIsRefusedAndTheDialogStaysOpen) {
  Generate();  // a Random state of its own, which a refusal must keep
  const uint32_t before = App().engine.randomState();
  HWND seedDialog = nullptr;
  uint32_t stateWhileRefused[3] = {};
  int32_t modeWhileRefused[3] = {-1, -1, -1};
  // Each refusal: note the state, let `edit` change the boxes, close the
  // message box and press OK again.
  auto refusal = [&](int n, std::function<void()> edit) -> uitest::Answer {
    return [&, n, edit](HWND messageBox) {
      stateWhileRefused[n] = App().engine.randomState();
      modeWhileRefused[n] = App().settings.seedMode;
      edit();
      uitest::PressButton(IDOK)(messageBox);
      PostClick(seedDialog, IDC_SEED_OK);
    };
  };
  const int fourth = kFirstBox + 3, eighth = kFirstBox + 7;
  answers_.Queue([&](HWND d) {
    seedDialog = d;
    SetDlgItemTextA(d, fourth, "");
    PostClick(d, IDC_SEED_OK);
  });
  answers_.Queue(refusal(0, [&] {
    SetDlgItemTextA(seedDialog, fourth, "7");
    SetDlgItemTextA(seedDialog, eighth, "x");
  }));
  answers_.Queue(refusal(1, [&] { SetDlgItemTextA(seedDialog, eighth, "12"); }));
  answers_.Queue(refusal(2, [&] { SetDlgItemTextA(seedDialog, eighth, "4"); }));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);

  const auto& seen = answers_.seen();
  ASSERT_EQ(seen.size(), 5u);
  const char* positions[3] = {"4", "8", "8"};
  for (int n = 0; n < 3; ++n) {
    const uitest::SeenDialog& box = seen[1 + n];
    EXPECT_EQ(box.caption, "Custom Seed") << "refusal " << n;
    EXPECT_NE(box.text.find(std::string("Digit ") + positions[n] + " "), std::string::npos)
        << "refusal " << n << " names the position: " << box.text;
    EXPECT_EQ(stateWhileRefused[n], before) << "refusal " << n;
    EXPECT_EQ(modeWhileRefused[n], orvanta::kSeedAutogenerate) << "refusal " << n;
  }
  EXPECT_EQ(seen[4].caption, "New Seed");
  EXPECT_EQ(seen[4].text, "862753941");
  EXPECT_EQ(App().engine.randomState(), 862753941u);
  EXPECT_EQ(App().settings.seedMode, orvanta::kSeedCustom);
}

TEST_F(CustomSeedTest, ItsFontAndArrowsFollowTheDisplayScale) {
  std::vector<std::string> cut;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        for (int id = IDC_SEED_DIGIT_FIRST; id <= IDC_SEED_DIGIT_LAST; ++id) {
          // The dialog's font: 8 points, 11 pixels at 96 DPI.
          EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(d, id)), 11)) << "box " << id;
          // Its up-down: 15 x 18 pixels at 96 DPI.
          const RECT place = uitest::PlaceInParent(UpDownOf(d, id));
          EXPECT_TRUE(uitest::GrowsWithScale(place.right - place.left, 15)) << "the arrows of box " << id;
          EXPECT_TRUE(uitest::GrowsWithScale(place.bottom - place.top, 18)) << "the arrows of box " << id;
          EXPECT_TRUE(uitest::GrowsWithScale(place.top, 50)) << "the arrows of box " << id;
        }
        for (int id : {IDC_SEED_GROUP, IDC_SEED_OK, IDC_SEED_CANCEL})
          EXPECT_TRUE(uitest::GrowsWithScale(uitest::FontHeight(GetDlgItem(d, id)), 11)) << "control " << id;
        cut = uitest::CutLabels(d);
      },
      uitest::PressButton(IDC_SEED_CANCEL)));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(cut, std::vector<std::string>{});
}

TEST_F(CustomSeedTest, TypingReplacesTheDigitAndAddsNoSecondOne) {
  std::string afterReplace, afterSecond;
  answers_.Queue(uitest::Inspect(
      [&](HWND d) {
        HWND box = GetDlgItem(d, kFirstBox);
        SendMessageA(box, EM_SETSEL, 0, -1);
        SendMessageA(box, WM_CHAR, '5', 1);
        afterReplace = uitest::Text(box);
        SendMessageA(box, EM_SETSEL, 1, 1);
        SendMessageA(box, WM_CHAR, '3', 1);
        afterSecond = uitest::Text(box);
      },
      uitest::PressButton(IDC_SEED_OK)));
  answers_.Queue(uitest::PressButton(IDOK));
  Command(IDM_SEED_CUSTOM);
  EXPECT_EQ(afterReplace, "5");
  EXPECT_EQ(afterSecond, "5");
  EXPECT_EQ(App().engine.randomState(), 562753941u);
}

// Seed > "Strong (system random)": the third of the marks that move
// together; method and mode play no part, so their buttons are greyed and
// keep their choices; Autogenerate and Custom (even cancelled) bring back
// the clock's batches and the buttons.
TEST_F(CustomSeedTest, StrongSharesTheSeedMarkGreysMethodAndModeAndMakesBatchesFromTheSystemSource) {
  App().tickCount = uitest::FixedTick;
  for (int id : {IDC_KEYS_ALL, IDC_CASE_YES, IDC_LENGTH_34, IDC_QUANTITY_9999}) Click(id);
  const int methodAndMode[] = {IDC_METHOD_LCG, IDC_METHOD_BITSHIFT, IDC_MODE_SIMPLE, IDC_MODE_ADVANCED};
  auto expectSeeding = [&](int checked) {
    for (int item : {IDM_SEED_AUTO, IDM_SEED_CUSTOM, IDM_SEED_STRONG})
      EXPECT_EQ(uitest::IsMenuChecked(dialog(), item), item == checked) << "after " << checked << ", item " << item;
    for (int id : methodAndMode)
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog(), id)) != FALSE, checked != IDM_SEED_STRONG) << "button " << id;
    EXPECT_TRUE(uitest::IsChecked(dialog(), IDC_METHOD_BITSHIFT) && uitest::IsChecked(dialog(), IDC_MODE_SIMPLE));
  };

  Command(IDM_SEED_STRONG);
  expectSeeding(IDM_SEED_STRONG);
  Generate();
  EXPECT_TRUE(OutputText() == App().engine.output()) << "the editor does not hold the whole batch";
  EXPECT_TRUE(IsStrongBatch(OutputText(), App().settings, uitest::FixedTick()));

  // No random bytes from the system: no batch, and the user is told.
  App().randomBytes = [](unsigned char*, std::size_t) { return false; };
  answers_.Queue(uitest::PressButton(IDOK));
  Generate();
  ASSERT_EQ(answers_.seen().size(), 1u);
  EXPECT_NE(answers_.seen()[0].text.find("no strong batch"), std::string::npos) << answers_.seen()[0].text;
  EXPECT_EQ(OutputText(), "");

  Click(IDC_QUANTITY_30);
  answers_.Queue(uitest::PressButton(IDC_SEED_CANCEL));
  Command(IDM_SEED_CUSTOM);
  expectSeeding(IDM_SEED_CUSTOM);
  Generate();
  EXPECT_EQ(OutputText(), BatchFrom(0, orvanta::kSeedAutogenerate)) << "a cancelled Custom leaves Strong";

  Command(IDM_SEED_STRONG);
  Command(IDM_SEED_AUTO);
  expectSeeding(IDM_SEED_AUTO);
  Generate();
  EXPECT_EQ(OutputText(), BatchFrom(0, orvanta::kSeedAutogenerate));
}
