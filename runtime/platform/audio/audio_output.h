// Sound going out: the streams movies and sound clips feed (their decoded sound tracks), mixed
// into one 44,100 Hz stereo output. The windowed player plays it on the sound device; a
// headless run places it on its virtual clock and can keep it as a WAV file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace zd::platform {

// The mix every stream is converted to.
constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

enum class SampleFormat {
  Int16,    // signed 16-bit, native byte order
  Float32,  // -1.0 .. 1.0
};

// Interleaved samples of one stream. Rates from 1,000 to 384,000 Hz and 1 to 8 channels are
// taken (more than two are folded into left and right).
struct AudioStreamParams {
  int sampleRate = kMixRate;
  int channels = kMixChannels;
  SampleFormat format = SampleFormat::Int16;
};

// A stream that is asked for its samples when the mix needs them: fills up to `frames` frames
// at `out` in the stream's format and returns how many it wrote (fewer: nothing more for now).
// It is called with the output locked, on the sound device's thread in a window and on the
// main thread headless (at the virtual time the samples play); it must not call back into the
// AudioOutput.
using AudioPull = std::function<size_t(void* out, size_t frames)>;

using AudioStreamId = int;  // 0: no stream

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // A new stream, playing at once (silent until samples come); 0 when its rate or channels
  // are refused or too many streams are open.
  virtual AudioStreamId OpenStream(const AudioStreamParams& params, AudioPull pull = {}) = 0;
  // Adds whole frames to play after what is queued; false (nothing added) for a partial frame,
  // an unknown stream or more than a minute of sound waiting.
  virtual bool Queue(AudioStreamId stream, const void* samples, size_t bytes) = 0;
  // Frames queued and not played yet, and frames played since the stream opened, both at
  // the stream's own rate (the sound track's clock for keeping pictures in step).
  virtual size_t QueuedFrames(AudioStreamId stream) = 0;
  virtual uint64_t PlayedFrames(AudioStreamId stream) = 0;
  virtual void Pause(AudioStreamId stream, bool paused) = 0;
  virtual void Clear(AudioStreamId stream) = 0;  // drops what is queued (a seek)
  virtual void CloseStream(AudioStreamId stream) = 0;

  // The end of the run: every stream stops; a headless recording (--audio-out) is written.
  // False with `error` set when that file cannot be written.
  virtual bool Finish(std::string& error) = 0;
};

}  // namespace zd::platform
