// The Random state: its two stepping methods and the two seeding rules.
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/engine.h"

namespace orvanta {
namespace {

constexpr uint32_t kLcgMultiplier = 25173;
constexpr uint32_t kLcgIncrement = 13849;
constexpr int kBitShiftSingleSteps = 33;

constexpr uint32_t LcgStep(uint32_t state) { return state * kLcgMultiplier + kLcgIncrement; }

// One single step of the bit-shift register; the table below is built from it.
constexpr uint32_t BitShiftSingleStep(uint32_t state) {
  uint32_t taps = state & 0x2Du;
  uint32_t b = (taps ^ (taps >> 2) ^ (taps >> 3) ^ (taps >> 5)) & 1u;
  return (state >> 1) | (b << 31);
}

// The register is linear over GF(2), so any number of single steps is a
// 32x32 bit matrix; applied byte by byte it costs four lookups instead of a
// serial chain of 33 steps.
struct BitMatrix {
  std::array<std::array<uint32_t, 256>, 4> byteTables{};

  constexpr explicit BitMatrix(int singleSteps) {
    std::array<uint32_t, 32> columns{};
    for (int bit = 0; bit < 32; ++bit) {
      uint32_t v = 1u << bit;
      for (int i = 0; i < singleSteps; ++i) v = BitShiftSingleStep(v);
      columns[bit] = v;
    }
    for (int table = 0; table < 4; ++table)
      for (int byte = 0; byte < 256; ++byte) {
        uint32_t v = 0;
        for (int bit = 0; bit < 8; ++bit)
          if (byte & (1 << bit)) v ^= columns[table * 8 + bit];
        byteTables[table][byte] = v;
      }
  }

  uint32_t operator()(uint32_t s) const {
    return byteTables[0][s & 0xFF] ^ byteTables[1][(s >> 8) & 0xFF] ^ byteTables[2][(s >> 16) & 0xFF] ^
           byteTables[3][s >> 24];
  }
};

constexpr BitMatrix kBitShiftStep(kBitShiftSingleSteps);
// Four steps at once lets four independent chains run side by side.
constexpr BitMatrix kBitShiftFourSteps(4 * kBitShiftSingleSteps);

constexpr uint32_t kLcgMultiplier4 = kLcgMultiplier * kLcgMultiplier * kLcgMultiplier * kLcgMultiplier;
constexpr uint32_t kLcgIncrement4 = LcgStep(LcgStep(LcgStep(LcgStep(0))));  // the increment of four steps folded

}  // namespace

void Engine::NextRandom() {
  // The method is read on every call: a change takes effect at the next step.
  if (settings_.method == kMethodBitShift)
    randomState_ = kBitShiftStep(randomState_);
  else
    randomState_ = LcgStep(randomState_);
  randomValue_ = randomState_ >> 1;
}

void Engine::SeedRandom(int32_t seedMode, uint32_t tick) {
  // Both rules use the linear congruential constants whatever the method.
  if (seedMode == kSeedCustom)
    randomState_ = (tick * kLcgMultiplier + randomState_) * kLcgMultiplier + kLcgIncrement;
  else
    randomState_ = LcgStep(LcgStep(tick));
}

void Engine::CommitState(uint32_t state) {
  randomState_ = state;
  randomValue_ = state >> 1;
}

// states[i] is the Random state after i+1 NextRandom steps from `from`, by the
// current method. Four interleaved chains, each four steps at a time, hide the
// latency of a step.
void Engine::StepAhead(uint32_t from, uint32_t* states, size_t count) const {
  const bool bitShift = settings_.method == kMethodBitShift;
  uint32_t s = from;
  size_t head = count < 4 ? count : 4;
  for (size_t i = 0; i < head; ++i) {
    s = bitShift ? kBitShiftStep(s) : LcgStep(s);
    states[i] = s;
  }
  // Four chains in registers: a chain through memory would add a store and a
  // load to every step.
  size_t i = head;
  if (count >= 8) {
    uint32_t a = states[0], b = states[1], c = states[2], d = states[3];
    if (bitShift) {
      for (; i + 4 <= count; i += 4) {
        a = kBitShiftFourSteps(a);
        b = kBitShiftFourSteps(b);
        c = kBitShiftFourSteps(c);
        d = kBitShiftFourSteps(d);
        states[i] = a, states[i + 1] = b, states[i + 2] = c, states[i + 3] = d;
      }
    } else {
      for (; i + 4 <= count; i += 4) {
        a = a * kLcgMultiplier4 + kLcgIncrement4;
        b = b * kLcgMultiplier4 + kLcgIncrement4;
        c = c * kLcgMultiplier4 + kLcgIncrement4;
        d = d * kLcgMultiplier4 + kLcgIncrement4;
        states[i] = a, states[i + 1] = b, states[i + 2] = c, states[i + 3] = d;
      }
    }
  }
  for (; i < count; ++i)
    states[i] = bitShift ? kBitShiftFourSteps(states[i - 4]) : states[i - 4] * kLcgMultiplier4 + kLcgIncrement4;
}

}  // namespace orvanta
