#include "app/LongCommand.h"

#include <memory>
#include <system_error>

#include "app/Application.h"

namespace tf {

bool RunLongCommand(Application& app, std::u16string_view name, bool cancellable,
                    std::function<void(const std::atomic<bool>& cancel)> work,
                    const std::function<void()>& apply) {
  struct Job {
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
  };
  const auto job = std::make_shared<Job>();
  auto run = [job, work = std::move(work), earlier = app.longCommands.Take()]() mutable {
    for (std::thread& cancelled : earlier) cancelled.join();
    work(job->cancel);
    job->done.store(true, std::memory_order_release);
  };
  // Shared, so that it is still whole when no thread can be had; the window
  // then waits for the work itself.
  const auto shared = std::make_shared<decltype(run)>(std::move(run));
  std::thread thread;
  try {
    thread = std::thread([shared] { (*shared)(); });
  } catch (const std::system_error&) {
    (*shared)();
  }
  app.state.longCommandRunning = true;
  app.desktop.SetWaitCursor(true);
  const bool ended = app.desktop.WaitForLongCommand(
      name, cancellable, [&job] { return job->done.load(std::memory_order_acquire); });
  app.state.longCommandRunning = false;
  if (ended) {
    if (thread.joinable()) thread.join();
    if (apply) apply();
  } else {
    job->cancel.store(true);
    app.longCommands.Keep(std::move(thread));
  }
  app.desktop.SetWaitCursor(false);
  return ended;
}

}  // namespace tf
