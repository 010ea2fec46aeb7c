#include "platform/media/media_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/media/media_time.h"

namespace zd::platform::media {
namespace {

// The containers a title of the period may hold its movies and sounds in, and a few later
// ones. Anything else (playlists that name other files or addresses, image sequences, raw
// streams guessed from a few bytes) is not opened at all.
constexpr const char* kContainers =
    "mov,avi,wav,w64,aiff,au,voc,flic,mpeg,mpegvideo,mp3,asf,smk,bink,dv,ogg,flac,matroska,"
    "caf,rm,iff,amr";

// Standard MIDI files ("MThd", or wrapped in RIFF as "RMID"): notes, not sound, which FFmpeg
// has no synthesizer for.
bool LooksLikeMidi(const std::string& path) {
  unsigned char head[12] = {};
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  const size_t got = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  if (got >= 4 && std::memcmp(head, "MThd", 4) == 0) return true;
  return got >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "RMID", 4) == 0;
}

// The container the file's first bytes look like (FFmpeg's own guess, as when it opens one):
// a file it then fails to read is damaged rather than something else.
const AVInputFormat* LooksLike(const std::string& path) {
  constexpr size_t kProbeBytes = 4096;
  std::vector<unsigned char> head(kProbeBytes + AVPROBE_PADDING_SIZE, 0);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return nullptr;
  const size_t got = std::fread(head.data(), 1, kProbeBytes, f);
  std::fclose(f);
  AVProbeData probe{};
  probe.filename = "";
  probe.buf = head.data();
  probe.buf_size = int(got);
  int score = 0;
  const AVInputFormat* format = av_probe_input_format3(&probe, 1, &score);
  return format && score > AVPROBE_SCORE_EXTENSION ? format : nullptr;
}

bool SideInRange(int side) { return side > 0 && side <= kMaxSide; }

bool UsableTimeBase(const AVStream& s) { return s.time_base.num > 0 && s.time_base.den > 0; }

// The container's length, or else the longer of the two tracks' own; nullopt when none says.
std::optional<int64_t> StatedLengthMs(const AVFormatContext& format,
                                      const MediaContents& contents) {
  if (format.duration > 0 && format.duration != AV_NOPTS_VALUE) {
    return ClampUnits(MulDivRound(format.duration, 1, 1000));
  }
  std::optional<int64_t> longest;
  for (int index : {contents.videoStream, contents.soundStream}) {
    if (index < 0) continue;
    const AVStream& s = *format.streams[index];
    if (s.duration <= 0 || s.duration == AV_NOPTS_VALUE || !UsableTimeBase(s)) continue;
    longest = std::max(longest.value_or(0),
                       MulDivRound(s.duration, int64_t(s.time_base.num) * 1000, s.time_base.den));
  }
  if (longest) return ClampUnits(*longest);
  return std::nullopt;
}

// FFmpeg's name for a codec it knows; the four characters the file gives for one it does not.
std::string CodecName(const AVCodecParameters& p) {
  if (p.codec_id == AV_CODEC_ID_NONE && p.codec_tag) {
    char tag[AV_FOURCC_MAX_STRING_SIZE] = {};
    return std::string("\"") + av_fourcc_make_string(tag, p.codec_tag) + "\"";
  }
  const char* name = avcodec_get_name(p.codec_id);
  return name ? name : "unknown";
}

}  // namespace

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

FormatPtr OpenMediaFile(const std::string& path, std::string& error) {
  if (LooksLikeMidi(path)) {
    error = path + " is a standard MIDI file, which cannot be played";
    return nullptr;
  }
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  av_dict_set(&options, "format_whitelist", kContainers, 0);
  AVFormatContext* raw = nullptr;
  // "file:" keeps a name with a colon in it from being taken for another protocol.
  const int opened = avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, &options);
  av_dict_free(&options);
  if (opened < 0) {
    if (opened == AVERROR(ENOENT) || opened == AVERROR(EACCES) || opened == AVERROR(EISDIR)) {
      error = "cannot open " + path + ": " + AvErrorText(opened);
    } else if (const AVInputFormat* looks = LooksLike(path)) {
      error = path + " looks like a " + (looks->long_name ? looks->long_name : looks->name) +
              " file but cannot be read: it is cut short or damaged (" + AvErrorText(opened) + ")";
    } else {
      error = path + " is not a movie or sound file that can be read (" + AvErrorText(opened) + ")";
    }
    return nullptr;
  }
  FormatPtr format(raw);
  if (avformat_find_stream_info(format.get(), nullptr) < 0) {
    error = path + " is cut short or damaged: its tracks cannot be read";
    return nullptr;
  }
  return format;
}

std::optional<MediaContents> ExamineMedia(const AVFormatContext& format, std::string& error) {
  MediaContents c;
  const AVStream* video = nullptr;
  const AVStream* sound = nullptr;
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVStream* s = format.streams[i];
    const AVCodecParameters* p = s->codecpar;
    // A still picture carried along (an MP3's cover) is not a video track.
    if (p->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
      if (!video) video = s;
    } else if (p->codec_type == AVMEDIA_TYPE_AUDIO) {
      if (!sound) sound = s;
    }
  }
  if (!video && !sound) {
    error = "has neither a video nor a sound track";
    return std::nullopt;
  }
  std::string problems;
  auto note = [&](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  if (video) {
    const AVCodecParameters& p = *video->codecpar;
    const bool sized = SideInRange(p.width) && SideInRange(p.height);
    if (!avcodec_find_decoder(p.codec_id)) {
      note("the video track's codec (" + CodecName(p) + ") cannot be decoded");
    } else if (!sized) {
      error = p.width > kMaxSide || p.height > kMaxSide
                  ? "has a picture of " + std::to_string(p.width) + " x " +
                        std::to_string(p.height) + " pixels, more than " +
                        std::to_string(kMaxSide) + " a side"
                  : "has a video track without a picture size (it may be cut short)";
      return std::nullopt;
    } else {
      c.videoStream = video->index;
      c.info.hasVideo = true;
    }
    if (sized) {
      c.info.width = p.width;
      c.info.height = p.height;
    }
  }
  if (sound) {
    const AVCodecParameters& p = *sound->codecpar;
    if (!avcodec_find_decoder(p.codec_id)) {
      note("the sound track's codec (" + CodecName(p) + ") cannot be decoded");
    } else if (p.sample_rate < kMinSoundRate || p.sample_rate > kMaxSoundRate) {
      note("the sound track's rate (" + std::to_string(p.sample_rate) +
           " samples a second) cannot be played");
    } else if (p.ch_layout.nb_channels <= 0) {
      note("the sound track has no channels");
    } else {
      c.soundStream = sound->index;
      c.info.hasSound = true;
    }
  }
  c.info.problem = problems;
  // QuickTime counts from 0 whatever its first sample's time; other containers (MPEG) may
  // start their clock anywhere, and their first moment is the movie's time 0.
  const bool quickTime = std::strncmp(format.iformat->name, "mov", 3) == 0;
  if (!quickTime && format.start_time != AV_NOPTS_VALUE) {
    c.originUs = ClampUnits(format.start_time);
  }
  c.info.timeScale = 1000;
  const std::optional<int64_t> length = StatedLengthMs(format, c);
  c.info.duration = length.value_or(0);
  c.lengthKnown = length.has_value();
  return c;
}

int64_t ScanLengthMs(AVFormatContext& format, const MediaContents& contents) {
  constexpr int kMaxScannedPackets = 1 << 20;
  PacketPtr packet(av_packet_alloc());
  if (!packet) return 0;
  int64_t endUs = 0;
  for (int n = 0; n < kMaxScannedPackets && av_read_frame(&format, packet.get()) >= 0; ++n) {
    const int index = packet->stream_index;
    if ((index == contents.videoStream || index == contents.soundStream) &&
        packet->pts != AV_NOPTS_VALUE && UsableTimeBase(*format.streams[index])) {
      const AVRational tb = format.streams[index]->time_base;
      const int64_t end = SaturateToInt64(Wide(packet->pts) + std::max<int64_t>(packet->duration, 0));
      endUs = std::max(endUs, MulDivFloor(end, int64_t(tb.num) * AV_TIME_BASE, tb.den));
    }
    av_packet_unref(packet.get());
  }
  return ClampUnits(MulDivRound(std::max<int64_t>(endUs - contents.originUs, 0), 1, 1000));
}

CodecPtr OpenDecoder(const AVStream& stream, std::string& problem) {
  const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
  const char* kind = stream.codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? "video" : "sound";
  if (!codec) {
    problem = std::string("the ") + kind + " track's codec cannot be decoded";
    return nullptr;
  }
  CodecPtr decoder(avcodec_alloc_context3(codec));
  if (!decoder || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0) {
    problem = std::string("the ") + kind + " track's decoder cannot be set up";
    return nullptr;
  }
  decoder->pkt_timebase = stream.time_base;
  // One thread: decoding runs on the main loop, a frame at a time, and the same every run.
  decoder->thread_count = 1;
  // A stream may change its size after the header; frames past what can be shown are refused
  // by the decoder itself rather than allocated first.
  decoder->max_pixels = int64_t{kMaxSide} * kMaxSide;
  const int opened = avcodec_open2(decoder.get(), codec, nullptr);
  if (opened < 0) {
    problem = std::string("the ") + kind + " track's decoder (" + codec->name +
              ") refuses it: " + AvErrorText(opened);
    return nullptr;
  }
  return decoder;
}

int64_t StreamOrigin(const AVStream& stream, int64_t originUs) {
  if (stream.time_base.num <= 0 || stream.time_base.den <= 0) return 0;
  return MulDivFloor(originUs, stream.time_base.den, int64_t(stream.time_base.num) * AV_TIME_BASE);
}

}  // namespace zd::platform::media
