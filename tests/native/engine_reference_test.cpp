// The routines against a plain, step-by-step reading of their definition:
// one NextRandom at a time, the bit shift as 33 single steps, the fraction
// through frexp, the index through nearbyint, the walk with SymbolBounds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/engine_probe.h"

namespace orvanta {
namespace {

struct Plain {
  Plain(int32_t m, int32_t l, int32_t q, int32_t ld = -255, int32_t qd = -255, uint32_t s = 0)
      : method(m), length(l), quantity(q), lengthDivisor(ld), quantityDivisor(qd), state(s) {}
  int32_t method, length, quantity;
  int32_t lengthDivisor, quantityDivisor;
  uint32_t state, value = 0;
  std::vector<int> decisionsPerPassword;
  std::vector<std::vector<int>> takenAt;  // 1-based decision numbers

  void Next() {
    if (method == kMethodBitShift) {
      for (int i = 0; i < 33; ++i) {
        uint32_t b = (state ^ (state >> 2) ^ (state >> 3) ^ (state >> 5)) & 1u;
        state = (state >> 1) | (b << 31);
      }
    } else {
      state = state * 25173u + 13849u;
    }
    value = state >> 1;
  }
  double Fraction() const {
    double q = value;
    q /= 1000000000.0;
    q /= 10.0;
    q /= lengthDivisor;
    q /= quantityDivisor;
    if (q == 0) return -1.0;
    int e;
    return 2.0 * std::frexp(q, &e) - 1.0;
  }
  int Index(int n) const {
    double f = Fraction();
    if (!(f >= 0.0 && f < 1.0)) return 1;
    double y = f * n;
    double x = y + 1.0;
    return static_cast<int>(std::nearbyint(x));
  }
  std::string Simple(std::string_view window) {
    std::string out;
    const int n = static_cast<int>(window.size()) - 1;
    for (int p = 0; p < quantity; ++p) {
      for (int c = 0; c < length; ++c) {
        Next();
        out += window[Index(n) - 1];
      }
      out += kLineEnd;
    }
    return out;
  }
  std::string Advanced(std::string_view cycle) {
    std::string out;
    const int n = static_cast<int>(cycle.size());
    for (int p = 0; p < quantity; ++p) {
      int decisions = 0, count = 0, position = 0;
      takenAt.emplace_back();
      while (true) {
        const int needed = length - count, candidates = 77 - decisions;
        Next();
        const double product = Fraction() * candidates;
        ++decisions;
        if (product < needed) {
          out += cycle[position];
          takenAt.back().push_back(decisions);
          if (++count == length) break;
          position = (position + 1) % n;
        } else {
          position = (position + 2) % n;
        }
      }
      decisionsPerPassword.push_back(decisions);
      out += kLineEnd;
    }
    return out;
  }
  std::string Run(Routine r) { return static_cast<int>(r) < 7 ? Simple(CharacterWindow(r)) : Advanced(SymbolCycle(r)); }
};

struct Case {
  int32_t method, length, quantity, lengthDivisor, quantityDivisor;
  uint32_t state;
};

void ExpectSame(const Case& c, Routine r) {
  GeneratorSettings settings;
  settings.method = c.method;
  settings.length = c.length;
  settings.quantity = c.quantity;
  Engine engine(settings);
  EngineProbe::SetDivisors(engine, c.lengthDivisor, c.quantityDivisor);
  engine.SetRandomState(c.state);
  engine.Run(r);
  Plain plain(c.method, c.length, c.quantity, c.lengthDivisor, c.quantityDivisor, c.state);
  const std::string expected = plain.Run(r);
  const std::string context = std::string(RoutineName(r)) + " method " + std::to_string(c.method) + " length " +
                              std::to_string(c.length) + " quantity " + std::to_string(c.quantity) + " state " +
                              std::to_string(c.state) + " divisors " + std::to_string(c.lengthDivisor) + "," +
                              std::to_string(c.quantityDivisor);
  ASSERT_EQ(engine.output(), expected) << context;
  ASSERT_EQ(engine.randomState(), plain.state) << context;
  ASSERT_EQ(engine.randomValue(), plain.value) << context;
  if (static_cast<int>(r) >= 7) {
    ASSERT_EQ(engine.decisionCount(), plain.decisionsPerPassword.back()) << context;
    for (int d : plain.decisionsPerPassword) {
      ASSERT_GE(d, c.length) << context;
      ASSERT_LE(d, 77) << context;
    }
  }
}

TEST(Reference, DecisionNumbersOfTheWorkedExamples) {
  Plain lcg(kMethodLinearCongruential, 4, 2);
  EXPECT_EQ(lcg.Advanced("0123456789"), "2363      \n6703      \n");
  EXPECT_EQ(lcg.takenAt, (std::vector<std::vector<int>>{{12, 38, 60, 69}, {19, 25, 27, 29}}));
  EXPECT_EQ(lcg.decisionsPerPassword, (std::vector<int>{69, 29}));

  Plain shift(kMethodBitShift, 5, 3);
  shift.state = 1;
  shift.Advanced("0123456789");
  EXPECT_EQ(shift.decisionsPerPassword, (std::vector<int>{77, 49, 53}));
  EXPECT_EQ(shift.takenAt[0].back(), 77);
}

TEST(Reference, RoutinesMatchOverManySeeds) {
  std::mt19937 gen(2024);
  const int32_t lengths[] = {4, 5, 7, 8, 13, 20, 33, 34};
  const int32_t quantities[] = {1, 2, 3, 30, 97};
  for (int32_t method : {kMethodBitShift, kMethodLinearCongruential})
    for (int32_t length : lengths)
      for (int32_t quantity : quantities)
        for (int i = 0; i < kRoutineCount; ++i)
          ExpectSame({method, length, quantity, -255, -255, static_cast<uint32_t>(gen())}, static_cast<Routine>(i));
}

TEST(Reference, StatesThatStallTheRandomValue) {
  // 0 (bit shift stays at 0), 1 and 0xFFFFFFFF (linear congruential from there).
  for (uint32_t state : {0u, 1u, 0x80000000u, 0xFFFFFFFFu})
    for (int32_t method : {kMethodBitShift, kMethodLinearCongruential})
      for (int i = 0; i < kRoutineCount; ++i) ExpectSame({method, 34, 5, -255, -255, state}, static_cast<Routine>(i));
}

TEST(Reference, OtherDivisors) {
  // The start-up divisors (1, 1), and products of either sign.
  const int32_t pairs[][2] = {{1, 1}, {-255, 1}, {3, -7}, {1000, 1000}, {-1, -1}};
  std::mt19937 gen(99);
  for (const auto& d : pairs)
    for (int32_t method : {kMethodBitShift, kMethodLinearCongruential})
      for (int i = 0; i < kRoutineCount; ++i)
        ExpectSame({method, 17, 40, d[0], d[1], static_cast<uint32_t>(gen())}, static_cast<Routine>(i));
}

TEST(Reference, LargestBatch) {
  // 9,999 x 34 crosses many blocks of Random values drawn ahead.
  for (int32_t method : {kMethodBitShift, kMethodLinearCongruential}) {
    ExpectSame({method, 34, 9999, -255, -255, 3141592653u}, Routine::AdvancedKeyboardMixed);
    ExpectSame({method, 34, 9999, -255, -255, 2718281828u}, Routine::SimpleKeyboardMixed);
  }
}

}  // namespace
}  // namespace orvanta
