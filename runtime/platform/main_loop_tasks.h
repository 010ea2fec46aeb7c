// Work handed to the main loop from other threads (decoders, later): everything the runtime
// does happens on the main loop's thread, so another thread posts a function and wakes the
// loop, which runs it at its next turn, before any message.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

namespace zd::platform {

class MainLoopTasks {
 public:
  // `nudge` wakes a main loop that sleeps in Platform::WaitEvent; it must be safe to call from
  // any thread. Headless runs need none: their loop looks before it lets time pass.
  explicit MainLoopTasks(std::function<void()> nudge = {}) : nudge_(std::move(nudge)) {}
  MainLoopTasks(const MainLoopTasks&) = delete;
  MainLoopTasks& operator=(const MainLoopTasks&) = delete;

  // Any thread: runs `work` on the main loop's thread at its next turn.
  void Post(std::function<void()> work);
  // Any thread: makes the main loop take a turn (a frame is ready, say) without work to run.
  void Wake();

  // The main loop's thread:
  bool HasPending() const;
  // Runs what was posted so far, in order; work posted meanwhile waits for the next turn.
  void RunPending();

 private:
  std::function<void()> nudge_;
  mutable std::mutex mutex_;
  std::vector<std::function<void()>> work_;
  bool woken_ = false;
};

}  // namespace zd::platform
