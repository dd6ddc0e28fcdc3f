// Range mapping: the Random fraction, RandomIndex and RandomFraction.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/engine.h"

// The 32-bit x87 unit would round to 64 bits first and then to 53: the
// positions must not depend on the build.
#if defined(__i386__) && defined(__GNUC__) && !defined(__clang__)
#pragma GCC target("sse2", "fpmath=sse")
#endif

namespace orvanta {

// Every length and quantity offered gets the same divisor, so the product of
// the two is always positive and the fraction stays in [0, 1).
int32_t DivisorFor(int32_t /*setting*/) { return -255; }

void Engine::PrepareDivisors() {
  lengthDivisor_ = DivisorFor(settings_.length);
  quantityDivisor_ = DivisorFor(settings_.quantity);
}

// Four separate divisions in this order: folding them into one constant would
// round differently at the edges of the positions.
double Engine::RandomFractionValue() const {
  double q = static_cast<double>(randomValue_);
  q = q / 1000000000.0;
  q = q / 10.0;
  q = q / static_cast<double>(lengthDivisor_);
  q = q / static_cast<double>(quantityDivisor_);
  if (q == 0.0) return -1.0;  // a zero has significand 0
  int exponent = 0;
  double half = std::frexp(q, &exponent);  // in [0.5, 1) with the sign of q
  return 2.0 * half - 1.0;
}

int32_t Engine::RandomIndex(int32_t windowSize) const {
  double f = RandomFractionValue();
  // A Random value of 0 (f = -1) would point before the window: it takes
  // position 1, as does any fraction that divisors of the wrong sign produce.
  if (!(f >= 0.0 && f < 1.0)) return 1;
  double scaled = f * static_cast<double>(windowSize);
  double x = scaled + 1.0;
  return static_cast<int32_t>(std::nearbyint(x));  // ties to even
}

Comparison Engine::RandomFraction(int32_t candidatesLeft_, int32_t charactersNeeded_) const {
  double p = RandomFractionValue() * static_cast<double>(candidatesLeft_);
  double needed = static_cast<double>(charactersNeeded_);
  if (p < needed) return Comparison::Below;
  if (p == needed) return Comparison::Equal;
  return Comparison::Above;
}

namespace {

// The fractions of a whole block at once, written so that the divisions run
// side by side. The significand is taken from the bits: exact for every
// normal quotient, which every non-zero Random value gives with non-zero
// divisors.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline void
FractionLoop(const uint32_t* states, double* fractions, size_t count, double lengthD, double quantityD) {
  constexpr uint64_t kKeepSignAndMantissa = 0x800FFFFFFFFFFFFFull;
  constexpr uint64_t kExponentOfOne = 0x3FF0000000000000ull;
  for (size_t i = 0; i < count; ++i) {
    const int32_t value = static_cast<int32_t>(states[i] >> 1);
    double q = static_cast<double>(value);
    q = q / 1000000000.0;
    q = q / 10.0;
    q = q / lengthD;
    q = q / quantityD;
    // A zero quotient has significand 0; selecting on the bits rather than on
    // the double keeps the loop free of branches.
    const uint64_t nonZero = 0 - static_cast<uint64_t>(value != 0);
    const uint64_t bits = std::bit_cast<uint64_t>(q);
    const double significand = std::bit_cast<double>(((bits & kKeepSignAndMantissa) | kExponentOfOne) & nonZero);
    fractions[i] = significand - 1.0;
  }
}

void FractionsNarrow(const uint32_t* states, double* fractions, size_t count, double lengthD, double quantityD) {
  FractionLoop(states, fractions, count, lengthD, quantityD);
}

// Division throughput dominates; wider vectors divide more values at once,
// with the same correctly rounded results.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define ORVANTA_WIDE_FRACTIONS 1
__attribute__((target("avx2"))) void FractionsWide(const uint32_t* states, double* fractions, size_t count,
                                                   double lengthD, double quantityD) {
  FractionLoop(states, fractions, count, lengthD, quantityD);
}
#endif

}  // namespace

void Engine::FractionsOf(const uint32_t* states, double* fractions, size_t count) const {
  const double lengthD = static_cast<double>(lengthDivisor_);
  const double quantityD = static_cast<double>(quantityDivisor_);
#ifdef ORVANTA_WIDE_FRACTIONS
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) return FractionsWide(states, fractions, count, lengthD, quantityD);
#endif
  FractionsNarrow(states, fractions, count, lengthD, quantityD);
}

}  // namespace orvanta
