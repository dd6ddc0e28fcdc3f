#include "tools/batch_options.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::batch {
namespace {

struct Choice {
  std::string_view word;
  int32_t code;
};

constexpr std::array<Choice, 2> kMethods = {{{"lcg", kMethodLinearCongruential}, {"bitshift", kMethodBitShift}}};
constexpr std::array<Choice, 2> kModes = {{{"simple", kModeSimple}, {"advanced", kModeAdvanced}}};
constexpr std::array<Choice, 4> kKeys = {
    {{"all", kKeysAll}, {"digits", kKeysDigits}, {"letters", kKeysLetters}, {"alnum", kKeysDigitsLetters}}};
constexpr std::array<Choice, 2> kCases = {{{"yes", kCaseSensitive}, {"no", kCaseNo}}};

template <size_t N>
std::optional<int32_t> Lookup(const std::array<Choice, N>& choices, std::string_view word) {
  for (const Choice& c : choices)
    if (c.word == word) return c.code;
  return std::nullopt;
}

template <size_t N>
std::string Alternatives(const std::array<Choice, N>& choices) {
  std::string text;
  for (size_t i = 0; i < N; ++i) {
    if (i > 0) text += (i + 1 == N) ? " or " : ", ";
    text += choices[i].word;
  }
  return text;
}

// Plain decimal digits only: no sign, no blanks, nothing after the number.
std::optional<uint64_t> Decimal(std::string_view text, uint64_t max) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  uint64_t value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(ch - '0');
    if (value > max) return std::nullopt;
  }
  return value;
}

}  // namespace

std::string Usage() {
  return "usage: orvanta-batch [--method lcg|bitshift] [--mode simple|advanced]\n"
         "                     [--keys all|digits|letters|alnum] [--case yes|no]\n"
         "                     [--length N] [--count N] [--tick T] [--seed S]\n"
         "       orvanta-batch --strong [--keys all|digits|letters|alnum] [--case yes|no]\n"
         "                     [--length N] [--count N]\n"
         "Writes one batch of passwords to standard output, each followed by six\n"
         "blanks and a line feed.\n"
         "  --method   random-number method (default bitshift)\n"
         "  --mode     generator mode (default simple)\n"
         "  --keys     keys a password may use (default alnum)\n"
         "  --case     both letter cases (default no)\n"
         "  --length   characters per password, 4 to 34 (default 4)\n"
         "  --count    passwords in the batch, 1 to 9999 (default 2)\n"
         "  --tick     tick count for seeding, 0 to 4294967295 (default: milliseconds\n"
         "             since the system started)\n"
         "  --seed     custom seed, 0 to 999999999: the Random state before seeding\n"
         "  --strong   every character drawn on its own from the system's cryptographic\n"
         "             random source, each of the keys equally likely; not with\n"
         "             --method, --mode, --tick or --seed, which do not apply\n"
         "  --help     this text\n";
}

ParseResult ParseOptions(std::span<const std::string_view> args) {
  ParseResult result;
  Options& o = result.options;
  auto fail = [&](std::string message) {
    result.error = "orvanta-batch: " + std::move(message);
    return result;
  };
  bool strong = false;
  std::string_view describedOnly;  // the first of --method, --mode, --tick and --seed given
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (size_t eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (name == "--help" && !value) {
      o.help = true;
      continue;
    }
    if (name == "--strong" && !value) {
      strong = true;
      continue;
    }
    if (describedOnly.empty() && (name == "--method" || name == "--mode" || name == "--tick" || name == "--seed"))
      describedOnly = name;
    auto takeValue = [&]() -> std::optional<std::string_view> {
      if (value) return value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    auto word = [&](const auto& choices, int32_t& field) -> bool {
      std::optional<std::string_view> text = takeValue();
      std::optional<int32_t> code = text ? Lookup(choices, *text) : std::nullopt;
      if (!code) return false;
      field = *code;
      return true;
    };
    auto number = [&](uint64_t low, uint64_t high) -> std::optional<uint64_t> {
      std::optional<std::string_view> text = takeValue();
      std::optional<uint64_t> n = text ? Decimal(*text, high) : std::nullopt;
      if (!n || *n < low) return std::nullopt;
      return n;
    };
    const std::string named(name);
    if (name == "--method") {
      if (!word(kMethods, o.settings.method)) return fail(named + " takes " + Alternatives(kMethods));
    } else if (name == "--mode") {
      if (!word(kModes, o.settings.mode)) return fail(named + " takes " + Alternatives(kModes));
    } else if (name == "--keys") {
      if (!word(kKeys, o.settings.keySet)) return fail(named + " takes " + Alternatives(kKeys));
    } else if (name == "--case") {
      if (!word(kCases, o.settings.caseOption)) return fail(named + " takes " + Alternatives(kCases));
    } else if (name == "--length") {
      auto n = number(4, 34);
      if (!n) return fail(named + " takes a whole number from 4 to 34");
      o.settings.length = static_cast<int32_t>(*n);
    } else if (name == "--count") {
      auto n = number(1, 9999);
      if (!n) return fail(named + " takes a whole number from 1 to 9999");
      o.settings.quantity = static_cast<int32_t>(*n);
    } else if (name == "--tick") {
      auto n = number(0, 4294967295u);
      if (!n) return fail(named + " takes a whole number from 0 to 4294967295");
      o.tick = static_cast<uint32_t>(*n);
    } else if (name == "--seed") {
      auto n = number(0, 999999999);
      if (!n) return fail(named + " takes a whole number from 0 to 999999999");
      o.seed = static_cast<uint32_t>(*n);
    } else {
      return fail("unknown option '" + named +
                  "'; options are --method, --mode, --keys, --case, --length, --count, --tick, "
                  "--seed, --strong and --help");
    }
  }
  // A strong batch has neither a method, a mode nor a seed: accepting them
  // would suggest they made a difference.
  if (strong && !describedOnly.empty()) return fail(std::string(describedOnly) + " cannot be combined with --strong");
  o.settings.seedMode = strong ? kSeedStrong : o.seed ? kSeedCustom : kSeedAutogenerate;
  return result;
}

std::optional<std::string> MakeBatch(const Options& options, uint32_t systemTick, ByteSource& strongSource) {
  Engine engine(options.settings);
  if (options.settings.seedMode == kSeedStrong) {
    if (!engine.GenerateStrong(strongSource)) return std::nullopt;
    return engine.output();
  }
  // A custom seed is the Random state that the Custom Seed dialog's OK leaves.
  if (options.seed) engine.SetRandomState(*options.seed);
  return engine.Generate(options.settings.seedMode, options.tick.value_or(systemTick));
}

ToolResult RunTool(std::span<const std::string_view> args, uint32_t systemTick, ByteSource& strongSource) {
  ToolResult tool;
  ParseResult parsed = ParseOptions(args);
  if (!parsed.ok()) {
    tool.status = 2;
    tool.err = parsed.error + "\n";
  } else if (parsed.options.help) {
    tool.out = Usage();
  } else if (std::optional<std::string> batch = MakeBatch(parsed.options, systemTick, strongSource)) {
    tool.out = std::move(*batch);
  } else {
    tool.status = 1;
    tool.err = "orvanta-batch: the system's random source gave no bytes\n";
  }
  return tool;
}

}  // namespace orvanta::batch
