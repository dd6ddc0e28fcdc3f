// Advanced-mode routines: the Symbol table, the cycles and the take-or-skip walk.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/engine_batch.h"

namespace orvanta {
namespace {

constexpr Routine kAdvanced[] = {Routine::AdvancedDigits,
                                 Routine::AdvancedLetters,
                                 Routine::AdvancedMixedLetters,
                                 Routine::AdvancedDigitsLetters,
                                 Routine::AdvancedDigitsMixedLetters,
                                 Routine::AdvancedKeyboard,
                                 Routine::AdvancedKeyboardMixed};

struct AdvancedBatch : Batch {
  AdvancedBatch(int32_t method, int32_t length, int32_t quantity) : Batch(method, length, quantity, kModeAdvanced) {}
};

// How many steps of `method` lead from `from` to `to` (at most `limit`).
int StepsBetween(int32_t method, uint32_t from, uint32_t to, int limit) {
  AdvancedBatch b(method, 4, 1);
  b.engine.SetRandomState(from);
  for (int n = 0; n <= limit; ++n) {
    if (b.engine.randomState() == to) return n;
    b.engine.NextRandom();
  }
  return -1;
}

std::vector<std::string> Passwords(const std::string& output) {
  std::vector<std::string> out;
  for (size_t at = 0; at < output.size();) {
    size_t end = output.find(' ', at);
    out.push_back(output.substr(at, end - at));
    at = output.find('\n', at) + 1;
  }
  return out;
}

TEST(SymbolTable, EntriesAndCycles) {
  EXPECT_EQ(kSymbolTable, "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@#$%^&*(_-+=~)");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedDigits), "0123456789");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedLetters), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedMixedLetters), "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedDigitsLetters), "0123456789abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedDigitsMixedLetters), kSymbolTable.substr(0, 62));
  EXPECT_EQ(SymbolCycle(Routine::AdvancedKeyboard), "0123456789abcdefghijklmnopqrstuvwxyz!@#$%^&*(_-+=~)");
  EXPECT_EQ(SymbolCycle(Routine::AdvancedKeyboard)[36], '!');
  EXPECT_EQ(SymbolCycle(Routine::AdvancedKeyboard)[50], ')');
  EXPECT_EQ(SymbolCycle(Routine::AdvancedKeyboardMixed), kSymbolTable);
  EXPECT_TRUE(SymbolCycle(Routine::SimpleDigits).empty());
}

TEST(Walk, SixFractions) {
  // Skip 0; take 2 and 3; skip 4; take 6 and 7: done after six decisions.
  std::vector<double> fractions = {0.5, 0.01, 0.02, 0.9, 0.01, 0.005};
  fractions.resize(77, 0.999);  // never read
  char password[4];
  EXPECT_EQ(WalkSymbols(fractions.data(), 4, "0123456789", password), 6);
  EXPECT_EQ(std::string(password, 4), "2367");
}

TEST(Walk, BoundariesOfTheTakeRule) {
  char password[34];
  std::vector<double> f(77, 0.0);
  // 4/77 = 0.05195: at the first decision of a 4-character password a
  // fraction just below takes, one just above skips.
  f[0] = 0.0519;
  EXPECT_EQ(WalkSymbols(f.data(), 4, "0123456789", password), 4);
  EXPECT_EQ(std::string(password, 4), "0123");
  f[0] = 0.052;
  EXPECT_EQ(WalkSymbols(f.data(), 4, "0123456789", password), 5);
  EXPECT_EQ(std::string(password, 4), "2345");
  // A product exactly equal to the characters needed skips: 0.0625 * 64 = 4.
  std::vector<double> g(77, 0.999);
  g[13] = 0.0625;
  g[14] = 0.0;
  g[15] = 0.0;
  g[16] = 0.0;
  g[17] = 0.0;
  EXPECT_EQ(WalkSymbols(g.data(), 4, "0123456789", password), 18);
  // Thirteen skips reach place 26 ("6"); the equal product skips it as well,
  // so the first take is at place 28.
  EXPECT_EQ(std::string(password, 4), "8901");
  // f = -1 always takes; all skips until none can be spared, then every take.
  std::vector<double> minus(77, -1.0);
  EXPECT_EQ(WalkSymbols(minus.data(), 4, "0123456789", password), 4);
  EXPECT_EQ(std::string(password, 4), "0123");
  std::vector<double> high(77, 0.999);
  EXPECT_EQ(WalkSymbols(high.data(), 34, "abcdefghijklmnopqrstuvwxyz", password), 77);
  // 43 skips move 86 places (86 mod 26 = 8: "i"), then 34 symbols in a row.
  EXPECT_EQ(std::string(password, 34), "ijklmnopqrstuvwxyzabcdefghijklmnop");
}

TEST(AdvancedMode, StateZeroTakesEverything) {
  AdvancedBatch b(kMethodBitShift, 4, 2);
  b.engine.SeedRandom(kSeedAutogenerate, 3440417386u);
  b.engine.AdvancedDigits();
  EXPECT_EQ(b.engine.output(), "0123      \n0123      \n");
}

TEST(AdvancedMode, LinearCongruentialFromStateZero) {
  AdvancedBatch b(kMethodLinearCongruential, 4, 2);
  b.engine.SetRandomState(0);
  b.engine.AdvancedDigits();
  EXPECT_EQ(b.engine.output(), "2363      \n6703      \n");
  EXPECT_EQ(StepsBetween(kMethodLinearCongruential, 0, b.engine.randomState(), 200), 98);
  EXPECT_EQ(b.engine.randomValue(), b.engine.randomState() >> 1);
  EXPECT_EQ(b.engine.decisionCount(), 29);  // the second password's last take
  EXPECT_EQ(b.engine.characterCount(), 4);
}

TEST(AdvancedMode, BitShiftFromStateOne) {
  // One batch of three equals three batches of one: the state runs on.
  AdvancedBatch whole(kMethodBitShift, 5, 3);
  whole.engine.SetRandomState(1);
  whole.engine.AdvancedLetters();
  EXPECT_EQ(StepsBetween(kMethodBitShift, 1, whole.engine.randomState(), 300), 179);

  AdvancedBatch one(kMethodBitShift, 5, 1);
  one.engine.SetRandomState(1);
  std::string joined;
  for (int expected : {77, 49, 53}) {
    const uint32_t before = one.engine.randomState();
    one.engine.AdvancedLetters();
    joined += one.engine.output();
    EXPECT_EQ(StepsBetween(kMethodBitShift, before, one.engine.randomState(), 100), expected);
    EXPECT_EQ(one.engine.decisionCount(), expected);
  }
  EXPECT_EQ(joined, whole.engine.output());
  // The first password's last take is at decision 77 with one candidate left for one character.
  one.engine.SetRandomState(1);
  one.engine.AdvancedLetters();
  EXPECT_EQ(one.engine.candidatesLeft(), 1);
  EXPECT_EQ(one.engine.charactersNeeded(), 1);
}

TEST(AdvancedMode, AllRoutinesMakeTheSameDecisions) {
  for (int32_t method : {kMethodBitShift, kMethodLinearCongruential}) {
    std::set<uint32_t> finalStates;
    for (Routine r : kAdvanced) {
      AdvancedBatch b(method, 9, 40);
      b.engine.SeedRandom(kSeedAutogenerate, 4242);
      b.engine.Run(r);
      finalStates.insert(b.engine.randomState());
    }
    EXPECT_EQ(finalStates.size(), 1u) << "method " << method;
  }
}

TEST(AdvancedMode, PasswordsFollowTheCycle) {
  for (int32_t method : {kMethodBitShift, kMethodLinearCongruential}) {
    for (Routine r : kAdvanced) {
      AdvancedBatch b(method, 34, 2000);
      b.engine.SeedRandom(kSeedAutogenerate, 77);
      b.engine.Run(r);
      const std::string cycle(SymbolCycle(r));
      const int n = static_cast<int>(cycle.size());
      std::set<char> seen;
      const std::vector<std::string> passwords = Passwords(b.engine.output());
      ASSERT_EQ(passwords.size(), 2000u);
      for (const std::string& p : passwords) {
        ASSERT_EQ(p.size(), 34u);
        seen.insert(p.begin(), p.end());
        if (n % 2 == 1) continue;
        // In an even cycle the walk moves 2k places to the first symbol and
        // 1 + 2k places from one symbol to the next.
        ASSERT_EQ(cycle.find(p[0]) % 2, 0u) << RoutineName(r) << " " << p;
        for (size_t i = 1; i < p.size(); ++i) {
          const size_t step = (cycle.find(p[i]) + n - cycle.find(p[i - 1])) % n;
          ASSERT_EQ(step % 2, 1u) << RoutineName(r) << " " << p;
        }
      }
      EXPECT_EQ(seen, std::set<char>(cycle.begin(), cycle.end())) << RoutineName(r);
    }
  }
}

}  // namespace
}  // namespace orvanta
