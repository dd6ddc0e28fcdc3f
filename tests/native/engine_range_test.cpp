// Range mapping: the divisors, the Random fraction, RandomIndex and RandomFraction.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "engine/engine.h"
#include "support/engine_probe.h"

namespace orvanta {
namespace {

struct Mapping : ::testing::Test {
  GeneratorSettings settings;
  Engine engine{settings};
  void SetUp() override { engine.PrepareDivisors(); }
};

TEST(Divisors, SameForEveryLengthAndQuantity) {
  for (int32_t s = 1; s <= 9999; ++s) ASSERT_EQ(DivisorFor(s), -255) << "setting " << s;
  GeneratorSettings settings;
  settings.length = 34;
  settings.quantity = 9999;
  Engine engine(settings);
  EXPECT_EQ(engine.lengthDivisor(), 1);  // start-up values until prepared
  EXPECT_EQ(engine.quantityDivisor(), 1);
  engine.PrepareDivisors();
  EXPECT_EQ(engine.lengthDivisor(), -255);
  EXPECT_EQ(engine.quantityDivisor(), -255);
}

TEST_F(Mapping, FractionAndIndexTable) {
  const std::array<int32_t, 7> sizes = {9, 26, 36, 51, 52, 62, 77};
  const struct {
    uint32_t value;
    double fraction;
    std::array<int32_t, 7> index;
  } rows[] = {
      {1u, 0.7314877, {8, 20, 27, 38, 39, 46, 57}},        {3u, 0.2986158, {4, 9, 12, 16, 17, 20, 24}},
      {1000u, 0.6909060, {7, 19, 26, 36, 37, 44, 54}},     {123456789u, 0.5926653, {6, 16, 22, 31, 32, 38, 47}},
      {1500000000u, 0.2094302, {3, 6, 9, 12, 12, 14, 17}}, {2147483647u, 0.7314877, {8, 20, 27, 38, 39, 46, 57}},
  };
  for (const auto& row : rows) {
    EngineProbe::SetValue(engine, row.value);
    EXPECT_NEAR(engine.RandomFractionValue(), row.fraction, 5e-8) << "value " << row.value;
    for (size_t i = 0; i < sizes.size(); ++i)
      EXPECT_EQ(engine.RandomIndex(sizes[i]), row.index[i]) << "value " << row.value << ", N " << sizes[i];
  }
}

TEST_F(Mapping, PowersOfTwoShareTheirFraction) {
  for (uint32_t v : {1u, 2u, 1073741824u}) {
    EngineProbe::SetValue(engine, v);
    EXPECT_EQ(engine.RandomIndex(26), 20) << v;
  }
  for (uint32_t v : {3u, 1000u, 123456789u, 1000000000u}) {
    EngineProbe::SetValue(engine, v);
    const double f = engine.RandomFractionValue();
    EngineProbe::SetValue(engine, 2 * v);
    EXPECT_EQ(engine.RandomFractionValue(), f) << v;
  }
}

TEST_F(Mapping, ZeroValueGivesMinusOneAndPositionOne) {
  EngineProbe::SetValue(engine, 0);
  EXPECT_EQ(engine.RandomFractionValue(), -1.0);
  for (int32_t n : {9, 26, 77}) EXPECT_EQ(engine.RandomIndex(n), 1);
  // f = -1 always takes, even with one candidate for one character.
  EXPECT_EQ(engine.RandomFraction(77, 4), Comparison::Below);
  EXPECT_EQ(engine.RandomFraction(1, 1), Comparison::Below);
}

TEST_F(Mapping, IndexStaysWithinTheWindow) {
  for (int32_t n : {9, 26, 36, 51, 52, 62, 77}) {
    bool sawFirst = false, sawLast = false;
    for (uint32_t v = 1; v < 2147483647u - 40009u; v += 40009u) {
      EngineProbe::SetValue(engine, v);
      const int32_t k = engine.RandomIndex(n);
      ASSERT_GE(k, 1);
      ASSERT_LE(k, n + 1);
      sawFirst |= k == 1;
      sawLast |= k == n + 1;
    }
    EXPECT_TRUE(sawFirst && sawLast) << "both end positions are reachable for N " << n;
  }
}

TEST_F(Mapping, FractionIsBiasedTowardsTheLowerPositions) {
  // Positions whose x lies below 0.73149 * N + 1 come about twice as often.
  int32_t counts[28] = {};
  const int samples = 200000;
  for (int i = 0; i < samples; ++i) {
    EngineProbe::SetValue(engine, static_cast<uint32_t>((uint64_t{2147483647u} * i) / samples) + 1);
    ++counts[engine.RandomIndex(26)];
  }
  auto share = [&](int k) { return double(counts[k]) / samples; };
  EXPECT_NEAR(share(1), 0.0222, 0.003);
  EXPECT_NEAR(share(10), 0.0444, 0.003);
  EXPECT_NEAR(share(20), 0.0337, 0.003);
  EXPECT_NEAR(share(24), 0.0222, 0.003);
  EXPECT_NEAR(share(27), 0.0111, 0.003);
}

TEST_F(Mapping, RandomFractionComparesTheProduct) {
  EngineProbe::SetValue(engine, 1);  // f = 0.7314877
  EXPECT_EQ(engine.RandomFraction(77, 4), Comparison::Above);
  EXPECT_EQ(engine.RandomFraction(6, 4), Comparison::Above);  // 4.389
  EXPECT_EQ(engine.RandomFraction(5, 4), Comparison::Below);  // 3.657
  EXPECT_EQ(engine.RandomFraction(1, 1), Comparison::Below);
}

TEST(RandomFraction, EqualityIsNeitherBelowNorAbove) {
  // With the start-up divisors (1 and 1) some values give short fractions:
  // 1875000000 / 1e9 / 10 = 0.1875 = 1.5 * 2^-3, so f = 0.5 exactly, and
  // 1328125000 gives 0.1328125 = 1.0625 * 2^-3, f = 0.0625.
  GeneratorSettings settings;
  Engine engine(settings);
  EngineProbe::SetValue(engine, 1875000000u);
  EXPECT_EQ(engine.RandomFractionValue(), 0.5);
  EXPECT_EQ(engine.RandomFraction(8, 4), Comparison::Equal);
  EXPECT_EQ(engine.RandomFraction(8, 5), Comparison::Below);
  EXPECT_EQ(engine.RandomFraction(8, 3), Comparison::Above);
  EngineProbe::SetValue(engine, 1328125000u);
  EXPECT_EQ(engine.RandomFraction(64, 4), Comparison::Equal);
  EXPECT_EQ(engine.RandomFraction(63, 4), Comparison::Below);
  // With x exactly halfway the index rounds to even: 0.5 * 9 + 1 = 5.5 -> 6,
  // 0.5 * 5 + 1 = 3.5 -> 4, 0.5 * 3 + 1 = 2.5 -> 2.
  EngineProbe::SetValue(engine, 1875000000u);
  EXPECT_EQ(engine.RandomIndex(9), 6);
  EXPECT_EQ(engine.RandomIndex(5), 4);
  EXPECT_EQ(engine.RandomIndex(3), 2);
}

}  // namespace
}  // namespace orvanta
