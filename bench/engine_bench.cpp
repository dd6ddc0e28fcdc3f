// The largest batch the program offers (9,999 passwords of 34 characters) in
// each of the fourteen routines, with each random-number method, and beside
// each Simple-mode routine a strong batch of the same keys and case drawn from
// the system's random source.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "engine/strong_random.h"
#include "platform/system_random.h"

namespace {

using orvanta::Engine;
using orvanta::GeneratorSettings;
using orvanta::Routine;

void LargestBatch(benchmark::State& state, Routine routine, int32_t method) {
  GeneratorSettings settings;
  settings.method = method;
  settings.length = 34;
  settings.quantity = 9999;
  Engine engine(settings);
  engine.PrepareDivisors();
  uint32_t tick = 123456789;
  for (auto _ : state) {
    engine.SeedRandom(orvanta::kSeedAutogenerate, tick++);
    engine.Run(routine);
    benchmark::DoNotOptimize(engine.output().data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(engine.output().size()));
}

void LargestStrongBatch(benchmark::State& state, int32_t keySet, int32_t caseOption) {
  GeneratorSettings settings;
  settings.keySet = keySet;
  settings.caseOption = caseOption;
  settings.length = 34;
  settings.quantity = 9999;
  Engine engine(settings);
  orvanta::FunctionByteSource system(&orvanta::FillWithSystemRandom);
  for (auto _ : state) {
    if (!engine.GenerateStrong(system)) state.SkipWithError("the system's random source failed");
    benchmark::DoNotOptimize(engine.output().data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(engine.output().size()));
}

// The keys and case whose Simple-mode batch each routine makes.
struct StrongBeside {
  Routine routine;
  int32_t keySet, caseOption;
};
constexpr StrongBeside kStrongBeside[] = {
    {Routine::SimpleLetters, orvanta::kKeysLetters, orvanta::kCaseNo},
    {Routine::SimpleMixedLetters, orvanta::kKeysLetters, orvanta::kCaseSensitive},
    {Routine::SimpleDigits, orvanta::kKeysDigits, orvanta::kCaseNo},
    {Routine::SimpleDigitsLetters, orvanta::kKeysDigitsLetters, orvanta::kCaseNo},
    {Routine::SimpleDigitsMixedLetters, orvanta::kKeysDigitsLetters, orvanta::kCaseSensitive},
    {Routine::SimpleKeyboard, orvanta::kKeysAll, orvanta::kCaseNo},
    {Routine::SimpleKeyboardMixed, orvanta::kKeysAll, orvanta::kCaseSensitive},
};

void RegisterAll() {
  for (int i = 0; i < orvanta::kRoutineCount; ++i) {
    const Routine routine = static_cast<Routine>(i);
    for (int32_t method : {orvanta::kMethodBitShift, orvanta::kMethodLinearCongruential}) {
      std::string name =
          std::string(orvanta::RoutineName(routine)) + (method == orvanta::kMethodBitShift ? "/BitShift" : "/Lcg");
      benchmark::RegisterBenchmark(name.c_str(), LargestBatch, routine, method)->Unit(benchmark::kMillisecond);
    }
    for (const StrongBeside& strong : kStrongBeside) {
      if (strong.routine != routine) continue;
      std::string name = std::string(orvanta::RoutineName(routine)) + "/Strong";
      benchmark::RegisterBenchmark(name.c_str(), LargestStrongBatch, strong.keySet, strong.caseOption)
          ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
