// The largest batch the program offers (9,999 passwords of 34 characters) in
// each of the fourteen routines, with each random-number method.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/engine.h"

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

void RegisterAll() {
  for (int i = 0; i < orvanta::kRoutineCount; ++i) {
    const Routine routine = static_cast<Routine>(i);
    for (int32_t method : {orvanta::kMethodBitShift, orvanta::kMethodLinearCongruential}) {
      std::string name =
          std::string(orvanta::RoutineName(routine)) + (method == orvanta::kMethodBitShift ? "/BitShift" : "/Lcg");
      benchmark::RegisterBenchmark(name.c_str(), LargestBatch, routine, method)->Unit(benchmark::kMillisecond);
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
