#include "shaping/ShapingWorker.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <system_error>

#include "model/Document.h"
#include "shaping/Energy.h"
#include "shaping/ShapingRun.h"
#include "shaping/ShapingStep.h"

namespace tf {

namespace {

constexpr auto kPauseBetweenIterations = std::chrono::milliseconds(50);

// Leaves the window thread free to take the locks between iterations; a stop
// or a shutdown ends the pause at once.
void Pause(ShapingRun& run) {
  std::unique_lock pause(run.shapingPauseLock);
  run.shapingWake.wait_for(pause, kPauseBetweenIterations,
                           [&run] { return run.shapingActive.load() == 0; });
}

void RunShapingWorker(ShapingRun& run, Document& document, const ForceFieldTables& tables,
                      uint32_t seed) {
  ShapingRandom random(seed);
  {
    std::lock_guard model(document.modelLock);  // a frame reads the energy figures under it
    BeginShapingRun(run);
  }
  while (run.shapingActive.load() != 0) {
    {
      std::lock_guard model(document.modelLock);
      ShapingStep(document, tables, run.stepScale, run.shapingTerms, random);
      TotalEnergy(document, tables, run);
      AdvanceShapingSchedule(run);
    }
    // A frame takes modelLock for its copy, so it is drawn only after the
    // block above has released it.
    if (run.afterStep) run.afterStep();
    Pause(run);
  }
  if (run.whenEnded) run.whenEnded();
}

// Under the pause lock, so the worker cannot test the flag, miss the change
// and then sleep through the wake-up.
void ClearActiveAndWake(ShapingRun& run) {
  {
    std::lock_guard pause(run.shapingPauseLock);
    run.shapingActive.store(0);
  }
  run.shapingWake.notify_all();
}

// Each run starts its own sequence. The next seed is a full-period scramble
// of this one rather than where this run's sequence stops: the generator
// stays private to the worker's thread, seeds do not recur, and a run's moves
// depend only on the seed it started from, which keeps a run reproducible.
uint32_t TakeRunSeed(ShapingRun& run) {
  const uint32_t seed = run.shapingSeed;
  run.shapingSeed = seed * 0x9E3779B9u + 0x7F4A7C15u;
  return seed;
}

}  // namespace

void StartShaping(ShapingRun& run, Document& document, const ForceFieldTables& tables) {
  if (run.shapingActive.load() != 0) return;
  // A stopped worker finishing its last iteration would see the flag set
  // again and keep looping beside the new one.
  if (run.shapingWorker.joinable()) run.shapingWorker.join();
  run.shapingTerms = run.requestedShapingTerms;
  const uint32_t seed = TakeRunSeed(run);
  run.shapingActive.store(1);
  try {
    run.shapingWorker =
        std::thread(RunShapingWorker, std::ref(run), std::ref(document), std::cref(tables), seed);
  } catch (const std::system_error&) {
    run.shapingActive.store(0);  // a later start can try again
  }
}

void StopShaping(ShapingRun& run) {
  if (run.shapingActive.load() == 0) return;
  ClearActiveAndWake(run);
  if (run.afterStep) run.afterStep();
}

void ShutdownShaping(ShapingRun& run) {
  ClearActiveAndWake(run);
  if (run.shapingWorker.joinable()) run.shapingWorker.join();
}

}  // namespace tf
