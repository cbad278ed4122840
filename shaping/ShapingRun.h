#pragma once
// One shaping or minimisation run and its worker: the flags the window
// thread sets, the figures the worker updates, the thread and its wake-up.
// The worker runs while shapingActive is 1; only one run exists at a time.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace tf {

// Shaping-term bits: which energy terms steer shaping.
enum ShapingTerm : uint32_t {
  kTermDistances = 0x01,
  kTermAngles = 0x02,
  kTermOutOfPlane = 0x04,
  kTermTorsions = 0x08,
  kTermVanDerWaals = 0x10,
  kTermCoulomb = 0x20,
  kAllTerms = 0x3F,
};

// What the worker does: random trial moves, or gradient minimisation.
enum class RunKind : int32_t { kShaping, kMinimizing };

struct ShapingRun {
  std::atomic<int32_t> shapingActive{0};  // written by the window thread, polled by the worker
  uint32_t shapingTerms = 0;
  uint32_t requestedShapingTerms = kAllTerms;
  // The figures, written by the worker under the document's modelLock (a
  // frame copies them under it).
  float energy = 0;
  float energyChange = 0;
  float stepScale = 0;
  int32_t shapingIterations = 0;
  float rmsGradient = 0;                // of a minimisation
  RunKind runKind = RunKind::kShaping;  // of the current or last run
  uint32_t shapingSeed = 1;     // seeds the next run's trial moves; from the clock at start-up
  std::thread shapingWorker;    // the current or last worker; joined before the next starts
  std::mutex shapingPauseLock;  // pairs with shapingWake
  std::condition_variable shapingWake;  // ends the worker's pause early when shaping stops

  // Called by the worker on its own thread after each step, holding no lock:
  // the program draws a frame here. Also called once on the window thread
  // when shaping stops, so the frame loses the energy block.
  std::function<void()> afterStep;
  // Called by the worker when it ends. It must post to the window thread,
  // never wait for it: the window thread may itself be waiting for the worker.
  std::function<void()> whenEnded;
};

}  // namespace tf
