#pragma once
// A small team of helper threads that share the pair loops of one shaping or
// minimising run with the thread that owns the run. The caller cuts a loop
// into chunks whose bounds depend only on the molecule and adds the chunks'
// results in chunk order, so nothing computed depends on how many threads
// took part or which thread took which chunk.
//
// Each thread takes a contiguous group of the chunks. A hand-off costs well
// under a microsecond while the helpers are awake: they spin on the job
// counter for a short while after each job and only then block, so they
// never spin through the worker's pause between iterations. A helper that
// has not started its group when the caller has finished its own (it lost
// its core to another process) has the group taken over by the caller, and
// one that keeps the caller waiting is left out for a while.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

namespace tf::shaping {

inline constexpr uint32_t kMaxPairThreads = 8;
// The machine's cores, at most kMaxPairThreads, at least 1.
uint32_t DefaultPairThreads();

class PairPool {
 public:
  // `threads` counts the calling thread: threads - 1 helpers are started
  // (fewer when the system refuses a thread; the others then share the work).
  explicit PairPool(uint32_t threads);
  ~PairPool();  // wakes and joins the helpers
  PairPool(const PairPool&) = delete;
  PairPool& operator=(const PairPool&) = delete;

  // The calling thread and the helpers that run.
  uint32_t Threads() const { return static_cast<uint32_t>(helpers_.size()) + 1; }

  // Calls task(chunk, slot) once for each chunk in [0, chunkCount) and
  // returns when every call has returned. Slot 0 is the calling thread,
  // slots 1 .. Threads() - 1 the helpers; a slot is never in two calls at
  // once, so a task may use per-slot scratch. Only one thread calls Run at a
  // time; a Run from inside a task on the calling thread does its chunks on
  // the spot.
  template <typename Task>
  void Run(uint32_t chunkCount, Task&& task) {
    using Callable = std::remove_reference_t<Task>;
    RunJob(chunkCount, &Call<Callable>, const_cast<void*>(static_cast<const void*>(&task)));
  }

 private:
  using Trampoline = void (*)(void* task, uint32_t chunk, uint32_t slot);
  template <typename Callable>
  static void Call(void* task, uint32_t chunk, uint32_t slot) {
    (*static_cast<Callable*>(task))(chunk, slot);
  }

  // One helper's hand-off state, on a cache line of its own. For each job
  // exactly one of the helper and the caller moves `claimed` from the last
  // job's number to this one's and does the helper's group.
  struct alignas(64) Slot {
    std::atomic<uint64_t> claimed{0};
    std::atomic<uint64_t> done{0};  // the last job whose group the helper finished
  };

  // The caller's record of a helper that kept it waiting: until outUntil
  // the caller does the helper's groups itself.
  static constexpr std::chrono::steady_clock::duration kFirstPenalty = std::chrono::milliseconds(2);
  struct Lateness {
    bool out = false;
    std::chrono::steady_clock::time_point outUntil{};
    std::chrono::steady_clock::duration penalty = kFirstPenalty;
  };

  void RunJob(uint32_t chunkCount, Trampoline trampoline, void* task);
  // Waits for the helper's group of `job`. Given when the caller started its
  // own group, a long wait puts the helper out for a while.
  void WaitForGroup(uint32_t slot, uint64_t job,
                    std::optional<std::chrono::steady_clock::time_point> started);
  void RunGroup(uint32_t group, uint32_t slot) const;
  void HelperLoop(uint32_t slot);
  // Returns the job number once it differs from `seen`, or 0 when stopping.
  uint64_t WaitForJob(uint64_t seen);

  // The caller's own.
  bool running_ = false;                // a Run is under way
  Lateness lateness_[kMaxPairThreads];  // by slot
  bool taken_[kMaxPairThreads] = {};    // groups of this job claimed before it went out

  alignas(64) std::atomic<uint64_t> job_{0};  // number of the latest job, from 1
  // The job: written by the caller before it bumps job_, read by a helper
  // only after it has claimed its group of that job.
  Trampoline trampoline_ = nullptr;
  void* task_ = nullptr;
  uint32_t chunkCount_ = 0;
  uint32_t groupCount_ = 1;  // one group per thread

  alignas(64) std::atomic<uint32_t> sleepers_{0};  // helpers blocked, or about to, on wake_
  std::atomic<uint32_t> wake_{0};
  std::atomic<bool> stop_{false};
  std::unique_ptr<Slot[]> slots_;  // index = helper's slot
  std::vector<std::thread> helpers_;
};

// Runs the chunks on `pool` when there is one, else on the calling thread
// (slot 0) in order.
template <typename Task>
void RunChunks(PairPool* pool, uint32_t chunkCount, Task&& task) {
  if (pool) return pool->Run(chunkCount, task);
  for (uint32_t chunk = 0; chunk < chunkCount; ++chunk) task(chunk, 0u);
}

}  // namespace tf::shaping
