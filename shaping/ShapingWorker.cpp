#include "shaping/ShapingWorker.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <vector>

#include "model/Document.h"
#include "shaping/BondTopology.h"
#include "shaping/Energy.h"
#include "shaping/EnergyGradient.h"
#include "shaping/Minimizer.h"
#include "shaping/PairPool.h"
#include "shaping/ShapingRun.h"
#include "shaping/ShapingStep.h"

namespace tf {

namespace {

constexpr auto kPauseBetweenIterations = std::chrono::milliseconds(50);
// A minimisation draws a frame at least this often while it runs.
constexpr auto kMinimizingFrameInterval = std::chrono::milliseconds(40);

// Leaves the window thread free to take the locks between iterations; a stop
// or a shutdown ends the pause at once.
void Pause(ShapingRun& run) {
  std::unique_lock pause(run.shapingPauseLock);
  run.shapingWake.wait_for(pause, kPauseBetweenIterations,
                           [&run] { return run.shapingActive.load() == 0; });
}

// The pair pool lives as long as the run; its helpers only read the pair
// columns the step copied under modelLock and write their own chunks' sums.
void ShapeWhileActive(ShapingRun& run, Document& document, const ForceFieldTables& tables,
                      uint32_t seed) {
  shaping::PairPool pool(shaping::DefaultPairThreads());
  ShapingRandom random(seed);
  {
    std::lock_guard model(document.modelLock);  // a frame reads the energy figures under it
    BeginShapingRun(run);
  }
  while (run.shapingActive.load() != 0) {
    {
      std::lock_guard model(document.modelLock);
      ShapingStep(document, tables, run.stepScale, run.shapingTerms, random, &pool);
      TotalEnergy(document, tables, run, &pool);
      AdvanceShapingSchedule(run);
    }
    // A frame takes modelLock for its copy, so it is drawn only after the
    // block above has released it.
    if (run.afterStep) run.afterStep();
    Pause(run);
  }
}

void RunShapingWorker(ShapingRun& run, Document& document, const ForceFieldTables& tables,
                      uint32_t seed) {
  ShapeWhileActive(run, document, tables, seed);
  if (run.whenEnded) run.whenEnded();
}

// The document's coordinates of atoms 0 .. count-1.
std::vector<float> Coordinates(const Document& document, uint32_t count) {
  std::vector<float> coordinates;
  coordinates.reserve(3 * static_cast<size_t>(count));
  for (uint32_t i = 0; i < count; ++i)
    coordinates.insert(coordinates.end(),
                       {document.atoms[i].x, document.atoms[i].y, document.atoms[i].z});
  return coordinates;
}

// The minimisation's side of the document: what it last wrote, so that a
// change made by anyone else is seen.
class MinimizingPublisher {
 public:
  // `start`: the coordinates the minimisation started from.
  MinimizingPublisher(ShapingRun& run, Document& document, Minimizer& minimizer,
                      std::vector<float> start)
      : run_(run), document_(document), minimizer_(minimizer), written_(std::move(start)) {}

  // Under modelLock: false when the atoms or bonds are no longer those the
  // minimisation started from.
  bool StillTheMolecule() const {
    return document_.atomCount == minimizer_.AtomCount() &&
           CurrentTopology(document_).Matches(document_);
  }

  // Writes the positions and figures and draws a frame, unless the document
  // moved under the run (a turn of the view): then `moved` is set and
  // nothing is written.
  void Publish() {
    {
      std::lock_guard model(document_.modelLock);
      if (!StillTheMolecule()) {
        ended_ = true;
        return;
      }
      if (Coordinates(document_, minimizer_.AtomCount()) != written_) {
        moved_ = true;
        return;
      }
      minimizer_.WriteTo(document_);
      written_ = Coordinates(document_, minimizer_.AtomCount());
      const float energy = static_cast<float>(minimizer_.Energy());
      run_.energyChange = energy - run_.energy;
      run_.energy = energy;
      run_.rmsGradient = static_cast<float>(minimizer_.RmsGradient());
      run_.shapingIterations = minimizer_.Steps();
    }
    lastFrame_ = std::chrono::steady_clock::now();
    if (run_.afterStep) run_.afterStep();
  }

  void PublishWhenDue() {
    if (std::chrono::steady_clock::now() - lastFrame_ >= kMinimizingFrameInterval) Publish();
  }

  // Takes up the document's positions after a turn of the whole molecule;
  // false when there was none.
  bool FollowMove() {
    if (!moved_) return false;
    moved_ = false;
    std::vector<double> positions;
    {
      std::lock_guard model(document_.modelLock);
      if (!StillTheMolecule()) {
        ended_ = true;
        return false;
      }
      positions = DocumentPositions(document_);
      written_ = Coordinates(document_, minimizer_.AtomCount());
    }
    // Outside the lock: the restart evaluates, and its hook may publish.
    minimizer_.Restart(positions);
    return true;
  }

  bool Ended() const { return ended_; }
  bool Moved() const { return moved_; }

 private:
  ShapingRun& run_;
  Document& document_;
  Minimizer& minimizer_;
  std::vector<float> written_;
  std::chrono::steady_clock::time_point lastFrame_{};
  bool moved_ = false;
  bool ended_ = false;
};

void MinimizeWhileActive(ShapingRun& run, Document& document, const ForceFieldTables& tables) {
  shaping::PairPool pool(shaping::DefaultPairThreads());
  std::unique_ptr<Minimizer> minimizer;
  std::vector<float> start;
  {
    std::lock_guard model(document.modelLock);
    MinimizeSettings settings;
    settings.terms = run.shapingTerms;
    settings.pool = &pool;
    minimizer = std::make_unique<Minimizer>(document, tables, settings);
    run.energy = static_cast<float>(minimizer->Energy());
    run.energyChange = 0.0f;
    run.rmsGradient = static_cast<float>(minimizer->RmsGradient());
    run.shapingIterations = 0;
    start = Coordinates(document, minimizer->AtomCount());
  }
  MinimizingPublisher publisher(run, document, *minimizer, std::move(start));
  minimizer->SetEvaluationHook([&publisher] { publisher.PublishWhenDue(); });
  bool more = minimizer->Status() == MinimizeStatus::kRunning;
  while (run.shapingActive.load() != 0 && !publisher.Ended()) {
    if (more) more = minimizer->Step();
    if (publisher.FollowMove()) {
      more = minimizer->Status() == MinimizeStatus::kRunning;
      continue;
    }
    if (more) continue;
    // The end: the result is written, unless a turn came first; then the
    // run goes on from the turned positions.
    publisher.Publish();
    if (!publisher.Moved()) break;
  }
}

void RunMinimizingWorker(ShapingRun& run, Document& document, const ForceFieldTables& tables) {
  MinimizeWhileActive(run, document, tables);
  {
    std::lock_guard pause(run.shapingPauseLock);
    run.shapingActive.store(0);
  }
  if (run.afterStep) run.afterStep();  // the frame loses the figures
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
  if (run.shapingActive.load() != 0 && run.runKind == RunKind::kMinimizing) ShutdownShaping(run);
  if (run.shapingActive.load() != 0) return;
  // A stopped worker finishing its last iteration would see the flag set
  // again and keep looping beside the new one.
  if (run.shapingWorker.joinable()) run.shapingWorker.join();
  run.shapingTerms = run.requestedShapingTerms;
  run.runKind = RunKind::kShaping;
  const uint32_t seed = TakeRunSeed(run);
  run.shapingActive.store(1);
  try {
    run.shapingWorker =
        std::thread(RunShapingWorker, std::ref(run), std::ref(document), std::cref(tables), seed);
  } catch (const std::system_error&) {
    run.shapingActive.store(0);  // a later start can try again
  }
}

void StartMinimizing(ShapingRun& run, Document& document, const ForceFieldTables& tables) {
  ShutdownShaping(run);
  run.shapingTerms = run.requestedShapingTerms;
  run.runKind = RunKind::kMinimizing;
  run.shapingActive.store(1);
  try {
    run.shapingWorker =
        std::thread(RunMinimizingWorker, std::ref(run), std::ref(document), std::cref(tables));
  } catch (const std::system_error&) {
    run.shapingActive.store(0);
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
