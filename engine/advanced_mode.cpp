// The Symbol table and the seven Advanced-mode routines: a take-or-skip walk
// over each routine's Symbol cycle.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "engine/engine.h"

// Same reason as in range_mapping.cpp: 53-bit rounding on every build.
#if defined(__i386__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC target("sse2", "fpmath=sse")
#endif

namespace orvanta {

const std::string_view kSymbolTable = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@#$%^&*(_-+=~)";

namespace {

constexpr size_t kDigits = 0, kSmall = 10, kCapitals = 36, kPunctuation = 62, kEnd = 77;
constexpr size_t kBlock = 2048;
// After d decisions with t takes the walk has moved 2d - t places: below 2 * 77.
constexpr size_t kRepeatedCycle = 2 * Engine::kDecisionBudget;

std::string Entries(size_t from, size_t to) { return std::string(kSymbolTable.substr(from, to - from)); }

std::string Repeated(std::string_view cycle) {
  std::string repeated;
  while (repeated.size() < kRepeatedCycle) repeated += cycle;
  return repeated;
}

struct CycleEntry {
  Routine routine;
  std::string symbols;
  std::string repeated;

  CycleEntry(Routine r, std::string s) : routine(r), symbols(std::move(s)), repeated(Repeated(symbols)) {}
};

const std::array<CycleEntry, 7>& Cycles() {
  static const std::array<CycleEntry, 7> cycles = {{
      {Routine::AdvancedDigits, Entries(kDigits, kSmall)},
      {Routine::AdvancedLetters, Entries(kSmall, kCapitals)},
      {Routine::AdvancedMixedLetters, Entries(kSmall, kPunctuation)},
      {Routine::AdvancedDigitsLetters, Entries(kDigits, kCapitals)},
      {Routine::AdvancedDigitsMixedLetters, Entries(kDigits, kPunctuation)},
      {Routine::AdvancedKeyboard, Entries(kDigits, kCapitals) + Entries(kPunctuation, kEnd)},
      {Routine::AdvancedKeyboardMixed, Entries(kDigits, kEnd)},
  }};
  return cycles;
}

const CycleEntry* FindCycle(Routine routine) {
  for (const CycleEntry& entry : Cycles())
    if (entry.routine == routine) return &entry;
  return nullptr;
}

// Decides exactly as SymbolBounds, NextRandom and RandomFraction would, one
// decision at a time, but:
//  - "f * candidates < needed" is tested on the truncated product, which is
//    the same test for a whole number needed >= 1, so the only dependency
//    from one decision to the next is an integer compare on `taken`;
//  - the symbol under consideration is read at 2d - t in the repeated cycle,
//    with no running position to keep;
//  - the symbol is written whatever the outcome and kept only on a take, so
//    there is no branch to mispredict.
// Every fraction must be below 1 (Random fractions are): then a walk that has
// no candidates to spare takes, and no password needs more than 77 decisions.
inline int32_t Walk(const double* f, int32_t length, const char* repeatedCycle, char* pw) {
  int32_t taken = 0;
  for (int32_t d = 0;; ++d) {
    const double candidates = static_cast<double>(Engine::kDecisionBudget - d);
    const int32_t product = static_cast<int32_t>(f[d] * candidates);
    const int32_t limit = length - product;
    pw[taken] = repeatedCycle[2 * d - taken];
    taken += taken < limit ? 1 : 0;
    if (taken == length) return d + 1;
  }
}

}  // namespace

std::string_view SymbolCycle(Routine routine) {
  const CycleEntry* entry = FindCycle(routine);
  return entry ? std::string_view(entry->symbols) : std::string_view();
}

int32_t WalkSymbols(const double* fractions, int32_t length, std::string_view cycle, char* password) {
  return Walk(fractions, length, Repeated(cycle).c_str(), password);
}

void Engine::SymbolBounds() {
  charactersNeeded_ = settings_.length - characterCount_;
  candidatesLeft_ = kDecisionBudget - decisionCount_;
}

// The Random fractions of a block are drawn first (they do not depend on the
// decisions), and the Random state is set afterwards to the last one used.
void Engine::RunAdvanced(Routine routine) {
  const CycleEntry& entry = *FindCycle(routine);
  StartBatch();
  const int32_t length = settings_.length;
  password_.assign(static_cast<size_t>(length), '\0');
  alignas(64) uint32_t states[kBlock];
  alignas(64) double fractions[kBlock];
  size_t filled = 0, used = 0;
  uint32_t nextFrom = randomState_;
  int32_t decisions = 0;
  for (;;) {
    if (filled - used < static_cast<size_t>(kDecisionBudget)) {
      const size_t keep = filled - used;
      std::memmove(states, states + used, keep * sizeof states[0]);
      std::memmove(fractions, fractions + used, keep * sizeof fractions[0]);
      StepAhead(nextFrom, states + keep, kBlock - keep);
      FractionsOf(states + keep, fractions + keep, kBlock - keep);
      nextFrom = states[kBlock - 1];
      filled = kBlock;
      used = 0;
    }
    decisions = Walk(fractions + used, length, entry.repeated.data(), password_.data());
    used += static_cast<size_t>(decisions);
    if (FinishPassword()) break;
  }
  CommitState(states[used - 1]);
  // The counters as the last decision left them.
  decisionCount_ = decisions;
  characterCount_ = length;
  charactersNeeded_ = 1;
  candidatesLeft_ = kDecisionBudget - (decisions - 1);
}

void Engine::AdvancedDigits() { RunAdvanced(Routine::AdvancedDigits); }
void Engine::AdvancedLetters() { RunAdvanced(Routine::AdvancedLetters); }
void Engine::AdvancedMixedLetters() { RunAdvanced(Routine::AdvancedMixedLetters); }
void Engine::AdvancedDigitsLetters() { RunAdvanced(Routine::AdvancedDigitsLetters); }
void Engine::AdvancedDigitsMixedLetters() { RunAdvanced(Routine::AdvancedDigitsMixedLetters); }
void Engine::AdvancedKeyboard() { RunAdvanced(Routine::AdvancedKeyboard); }
void Engine::AdvancedKeyboardMixed() { RunAdvanced(Routine::AdvancedKeyboardMixed); }

}  // namespace orvanta
