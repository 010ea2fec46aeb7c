#include "platform/main_loop_tasks.h"

namespace zd::platform {

void MainLoopTasks::Post(std::function<void()> work) {
  if (!work) return;
  {
    std::lock_guard lock(mutex_);
    work_.push_back(std::move(work));
  }
  if (nudge_) nudge_();
}

void MainLoopTasks::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  if (nudge_) nudge_();
}

bool MainLoopTasks::HasPending() const {
  std::lock_guard lock(mutex_);
  return woken_ || !work_.empty();
}

void MainLoopTasks::RunPending() {
  std::vector<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(work_);
    woken_ = false;
  }
  for (auto& work : batch) work();
}

}  // namespace zd::platform
