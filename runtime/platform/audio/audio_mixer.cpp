#include "platform/audio/audio_mixer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace zd::platform {
namespace {

constexpr int kMinRate = 1000, kMaxRate = 384000, kMaxChannels = 8;
constexpr size_t kMaxQueuedSeconds = 60;
constexpr size_t kPullChunk = 1024;  // frames asked of a pulled stream at a time

size_t BytesPerSample(SampleFormat format) { return format == SampleFormat::Int16 ? 2 : 4; }

float SampleAt(const uint8_t* frame, int channel, SampleFormat format) {
  if (format == SampleFormat::Int16) {
    int16_t v;
    std::memcpy(&v, frame + channel * 2, 2);
    return float(v) / 32768.0f;
  }
  float v;
  std::memcpy(&v, frame + channel * 4, 4);
  return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;  // decoders can misbehave
}

}  // namespace

AudioStreamId AudioMixer::Open(const AudioStreamParams& params, AudioPull pull) {
  if (params.sampleRate < kMinRate || params.sampleRate > kMaxRate || params.channels < 1 ||
      params.channels > kMaxChannels) {
    return 0;
  }
  std::lock_guard lock(mutex_);
  if (streams_.size() >= kMaxStreams) return 0;
  // Ids are not reused while a stream holds one, even after the count wraps.
  AudioStreamId id = nextId_;
  while (streams_.count(id)) id = id == INT_MAX ? 1 : id + 1;
  nextId_ = id == INT_MAX ? 1 : id + 1;
  Stream& s = streams_[id];
  s.params = params;
  s.pull = std::move(pull);
  s.step = (uint64_t(params.sampleRate) << 32) / kMixRate;
  return id;
}

void AudioMixer::Append(Stream& s, const void* samples, size_t frames) {
  const auto* bytes = static_cast<const uint8_t*>(samples);
  const int channels = s.params.channels;
  const size_t frameBytes = BytesPerSample(s.params.format) * size_t(channels);
  for (size_t f = 0; f < frames; ++f, bytes += frameBytes) {
    float left = 0, right = 0;
    if (channels == 1) {
      left = right = SampleAt(bytes, 0, s.params.format);
    } else {
      // Even channels to the left, odd ones to the right (5.1 and the like, folded simply).
      int lefts = 0, rights = 0;
      for (int c = 0; c < channels; ++c) {
        const float v = SampleAt(bytes, c, s.params.format);
        if (c % 2 == 0) left += v, ++lefts;
        else right += v, ++rights;
      }
      left /= float(lefts);
      right /= float(rights);
    }
    s.input.push_back(left);
    s.input.push_back(right);
  }
}

bool AudioMixer::Queue(AudioStreamId stream, const void* samples, size_t bytes) {
  std::lock_guard lock(mutex_);
  auto it = streams_.find(stream);
  if (it == streams_.end() || (!samples && bytes)) return false;
  Stream& s = it->second;
  const size_t frameBytes = BytesPerSample(s.params.format) * size_t(s.params.channels);
  if (bytes % frameBytes != 0) return false;
  const size_t frames = bytes / frameBytes;
  if (InputFrames(s) + frames > kMaxQueuedSeconds * size_t(s.params.sampleRate)) return false;
  Append(s, samples, frames);
  return true;
}

size_t AudioMixer::QueuedFrames(AudioStreamId stream) const {
  std::lock_guard lock(mutex_);
  auto it = streams_.find(stream);
  if (it == streams_.end()) return 0;
  const size_t consumed = size_t(it->second.position >> 32);
  return InputFrames(it->second) - std::min(consumed, InputFrames(it->second));
}

uint64_t AudioMixer::PlayedFrames(AudioStreamId stream) const {
  std::lock_guard lock(mutex_);
  auto it = streams_.find(stream);
  return it == streams_.end() ? 0 : it->second.played;
}

void AudioMixer::Pause(AudioStreamId stream, bool paused) {
  std::lock_guard lock(mutex_);
  if (auto it = streams_.find(stream); it != streams_.end()) it->second.paused = paused;
}

void AudioMixer::Clear(AudioStreamId stream) {
  std::lock_guard lock(mutex_);
  if (auto it = streams_.find(stream); it != streams_.end()) {
    it->second.input.clear();
    it->second.position = 0;
  }
}

void AudioMixer::Close(AudioStreamId stream) {
  std::lock_guard lock(mutex_);
  streams_.erase(stream);
}

void AudioMixer::CloseAll() {
  std::lock_guard lock(mutex_);
  streams_.clear();
}

bool AudioMixer::Sounding() const {
  std::lock_guard lock(mutex_);
  for (const auto& [id, s] : streams_) {
    if (!s.paused && (s.pull || !s.input.empty())) return true;
  }
  return false;
}

bool AudioMixer::Refill(Stream& s, size_t wanted) {
  if (!s.pull) return false;
  const size_t frameBytes = BytesPerSample(s.params.format) * size_t(s.params.channels);
  std::vector<uint8_t> buffer(std::max(wanted, kPullChunk) * frameBytes);
  const size_t asked = buffer.size() / frameBytes;
  const size_t got = std::min(s.pull(buffer.data(), asked), asked);
  Append(s, buffer.data(), got);
  return got > 0;
}

void AudioMixer::MixStream(Stream& s, float* out, size_t frames) {
  for (size_t k = 0; k < frames; ++k) {
    size_t index = size_t(s.position >> 32);
    // The frame after this one is wanted too, to interpolate towards it.
    if (index + 1 >= InputFrames(s)) Refill(s, index + 2 - InputFrames(s));
    if (index >= InputFrames(s)) break;  // run dry: silence until more comes
    const float fraction = float(s.position & 0xFFFFFFFFu) / 4294967296.0f;
    const size_t next = index + 1 < InputFrames(s) ? index + 1 : index;
    for (int c = 0; c < 2; ++c) {
      const float a = s.input[index * 2 + c], b = s.input[next * 2 + c];
      out[k * 2 + c] += a + (b - a) * fraction;
    }
    s.position += s.step;
  }
  // Forget what has been played.
  const size_t consumed = std::min(size_t(s.position >> 32), InputFrames(s));
  s.input.erase(s.input.begin(), s.input.begin() + std::ptrdiff_t(consumed * 2));
  s.position -= uint64_t(consumed) << 32;
  s.played += consumed;
}

void AudioMixer::Mix(float* out, size_t frames) {
  std::fill(out, out + frames * 2, 0.0f);
  std::lock_guard lock(mutex_);
  for (auto& [id, s] : streams_) {
    if (!s.paused) MixStream(s, out, frames);
  }
  for (size_t i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace zd::platform
