#include "platform/media/video_track.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/media/media_source.h"
#include "platform/media/media_time.h"

namespace zd::platform::media {
namespace {

// The most one ShowAt decodes: enough to reach any frame of a period movie's key frame
// interval at once, little enough that a file made of tiny packets or huge frames cannot
// hold up the main loop. What is left is done by the next call.
constexpr int kMaxFramesPerCall = 256;
constexpr int kMaxPacketsPerCall = 1024;
constexpr int64_t kMaxPixelsPerCall = int64_t(64) << 20;

bool Usable(const AVFrame& frame) {
  return frame.width > 0 && frame.width <= kMaxSide && frame.height > 0 &&
         frame.height <= kMaxSide && frame.format >= 0 &&
         sws_isSupportedInput(AVPixelFormat(frame.format)) && frame.data[0];
}

}  // namespace

VideoTrack::VideoTrack(PacketReader reader, CodecPtr decoder, int width, int height,
                       int64_t origin)
    : reader_(std::move(reader)),
      decoder_(std::move(decoder)),
      timeBase_(reader_.Stream().time_base),
      width_(width),
      height_(height),
      origin_(origin),
      packet_(av_packet_alloc()),
      next_(av_frame_alloc()),
      taken_(av_frame_alloc()),
      lastPts_(origin - 1) {
  if (timeBase_.num <= 0 || timeBase_.den <= 0) timeBase_ = AVRational{1, 1000};
}

int64_t VideoTrack::TrackTime(int64_t time, uint32_t timeScale) const {
  return SaturateToInt64(Wide(origin_) + FloorDiv(Wide(time) * timeBase_.den,
                                                  Wide(timeScale) * timeBase_.num));
}

void VideoTrack::ShowAt(int64_t time, uint32_t timeScale) {
  if (!packet_ || !next_ || !taken_) return;
  const int64_t target = TrackTime(time, timeScale);
  Budget budget{kMaxFramesPerCall, kMaxPacketsPerCall, kMaxPixelsPerCall};

  if (showingSequence_) {
    if (target < takenPts_) {
      // Back in time. When the picture shown is the first this run of decoding found, and the
      // run started looking at or before the target, an earlier frame is not to be had.
      if (!(showingFirstOfSequence_ && target >= sequenceStart_)) Restart(target);
    } else {
      // Far ahead: a key frame between here and there saves decoding what lies before it.
      const Wide position = haveNext_ ? nextPts_ : takenPts_;
      const Wide halfSecond = std::max<Wide>(1, Wide(timeBase_.den) / (2 * timeBase_.num));
      if (Wide(target) > position + halfSecond) {
        const auto key = reader_.IndexedKeyFrame(target);
        if (key && Wide(*key) > position + halfSecond && *key <= target) Restart(target);
      }
    }
  }

  bool took = false;
  while (haveNext_ || DecodeNext(budget)) {
    // The first frame of a run is taken even after the target: nothing earlier is there.
    if (showingSequence_ && nextPts_ > target) break;
    std::swap(taken_, next_);
    takenPts_ = nextPts_;
    haveNext_ = false;
    took = true;
    showingFirstOfSequence_ = !showingSequence_;
    showingSequence_ = true;
  }
  if (took) Present(*taken_, takenPts_);
}

void VideoTrack::Restart(int64_t target) {
  reader_.SeekBackTo(target);
  avcodec_flush_buffers(decoder_.get());
  haveNext_ = false;
  inputEnded_ = false;
  decoderEnded_ = false;
  sequenceStart_ = target;
  showingSequence_ = false;
  showingFirstOfSequence_ = false;
}

bool VideoTrack::DecodeNext(Budget& budget) {
  while (!decoderEnded_) {
    const int got = avcodec_receive_frame(decoder_.get(), next_.get());
    if (got >= 0) {
      --budget.frames;
      budget.pixels -= int64_t(next_->width) * next_->height;
      int64_t pts = next_->best_effort_timestamp;
      if (pts == AV_NOPTS_VALUE) pts = lastPts_ == INT64_MAX ? lastPts_ : lastPts_ + 1;
      lastPts_ = nextPts_ = pts;
      haveNext_ = true;
      return true;
    }
    if (got != AVERROR(EAGAIN) || inputEnded_) {
      decoderEnded_ = true;  // the end, or a decoder that cannot go on
      return false;
    }
    if (budget.frames <= 0 || budget.packets <= 0 || budget.pixels <= 0) return false;
    if (!reader_.Next(*packet_)) {
      avcodec_send_packet(decoder_.get(), nullptr);  // drain what the decoder holds
      inputEnded_ = true;
      continue;
    }
    --budget.packets;
    // A packet the decoder refuses (damaged data) is dropped; it goes on with the next one.
    avcodec_send_packet(decoder_.get(), packet_.get());
    av_packet_unref(packet_.get());
  }
  return false;
}

void VideoTrack::Present(const AVFrame& frame, int64_t pts) {
  if (haveShown_ && pts == shownPts_) return;  // the same frame, decoded again after a seek
  if (!Usable(frame)) return;
  if (!rgb_) {
    // Made with the first frame shown, not when the file opens. Rows are padded to 32 bytes,
    // with some slack after the last: what SIMD converters like.
    pitch_ = (width_ * 3 + 31) & ~31;
    rgb_.reset(static_cast<uint8_t*>(av_malloc(size_t(pitch_) * size_t(height_) + 64)));
    if (!rgb_) return;
  }
  scaler_.reset(sws_getCachedContext(scaler_.release(), frame.width, frame.height,
                                     AVPixelFormat(frame.format), width_, height_,
                                     AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
  if (!scaler_) return;
  uint8_t* planes[4] = {rgb_.get(), nullptr, nullptr, nullptr};
  const int pitches[4] = {pitch_, 0, 0, 0};
  if (sws_scale(scaler_.get(), frame.data, frame.linesize, 0, frame.height, planes, pitches) <= 0) {
    return;
  }
  haveShown_ = true;
  shownPts_ = pts;
  ++serial_;
}

std::optional<MediaFrame> VideoTrack::Frame() const {
  if (!haveShown_) return std::nullopt;
  return MediaFrame{rgb_.get(), width_, height_, pitch_};
}

}  // namespace zd::platform::media
