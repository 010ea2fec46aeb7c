// Drives a started title's page clock by hand: the virtual clock is moved to a moment of the
// page's time and one scheduler tick runs there, as the 10 ms timer would run it.
#pragma once

#include "platform/events.h"
#include "runtime.h"
#include "support/played_title.h"

namespace zd::test {

// A title whose clock only moves when the test moves it (the event script just waits).
inline RuntimeOptions HandDrivenClock() { return {.events = "wait 2000000000\n"}; }

// Moves the clock to `ms` milliseconds after the current page started, runs one tick there
// and paints what it changed.
inline void TickAt(PlayedTitle& t, uint32_t ms) {
  Runtime& r = t.runtime();
  const uint32_t target = r.scheduler.pageStartTime() + ms;
  const uint32_t now = r.scheduler.PageClock();
  platform::Event ignored;
  if (target != now) r.platform.WaitEvent(ignored, r.platform.TickCount() + (target - now));
  r.scheduler.Tick();
  t.Paint();
}

}  // namespace zd::test
