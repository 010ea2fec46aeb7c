#include "platform/media/packet_reader.h"

#include <climits>

#include "platform/media/media_source.h"

namespace zd::platform::media {
namespace {

// Packets of other tracks passed over in one call before giving up.
constexpr int kMaxSkippedPackets = 1 << 16;

}  // namespace

PacketReader::PacketReader(FormatPtr format, std::string path, int stream)
    : format_(std::move(format)), path_(std::move(path)), stream_(stream) {
  DiscardOtherTracks();
}

void PacketReader::DiscardOtherTracks() {
  for (unsigned i = 0; i < format_->nb_streams; ++i) {
    format_->streams[i]->discard = int(i) == stream_ ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  }
}

bool PacketReader::Next(AVPacket& packet) {
  if (ended_) return false;
  for (int skipped = 0; skipped < kMaxSkippedPackets; ++skipped) {
    const int got = av_read_frame(format_.get(), &packet);
    if (got < 0) {
      ended_ = true;
      return false;
    }
    if (packet.stream_index == stream_) return true;
    av_packet_unref(&packet);
  }
  ended_ = true;
  return false;
}

bool PacketReader::SeekBackTo(int64_t pts) {
  ended_ = false;
  if (av_seek_frame(format_.get(), stream_, pts, AVSEEK_FLAG_BACKWARD) >= 0) return true;
  if (avformat_seek_file(format_.get(), stream_, INT64_MIN, pts, pts, 0) >= 0) return true;
  if (Reopen()) return true;
  ended_ = true;
  return false;
}

std::optional<int64_t> PacketReader::IndexedKeyFrame(int64_t pts) const {
  const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(
      format_->streams[stream_], pts, AVSEEK_FLAG_BACKWARD);
  if (!entry || entry->timestamp == AV_NOPTS_VALUE) return std::nullopt;
  return entry->timestamp;
}

bool PacketReader::Reopen() {
  const AVMediaType type = Stream().codecpar->codec_type;
  const AVCodecID codec = Stream().codecpar->codec_id;
  std::string error;
  FormatPtr again = OpenMediaFile(path_, error);
  // The same file read the same way has the same tracks; anything else (the file changed on
  // the disk) ends the track.
  if (!again || unsigned(stream_) >= again->nb_streams ||
      again->streams[stream_]->codecpar->codec_type != type ||
      again->streams[stream_]->codecpar->codec_id != codec) {
    return false;
  }
  format_ = std::move(again);
  DiscardOtherTracks();
  return true;
}

}  // namespace zd::platform::media
