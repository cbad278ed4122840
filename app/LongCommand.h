#pragma once
// Commands that may take longer than a frame (charges, perception, adding
// hydrogens, reading and writing files) run on a helper thread. The window
// thread waits in the desktop's WaitForLongCommand: it keeps repainting,
// input is held back, and after a moment a progress dialog names the
// command. The work sees only what it owns (a copy of the molecule) and the
// read-only tables; the window thread applies its result afterwards, so a
// cancelled command leaves the document as it was.

#include <atomic>
#include <functional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace tf {

struct Application;

// Work that was cancelled and may still be finishing. The next long
// command's helper thread joins it before it starts its own work, so two
// commands never run at once and the window never waits for a cancelled
// one; what is left is joined when the application ends.
class LongCommandThreads {
 public:
  LongCommandThreads() = default;
  LongCommandThreads(const LongCommandThreads&) = delete;
  LongCommandThreads& operator=(const LongCommandThreads&) = delete;
  ~LongCommandThreads() {
    for (std::thread& thread : abandoned_) thread.join();
  }
  void Keep(std::thread thread) { abandoned_.push_back(std::move(thread)); }
  std::vector<std::thread> Take() { return std::exchange(abandoned_, {}); }

 private:
  std::vector<std::thread> abandoned_;
};

// Runs work(cancel) on a helper thread, with the wait cursor, until it ends
// or the user cancels (only when `cancellable`). When it ended, `apply`
// takes its result over on the window thread, the wait cursor still on, and
// the call returns true. When cancelled it returns false: `cancel` is then
// set for the work, which should stop soon, and nothing it made may be used.
bool RunLongCommand(Application& app, std::u16string_view name, bool cancellable,
                    std::function<void(const std::atomic<bool>& cancel)> work,
                    const std::function<void()>& apply = {});

}  // namespace tf
