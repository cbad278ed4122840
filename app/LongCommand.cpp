#include "app/LongCommand.h"

#include <memory>

#include "app/Application.h"

namespace tf {

void LongCommandThreads::JoinAll() {
  for (std::thread& thread : abandoned_) thread.join();
  abandoned_.clear();
}

bool RunLongCommand(Application& app, std::u16string_view name, bool cancellable,
                    std::function<void(const std::atomic<bool>& cancel)> work,
                    const std::function<void()>& apply) {
  struct Job {
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
  };
  app.longCommands.JoinAll();
  const auto job = std::make_shared<Job>();
  std::thread thread([job, work = std::move(work)] {
    work(job->cancel);
    job->done.store(true, std::memory_order_release);
  });
  app.state.longCommandRunning = true;
  app.desktop.SetWaitCursor(true);
  const bool ended = app.desktop.WaitForLongCommand(
      name, cancellable, [&job] { return job->done.load(std::memory_order_acquire); });
  app.state.longCommandRunning = false;
  if (ended) {
    thread.join();
    if (apply) apply();
  } else {
    job->cancel.store(true);
    app.longCommands.Keep(std::move(thread));
  }
  app.desktop.SetWaitCursor(false);
  return ended;
}

}  // namespace tf
