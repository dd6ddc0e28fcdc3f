// Simple-mode routines, the Character windows, FinishPassword and the dispatch.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "support/engine_batch.h"
#include "support/engine_probe.h"

namespace orvanta {
namespace {

constexpr Routine kSimple[] = {Routine::SimpleLetters,       Routine::SimpleMixedLetters,       Routine::SimpleDigits,
                               Routine::SimpleDigitsLetters, Routine::SimpleDigitsMixedLetters, Routine::SimpleKeyboard,
                               Routine::SimpleKeyboardMixed};

TEST(CharacterTable, LayoutAndWindows) {
  EXPECT_EQ(kCharacterTable,
            "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "
            "4569870321abcdefghijklmnopqrstuvwxyz0987654321abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ09876543"
            "21abcdefghijklmnopqrstuvwxyz0987654321~!@#$%^&*()+=_-"
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0987654321~!@#$%^&*()+=_-");
  EXPECT_EQ(kCharacterTable.size(), 315u);
  EXPECT_EQ(kCharacterTable[78], ' ');
  // Positions 1..N-1, then N and N+1.
  EXPECT_EQ(CharacterWindow(Routine::SimpleLetters),
            "bcdefghijklmnopqrstuvwxyz"
            "ab");
  EXPECT_EQ(CharacterWindow(Routine::SimpleMixedLetters),
            "bcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
            "ab");
  EXPECT_EQ(CharacterWindow(Routine::SimpleDigits),
            "45698703"
            "21");
  EXPECT_EQ(CharacterWindow(Routine::SimpleDigitsLetters),
            "bcdefghijklmnopqrstuvwxyz0987654321"
            "ab");
  EXPECT_EQ(CharacterWindow(Routine::SimpleDigitsMixedLetters),
            "bcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0987654321"
            "ab");
  EXPECT_EQ(CharacterWindow(Routine::SimpleKeyboard),
            "bcdefghijklmnopqrstuvwxyz0987654321~!@#$%^&*()+=_-"
            "ab");
  EXPECT_EQ(CharacterWindow(Routine::SimpleKeyboardMixed),
            "bcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0987654321~!@#$%^&*()+=_-"
            "ab");
  EXPECT_TRUE(CharacterWindow(Routine::AdvancedDigits).empty());
}

TEST(SimpleMode, FirstPositionsDrawn) {
  Batch lcg(kMethodLinearCongruential, 4, 2);
  lcg.engine.SeedRandom(kSeedAutogenerate, 0);
  for (int32_t want : {8, 13, 13, 18, 21, 22, 22, 12}) {
    lcg.engine.NextRandom();
    EXPECT_EQ(lcg.engine.RandomIndex(26), want);
  }
  // The same draws through the routine: positions 8, 13, 13, 18 | 21, 22, 22, 12.
  lcg.engine.SeedRandom(kSeedAutogenerate, 0);
  lcg.engine.SimpleLetters();
  EXPECT_EQ(lcg.engine.output(), "inns      \nvwwm      \n");

  Batch shift(kMethodBitShift, 5, 1);
  shift.engine.SeedRandom(kSeedAutogenerate, 0);
  for (int32_t want : {2, 7, 7, 6, 8}) {
    shift.engine.NextRandom();
    EXPECT_EQ(shift.engine.RandomIndex(9), want);
  }
  shift.engine.SeedRandom(kSeedAutogenerate, 0);
  shift.engine.SimpleDigits();
  EXPECT_EQ(shift.engine.output(), "50073      \n");  // "4569870321" at 2, 7, 7, 6, 8
}

TEST(SimpleMode, StateZeroGivesPositionOneEverywhere) {
  Batch b(kMethodBitShift, 4, 2);
  b.engine.SeedRandom(kSeedAutogenerate, 3440417386u);
  ASSERT_EQ(b.engine.randomState(), 0u);
  b.engine.SimpleDigits();
  EXPECT_EQ(b.engine.output(), "4444      \n4444      \n");
  b.engine.SimpleLetters();
  EXPECT_EQ(b.engine.output(), "bbbb      \nbbbb      \n");
  for (Routine r : kSimple) {
    if (r == Routine::SimpleDigits) continue;
    b.engine.Run(r);
    EXPECT_EQ(b.engine.output(), "bbbb      \nbbbb      \n") << RoutineName(r);
  }
}

TEST(SimpleMode, OutputLayoutAndSteps) {
  Batch b(kMethodLinearCongruential, 4, 2);
  b.engine.SetOutput("left over from before");
  b.engine.SeedRandom(kSeedAutogenerate, 99);
  b.engine.SimpleKeyboardMixed();
  EXPECT_EQ(b.engine.output().size(), 22u);
  EXPECT_EQ(b.engine.output().back(), '\n');
  EXPECT_EQ(b.engine.output().find("left"), std::string::npos);

  b.settings.length = 5;
  b.settings.quantity = 3;
  b.engine.SeedRandom(kSeedAutogenerate, 99);
  const uint32_t start = b.engine.randomState();
  b.engine.SimpleKeyboardMixed();
  ASSERT_EQ(b.engine.output().size(), 36u);
  for (const std::string& line : Lines(b.engine.output())) {
    EXPECT_EQ(line.size(), 11u);
    EXPECT_EQ(line.substr(5), "      ");
  }
  // Exactly length x quantity steps.
  Batch count(kMethodLinearCongruential, 4, 2);
  count.engine.SetRandomState(start);
  for (int i = 0; i < 15; ++i) count.engine.NextRandom();
  EXPECT_EQ(b.engine.randomState(), count.engine.randomState());
  EXPECT_EQ(b.engine.randomValue(), count.engine.randomValue());
}

TEST(SimpleMode, EachRoutineUsesExactlyItsWindow) {
  for (int32_t method : {kMethodBitShift, kMethodLinearCongruential}) {
    Batch b(method, 34, 3000);
    b.engine.SeedRandom(kSeedAutogenerate, 20240607);
    for (Routine r : kSimple) {
      b.engine.Run(r);
      std::set<char> seen;
      for (const std::string& line : Lines(b.engine.output())) {
        ASSERT_EQ(line.size(), 40u);
        seen.insert(line.begin(), line.begin() + 34);
      }
      const std::string_view window = CharacterWindow(r);
      const std::set<char> expected(window.begin(), window.end());
      EXPECT_EQ(seen, expected) << RoutineName(r) << " method " << method;
    }
  }
}

TEST(PasswordOutput, FinishPasswordFeedsListsAndCounts) {
  Batch b(kMethodBitShift, 6, 5);
  RecordingLists lists;
  b.engine.SetSortLists(&lists);
  b.engine.SeedRandom(kSeedAutogenerate, 1);
  b.engine.AdvancedKeyboard();
  EXPECT_EQ(lists.inserted.size(), 5u);
  EXPECT_EQ(b.engine.itemCounter(), 5);
  EXPECT_EQ(b.engine.batchCountdown(), 0);
  std::string joined;
  for (const std::string& p : lists.inserted) joined += p + std::string(kLineEnd);
  EXPECT_EQ(joined, b.engine.output());
  // The lists and the counter run on into the next batch until the caller empties them.
  b.engine.SimpleDigits();
  EXPECT_EQ(lists.inserted.size(), 10u);
  EXPECT_EQ(b.engine.itemCounter(), 10);

  // FinishPassword on its own: append, count down, report the end.
  EngineProbe::AwaitPasswords(b.engine, "abc", 2);
  EXPECT_FALSE(EngineProbe::FinishPassword(b.engine));
  EXPECT_TRUE(EngineProbe::FinishPassword(b.engine));
  EXPECT_EQ(b.engine.output(), "abc      \nabc      \n");
  EXPECT_EQ(lists.inserted.back(), "abc");
}

TEST(Dispatch, KeySetThenCaseThenMode) {
  const struct {
    int32_t keys, caseOption;
    Routine simple, advanced;
  } rows[] = {
      {kKeysDigits, kCaseNo, Routine::SimpleDigits, Routine::AdvancedDigits},
      {kKeysDigits, kCaseSensitive, Routine::SimpleDigits, Routine::AdvancedDigits},
      {kKeysLetters, kCaseNo, Routine::SimpleLetters, Routine::AdvancedLetters},
      {kKeysLetters, kCaseSensitive, Routine::SimpleMixedLetters, Routine::AdvancedMixedLetters},
      {kKeysDigitsLetters, kCaseNo, Routine::SimpleDigitsLetters, Routine::AdvancedDigitsLetters},
      {kKeysDigitsLetters, 0, Routine::SimpleDigitsMixedLetters, Routine::AdvancedDigitsMixedLetters},
      {kKeysAll, kCaseNo, Routine::SimpleKeyboard, Routine::AdvancedKeyboard},
      {kKeysAll, kCaseSensitive, Routine::SimpleKeyboardMixed, Routine::AdvancedKeyboardMixed},
      {99, kCaseNo, Routine::SimpleKeyboard, Routine::AdvancedKeyboard},
  };
  for (const auto& row : rows) {
    GeneratorSettings s;
    s.keySet = row.keys;
    s.caseOption = row.caseOption;
    s.mode = kModeSimple;
    EXPECT_EQ(SelectRoutine(s), row.simple) << row.keys << "/" << row.caseOption;
    s.mode = kModeAdvanced;
    EXPECT_EQ(SelectRoutine(s), row.advanced) << row.keys << "/" << row.caseOption;
    s.mode = 0;  // anything but Simple is Advanced
    EXPECT_EQ(SelectRoutine(s), row.advanced);
  }
  EXPECT_EQ(SelectRoutine(GeneratorSettings{}), Routine::SimpleDigitsLetters);
  std::set<std::string> names;
  for (int i = 0; i < kRoutineCount; ++i) names.insert(RoutineName(static_cast<Routine>(i)));
  EXPECT_EQ(names.size(), 14u);
  EXPECT_STREQ(RoutineName(Routine::AdvancedKeyboardMixed), "AdvancedKeyboardMixed");
}

}  // namespace
}  // namespace orvanta
