#include "platform/media/sound_track.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/audio/audio_output.h"
#include "platform/media/media_source.h"
#include "platform/media/media_time.h"

namespace zd::platform::media {
namespace {

// Packets one Read may decode: a quarter second of sound is a few dozen in period files.
constexpr int kMaxPacketsPerRead = 256;
// Timestamps further than this from where the sound before them ended mark a hole or a jump;
// closer, they are the container's rounding and the sound runs on without a break.
constexpr int64_t kJumpFrames = kMixRate / 250;  // 4 ms
constexpr int kMaxChannels = 64;
// A piece of sound that would come out longer than this at the mix rate (a packet of a
// million samples, or a rate of a few per second) is dropped: silence plays in its place.
constexpr int kMaxOutputFrames = kMixRate * 10;

}  // namespace

SoundTrack::SoundTrack(PacketReader reader, CodecPtr decoder, int64_t origin)
    : reader_(std::move(reader)),
      decoder_(std::move(decoder)),
      timeBase_(reader_.Stream().time_base),
      origin_(origin),
      packet_(av_packet_alloc()),
      frame_(av_frame_alloc()) {
  if (timeBase_.num <= 0 || timeBase_.den <= 0) timeBase_ = AVRational{1, kMixRate};
  if (!packet_ || !frame_) decoderEnded_ = true;
}

SoundTrack::~SoundTrack() { av_channel_layout_uninit(&inLayout_); }

int64_t SoundTrack::SampleOf(int64_t pts) const {
  return SaturateToInt64(FloorDiv((Wide(pts) - origin_) * kMixRate * timeBase_.num * 2 +
                                      timeBase_.den,
                                  Wide(timeBase_.den) * 2));
}

int64_t SoundTrack::TrackTime(int64_t sample) const {
  return SaturateToInt64(Wide(origin_) + FloorDiv(Wide(sample) * timeBase_.den,
                                                  Wide(kMixRate) * timeBase_.num));
}

void SoundTrack::SeekTo(int64_t sample) {
  if (sample == cursor_) return;
  const int64_t pendingFirst = pendingStart_ + int64_t(pendingRead_);
  if (sample > cursor_ && sample >= pendingFirst &&
      sample < pendingFirst + int64_t(PendingFrames())) {
    cursor_ = sample;  // already decoded: Read skips to it
    return;
  }
  cursor_ = sample;
  pending_.clear();
  pendingRead_ = 0;
  reader_.SeekBackTo(TrackTime(sample));
  avcodec_flush_buffers(decoder_.get());
  inputEnded_ = false;
  decoderEnded_ = !packet_ || !frame_;
  ForgetResampler();
}

void SoundTrack::ForgetResampler() {
  resampler_.reset();
  inRate_ = 0;
  inFormat_ = -1;
  av_channel_layout_uninit(&inLayout_);
  outPosition_.reset();
}

size_t SoundTrack::Read(int16_t* out, size_t frames) {
  size_t written = 0;
  int packetBudget = kMaxPacketsPerRead;
  while (written < frames) {
    if (const size_t available = PendingFrames(); available > 0) {
      const int64_t first = pendingStart_ + int64_t(pendingRead_);
      if (first < cursor_) {  // decoded from before the sample wanted
        pendingRead_ += size_t(std::min<int64_t>(int64_t(available), cursor_ - first));
        continue;
      }
      if (first > cursor_) {  // the track has nothing here
        const size_t gap = size_t(std::min<int64_t>(first - cursor_, int64_t(frames - written)));
        std::memset(out + written * 2, 0, gap * 4);
        written += gap;
        cursor_ += int64_t(gap);
        continue;
      }
      const size_t n = std::min(available, frames - written);
      std::memcpy(out + written * 2, pending_.data() + pendingRead_ * 2, n * 4);
      pendingRead_ += n;
      written += n;
      cursor_ += int64_t(n);
      continue;
    }
    if (decoderEnded_ || !DecodeMore(packetBudget)) break;
  }
  return written;
}

bool SoundTrack::DecodeMore(int& packetBudget) {
  pending_.clear();
  pendingRead_ = 0;
  while (!decoderEnded_) {
    const int got = avcodec_receive_frame(decoder_.get(), frame_.get());
    if (got >= 0) {
      Convert(*frame_);
      if (PendingFrames() > 0) return true;
      continue;
    }
    if (got == AVERROR(EAGAIN) && !inputEnded_) {
      if (packetBudget <= 0) return false;
      if (!reader_.Next(*packet_)) {
        avcodec_send_packet(decoder_.get(), nullptr);  // drain what the decoder holds
        inputEnded_ = true;
        continue;
      }
      --packetBudget;
      // A packet the decoder refuses (damaged data) is dropped; it goes on with the next one.
      avcodec_send_packet(decoder_.get(), packet_.get());
      av_packet_unref(packet_.get());
      continue;
    }
    // The end, or a decoder that cannot go on: what the resampler still holds comes last.
    decoderEnded_ = true;
    if (resampler_) TakeResamplerOutput(nullptr, 0);
  }
  return PendingFrames() > 0;
}

bool SoundTrack::Configure(const AVFrame& frame) {
  AVChannelLayout layout{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&frame.ch_layout)) {
    av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
  } else if (av_channel_layout_copy(&layout, &frame.ch_layout) < 0) {
    return false;
  }
  if (resampler_ && frame.sample_rate == inRate_ && frame.format == inFormat_ &&
      av_channel_layout_compare(&layout, &inLayout_) == 0) {
    av_channel_layout_uninit(&layout);
    return true;
  }
  // A new kind of sound (or the first): a resampler for it; its start is found again.
  ForgetResampler();
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  SwrContext* raw = nullptr;
  if (swr_alloc_set_opts2(&raw, &stereo, AV_SAMPLE_FMT_S16, kMixRate, &layout,
                          AVSampleFormat(frame.format), frame.sample_rate, 0, nullptr) < 0) {
    av_channel_layout_uninit(&layout);
    return false;
  }
  ResamplerPtr resampler(raw);
  if (layout.nb_channels == 1) {
    // Mono on both sides at its own level (FFmpeg's own mix would lower it by 3 dB).
    const double both[2] = {1.0, 1.0};
    swr_set_matrix(resampler.get(), both, 1);
  }
  if (swr_init(resampler.get()) < 0) {
    av_channel_layout_uninit(&layout);
    return false;
  }
  resampler_ = std::move(resampler);
  inRate_ = frame.sample_rate;
  inFormat_ = frame.format;
  inLayout_ = layout;  // owned from here
  return true;
}

void SoundTrack::Convert(const AVFrame& frame) {
  if (frame.nb_samples <= 0 || frame.sample_rate < kMinSoundRate ||
      frame.sample_rate > kMaxSoundRate || frame.ch_layout.nb_channels <= 0 ||
      frame.ch_layout.nb_channels > kMaxChannels ||
      int64_t(frame.nb_samples) * kMixRate / frame.sample_rate > kMaxOutputFrames ||
      frame.format < 0 || frame.format >= AV_SAMPLE_FMT_NB || !frame.extended_data) {
    return;  // nothing that can be played
  }
  if (!Configure(frame)) return;
  const int64_t pts = frame.best_effort_timestamp;
  if (pts != AV_NOPTS_VALUE) {
    const int64_t start = SampleOf(pts);
    if (outPosition_) {
      // What the resampler holds back comes out before this frame's sound.
      const int64_t expected = *outPosition_ + swr_get_delay(resampler_.get(), kMixRate);
      if (std::llabs(start - expected) > kJumpFrames) {
        // A jump: what the resampler holds belongs elsewhere.
        ForgetResampler();
        if (!Configure(frame)) return;
        outPosition_ = start;
      }
    } else {
      outPosition_ = start;
    }
  } else if (!outPosition_) {
    outPosition_ = cursor_;  // no times at all: it is taken to start where reading is
  }
  TakeResamplerOutput(frame.extended_data, frame.nb_samples);
}

void SoundTrack::TakeResamplerOutput(const uint8_t* const* input, int inputFrames) {
  const int room = swr_get_out_samples(resampler_.get(), inputFrames);
  if (room <= 0) return;
  if (!outPosition_) outPosition_ = cursor_;
  // Whatever is still pending was handed out before: only unread sound is kept.
  pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(pendingRead_ * 2));
  pendingStart_ += int64_t(pendingRead_);
  pendingRead_ = 0;
  if (pending_.empty() || pendingStart_ + int64_t(pending_.size() / 2) != *outPosition_) {
    pending_.clear();
    pendingStart_ = *outPosition_;
  }
  const size_t had = pending_.size();
  pending_.resize(had + size_t(room) * 2);
  uint8_t* outPlanes[1] = {reinterpret_cast<uint8_t*>(pending_.data() + had)};
  const int made = swr_convert(resampler_.get(), outPlanes, room, const_cast<const uint8_t**>(input),
                               inputFrames);
  pending_.resize(had + size_t(std::max(made, 0)) * 2);
  *outPosition_ += std::max(made, 0);
}

}  // namespace zd::platform::media
