// An AudioOutput played on a clock instead of a sound device: before anything changes, the
// mix is played up to the clock's time. Headless runs use their virtual clock (sample n plays
// n/44100 s after the run's start) and may keep the mix as a WAV file; a window without a
// sound device uses the real clock so that streams still drain at the pace they would play.
#pragma once

#include <functional>
#include <memory>

#include "base/trace.h"
#include "platform/audio/audio_mixer.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/wav_writer.h"

namespace zd::platform {

class ClockedAudioOutput final : public AudioOutput {
 public:
  // `elapsedMs`: milliseconds since the run started. `recording` (may be null) keeps the mix;
  // `trace` (may be null) hears of its file when it is written.
  ClockedAudioOutput(std::function<uint64_t()> elapsedMs, std::unique_ptr<WavWriter> recording,
                     const Trace* trace);

  // Plays the mix up to the clock's time. The backend calls it whenever its clock moves, so
  // that pulled streams are asked for their samples at the time they play.
  void CatchUp();

  AudioStreamId OpenStream(const AudioStreamParams& params, AudioPull pull) override;
  bool Queue(AudioStreamId stream, const void* samples, size_t bytes) override;
  size_t QueuedFrames(AudioStreamId stream) override;
  uint64_t PlayedFrames(AudioStreamId stream) override;
  void Pause(AudioStreamId stream, bool paused) override;
  void Clear(AudioStreamId stream) override;
  void CloseStream(AudioStreamId stream) override;
  bool Finish(std::string& error) override;

 private:
  std::function<uint64_t()> elapsedMs_;
  std::unique_ptr<WavWriter> recording_;
  const Trace* trace_;
  AudioMixer mixer_;
  uint64_t played_ = 0;  // mix frames played so far
  bool finished_ = false;
};

// The headless output; with `wavPath` it records. nullptr with `error` set when the file
// cannot be made.
std::unique_ptr<ClockedAudioOutput> MakeRecordingAudioOutput(std::function<uint64_t()> elapsedMs,
                                                             const std::string& wavPath,
                                                             const Trace* trace,
                                                             std::string& error);

}  // namespace zd::platform
