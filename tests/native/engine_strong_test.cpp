// Strong batches: the alphabets, rejection, the batch's shape, a failing
// source, and the system source's spread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/strong_random.h"
#include "platform/system_random.h"
#include "support/byte_sources.h"
#include "support/engine_batch.h"

namespace orvanta {
namespace {

constexpr struct {
  int32_t keySet, caseOption;
} kKeysAndCases[] = {{kKeysDigits, kCaseNo},
                     {kKeysLetters, kCaseNo},
                     {kKeysLetters, kCaseSensitive},
                     {kKeysDigitsLetters, kCaseNo},
                     {kKeysDigitsLetters, kCaseSensitive},
                     {kKeysAll, kCaseNo},
                     {kKeysAll, kCaseSensitive}};

// Bytes below this stand for a character: the largest multiple of n up to 256.
std::size_t Accepted(std::string_view alphabet) { return 256 - 256 % alphabet.size(); }

Batch StrongBatch(int32_t keySet, int32_t caseOption, int32_t length, int32_t quantity) {
  Batch b(kMethodBitShift, length, quantity);
  b.settings.keySet = keySet;
  b.settings.caseOption = caseOption;
  return b;
}

std::string Sorted(std::string_view text) {
  std::string sorted(text);
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

// How often each character stands in the passwords of an Output buffer.
std::map<char, std::size_t> CharacterCounts(const std::string& output, int32_t length) {
  std::map<char, std::size_t> counts;
  for (const std::string& line : Lines(output))
    for (char c : line.substr(0, static_cast<std::size_t>(length))) ++counts[c];
  return counts;
}

TEST(StrongBatch, AlphabetsAreTheKeySetsCharactersEachOnce) {
  const std::string digits = "0123456789", lower = "abcdefghijklmnopqrstuvwxyz", symbols = "~!@#$%^&*()+=_-";
  std::string upper = lower;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return static_cast<char>(c - 'a' + 'A'); });
  const std::string expected[] = {digits,
                                  lower,
                                  lower + upper,
                                  digits + lower,
                                  digits + lower + upper,
                                  digits + lower + symbols,
                                  digits + lower + upper + symbols};
  for (std::size_t i = 0; i < std::size(kKeysAndCases); ++i) {
    const std::string_view alphabet = StrongAlphabet(kKeysAndCases[i].keySet, kKeysAndCases[i].caseOption);
    EXPECT_EQ(Sorted(alphabet), Sorted(expected[i])) << alphabet;  // equal sizes: no character twice
  }
  EXPECT_EQ(StrongAlphabet(kKeysDigits, kCaseSensitive), StrongAlphabet(kKeysDigits, kCaseNo));
}

// Every byte value in turn, over whole rounds: a bare modulo would give the
// first 256 % n characters one more each round.
TEST(StrongBatch, EveryByteInTurnGivesEveryCharacterEquallyOftenInABatchOfTheRightShape) {
  for (const auto& kc : kKeysAndCases) {
    const std::string_view alphabet = StrongAlphabet(kc.keySet, kc.caseOption);
    const int32_t rounds = 4, quantity = static_cast<int32_t>(Accepted(alphabet));
    Batch b = StrongBatch(kc.keySet, kc.caseOption, rounds, quantity);
    RecordingLists lists;
    b.engine.SetSortLists(&lists);
    b.engine.SetRandomState(12345);
    ScriptedBytes source = EveryByteInTurn();
    ASSERT_TRUE(b.engine.GenerateStrong(source)) << alphabet;

    std::string joined;
    for (const std::string& p : lists.inserted) joined += p + std::string(kLineEnd);
    EXPECT_EQ(joined, b.engine.output()) << alphabet;
    const std::vector<std::string> lines = Lines(b.engine.output());
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(quantity)) << alphabet;
    for (const std::string& line : lines) ASSERT_EQ(line.substr(rounds), "      ") << alphabet;
    EXPECT_EQ(b.engine.itemCounter(), quantity);
    EXPECT_EQ(b.engine.batchCountdown(), 0);
    EXPECT_EQ(b.engine.randomState(), 12345u);  // the Random state plays no part

    const std::map<char, std::size_t> counts = CharacterCounts(b.engine.output(), rounds);
    EXPECT_EQ(counts.size(), alphabet.size()) << alphabet;
    for (const auto& [c, count] : counts)
      EXPECT_EQ(count, rounds * Accepted(alphabet) / alphabet.size()) << alphabet << " '" << c << "'";
  }
}

TEST(StrongBatch, BytesFromTheLastWholeRoundUpAreSkipped) {
  for (const auto& kc : kKeysAndCases) {
    const std::string_view alphabet = StrongAlphabet(kc.keySet, kc.caseOption);
    std::vector<unsigned char> script;
    for (std::size_t b = Accepted(alphabet); b < 256; ++b) script.push_back(static_cast<unsigned char>(b));
    script.push_back(static_cast<unsigned char>(Accepted(alphabet) - 1));  // the last character's byte
    ScriptedBytes source(script);
    Batch b = StrongBatch(kc.keySet, kc.caseOption, 4, 2);
    ASSERT_TRUE(b.engine.GenerateStrong(source));
    const std::string password(4, alphabet.back());
    EXPECT_EQ(b.engine.output(), password + std::string(kLineEnd) + password + std::string(kLineEnd)) << alphabet;
  }
}

TEST(StrongBatch, AFailingSourceLeavesNoBatch) {
  for (std::size_t failAfter : {std::size_t{0}, std::size_t{1000}}) {
    Batch b = StrongBatch(kKeysAll, kCaseSensitive, 34, 100);
    RecordingLists lists;
    b.engine.SetSortLists(&lists);
    b.engine.SetOutput("the batch before");
    ScriptedBytes source = EveryByteInTurn();
    source.failAfter = failAfter;
    EXPECT_FALSE(b.engine.GenerateStrong(source)) << failAfter;
    EXPECT_EQ(b.engine.output(), "") << failAfter;
    EXPECT_TRUE(lists.inserted.empty()) << failAfter;
    EXPECT_EQ(b.engine.itemCounter(), 0) << failAfter;
  }
}

// A chi-square test of the system source over a largest batch of each key set
// and case. At a significance of 1e-5 per alphabet a sound source fails the
// whole test in about 1 of 14,000 runs (seven alphabets); a bare modulo or the
// described methods' mapping fail it by far. Critical values: the upper 1e-5
// point of the chi-square distribution with n - 1 degrees of freedom.
TEST(StrongBatch, SystemSourceSpreadsEveryKeySetEvenly) {
  const std::map<std::size_t, double> kCritical = {{10, 39.34},  {26, 67.18},  {36, 82.64}, {51, 104.54},
                                                   {52, 105.96}, {62, 119.97}, {77, 140.41}};
  FunctionByteSource system(&FillWithSystemRandom);
  for (const auto& kc : kKeysAndCases) {
    const std::string_view alphabet = StrongAlphabet(kc.keySet, kc.caseOption);
    Batch b = StrongBatch(kc.keySet, kc.caseOption, 34, 9999);
    ASSERT_TRUE(b.engine.GenerateStrong(system));
    const std::map<char, std::size_t> counts = CharacterCounts(b.engine.output(), 34);
    ASSERT_EQ(counts.size(), alphabet.size()) << alphabet;
    const double expected = 34.0 * 9999.0 / static_cast<double>(alphabet.size());
    double chiSquare = 0;
    for (const auto& [c, count] : counts) {
      EXPECT_NE(alphabet.find(c), std::string_view::npos) << c;
      chiSquare += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) / expected;
    }
    EXPECT_LT(chiSquare, kCritical.at(alphabet.size())) << alphabet;
  }
}

}  // namespace
}  // namespace orvanta
