// Random state: both stepping methods and both seeding rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engine/engine.h"
#include "support/engine_probe.h"

namespace orvanta {
namespace {

uint32_t PlainBitShift(uint32_t s) {
  for (int i = 0; i < 33; ++i) {
    uint32_t b = ((s >> 0) ^ (s >> 2) ^ (s >> 3) ^ (s >> 5)) & 1u;
    s = (s >> 1) | (b << 31);
  }
  return s;
}

struct EngineWith {
  GeneratorSettings settings;
  Engine engine{settings};
  explicit EngineWith(int32_t method) { settings.method = method; }
};

TEST(RandomSource, LinearCongruentialStepValues) {
  EngineWith e(kMethodLinearCongruential);
  const uint32_t expected[] = {13849u, 348634726u, 1563785719u};
  for (uint32_t want : expected) {
    e.engine.NextRandom();
    EXPECT_EQ(e.engine.randomState(), want);
    EXPECT_EQ(e.engine.randomValue(), want >> 1);
  }
  e.engine.SetRandomState(1);
  e.engine.NextRandom();
  EXPECT_EQ(e.engine.randomState(), 39022u);
}

TEST(RandomSource, BitShiftStepValues) {
  EngineWith e(kMethodBitShift);
  e.engine.SetRandomState(1);
  e.engine.NextRandom();
  EXPECT_EQ(e.engine.randomState(), 0xB4000000u);
  EXPECT_EQ(e.engine.randomState(), 3019898880u);
  EXPECT_EQ(e.engine.randomValue(), 0x5A000000u);
  e.engine.SetRandomState(0x80000000u);
  e.engine.NextRandom();
  EXPECT_EQ(e.engine.randomState(), 0x5A000000u);
  EXPECT_EQ(e.engine.randomValue(), 0x2D000000u);
}

TEST(RandomSource, BitShiftZeroStaysZeroAndNothingElseReachesIt) {
  EngineWith e(kMethodBitShift);
  EngineProbe::SetValue(e.engine, 77);  // refreshed by the step
  for (int i = 0; i < 5; ++i) {
    e.engine.NextRandom();
    EXPECT_EQ(e.engine.randomState(), 0u);
    EXPECT_EQ(e.engine.randomValue(), 0u);
  }
  std::mt19937 gen(7);
  for (int i = 0; i < 20000; ++i) {
    e.engine.SetRandomState(gen() | 1u);
    for (int k = 0; k < 4; ++k) {
      e.engine.NextRandom();
      ASSERT_NE(e.engine.randomState(), 0u);
    }
  }
}

TEST(RandomSource, FastBitShiftEqualsThirtyThreeSingleSteps) {
  std::vector<uint32_t> states = {0u, 1u, 0x80000000u, 0xFFFFFFFFu, 0x2Du, 0x55555555u, 0xAAAAAAAAu};
  for (int bit = 0; bit < 32; ++bit) states.push_back(1u << bit);
  std::mt19937 gen(12345);
  for (int i = 0; i < 200000; ++i) states.push_back(gen());
  EngineWith e(kMethodBitShift);
  for (uint32_t s : states) {
    e.engine.SetRandomState(s);
    e.engine.NextRandom();
    ASSERT_EQ(e.engine.randomState(), PlainBitShift(s)) << "from state " << s;
    ASSERT_EQ(e.engine.randomValue(), PlainBitShift(s) >> 1);
  }
  // A long run, each step feeding the next.
  uint32_t plain = 1;
  e.engine.SetRandomState(1);
  for (int i = 0; i < 100000; ++i) {
    plain = PlainBitShift(plain);
    e.engine.NextRandom();
    ASSERT_EQ(e.engine.randomState(), plain) << "after step " << i + 1;
  }
}

TEST(RandomSource, MethodIsReadAtEveryStep) {
  GeneratorSettings settings;
  settings.method = kMethodLinearCongruential;
  Engine engine(settings);
  engine.NextRandom();
  EXPECT_EQ(engine.randomState(), 13849u);
  settings.method = kMethodBitShift;
  engine.NextRandom();
  EXPECT_EQ(engine.randomState(), PlainBitShift(13849u));
  settings.method = 0;  // anything but 52 is the linear congruential step
  engine.SetRandomState(0);
  engine.NextRandom();
  EXPECT_EQ(engine.randomState(), 13849u);
}

TEST(RandomSource, RandomValueNeverExceeds31Bits) {
  for (int32_t method : {kMethodLinearCongruential, kMethodBitShift}) {
    EngineWith e(method);
    e.engine.SetRandomState(0xFFFFFFFFu);
    for (int i = 0; i < 50000; ++i) {
      e.engine.NextRandom();
      ASSERT_LE(e.engine.randomValue(), 2147483647u);
      ASSERT_EQ(e.engine.randomValue(), e.engine.randomState() >> 1);
    }
  }
}

TEST(Seeding, AutogenerateIgnoresThePreviousState) {
  EngineWith e(kMethodBitShift);
  const struct { uint32_t tick, state; } cases[] = {{0u, 348634726u}, {1000u, 2668371214u}, {3440417386u, 0u}};
  for (auto c : cases) {
    for (uint32_t before : {0u, 999u, 0xFFFFFFFFu}) {
      e.engine.SetRandomState(before);
      EngineProbe::SetValue(e.engine, 5);
      e.engine.SeedRandom(kSeedAutogenerate, c.tick);
      EXPECT_EQ(e.engine.randomState(), c.state) << "tick " << c.tick;
      EXPECT_EQ(e.engine.randomValue(), 5u) << "seeding leaves the Random value alone";
    }
  }
  // The folded form holds for any tick.
  std::mt19937 gen(3);
  for (int i = 0; i < 1000; ++i) {
    uint32_t tick = gen();
    e.engine.SeedRandom(kSeedAutogenerate, tick);
    ASSERT_EQ(e.engine.randomState(), tick * 633679929u + 348634726u);
  }
}

TEST(Seeding, CustomMixesTickAndCurrentState) {
  EngineWith e(kMethodBitShift);
  e.engine.SetRandomState(1000);
  e.engine.SeedRandom(kSeedCustom, 0);
  EXPECT_EQ(e.engine.randomState(), 25186849u);
  e.engine.SetRandomState(1000);
  e.engine.SeedRandom(kSeedCustom, 1000);
  EXPECT_EQ(e.engine.randomState(), 2344923337u);
  // A zero seed still mixes in the tick: this tick cancels it out exactly.
  e.engine.SetRandomState(0);
  e.engine.SeedRandom(kSeedCustom, 1534102303u);
  EXPECT_EQ(e.engine.randomState(), 0u);
  std::mt19937 gen(4);
  for (int i = 0; i < 1000; ++i) {
    uint32_t tick = gen(), seed = gen();
    e.engine.SetRandomState(seed);
    e.engine.SeedRandom(kSeedCustom, tick);
    ASSERT_EQ(e.engine.randomState(), tick * 633679929u + seed * 25173u + 13849u);
  }
}

}  // namespace
}  // namespace orvanta
