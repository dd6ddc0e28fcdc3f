// The Character table and the seven Simple-mode routines.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine.h"

// Same reason as in range_mapping.cpp: 53-bit rounding on every build.
#if defined(__i386__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC target("sse2", "fpmath=sse")
#endif

namespace orvanta {

const std::string_view kCharacterTable =
    "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "
    "4569870321abcdefghijklmnopqrstuvwxyz0987654321abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
    "VWXYZ0987654321abcdefghijklmnopqrstuvwxyz0987654321~!@#$%^&*()+=_-abcdefghijklmnopqrstuvwxyzA"
    "BCDEFGHIJKLMNOPQRSTUVWXYZ0987654321~!@#$%^&*()+=_-";

namespace {

struct WindowSpec {
  Routine routine;
  int base;
  int size;
  bool wraps;  // begins with "a": positions N and N+1 are its first two characters
};

constexpr std::array<WindowSpec, 7> kWindows = {{
    {Routine::SimpleLetters, 0, 26, true},
    {Routine::SimpleMixedLetters, 26, 52, true},
    {Routine::SimpleDigits, 78, 9, false},
    {Routine::SimpleDigitsLetters, 89, 36, true},
    {Routine::SimpleDigitsMixedLetters, 125, 62, true},
    {Routine::SimpleKeyboard, 187, 51, true},
    {Routine::SimpleKeyboardMixed, 238, 77, true},
}};

// The wrapping windows take their last two positions from their own first two
// characters: read further along the table, two of them would reach the blank
// at 78 or run past the end of the table.
std::string BuildWindow(const WindowSpec& w) {
  if (!w.wraps) return std::string(kCharacterTable.substr(w.base + 1, w.size + 1));
  std::string chars(kCharacterTable.substr(w.base + 1, w.size - 1));
  chars += kCharacterTable[w.base];
  chars += kCharacterTable[w.base + 1];
  return chars;
}

const std::array<std::string, 7>& Windows() {
  static const std::array<std::string, 7> windows = [] {
    std::array<std::string, 7> built;
    for (size_t i = 0; i < kWindows.size(); ++i) built[i] = BuildWindow(kWindows[i]);
    return built;
  }();
  return windows;
}

constexpr size_t kBlock = 2048;
// Adding and removing 1.5 * 2^52 rounds to the nearest integer, ties to even,
// for any |x| below 2^51: the rounding RandomIndex needs, without a libm call.
constexpr double kRoundingShift = 6755399441055744.0;

}  // namespace

std::string_view CharacterWindow(Routine routine) {
  for (size_t i = 0; i < kWindows.size(); ++i)
    if (kWindows[i].routine == routine) return Windows()[i];
  return {};
}

// One character per NextRandom and RandomIndex, as in the plain routine; the
// Random states of a block are drawn first because no character depends on
// another.
void Engine::RunSimple(std::string_view window) {
  StartBatch();
  const int32_t length = settings_.length;
  const int32_t size = static_cast<int32_t>(window.size()) - 1;
  const double sizeD = static_cast<double>(size);
  std::array<char, 80> atPosition{};  // index = position 1..N+1
  for (int32_t k = 1; k <= size + 1; ++k) atPosition[k] = window[k - 1];

  password_.assign(static_cast<size_t>(length), '\0');
  char* pw = password_.data();
  int64_t remaining = int64_t{length} * settings_.quantity;
  uint32_t state = randomState_;
  int32_t filledChars = 0;
  alignas(64) uint32_t states[kBlock];
  alignas(64) double fractions[kBlock];
  while (remaining > 0) {
    const size_t n = remaining < int64_t{kBlock} ? static_cast<size_t>(remaining) : kBlock;
    StepAhead(state, states, n);
    FractionsOf(states, fractions, n);
    state = states[n - 1];
    remaining -= static_cast<int64_t>(n);
    for (size_t i = 0; i < n; ++i) {
      const double f = fractions[i];
      const double scaled = f * sizeD;
      const double x = scaled + 1.0;
      const double rounded = (x + kRoundingShift) - kRoundingShift;
      int32_t k = static_cast<int32_t>(rounded);
      k = (f >= 0.0 && f < 1.0) ? k : 1;  // see RandomIndex
      pw[filledChars++] = atPosition[k];
      if (filledChars == length) {
        filledChars = 0;
        FinishPassword();
      }
    }
  }
  CommitState(state);
}

void Engine::SimpleLetters() { RunSimple(CharacterWindow(Routine::SimpleLetters)); }
void Engine::SimpleMixedLetters() { RunSimple(CharacterWindow(Routine::SimpleMixedLetters)); }
void Engine::SimpleDigits() { RunSimple(CharacterWindow(Routine::SimpleDigits)); }
void Engine::SimpleDigitsLetters() { RunSimple(CharacterWindow(Routine::SimpleDigitsLetters)); }
void Engine::SimpleDigitsMixedLetters() { RunSimple(CharacterWindow(Routine::SimpleDigitsMixedLetters)); }
void Engine::SimpleKeyboard() { RunSimple(CharacterWindow(Routine::SimpleKeyboard)); }
void Engine::SimpleKeyboardMixed() { RunSimple(CharacterWindow(Routine::SimpleKeyboardMixed)); }

}  // namespace orvanta
