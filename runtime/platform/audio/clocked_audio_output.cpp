#include "platform/audio/clocked_audio_output.h"

#include <algorithm>
#include <vector>

#include "base/cp1253.h"

namespace zd::platform {
namespace {

constexpr size_t kChunkFrames = 4096;

}  // namespace

ClockedAudioOutput::ClockedAudioOutput(std::function<uint64_t()> elapsedMs,
                                       std::unique_ptr<WavWriter> recording, const Trace* trace)
    : elapsedMs_(std::move(elapsedMs)), recording_(std::move(recording)), trace_(trace) {}

void ClockedAudioOutput::CatchUp() {
  if (finished_) return;
  const uint64_t target = elapsedMs_() * kMixRate / 1000;
  std::vector<float> chunk;
  while (played_ < target) {
    const size_t n = size_t(std::min<uint64_t>(target - played_, kChunkFrames));
    if (mixer_.Sounding()) {
      chunk.resize(n * 2);
      mixer_.Mix(chunk.data(), n);
      if (recording_) recording_->WriteFrames(chunk.data(), n);
      played_ += n;
    } else {
      // Nothing sounds until the clock's time (nothing can start meanwhile): silence at once.
      if (recording_) recording_->WriteSilence(target - played_);
      played_ = target;
    }
  }
}

AudioStreamId ClockedAudioOutput::OpenStream(const AudioStreamParams& params, AudioPull pull) {
  CatchUp();
  return finished_ ? 0 : mixer_.Open(params, std::move(pull));
}

bool ClockedAudioOutput::Queue(AudioStreamId stream, const void* samples, size_t bytes) {
  CatchUp();
  return mixer_.Queue(stream, samples, bytes);
}

size_t ClockedAudioOutput::QueuedFrames(AudioStreamId stream) {
  CatchUp();
  return mixer_.QueuedFrames(stream);
}

uint64_t ClockedAudioOutput::PlayedFrames(AudioStreamId stream) {
  CatchUp();
  return mixer_.PlayedFrames(stream);
}

void ClockedAudioOutput::Pause(AudioStreamId stream, bool paused) {
  CatchUp();
  mixer_.Pause(stream, paused);
}

void ClockedAudioOutput::Clear(AudioStreamId stream) {
  CatchUp();
  mixer_.Clear(stream);
}

void ClockedAudioOutput::CloseStream(AudioStreamId stream) {
  CatchUp();
  mixer_.Close(stream);
}

bool ClockedAudioOutput::Finish(std::string& error) {
  if (finished_) return true;
  CatchUp();
  finished_ = true;
  mixer_.CloseAll();
  if (!recording_) return true;
  if (!recording_->Commit(error)) return false;
  if (trace_) trace_->Line(TraceCategory::File, "file written " + Utf8ToCp1253(recording_->path()));
  return true;
}

std::unique_ptr<ClockedAudioOutput> MakeRecordingAudioOutput(std::function<uint64_t()> elapsedMs,
                                                             const std::string& wavPath,
                                                             const Trace* trace,
                                                             std::string& error) {
  std::unique_ptr<WavWriter> recording;
  if (!wavPath.empty()) {
    recording = std::make_unique<WavWriter>();
    if (!recording->Open(wavPath, error)) return nullptr;
  }
  return std::make_unique<ClockedAudioOutput>(std::move(elapsedMs), std::move(recording), trace);
}

}  // namespace zd::platform
