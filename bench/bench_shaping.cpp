// Shaping costs at 500, 2000 and 7000 atoms (1000 bonds at 7000): one sweep
// of ShapingStep with all six terms, one TotalEnergy, one LocalEnergy.

#include <benchmark/benchmark.h>

#include "BenchMolecules.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"

namespace {

void BM_ShapingStep(benchmark::State& state) {
  auto store = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  tf::ShapingRandom random(12345);
  for (auto _ : state) tf::ShapingStep(*store, tf::kAllTerms, random);
  state.counters["bonds"] = store->bondCount;
}
BENCHMARK(BM_ShapingStep)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

void BM_TotalEnergy(benchmark::State& state) {
  auto store = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(tf::TotalEnergy(*store));
}
BENCHMARK(BM_TotalEnergy)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

void BM_LocalEnergy(benchmark::State& state) {
  auto store = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  uint32_t atom = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tf::LocalEnergy(*store, atom, tf::kAllTerms));
    atom = (atom + 97) % store->atomCount;
  }
}
BENCHMARK(BM_LocalEnergy)->Arg(500)->Arg(7000)->Unit(benchmark::kMicrosecond);

}  // namespace
