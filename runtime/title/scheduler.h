// The page clock, the timed-event queue and the 10-millisecond scheduler tick.
#pragma once

namespace zd {

class Runtime;

class Scheduler {
 public:
  explicit Scheduler(Runtime& runtime) : runtime_(runtime) {}

  void ClearEventPool();
  void Tick();                           // every 10 ms on the main loop
  bool IsIdle() const { return !tickRunning_; }
  void PauseClock();                     // pauses nest
  void ResumeClock();
  void QueueEvent(int kind, int object, int delayHundredths);

 private:
  Runtime& runtime_;
  bool tickRunning_ = false;
};

}  // namespace zd
