#include "platform/media/sound_feed.h"

#include <algorithm>
#include <cstdlib>

#include "platform/media/media_time.h"

namespace zd::platform::media {
namespace {

constexpr int64_t kAheadFrames = kMixRate * 275 / 1000;
// More than the sound device's own buffer (1024 frames) and less than anyone hears as out of
// step with the picture.
constexpr int64_t kDriftFrames = kMixRate * 80 / 1000;
constexpr size_t kChunkFrames = 4096;
// Trips round a loop in one Feed: a range of a few samples cannot keep the loop busy forever.
constexpr int kMaxPiecesPerFeed = 32;

}  // namespace

SoundFeed::SoundFeed(AudioOutput& audio, std::unique_ptr<SoundTrack> track)
    : audio_(audio), track_(std::move(track)), buffer_(kChunkFrames * 2) {}

SoundFeed::~SoundFeed() {
  if (stream_) audio_.CloseStream(stream_);
}

int64_t SoundFeed::SampleAt(const MediaClock& clock, int64_t time) {
  return MulDivFloor(time, kMixRate, clock.TimeScale());
}

SoundFeed::Range SoundFeed::RangeOf(const MediaClock& clock) {
  return Range{SampleAt(clock, clock.RangeStart()), SampleAt(clock, clock.RangeEnd()),
               clock.Looping()};
}

void SoundFeed::SetEnabled(bool enabled, const MediaClock& clock, uint32_t nowMs) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled) {
    if (stream_) audio_.CloseStream(stream_);
    stream_ = 0;
  } else if (clock.Playing()) {
    Play(clock, nowMs);
  }
}

void SoundFeed::Play(const MediaClock& clock, uint32_t nowMs) {
  if (!enabled_) return;
  if (!stream_) {
    stream_ = audio_.OpenStream({kMixRate, 2, SampleFormat::Int16});
    if (!stream_) return;  // too many streams: this one plays silent
    Restart(clock, nowMs);
    return;
  }
  audio_.Pause(stream_, false);
  Feed(clock, nowMs);
}

void SoundFeed::Stop() {
  if (stream_) audio_.Pause(stream_, true);
}

void SoundFeed::Restart(const MediaClock& clock, uint32_t nowMs) {
  if (!stream_) return;
  audio_.Clear(stream_);
  fedTo_ = SampleAt(clock, clock.Time(nowMs));
  loopsFed_ = 0;
  track_->SeekTo(fedTo_);
  Feed(clock, nowMs);
}

int64_t SoundFeed::HeardPosition(const Range& range, size_t queued) const {
  // Counted along the samples as they were queued, going round the loop loopsFed_ times.
  const int64_t length = range.Length();
  const int64_t unrolled = fedTo_ + (length > 0 ? loopsFed_ * length : 0) - int64_t(queued);
  if (loopsFed_ == 0 || length <= 0 || unrolled < range.end) return unrolled;
  return range.start + (unrolled - range.end) % length;
}

void SoundFeed::Feed(const MediaClock& clock, uint32_t nowMs) {
  if (!stream_) return;
  const Range range = RangeOf(clock);
  const size_t queued = audio_.QueuedFrames(stream_);
  const bool silentForGood = !range.looping && queued == 0 && track_->Ended();
  if (!silentForGood) {
    int64_t drift = HeardPosition(range, queued) - SampleAt(clock, clock.Time(nowMs));
    if (range.looping && range.Length() > 0) {
      drift %= range.Length();
      if (drift > range.Length() / 2) drift -= range.Length();
      if (drift < -range.Length() / 2) drift += range.Length();
    }
    if (std::llabs(drift) > kDriftFrames) {
      Restart(clock, nowMs);
      return;
    }
  }

  int64_t wanted = kAheadFrames - int64_t(queued);
  for (int piece = 0; wanted > 0 && piece < kMaxPiecesPerFeed; ++piece) {
    if (fedTo_ >= range.end) {
      if (!range.looping || range.Length() <= 0) break;
      track_->SeekTo(range.start);
      fedTo_ = range.start;
      ++loopsFed_;
      continue;
    }
    const size_t asked = size_t(std::min<int64_t>({wanted, range.end - fedTo_,
                                                   int64_t(kChunkFrames)}));
    size_t got = track_->Read(buffer_.data(), asked);
    if (got == 0) {
      if (!track_->Ended() || !range.looping) break;
      // A sound track shorter than a looping range: silence keeps the loop's time.
      std::fill_n(buffer_.begin(), asked * 2, int16_t(0));
      got = asked;
    }
    audio_.Queue(stream_, buffer_.data(), got * 4);
    fedTo_ += int64_t(got);
    wanted -= int64_t(got);
  }
}

}  // namespace zd::platform::media
