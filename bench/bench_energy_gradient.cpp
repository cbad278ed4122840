// The energy with its gradient, and the energy split over the atoms, to set
// against TotalEnergy alone (bench_shaping), at 500, 2000 and 7000 atoms.

#include <benchmark/benchmark.h>

#include <vector>

#include "BenchMolecules.h"
#include "shaping/Energy.h"
#include "shaping/EnergyGradient.h"

namespace {

void BM_EnergyAndGradient(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  tf::EnergyModel model(records->document, records->tables, tf::kAllTerms);
  const std::vector<double> positions = tf::DocumentPositions(records->document);
  std::vector<double> gradient(positions.size());
  for (auto _ : state) benchmark::DoNotOptimize(model.Evaluate(positions, gradient));
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
