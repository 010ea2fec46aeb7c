// One track's packets from a media file, in file order, and going back to a point from which
// decoding can start again. Each track reads the file through a reader of its own, so that a
// movie's picture and sound never wait for each other's packets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/media/ffmpeg_handles.h"

namespace zd::platform::media {

class PacketReader {
 public:
  // `format` is the opened `path`; `stream` the track read.
  PacketReader(FormatPtr format, std::string path, int stream);

  const AVStream& Stream() const { return *format_->streams[stream_]; }

  // The track's next packet into `packet`; false at the end of the file, on a read error, or
  // after passing a great many packets of other tracks (a file made to stall the reader).
  bool Next(AVPacket& packet);

  // Goes back to the last point at or before `pts` (the track's time base) from which decoding
  // can start: a key frame, or the start of the file when the demuxer cannot seek (the file is
  // opened again). False when neither works; the reader is then at its end.
  bool SeekBackTo(int64_t pts);

  // The time of the last key frame at or before `pts` that the file's index knows of.
  std::optional<int64_t> IndexedKeyFrame(int64_t pts) const;

 private:
  void DiscardOtherTracks();
  bool Reopen();

  FormatPtr format_;
  std::string path_;
  int stream_;
  bool ended_ = false;
};

}  // namespace zd::platform::media
