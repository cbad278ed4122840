// Shaping costs at 500, 2000 and 7000 atoms (1000 bonds at 7000): one sweep
// of ShapingStep with all six terms, one TotalEnergy, one LocalEnergy. The
// sweep and TotalEnergy share their pair work with a pair pool of the
// machine's cores, as the shaping worker does; the "threads" counter says how
// many.

#include <benchmark/benchmark.h>

#include <vector>

#include "BenchMolecules.h"
#include "shaping/Energy.h"
#include "shaping/PairKernel.h"
#include "shaping/PairPool.h"
#include "shaping/ShapingStep.h"

namespace {

void BM_ShapingStep(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  tf::shaping::PairPool pool(tf::shaping::DefaultPairThreads());
  tf::ShapingRandom random(12345);
  for (auto _ : state)
    tf::ShapingStep(records->document, records->tables, records->shaping.stepScale, tf::kAllTerms,
                    random, &pool);
  state.counters["bonds"] = records->document.bondCount;
  state.counters["threads"] = pool.Threads();
}
BENCHMARK(BM_ShapingStep)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

void BM_TotalEnergy(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  tf::shaping::PairPool pool(tf::shaping::DefaultPairThreads());
  for (auto _ : state)
    benchmark::DoNotOptimize(
        tf::TotalEnergy(records->document, records->tables, records->shaping, &pool));
  state.counters["threads"] = pool.Threads();
}
BENCHMARK(BM_TotalEnergy)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMillisecond);

void BM_LocalEnergy(benchmark::State& state) {
  auto records = tf::bench::MakeBenchMolecule(static_cast<uint32_t>(state.range(0)));
  uint32_t atom = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tf::LocalEnergy(records->document, records->tables, atom, tf::kAllTerms));
    atom = (atom + 97) % records->document.atomCount;
  }
}
BENCHMARK(BM_LocalEnergy)->Arg(500)->Arg(7000)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The non-bonded part of one sweep (every atom against all others at two
// positions) with each build of the pair loop, to show the baseline build's
// cost on processors without AVX2.
template <bool kAvx2>
void BM_SweepPairLoop(benchmark::State& state) {
  if (kAvx2 && !tf::shaping::PairKernelAvx2Available()) {
    state.SkipWithError("no AVX2 on this processor");
    return;
  }
  const uint32_t count = static_cast<uint32_t>(state.range(0));
  auto records = tf::bench::MakeBenchMolecule(count);
  const size_t padded = (count + 7) / 8 * 8;
  std::vector<float> x(padded), y(padded), z(padded), half(padded, 1.7f), root(padded, 0.3f),
      charge(padded);
  std::vector<uint32_t> include(padded, 0);
  for (uint32_t i = 0; i < count; ++i) {
    x[i] = records->document.atoms[i].x;
    y[i] = records->document.atoms[i].y;
    z[i] = records->document.atoms[i].z;
    charge[i] = records->document.atoms[i].charge;
    include[i] = ~0u;
  }
  tf::shaping::PairKernelInput in{};
  in.x = x.data();
  in.y = y.data();
  in.z = z.data();
  in.halfSigma = half.data();
  in.rootEpsilon = root.data();
  in.charge = charge.data();
  in.include = include.data();
  in.end = count;
  in.positionCount = 2;
  in.ownHalfSigma = 1.7f;
  in.lennardJones = in.coulomb = true;
  tf::shaping::PairKernelSums sums;
  for (auto _ : state) {
    for (uint32_t t = 0; t < count; ++t) {
      in.px[0] = x[t], in.py[0] = y[t], in.pz[0] = z[t];
      in.px[1] = x[t] + 0.1f, in.py[1] = y[t], in.pz[1] = z[t];
      if (kAvx2)
        tf::shaping::PairKernelAvx2(in, sums);
      else
        tf::shaping::PairKernelBaseline(in, sums);
      benchmark::DoNotOptimize(sums);
    }
  }
}
BENCHMARK(BM_SweepPairLoop<false>)->Arg(7000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepPairLoop<true>)->Arg(7000)->Unit(benchmark::kMillisecond);

}  // namespace
