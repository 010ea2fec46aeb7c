// The streams of an AudioOutput and their mix: each stream's samples are converted to stereo
// floats on arrival and resampled to the mix rate (linear interpolation) as they are played.
// Thread-safe: the sound device's thread mixes while the main thread feeds.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

#include "platform/audio/audio_output.h"

namespace zd::platform {

class AudioMixer {
 public:
  static constexpr int kMaxStreams = 32;

  AudioStreamId Open(const AudioStreamParams& params, AudioPull pull);
  bool Queue(AudioStreamId stream, const void* samples, size_t bytes);
  size_t QueuedFrames(AudioStreamId stream) const;
  uint64_t PlayedFrames(AudioStreamId stream) const;
  void Pause(AudioStreamId stream, bool paused);
  void Clear(AudioStreamId stream);
  void Close(AudioStreamId stream);
  void CloseAll();

  // True when some stream may sound (open, not paused); silence can be skipped otherwise.
  bool Sounding() const;
  // Writes `frames` stereo frames (interleaved floats, -1 .. 1) of the mix at `out`.
  void Mix(float* out, size_t frames);

 private:
  struct Stream {
    AudioStreamParams params;
    AudioPull pull;
    std::deque<float> input;  // stereo frames at the stream's rate, not yet played
    uint64_t position = 0;    // into `input`, in frames, 32.32 fixed point
    uint64_t step = 0;        // input frames per output frame, 32.32
    uint64_t played = 0;
    bool paused = false;
  };

  size_t InputFrames(const Stream& s) const { return s.input.size() / 2; }
  void Append(Stream& s, const void* samples, size_t frames);
  bool Refill(Stream& s, size_t wanted);
  void MixStream(Stream& s, float* out, size_t frames);

  mutable std::mutex mutex_;
  std::map<AudioStreamId, Stream> streams_;
  AudioStreamId nextId_ = 1;
};

}  // namespace zd::platform
