// The portable database format with 10,000 Entries: reading the file bytes,
// writing them, and building the Database text of Save All / Print All.
#include "database/db_file.h"
#include "database/db_text.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using orvanta::Entry;

constexpr int kEntries = 10000;

std::vector<Entry> MakeEntries(int count) {
  std::vector<Entry> entries;
  entries.reserve(count);
  for (int i = 0; i < count; ++i) {
    entries.push_back(orvanta::MakeEntry("pw" + std::to_string(i * 7919) + "xQ7!", "user" + std::to_string(i),
                                         "https://site" + std::to_string(i) + ".example.org/login",
                                         i % 3 ? "" : "comment number " + std::to_string(i)));
  }
  return entries;
}

void BM_ParseDatabase(benchmark::State& state) {
  std::string bytes;
  if (orvanta::SerializeDatabase(MakeEntries(kEntries), &bytes) != orvanta::WriteStatus::kOk) std::abort();
  for (auto _ : state) {
    orvanta::ParsedDatabase parsed = orvanta::ParseDatabase(bytes);
    if (parsed.entries.size() != kEntries) std::abort();
    benchmark::DoNotOptimize(parsed);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ParseDatabase)->Unit(benchmark::kMillisecond);

void BM_SerializeDatabase(benchmark::State& state) {
  const std::vector<Entry> entries = MakeEntries(kEntries);
  std::string bytes;
  for (auto _ : state) {
    if (orvanta::SerializeDatabase(entries, &bytes) != orvanta::WriteStatus::kOk) std::abort();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_SerializeDatabase)->Unit(benchmark::kMillisecond);

void BM_BuildDatabaseText(benchmark::State& state) {
  const std::vector<Entry> entries = MakeEntries(kEntries);
  std::size_t size = 0;
  for (auto _ : state) {
    std::string text = orvanta::BuildDatabaseText(entries);
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_BuildDatabaseText)->Unit(benchmark::kMillisecond);

}  // namespace
