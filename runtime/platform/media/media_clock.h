// A movie's clock: where it stands in the movie's own units, whether it runs, and the part of
// the movie it plays (stopping at the end or going round). Time is worked out from the tick
// count at which it last started or was placed, never added up step by step, so that the
// position at a tick count is the same however often it is asked.
#pragma once

#include <cstdint>

namespace zd::platform::media {

class MediaClock {
 public:
  MediaClock(uint32_t timeScale, int64_t duration);

  uint32_t TimeScale() const { return timeScale_; }
  int64_t Duration() const { return duration_; }
  int64_t RangeStart() const { return rangeStart_; }
  int64_t RangeEnd() const { return rangeEnd_; }
  bool Looping() const { return looping_; }
  bool Playing() const { return playing_; }

  // Changes that come without a tick count take effect from the last one passed in.
  void NoteTick(uint32_t nowMs);
  // Counts in `timeScale` units (0 is ignored); the position is kept in seconds, the range
  // becomes the whole length.
  void SetTimeBase(uint32_t timeScale, int64_t duration);
  // Clamps both ends into [0, duration]; a position outside the range moves to its nearer end.
  void SetPlayRange(int64_t start, int64_t end);
  void SetLooping(bool looping);

  // False when nothing changed: already playing, or standing at the end of a range that does
  // not loop.
  bool Play(uint32_t nowMs);
  bool Stop(uint32_t nowMs);
  void Seek(int64_t time, uint32_t nowMs);

  int64_t Time(uint32_t nowMs) const;
  bool AtEnd(uint32_t nowMs) const;

 private:
  void Rebase(uint32_t nowMs);

  uint32_t timeScale_;
  int64_t duration_;
  int64_t rangeStart_ = 0, rangeEnd_;
  bool looping_ = false;
  bool playing_ = false;
  int64_t startUnits_ = 0;  // the position at startTick_
  uint32_t startTick_ = 0;
  uint32_t lastTick_ = 0;
};

}  // namespace zd::platform::media
