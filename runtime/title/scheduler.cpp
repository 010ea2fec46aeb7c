#include "title/scheduler.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

void Scheduler::ClearEventPool() { TraceSeam(runtime_.trace, "scheduler.clear-event-pool"); }
void Scheduler::Tick() {}
void Scheduler::PauseClock() { TraceSeam(runtime_.trace, "scheduler.pause-clock"); }
void Scheduler::ResumeClock() { TraceSeam(runtime_.trace, "scheduler.resume-clock"); }
void Scheduler::QueueEvent(int kind, int object, int delayHundredths) {
  TraceSeam(runtime_.trace, "scheduler.queue-event kind " + std::to_string(kind) + " object " +
                                std::to_string(object) + " delay " +
                                std::to_string(delayHundredths));
}

}  // namespace zd
