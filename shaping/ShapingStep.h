#pragma once
// The minimiser: one sweep of random trial moves over all atoms, and the
// schedule of the trial step size. Called by the shaping worker under
// modelLock, once per iteration: ShapingStep, TotalEnergy, then
// AdvanceShapingSchedule.

#include <cstdint>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"
#include "shaping/PairPool.h"
#include "shaping/ShapingRun.h"

namespace tf {

// Uniform integers 0 .. 32767 from a seeded linear congruential sequence
// (multiplier 214013, increment 2531011, bits 16..30 of the state). Tests and
// the command-line tool seed it; the program seeds it from the clock.
class ShapingRandom {
 public:
  static constexpr int32_t kMax = 32767;

  explicit ShapingRandom(uint32_t seed = 1) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  int32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int32_t>((state_ >> 16) & 0x7FFFu);
  }

 private:
  uint32_t state_;
};

// A seed that differs from run to run.
uint32_t ClockSeed();

// For each atom in index order: a trial position displaced by up to
// stepScale/2 along each axis (three draws, x then y then z), kept only when
// LocalEnergy with `terms` at the trial is finite and strictly below
// LocalEnergy at the stored position. Later atoms see earlier moves. Bonds,
// types and charges never change. Each trial's pair sums are shared with
// `pool` when given; the moves are the same with any pool or none.
void ShapingStep(Document& document, const ForceFieldTables& tables, float stepScale,
                 uint32_t terms, ShapingRandom& random, shaping::PairPool* pool = nullptr);

// State at the start of a shaping run: energy 0, shapingIterations 0,
// stepScale 1.
void BeginShapingRun(ShapingRun& run);

// Counts one iteration; every 100th halves stepScale, and a scale that falls
// below 0.001 starts again at 1. The scale thus runs 1, 1/2, ..., 1/512, each
// for 100 iterations, in a cycle of 1000.
void AdvanceShapingSchedule(ShapingRun& run);

}  // namespace tf
