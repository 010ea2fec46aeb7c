// The two units titles use for a movie's time. Positions and lengths read back are hundredths
// of a second; positions given (seeks, play ranges) are taken as ten units of the movie's own
// time scale each, which agrees with hundredths only for a time scale of 1000. Titles were
// tuned against exactly that, so both rules stay as they are.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/media/media_time.h"

namespace zd {

// `time` units of a `timeScale`-a-second clock in hundredths of a second, rounded down; 0 for
// a time scale of 0. Worked in 128 bits, and kept within what a script variable holds.
inline int32_t HundredthsOf(int64_t time, uint32_t timeScale) {
  if (timeScale == 0 || time <= 0) return 0;
  const int64_t hundredths = platform::media::MulDivFloor(time, 100, timeScale);
  return static_cast<int32_t>(std::min<int64_t>(hundredths, INT32_MAX));
}

// A position a script gives, in the movie's time units, within [0, duration].
inline int64_t MovieTimeOfPosition(int32_t position, int64_t duration) {
  return std::clamp<int64_t>(int64_t{position} * 10, 0, std::max<int64_t>(duration, 0));
}

}  // namespace zd
