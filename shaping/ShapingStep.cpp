#include "shaping/ShapingStep.h"

#include <chrono>
#include <cmath>

#include "shaping/BondTopology.h"
#include "shaping/LocalTerms.h"

namespace tf {

namespace {

inline constexpr int32_t kIterationsPerHalving = 100;
inline constexpr float kSmallestStepScale = 0.001f;

float Displaced(float coordinate, int32_t draw, float stepScale) {
  const double offset = (draw / static_cast<double>(ShapingRandom::kMax) - 0.5) * stepScale;
  return static_cast<float>(coordinate + offset);
}

bool IsFinite(const Vector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

uint32_t ClockSeed() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return static_cast<uint32_t>(ticks ^ (ticks >> 32));
}

void ShapingStep(Document& document, const ForceFieldTables& tables, float stepScale,
                 uint32_t terms, ShapingRandom& random, shaping::PairPool* pool) {
  const BondTopology& topology = CurrentTopology(document);
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(document, tables, topology);
  const float scale = stepScale;
  for (uint32_t t = 0; t < document.atomCount && t < topology.AtomCount(); ++t) {
    Atom& atom = document.atoms[t];
    const Vector3 stored{atom.x, atom.y, atom.z};
    const int32_t dx = random.Next();
    const int32_t dy = random.Next();
    const int32_t dz = random.Next();
    const Vector3 trial{Displaced(atom.x, dx, scale), Displaced(atom.y, dy, scale),
                        Displaced(atom.z, dz, scale)};
    const Vector3 positions[2] = {stored, trial};
    float energies[2] = {0.0f, 0.0f};
    shaping::EvaluateLocal(document, tables, topology, workspace, t, terms, positions, energies,
                           pool);
    if (IsFinite(trial) && std::isfinite(energies[1]) && energies[1] < energies[0]) {
      atom.x = trial.x;
      atom.y = trial.y;
      atom.z = trial.z;
      workspace.arrays.Move(t, trial);
    }
  }
}

void BeginShapingRun(ShapingRun& run) {
  run.energy = 0.0f;
  run.shapingIterations = 0;
  run.stepScale = 1.0f;
}

void AdvanceShapingSchedule(ShapingRun& run) {
  run.shapingIterations += 1;
  if (run.shapingIterations < kIterationsPerHalving) return;
  run.stepScale = run.stepScale * 0.5f;
  if (run.stepScale < kSmallestStepScale) run.stepScale = 1.0f;
  run.shapingIterations = 0;
}

}  // namespace tf
