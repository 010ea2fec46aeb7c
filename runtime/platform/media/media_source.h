// Opening a media file with FFmpeg and finding what it holds: its first video and first sound
// track, whether FFmpeg can decode them, its length and natural size. What the checks refuse
// is said in English for the trace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/media/ffmpeg_handles.h"
#include "platform/media/media_player.h"

namespace zd::platform::media {

constexpr int kMaxSide = 8192;
// Sample rates a sound track may have (the AudioOutput's own range).
constexpr int kMinSoundRate = 1000;
constexpr int kMaxSoundRate = 384000;

// A file opened for reading packets: demuxer and stream information, nothing decoded yet.
// nullptr with `error` set when FFmpeg cannot open it, does not know its format or cannot read
// its tracks' parameters (a file cut short).
FormatPtr OpenMediaFile(const std::string& path, std::string& error);

struct MediaContents {
  MediaInfo info;
  int videoStream = -1;  // the first video and sound tracks that can be decoded; -1: none
  int soundStream = -1;
  int64_t originUs = 0;  // the container's time (microseconds) at the movie's time 0
  bool lengthKnown = false;  // info.duration is the container's (or its tracks') own figure
};

// What `format` holds; nullopt with `error` set (to follow the file's name) when it has no
// video or sound track at all, or a picture that cannot be shown (no size, or a side over
// kMaxSide pixels).
std::optional<MediaContents> ExamineMedia(const AVFormatContext& format, std::string& error);

// The length of the tracks `contents` names, in ms, found by reading every packet's time to
// the end of the file (up to a bound): for containers that do not say, such as FLI and FLC
// animations. Leaves `format` at the end of the file.
int64_t ScanLengthMs(AVFormatContext& format, const MediaContents& contents);

// A decoder opened for `stream`; nullptr with `problem` set when FFmpeg has none for it.
CodecPtr OpenDecoder(const AVStream& stream, std::string& problem);

// The stream's time (in its own time base) at the movie's time 0.
int64_t StreamOrigin(const AVStream& stream, int64_t originUs);

// FFmpeg's message for an error code.
std::string AvErrorText(int code);

}  // namespace zd::platform::media
