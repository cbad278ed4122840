#include "shaping/ShapingWorker.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <system_error>

#include "model/MoleculeStore.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"
#include "view/Graphics.h"

namespace tf {
namespace {

constexpr auto kPauseBetweenIterations = std::chrono::milliseconds(50);

// Leaves the window thread free to take the locks between iterations; a stop
// or a shutdown ends the pause at once.
void Pause(MoleculeStore& store) {
  std::unique_lock pause(store.shapingPauseLock);
  store.shapingWake.wait_for(pause, kPauseBetweenIterations,
                             [&store] { return store.shapingActive.load() == 0; });
}

void RunShapingWorker(MoleculeStore& store, uint32_t seed) {
  ShapingRandom random(seed);
  {
    std::lock_guard model(store.modelLock);  // a frame reads the energy figures under it
    BeginShapingRun(store);
  }
  while (store.shapingActive.load() != 0) {
    {
      std::lock_guard model(store.modelLock);
      ShapingStep(store, store.shapingTerms, random);
      TotalEnergy(store);
      AdvanceShapingSchedule(store);
    }
    // Redraw takes renderLock and then modelLock for its copy, so it runs
    // only after the block above has released modelLock.
    Redraw(store);
    Pause(store);
  }
  RequestPanelRefresh(store.shell);
}

// Under the pause lock, so the worker cannot test the flag, miss the change
// and then sleep through the wake-up.
void ClearActiveAndWake(MoleculeStore& store) {
  {
    std::lock_guard pause(store.shapingPauseLock);
    store.shapingActive.store(0);
  }
  store.shapingWake.notify_all();
}

// Each run starts its own sequence. The next seed is a full-period scramble
// of this one rather than where this run's sequence stops: the generator
// stays private to the worker's thread, seeds do not recur, and a run's moves
// depend only on the seed it started from, which keeps a run reproducible.
uint32_t TakeRunSeed(MoleculeStore& store) {
  const uint32_t seed = store.shapingSeed;
  store.shapingSeed = seed * 0x9E3779B9u + 0x7F4A7C15u;
  return seed;
}

}  // namespace

void StartShaping(MoleculeStore& store) {
  if (store.shapingActive.load() != 0) return;
  // A stopped worker finishing its last iteration would see the flag set
  // again and keep looping beside the new one.
  if (store.shapingWorker.joinable()) store.shapingWorker.join();
  store.shapingTerms = store.requestedShapingTerms;
  const uint32_t seed = TakeRunSeed(store);
  store.shapingActive.store(1);
  try {
    store.shapingWorker = std::thread(RunShapingWorker, std::ref(store), seed);
  } catch (const std::system_error&) {
    store.shapingActive.store(0);  // a later start can try again
  }
}

void StopShaping(MoleculeStore& store) {
  if (store.shapingActive.load() == 0) return;
  ClearActiveAndWake(store);
  Redraw(store);
}

void ShutdownShaping(MoleculeStore& store) {
  ClearActiveAndWake(store);
  if (store.shapingWorker.joinable()) store.shapingWorker.join();
}

}  // namespace tf
