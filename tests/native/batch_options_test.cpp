// orvanta-batch: option parsing and the tool's output.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/byte_sources.h"
#include "tools/batch_options.h"

namespace orvanta::batch {
namespace {

ParseResult Parse(std::vector<std::string_view> args) { return ParseOptions(args); }
// A strong batch's bytes are 0, 1, 2, ... here.
ToolResult Tool(std::vector<std::string_view> args, uint32_t systemTick = 0) {
  ScriptedBytes source = EveryByteInTurn();
  return RunTool(args, systemTick, source);
}

TEST(BatchOptions, DefaultsAreTheProgramsStartUpState) {
  ParseResult r = Parse({});
  ASSERT_TRUE(r.ok()) << r.error;
  const GeneratorSettings& s = r.options.settings;
  EXPECT_EQ(s.method, kMethodBitShift);
  EXPECT_EQ(s.mode, kModeSimple);
  EXPECT_EQ(s.keySet, kKeysDigitsLetters);
  EXPECT_EQ(s.caseOption, kCaseNo);
  EXPECT_EQ(s.length, 4);
  EXPECT_EQ(s.quantity, 2);
  EXPECT_EQ(s.seedMode, kSeedAutogenerate);
  EXPECT_FALSE(r.options.tick.has_value());
  EXPECT_FALSE(r.options.seed.has_value());
  EXPECT_FALSE(r.options.help);
}

TEST(BatchOptions, EveryOptionAndValue) {
  ParseResult r = Parse({"--method", "lcg", "--mode", "advanced", "--keys", "letters", "--case", "yes", "--length",
                         "34", "--count", "9999", "--tick", "4294967295", "--seed", "999999999"});
  ASSERT_TRUE(r.ok()) << r.error;
  const GeneratorSettings& s = r.options.settings;
  EXPECT_EQ(s.method, kMethodLinearCongruential);
  EXPECT_EQ(s.mode, kModeAdvanced);
  EXPECT_EQ(s.keySet, kKeysLetters);
  EXPECT_EQ(s.caseOption, kCaseSensitive);
  EXPECT_EQ(s.length, 34);
  EXPECT_EQ(s.quantity, 9999);
  EXPECT_EQ(r.options.tick, 4294967295u);
  EXPECT_EQ(r.options.seed, 999999999u);
  EXPECT_EQ(s.seedMode, kSeedCustom);
  EXPECT_EQ(Parse({"--strong", "--keys", "all", "--case", "yes", "--length", "34", "--count", "9999"})
                .options.settings.seedMode,
            kSeedStrong);

  const struct {
    std::string_view word;
    int32_t code;
  } keys[] = {{"all", kKeysAll}, {"digits", kKeysDigits}, {"letters", kKeysLetters}, {"alnum", kKeysDigitsLetters}};
  for (auto k : keys) EXPECT_EQ(Parse({"--keys", k.word}).options.settings.keySet, k.code) << k.word;
  EXPECT_EQ(Parse({"--method=bitshift", "--case=no", "--length=4", "--count=1", "--tick=0", "--seed=0"})
                .options.settings.quantity,
            1);
  EXPECT_EQ(Parse({"--seed", "0"}).options.seed, 0u);
  EXPECT_EQ(Parse({"--length", "5", "--length", "6"}).options.settings.length, 6);  // last wins
  EXPECT_TRUE(Parse({"--help"}).options.help);
}

TEST(BatchOptions, BadOptionsNameTheOptionAndItsValues) {
  const struct {
    std::vector<std::string_view> args;
    std::string_view mentions;
  } bad[] = {
      {{"--method", "xorshift"}, "--method takes lcg or bitshift"},
      {{"--mode"}, "--mode takes simple or advanced"},
      {{"--keys", "ALL"}, "--keys takes all, digits, letters or alnum"},
      {{"--case", "maybe"}, "--case takes yes or no"},
      {{"--length", "3"}, "--length takes a whole number from 4 to 34"},
      {{"--length", "35"}, "4 to 34"},
      {{"--length", "+5"}, "4 to 34"},
      {{"--length", "5x"}, "4 to 34"},
      {{"--length", ""}, "4 to 34"},
      {{"--count", "0"}, "--count takes a whole number from 1 to 9999"},
      {{"--count", "10000"}, "1 to 9999"},
      {{"--tick", "4294967296"}, "--tick takes a whole number from 0 to 4294967295"},
      {{"--tick", "-1"}, "0 to 4294967295"},
      {{"--tick", "99999999999999999999999"}, "0 to 4294967295"},
      {{"--seed", "1000000000"}, "--seed takes a whole number from 0 to 999999999"},
      {{"--verbose"}, "unknown option '--verbose'"},
      {{"4"}, "unknown option '4'"},
      {{"--help=yes"}, "unknown option '--help'"},
      {{"--strong=yes"}, "unknown option '--strong'"},
      {{"--strong", "--method", "lcg"}, "--method cannot be combined with --strong"},
      {{"--mode", "simple", "--strong"}, "--mode cannot be combined with --strong"},
      {{"--strong", "--keys", "all", "--tick", "1"}, "--tick cannot be combined with --strong"},
      {{"--seed=5", "--strong"}, "--seed cannot be combined with --strong"},
  };
  for (const auto& b : bad) {
    ParseResult r = Parse(b.args);
    ASSERT_FALSE(r.ok()) << b.mentions;
    EXPECT_NE(r.error.find(b.mentions), std::string::npos) << r.error;
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line: " << r.error;
    ToolResult t = Tool(b.args);
    EXPECT_EQ(t.status, 2);
    EXPECT_TRUE(t.out.empty());
    EXPECT_EQ(t.err, r.error + "\n");
  }
}

TEST(BatchTool, KnownAnswers) {
  // Tick 3440417386 seeds the state 0.
  EXPECT_EQ(Tool({"--keys", "digits", "--tick", "3440417386"}).out, "4444      \n4444      \n");
  EXPECT_EQ(Tool({"--keys", "letters", "--tick", "3440417386"}).out, "bbbb      \nbbbb      \n");
  EXPECT_EQ(Tool({"--keys", "digits", "--mode", "advanced", "--tick", "3440417386"}).out, "0123      \n0123      \n");
  // Without --tick the system tick is used.
  EXPECT_EQ(Tool({"--keys", "digits"}, 3440417386u).out, "4444      \n4444      \n");
  // Custom seed 0 with tick 1534102303 also gives the state 0.
  EXPECT_EQ(Tool({"--keys", "digits", "--seed", "0", "--tick", "1534102303", "--count", "1"}).out, "4444      \n");
  EXPECT_NE(Tool({"--keys", "digits", "--seed", "1", "--tick", "1534102303", "--count", "1"}).out, "4444      \n");
  // Linear congruential from tick 0: positions 8, 13, 13, 18, 21, 22, 22, 12.
  EXPECT_EQ(Tool({"--method", "lcg", "--keys", "letters", "--tick", "0"}).out, "inns      \nvwwm      \n");
  // Strong: digits take the bytes 0, 1, 2, ... in the order "4569870321".
  EXPECT_EQ(Tool({"--strong", "--keys", "digits"}).out, "4569      \n8703      \n");
  ToolResult help = Tool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: orvanta-batch"), std::string::npos);
  EXPECT_NE(help.out.find("--strong"), std::string::npos);
}

TEST(BatchTool, AFailingRandomSourceGivesOneLineAndNoBatch) {
  ScriptedBytes broken = EveryByteInTurn();
  broken.failAfter = 0;
  const std::vector<std::string_view> args = {"--strong", "--count", "9999"};
  ToolResult t = RunTool(args, 0, broken);
  EXPECT_EQ(t.status, 1);
  EXPECT_TRUE(t.out.empty());
  EXPECT_EQ(t.err, "orvanta-batch: the system's random source gave no bytes\n");
}

TEST(BatchTool, LargestBatchLayout) {
  ToolResult t = Tool(
      {"--mode", "advanced", "--keys", "all", "--case", "yes", "--length", "34", "--count", "9999", "--tick", "1"});
  EXPECT_EQ(t.status, 0);
  EXPECT_TRUE(t.err.empty());
  ASSERT_EQ(t.out.size(), 9999u * 41u);
  for (size_t line = 0; line < 9999; ++line)
    ASSERT_EQ(std::string_view(t.out).substr(line * 41 + 34, 7), "      \n") << "line " << line;
}

}  // namespace
}  // namespace orvanta::batch
