// Perceive Bonds on a 7000-atom protein with no bond list and no CONECT
// records: two copies of PDB entry 1AVG (3730 heavy atoms) side by side, cut
// at the document's 7000 atoms, typed by the shipped parameter file. Distance
// candidates only; the bond list fills at 1000 bonds and the remaining
// candidates are refused for capacity, as in the program.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/Application.h"
#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/FileBytes.h"
#include "io/MoleculeFiles.h"
#include "io/PerceiveBonds.h"

namespace {

std::unique_ptr<tf::ApplicationRecords> TiledProtein() {
  auto records = std::make_unique<tf::ApplicationRecords>();
  if (!tf::LoadParameterFile(records->tables, TF_SOURCE_DIR "/share/config.ini")) std::abort();
  const auto pdb = tf::ReadFileBytes(tf::FromUtf8(TF_SOURCE_DIR "/tests/data/pdb/1avg.pdb"));
  if (!pdb) std::abort();
  tf::ReadMoleculeBytes(records->document, records->tables, pdb, std::nullopt, std::nullopt, false);
  const uint32_t copyCount = records->document.atomCount;
  if (copyCount == 0) std::abort();
  float low = records->document.atoms[0].x;
  float high = low;
  for (uint32_t i = 0; i < copyCount; ++i) {
    low = std::min(low, records->document.atoms[i].x);
    high = std::max(high, records->document.atoms[i].x);
  }
  for (uint32_t i = copyCount; i < tf::kMaxAtoms; ++i) {
    records->document.atoms[i] = records->document.atoms[i % copyCount];
    records->document.atoms[i].x += (high - low + 4.0f) * static_cast<float>(i / copyCount);
  }
  records->document.atomCount = tf::kMaxAtoms;
  return records;
}

void BM_PerceiveBondsProtein7000(benchmark::State& state) {
  auto records = TiledProtein();
  tf::PerceivedBonds perceived;
  for (auto _ : state) {
    records->document.bondCount = 0;
    perceived = tf::PerceiveBonds(records->document, records->tables);
    benchmark::DoNotOptimize(perceived);
  }
  state.counters["added"] = perceived.added;
  state.counters["refused"] = perceived.refusedCapacity + perceived.refusedValence +
                              perceived.refusedNoDistanceParameter + perceived.refusedAlreadyBonded;
}
BENCHMARK(BM_PerceiveBondsProtein7000)->Unit(benchmark::kMillisecond);

}  // namespace
