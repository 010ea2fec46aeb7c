#include "platform/audio/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "base/little_endian.h"
#include "platform/audio/audio_output.h"

namespace zd::platform {
namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint32_t kFrameBytes = 4;  // two 16-bit samples
// The RIFF size field counts everything after its own 8 bytes in 32 bits.
constexpr uint64_t kMaxDataBytes = (0xFFFFFFFFull - (kHeaderBytes - 8)) / kFrameBytes * kFrameBytes;

std::string Header(uint32_t dataBytes) {
  std::string h = "RIFF";
  Put32(h, kHeaderBytes - 8 + dataBytes);
  h += "WAVEfmt ";
  Put32(h, 16);  // size of the format chunk
  Put16(h, 1);   // PCM
  Put16(h, kMixChannels);
  Put32(h, kMixRate);
  Put32(h, kMixRate * kFrameBytes);  // bytes per second
  Put16(h, kFrameBytes);             // bytes per frame
  Put16(h, 16);                      // bits per sample
  h += "data";
  Put32(h, dataBytes);
  return h;
}

}  // namespace

bool WavWriter::Open(const std::string& diskPath, std::string& error) {
  frames_ = 0;
  full_ = false;
  path_ = diskPath;
  if (!file_.Open(diskPath, error)) return false;
  file_.Write(Header(0));
  return true;
}

void WavWriter::Append(const std::string& bytes) {
  const uint64_t room = kMaxDataBytes - frames_ * kFrameBytes;
  if (bytes.size() > room) full_ = true;
  const size_t kept = size_t(std::min<uint64_t>(bytes.size(), room));
  if (kept && file_.Write(std::string_view(bytes.data(), kept))) frames_ += kept / kFrameBytes;
}

void WavWriter::WriteFrames(const float* stereo, size_t frames) {
  if (full_ || !file_.isOpen()) return;
  std::string bytes;
  bytes.reserve(frames * kFrameBytes);
  for (size_t i = 0; i < frames * 2; ++i) {
    const float v = std::clamp(stereo[i], -1.0f, 1.0f);
    Put16(bytes, uint16_t(int16_t(std::lround(v * 32767.0f))));
  }
  Append(bytes);
}

void WavWriter::WriteSilence(uint64_t frames) {
  const std::string block(16384, '\0');
  while (frames > 0 && !full_ && file_.isOpen()) {
    const uint64_t n = std::min<uint64_t>(frames, block.size() / kFrameBytes);
    Append(block.substr(0, size_t(n) * kFrameBytes));
    frames -= n;
  }
}

bool WavWriter::Commit(std::string& error) {
  if (!file_.isOpen()) {
    error = "no sound file open";
    return false;
  }
  file_.WriteAt(0, Header(uint32_t(frames_ * kFrameBytes)));
  return file_.Commit(error);
}

}  // namespace zd::platform
