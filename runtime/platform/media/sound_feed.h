// Keeps a player's sound stream fed: about a quarter of a second of its sound track queued
// ahead of the movie's time, going back to the start of the play range when it loops and
// stopping at its end when it does not. The stream opens the first time the movie plays with
// its sound on, so that players that never sound hold no stream. When what is heard has
// drifted from the movie's time (the stream ran dry, or a sound device keeps its own pace),
// the queue is dropped and filled again from the movie's time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/media/media_clock.h"
#include "platform/media/sound_track.h"

namespace zd::platform::media {

class SoundFeed {
 public:
  SoundFeed(AudioOutput& audio, std::unique_ptr<SoundTrack> track);
  ~SoundFeed();
  SoundFeed(const SoundFeed&) = delete;
  SoundFeed& operator=(const SoundFeed&) = delete;

  void SetEnabled(bool enabled, const MediaClock& clock, uint32_t nowMs);
  void Play(const MediaClock& clock, uint32_t nowMs);
  void Stop();
  // The movie's time, range or looping changed: what is queued is dropped and filled again.
  void Restart(const MediaClock& clock, uint32_t nowMs);
  // Tops the queue up to the movie's time at `nowMs` plus the time kept ahead.
  void Feed(const MediaClock& clock, uint32_t nowMs);

 private:
  struct Range {
    int64_t start, end;  // samples
    bool looping;
    int64_t Length() const { return end - start; }
  };
  static Range RangeOf(const MediaClock& clock);
  static int64_t SampleAt(const MediaClock& clock, int64_t time);
  // Where in the movie the first queued sample lies.
  int64_t HeardPosition(const Range& range, size_t queued) const;

  AudioOutput& audio_;
  std::unique_ptr<SoundTrack> track_;
  AudioStreamId stream_ = 0;
  bool enabled_ = true;
  int64_t fedTo_ = 0;     // the sample after the last one queued
  int64_t loopsFed_ = 0;  // times feeding went back to the range's start since Restart
  std::vector<int16_t> buffer_;
};

}  // namespace zd::platform::media
