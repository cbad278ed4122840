// Gradient minimisation against random-trial shaping from the same start:
// the samples and synthetic molecules of 500, 2000 and 7000 atoms. Each run
// reports its final energy; BM_Minimize also what 2000 sweeps of shaping
// started from its result still find ("after_sweeps", 0 at a true minimum),
// computed outside the timed part.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchMolecules.h"
#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFileCommands.h"
#include "shaping/Energy.h"
#include "shaping/Minimizer.h"
#include "shaping/ShapingStep.h"

namespace {

const char* const kSamples[] = {"benzene", "alanine-dipeptide", "ethanol", "acetone"};

// Molecule 0..3: a sample; otherwise a synthetic molecule of that many atoms.
std::unique_ptr<tf::ApplicationRecords> Molecule(int64_t which) {
  if (which >= 4) return tf::bench::MakeBenchMolecule(static_cast<uint32_t>(which));
  auto records = std::make_unique<tf::ApplicationRecords>();
  tf::LoadParameterFile(records->tables,
                        (std::string(TF_SOURCE_DIR) + "/share/config.ini").c_str());
  tf::OpenMoleculeFile(
      records->document, records->tables,
      tf::FromUtf8(std::string(TF_SOURCE_DIR) + "/share/samples/" + kSamples[which] + ".pdb"));
  return records;
}

float Shape(tf::ApplicationRecords& records, int sweeps) {
  tf::ShapingRandom random(1);
  tf::BeginShapingRun(records.shaping);
  for (int sweep = 0; sweep < sweeps; ++sweep) {
    tf::ShapingStep(records.document, records.tables, records.shaping.stepScale, tf::kAllTerms,
                    random);
    tf::AdvanceShapingSchedule(records.shaping);
  }
  return tf::ComputeEnergyComponents(records.document, records.tables).total;
}

void BM_Minimize(benchmark::State& state) {
  tf::MinimizeSettings settings;
  settings.rmsGradient = static_cast<double>(state.range(1)) / 100.0;
  auto records = Molecule(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    records = Molecule(state.range(0));
    state.ResumeTiming();
    tf::Minimizer minimizer(records->document, records->tables, settings);
    while (minimizer.Step()) {
    }
    minimizer.WriteTo(records->document);
    state.counters["initial"] = minimizer.InitialEnergy();
    state.counters["final"] = minimizer.Energy();
    state.counters["steps"] = minimizer.Steps();
    state.counters["evaluations"] = minimizer.Evaluations();
  }
  const float minimum = tf::ComputeEnergyComponents(records->document, records->tables).total;
  state.counters["after_sweeps"] = Shape(*records, 2000) - minimum;
}
// Molecule, then the RMS gradient to reach in hundredths.
BENCHMARK(BM_Minimize)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Args({500, 1})
    ->Args({2000, 10})
    ->Args({2000, 1})
    ->Args({7000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_Shape2000Sweeps(benchmark::State& state) {
  auto records = Molecule(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    records = Molecule(state.range(0));
    state.ResumeTiming();
    state.counters["final"] = Shape(*records, 2000);
  }
}
BENCHMARK(BM_Shape2000Sweeps)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(7000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
