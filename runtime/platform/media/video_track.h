// A movie's first video track: decodes, on request, the frame shown at a movie time and keeps
// it as RGB at the track's natural size. Going back in time seeks to a key frame and decodes
// forward from it; going forward decodes frame after frame, or seeks when a key frame lies
// well ahead. No call decodes more than a bounded number of frames, whatever the file holds
// (reading past another track's packets is bounded by the file's size).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/media/ffmpeg_handles.h"
#include "platform/media/media_player.h"
#include "platform/media/packet_reader.h"

namespace zd::platform::media {

class VideoTrack {
 public:
  // `origin`: the track's time (its own time base) at the movie's time 0.
  VideoTrack(PacketReader reader, CodecPtr decoder, int width, int height, int64_t origin);

  // Makes the frame shown at `time` (in `timeScale` units a second) the current one: the last
  // frame whose time is at or before it, or the first frame when none is.
  void ShowAt(int64_t time, uint32_t timeScale);

  std::optional<MediaFrame> Frame() const;
  uint64_t Serial() const { return serial_; }

 private:
  struct Budget {
    int frames;
    int packets;
    int64_t pixels;
  };

  int64_t TrackTime(int64_t time, uint32_t timeScale) const;
  void Restart(int64_t target);
  // Decodes the frame after the ones taken into next_; false at the end of the track or when
  // the budget is spent.
  bool DecodeNext(Budget& budget);
  void Present(const AVFrame& frame, int64_t pts);

  PacketReader reader_;
  CodecPtr decoder_;
  AVRational timeBase_;
  int width_, height_;
  int64_t origin_;

  PacketPtr packet_;
  bool inputEnded_ = false;     // the decoder has been told there is no more
  bool decoderEnded_ = false;   // ... and has given its last frame
  FramePtr next_, taken_;  // the frame after the one taken, and the one taken last
  bool haveNext_ = false;
  int64_t nextPts_ = 0, takenPts_ = 0;
  int64_t lastPts_ = -1;  // of the last frame decoded, for frames that come without a time

  // Decoding runs from a key frame found for `sequenceStart_` (INT64_MIN: the file's start);
  // until a frame of that run is shown, the picture is an older one.
  int64_t sequenceStart_ = INT64_MIN;
  bool showingSequence_ = false;
  bool showingFirstOfSequence_ = false;

  ScalerPtr scaler_;
  AvBytes rgb_;
  int pitch_ = 0;
  bool haveShown_ = false;
  int64_t shownPts_ = 0;
  uint64_t serial_ = 0;
};

}  // namespace zd::platform::media
