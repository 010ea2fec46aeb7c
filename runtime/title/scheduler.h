// The page clock, the timed-event queue and the 10-millisecond scheduler tick: everything that
// happens on a page by time rather than by the user.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zd {

class Runtime;

constexpr int kEventPoolSize = 50;

// Kinds of timed events.
namespace timed_event {
constexpr int START_TITLE = 1, TIMEOUT_FOR_REAL = 2, SHOW_TIMED = 3, HIDE_TIMED = 4,
              PAGE_TIME_OUT = 5, HIDE_AFTER_DELAY = 6, MOVIE_ENDED = 7;
}

class Scheduler {
 public:
  explicit Scheduler(Runtime& runtime) : runtime_(runtime) {}

  // The page clock: milliseconds that stand still while paused. Pauses nest.
  uint32_t PageClock() const;
  void PauseClock();
  void ResumeClock();
  bool clockPaused() const { return pauses_ > 0; }

  // The queue of timed events, in order of queuing.
  void ClearEventPool();
  bool QueueEvent(int kind, int object, uint32_t delayHundredths);
  void CancelEvents(int kind, int object);
  void ClearEvents();
  int queuedCount() const { return static_cast<int>(order_.size()); }

  void Tick();  // every 10 ms on the main loop
  bool IsIdle() const { return !tickRunning_; }

  void StartPageTimers();
  void PageDisplayed();
  uint32_t pageStartTime() const { return pageStartTime_; }

 private:
  struct Entry {
    bool inUse = false;
    int kind = 0;
    uint32_t due = 0;
    int object = -1;
  };

  void Handle(const Entry& entry);
  void TimedShowOrHide(int kind, int object);
  void PageTimeOut();
  void FireFinishingEvent();

  Runtime& runtime_;
  int pauses_ = 0;
  uint32_t pausedAt_ = 0;
  uint32_t correction_ = 0;
  std::array<Entry, kEventPoolSize> pool_{};
  std::vector<int> order_;  // pool indices, in order of queuing
  bool tickRunning_ = false;
  uint32_t pageStartTime_ = 0;
};

}  // namespace zd
