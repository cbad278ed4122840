#include "shaping/PairPool.h"

#include <chrono>
#include <optional>
#include <system_error>

namespace tf::shaping {

namespace {

// How long an idle helper spins before it blocks: longer than the gaps
// between the pair loops of one iteration (a helper woken from its sleep
// starts late), far shorter than the pause between iterations.
constexpr auto kSpinBeforeBlocking = std::chrono::milliseconds(1);
// Waiting this long for a helper's group means the helper is not running:
// far longer than an interrupt, shorter than the time slice of a process.
constexpr auto kLateHelper = std::chrono::microseconds(200);
constexpr std::chrono::steady_clock::duration kLongestPenalty = std::chrono::milliseconds(256);

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

}  // namespace

uint32_t DefaultPairThreads() {
  const uint32_t cores = std::thread::hardware_concurrency();
  if (cores == 0) return 1;
  return cores < kMaxPairThreads ? cores : kMaxPairThreads;
}

PairPool::PairPool(uint32_t threads) : slots_(std::make_unique<Slot[]>(kMaxPairThreads)) {
  const uint32_t wanted = threads < kMaxPairThreads ? threads : kMaxPairThreads;
  for (uint32_t slot = 1; slot < wanted; ++slot) {
    try {
      helpers_.emplace_back(&PairPool::HelperLoop, this, slot);
    } catch (const std::system_error&) {
      break;  // the started helpers share the work
    }
  }
}

PairPool::~PairPool() {
  stop_.store(true);
  wake_.fetch_add(1);
  wake_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

// Group g of G: chunks [g * n / G, (g + 1) * n / G).
void PairPool::RunGroup(uint32_t group, uint32_t slot) const {
  const uint32_t begin = static_cast<uint32_t>(uint64_t{group} * chunkCount_ / groupCount_);
  const uint32_t end = static_cast<uint32_t>(uint64_t{group + 1} * chunkCount_ / groupCount_);
  for (uint32_t chunk = begin; chunk < end; ++chunk) trampoline_(task_, chunk, slot);
}

void PairPool::RunJob(uint32_t chunkCount, Trampoline trampoline, void* task) {
  if (chunkCount == 0) return;
  if (helpers_.empty() || running_ || chunkCount == 1) {
    for (uint32_t chunk = 0; chunk < chunkCount; ++chunk) trampoline(task, chunk, 0);
    return;
  }
  running_ = true;
  trampoline_ = trampoline;
  task_ = task;
  chunkCount_ = chunkCount;
  groupCount_ = Threads();
  const uint64_t previous = job_.load(std::memory_order_relaxed);
  const uint64_t job = previous + 1;
  // A helper sitting out has its group claimed before the job is out, so it
  // cannot take it.
  bool anyOut = false;
  for (uint32_t slot = 1; slot < Threads(); ++slot) anyOut = anyOut || lateness_[slot].out;
  const auto now =
      anyOut ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
  bool anyHelper = false;
  for (uint32_t slot = 1; slot < Threads(); ++slot) {
    Lateness& late = lateness_[slot];
    taken_[slot] = false;
    if (late.out && now < late.outUntil) {
      uint64_t expected = previous;
      taken_[slot] = slots_[slot].claimed.compare_exchange_strong(expected, job);
    } else {
      late.out = false;
    }
    anyHelper = anyHelper || !taken_[slot];
  }
  job_.store(job);
  // A helper woken now starts late through no fault of its own.
  const bool woke = anyHelper && sleepers_.load() != 0;
  if (woke) {
    wake_.fetch_add(1);
    wake_.notify_all();
  }
  const auto started = std::chrono::steady_clock::now();
  RunGroup(0, 0);
  for (uint32_t slot = 1; slot < Threads(); ++slot) {
    uint64_t expected = previous;
    if (taken_[slot] || slots_[slot].claimed.compare_exchange_strong(expected, job)) {
      RunGroup(slot, 0);  // its helper has not started: do the group here
      continue;
    }
    WaitForGroup(slot, job, woke ? std::nullopt : std::optional(started));
  }
  running_ = false;
}

// A helper that keeps the caller waiting long, and longer than the caller
// took for its own group, has lost its core to another process; it then
// sits out for a time that doubles while it stays late, so a busy machine
// costs about what one thread would.
void PairPool::WaitForGroup(uint32_t slot, uint64_t job,
                            std::optional<std::chrono::steady_clock::time_point> started) {
  const Slot& helper = slots_[slot];
  std::chrono::steady_clock::time_point since{}, now{};
  bool late = false;
  for (uint32_t spins = 0; helper.done.load(std::memory_order_acquire) != job; ++spins) {
    CpuRelax();
    if (spins % 64 != 63) continue;
    now = std::chrono::steady_clock::now();
    if (spins == 63) since = now;
    if (!late && now - since > kLateHelper) late = !started || now - since > since - *started;
    if (late) std::this_thread::yield();
  }
  Lateness& lateness = lateness_[slot];
  if (!late) {
    lateness.penalty = kFirstPenalty;
  } else if (started) {
    lateness.out = true;
    lateness.outUntil = now + lateness.penalty;
    if (lateness.penalty < kLongestPenalty) lateness.penalty *= 2;
  }
}

uint64_t PairPool::WaitForJob(uint64_t seen) {
  const auto spinUntil = std::chrono::steady_clock::now() + kSpinBeforeBlocking;
  for (uint32_t spins = 0;; ++spins) {
    if (stop_.load(std::memory_order_relaxed)) return 0;
    const uint64_t job = job_.load(std::memory_order_acquire);
    if (job != seen) return job;
    CpuRelax();
    if (spins % 64 == 63 && std::chrono::steady_clock::now() >= spinUntil) break;
  }
  // Announce the sleep before the last look at job_: a caller that bumps it
  // after that look sees the sleeper and bumps wake_.
  for (;;) {
    sleepers_.fetch_add(1);
    const uint32_t wake = wake_.load();
    const uint64_t job = job_.load();
    if (job != seen || stop_.load()) {
      sleepers_.fetch_sub(1);
      return stop_.load() ? 0 : job;
    }
    wake_.wait(wake);
    sleepers_.fetch_sub(1);
  }
}

void PairPool::HelperLoop(uint32_t slot) {
  Slot& mine = slots_[slot];
  uint64_t seen = 0;
  for (;;) {
    const uint64_t job = WaitForJob(seen);
    if (job == 0) return;
    seen = job;
    // The caller bumps job_ only once every group of the last job is done,
    // so a claim from the previous number can only be of this job.
    uint64_t expected = job - 1;
    if (!mine.claimed.compare_exchange_strong(expected, job, std::memory_order_acq_rel)) continue;
    RunGroup(slot, slot);
    mine.done.store(job, std::memory_order_release);
  }
}

}  // namespace tf::shaping
