// A movie's first sound track (or a sound file's), decoded and converted to the mix's format:
// 44,100 Hz, stereo, signed 16-bit. Samples are counted in movie time (sample n plays n/44100 s
// into the movie), and what Read hands out starts exactly at the sample asked for: decoded
// sound before it is dropped, a track that starts late or has a hole gives silence there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/media/ffmpeg_handles.h"
#include "platform/media/packet_reader.h"

namespace zd::platform::media {

class SoundTrack {
 public:
  // `origin`: the track's time (its own time base) at the movie's time 0.
  SoundTrack(PacketReader reader, CodecPtr decoder, int64_t origin);
  ~SoundTrack();
  SoundTrack(const SoundTrack&) = delete;
  SoundTrack& operator=(const SoundTrack&) = delete;

  // The next sample Read hands out is `sample`.
  void SeekTo(int64_t sample);
  int64_t Position() const { return cursor_; }

  // Up to `frames` stereo frames at `out`, from Position() on; returns how many. Fewer at the
  // end of the track, or when this call's share of decoding is spent (more next time).
  size_t Read(int16_t* out, size_t frames);
  // Nothing more to read: the track has ended and all of it has been handed out.
  bool Ended() const { return decoderEnded_ && PendingFrames() == 0; }

 private:
  size_t PendingFrames() const { return pending_.size() / 2 - pendingRead_; }
  int64_t SampleOf(int64_t pts) const;
  int64_t TrackTime(int64_t sample) const;
  // Decodes the next piece of sound into pending_ (empty before); false when nothing came.
  bool DecodeMore(int& packetBudget);
  void Convert(const AVFrame& frame);
  bool Configure(const AVFrame& frame);
  void TakeResamplerOutput(const uint8_t* const* input, int inputFrames);
  void ForgetResampler();

  PacketReader reader_;
  CodecPtr decoder_;
  AVRational timeBase_;
  int64_t origin_;
  PacketPtr packet_;
  FramePtr frame_;
  bool inputEnded_ = false;
  bool decoderEnded_ = false;

  // The resampler, and the input it was set up for.
  ResamplerPtr resampler_;
  int inRate_ = 0;
  int inFormat_ = -1;
  AVChannelLayout inLayout_{};
  std::optional<int64_t> outPosition_;  // the sample its next output is; unknown after a seek

  std::vector<int16_t> pending_;  // converted sound not handed out yet, from pendingStart_
  int64_t pendingStart_ = 0;
  size_t pendingRead_ = 0;        // frames of it handed out or skipped
  int64_t cursor_ = 0;
};

}  // namespace zd::platform::media
