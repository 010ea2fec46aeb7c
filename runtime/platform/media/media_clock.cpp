#include "platform/media/media_clock.h"

#include <algorithm>

#include "platform/media/media_time.h"

namespace zd::platform::media {

MediaClock::MediaClock(uint32_t timeScale, int64_t duration)
    : timeScale_(timeScale ? timeScale : 1000),
      duration_(ClampUnits(duration)),
      rangeEnd_(duration_) {}

void MediaClock::NoteTick(uint32_t nowMs) { lastTick_ = nowMs; }

void MediaClock::Rebase(uint32_t nowMs) {
  startUnits_ = Time(nowMs);
  startTick_ = nowMs;
  lastTick_ = nowMs;
}

void MediaClock::SetTimeBase(uint32_t timeScale, int64_t duration) {
  if (timeScale == 0) return;
  Rebase(lastTick_);
  startUnits_ = MulDivFloor(startUnits_, timeScale, timeScale_);
  timeScale_ = timeScale;
  duration_ = ClampUnits(duration);
  rangeStart_ = 0;
  rangeEnd_ = duration_;
  startUnits_ = std::min(startUnits_, duration_);
}

void MediaClock::SetPlayRange(int64_t start, int64_t end) {
  Rebase(lastTick_);
  rangeStart_ = std::clamp<int64_t>(start, 0, duration_);
  rangeEnd_ = std::clamp<int64_t>(end, rangeStart_, duration_);
  startUnits_ = std::clamp(startUnits_, rangeStart_, rangeEnd_);
}

void MediaClock::SetLooping(bool looping) {
  Rebase(lastTick_);
  looping_ = looping;
}

bool MediaClock::Play(uint32_t nowMs) {
  lastTick_ = nowMs;
  if (playing_ || AtEnd(nowMs)) return false;
  startTick_ = nowMs;
  playing_ = true;
  return true;
}

bool MediaClock::Stop(uint32_t nowMs) {
  if (!playing_) {
    lastTick_ = nowMs;
    return false;
  }
  Rebase(nowMs);
  playing_ = false;
  return true;
}

void MediaClock::Seek(int64_t time, uint32_t nowMs) {
  startUnits_ = std::clamp<int64_t>(time, 0, duration_);
  startTick_ = nowMs;
  lastTick_ = nowMs;
}

int64_t MediaClock::Time(uint32_t nowMs) const {
  if (!playing_) return startUnits_;
  // Placed at or past the end of a range that does not loop: it stands there.
  if (!looping_ && startUnits_ >= rangeEnd_) return startUnits_;
  // Tick counts wrap after 49 days: a difference over half of that is a tick before the start.
  const uint32_t elapsed = nowMs - startTick_;
  const int64_t ms = elapsed > 0x7FFFFFFFu ? 0 : int64_t(elapsed);
  const int64_t t = SaturateToInt64(Wide(startUnits_) + FloorDiv(Wide(ms) * timeScale_, 1000));
  if (t < rangeEnd_) return t;
  if (!looping_) return rangeEnd_;
  const int64_t length = rangeEnd_ - rangeStart_;
  if (length <= 0) return rangeStart_;
  return rangeStart_ + (t - rangeEnd_) % length;
}

bool MediaClock::AtEnd(uint32_t nowMs) const { return !looping_ && Time(nowMs) >= rangeEnd_; }

}  // namespace zd::platform::media
