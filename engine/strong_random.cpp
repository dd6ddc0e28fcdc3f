// Strong batches: every character drawn from a ByteSource by rejection.
#include "engine/strong_random.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine.h"

namespace orvanta {
namespace {

constexpr std::size_t kBlock = 4096;

// The seven alphabets, in the order of the Simple-mode routines.
static_assert(static_cast<int>(Routine::SimpleLetters) == 0 && static_cast<int>(Routine::SimpleKeyboardMixed) == 6);
const std::array<std::string, 7>& Alphabets() {
  static const std::array<std::string, 7> alphabets = [] {
    std::array<std::string, 7> built;
    for (std::size_t i = 0; i < built.size(); ++i)
      for (char c : CharacterWindow(static_cast<Routine>(i)))
        if (built[i].find(c) == std::string::npos) built[i] += c;
    return built;
  }();
  return alphabets;
}

}  // namespace

// Through the dispatch, so that a strong password uses exactly the characters
// a Simple-mode password of the same options may use.
std::string_view StrongAlphabet(int32_t keySet, int32_t caseOption) {
  GeneratorSettings simple;
  simple.mode = kModeSimple;
  simple.keySet = keySet;
  simple.caseOption = caseOption;
  return Alphabets()[static_cast<std::size_t>(SelectRoutine(simple))];
}

// A byte b stands for alphabet[b % n] only below the largest multiple of n
// that fits in 256: every character then has the same number of bytes, and
// the bytes above are skipped. One table does that test and the modulo at
// once. The whole batch is drawn before the first password is finished, so a
// source that fails part way leaves no partial batch in the sort lists, the
// counters or the Output buffer.
bool Engine::GenerateStrong(ByteSource& source) {
  const std::string_view alphabet = StrongAlphabet(settings_.keySet, settings_.caseOption);
  const std::size_t accepted = 256 - 256 % alphabet.size();
  std::array<char, 256> charOf{};  // '\0': skipped
  for (std::size_t b = 0; b < accepted; ++b) charOf[b] = alphabet[b % alphabet.size()];

  const std::size_t length = static_cast<std::size_t>(settings_.length);
  const std::size_t total = length * static_cast<std::size_t>(settings_.quantity);
  std::string chars(total, '\0');
  char* out = chars.data();
  std::array<unsigned char, kBlock> bytes;
  std::size_t filled = 0;
  while (filled < total) {
    // About as many bytes as the rest needs, so a small batch takes no whole block.
    const std::size_t rest = total - filled;
    const std::size_t want = std::min(kBlock, rest + rest * (256 - accepted) / accepted + 1);
    if (!source.Fill(bytes.data(), want)) {
      output_.clear();
      return false;
    }
    for (std::size_t at = 0; at < want && filled < total;) {
      // A byte adds at most one character, so `step` bytes stay inside the batch.
      const std::size_t step = std::min(want - at, total - filled);
      for (std::size_t i = 0; i < step; ++i) {
        const char c = charOf[bytes[at + i]];
        out[filled] = c;
        filled += c != '\0';
      }
      at += step;
    }
  }

  StartBatch();
  for (std::size_t at = 0; at < total; at += length) {
    password_.assign(chars, at, length);
    FinishPassword();
  }
  return true;
}

}  // namespace orvanta
