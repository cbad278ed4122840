// The energy with its gradient (its pair loop shared with a pair pool of the
// machine's cores, as a minimising run does), and the energy split over the
// atoms, to set against TotalEnergy alone (bench_shaping), at 500, 2000 and
// 7000 atoms.

#include <benchmark/benchmark.h>

#include <vector>

#include "BenchMolecules.h"
#include "shaping/Energy.h"
#include "shaping/EnergyGradient.h"
#include "shaping/PairPool.h"

namespace {

void BM_EnergyAndGradient(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  tf::shaping::PairPool pool(tf::shaping::DefaultPairThreads());
  tf::EnergyModel model(records->document, records->tables, tf::kAllTerms, &pool);
  const std::vector<double> positions = tf::DocumentPositions(records->document);
  std::vector<double> gradient(positions.size());
  for (auto _ : state) benchmark::DoNotOptimize(model.Evaluate(positions, gradient));
  state.counters["threads"] = pool.Threads();
}
BENCHMARK(BM_EnergyAndGradient)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

// What strain colouring costs per frame.
void BM_AtomEnergies(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(tf::AtomEnergies(records->document, records->tables));
}
BENCHMARK(BM_AtomEnergies)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

}  // namespace
