// The FFmpeg media library: a player is a clock, the first video track decoded on request and
// the first sound track fed to a stream of the AudioOutput. Picture and sound read the file
// through demuxers of their own (the file is opened twice when it has both), so neither holds
// packets for the other.
#include <memory>
#include <string>

#include "platform/media/ffmpeg_handles.h"
#include "platform/media/media_clock.h"
#include "platform/media/media_player.h"
#include "platform/media/media_source.h"
#include "platform/media/sound_feed.h"
#include "platform/media/video_track.h"

namespace zd::platform {
namespace {

using media::MediaClock;
using media::SoundFeed;
using media::VideoTrack;

class FfmpegPlayer final : public MediaPlayer {
 public:
  FfmpegPlayer(const MediaInfo& info, std::unique_ptr<VideoTrack> video,
               std::unique_ptr<SoundFeed> sound)
      : info_(info),
        clock_(info.timeScale, info.duration),
        video_(std::move(video)),
        sound_(std::move(sound)) {}

  const MediaInfo& Info() const override { return info_; }

  void SetTimeBase(uint32_t timeScale, int64_t duration) override {
    if (timeScale == 0) return;
    clock_.SetTimeBase(timeScale, duration);
    info_.timeScale = clock_.TimeScale();
    info_.duration = clock_.Duration();
    Restart();
  }
  void SetPlayRange(int64_t start, int64_t end) override {
    clock_.SetPlayRange(start, end);
    Restart();
  }
  void SetLooping(bool looping) override {
    if (looping == clock_.Looping()) return;
    clock_.SetLooping(looping);
    Restart();
  }
  void SetSoundEnabled(bool enabled) override {
    if (sound_) sound_->SetEnabled(enabled, clock_, lastTick_);
  }

  void Play(uint32_t nowMs) override {
    lastTick_ = nowMs;
    if (clock_.Play(nowMs) && sound_) sound_->Play(clock_, nowMs);
  }
  void Stop(uint32_t nowMs) override {
    lastTick_ = nowMs;
    if (clock_.Stop(nowMs) && sound_) sound_->Stop();
  }
  bool Playing() const override { return clock_.Playing(); }
  void Seek(int64_t time, uint32_t nowMs) override {
    lastTick_ = nowMs;
    clock_.Seek(time, nowMs);
    if (sound_) sound_->Restart(clock_, nowMs);
  }
  int64_t CurrentTime(uint32_t nowMs) const override { return clock_.Time(nowMs); }
  bool AtEnd(uint32_t nowMs) const override { return clock_.AtEnd(nowMs); }

  void Update(uint32_t nowMs) override {
    lastTick_ = nowMs;
    clock_.NoteTick(nowMs);
    if (video_) video_->ShowAt(clock_.Time(nowMs), clock_.TimeScale());
    if (sound_) sound_->Feed(clock_, nowMs);
  }
  std::optional<MediaFrame> CurrentFrame() const override {
    return video_ ? video_->Frame() : std::nullopt;
  }
  uint64_t FrameSerial() const override { return video_ ? video_->Serial() : 0; }

 private:
  void Restart() {
    if (sound_) sound_->Restart(clock_, lastTick_);
  }

  MediaInfo info_;
  MediaClock clock_;
  std::unique_ptr<VideoTrack> video_;
  std::unique_ptr<SoundFeed> sound_;
  uint32_t lastTick_ = 0;
};

void AddProblem(MediaInfo& info, const std::string& problem) {
  info.problem += (info.problem.empty() ? "" : "; ") + problem;
}

class FfmpegMediaLibrary final : public MediaLibrary {
 public:
  explicit FfmpegMediaLibrary(AudioOutput& audio) : audio_(audio) {
    // FFmpeg would write its own remarks on standard error, where the trace goes; what
    // matters of them reaches the trace as the errors and problems this library reports.
    av_log_set_level(AV_LOG_QUIET);
  }

  std::unique_ptr<MediaPlayer> Open(const std::string& path, std::string& error) override {
    media::FormatPtr format = media::OpenMediaFile(path, error);
    if (!format) return nullptr;
    std::string refusal;
    const std::optional<media::MediaContents> contents = media::ExamineMedia(*format, refusal);
    if (!contents) {
      error = path + " " + refusal;
      return nullptr;
    }
    MediaInfo info = contents->info;
    if (!contents->lengthKnown) {
      // Read to the end for the length; the tracks then start from a fresh demuxer.
      info.duration = media::ScanLengthMs(*format, *contents);
      format = media::OpenMediaFile(path, error);
      if (!format) return nullptr;
    }

    std::unique_ptr<VideoTrack> video;
    if (contents->videoStream >= 0) {
      video = OpenVideo(std::move(format), path, *contents, info);
    }
    std::unique_ptr<SoundFeed> sound;
    if (contents->soundStream >= 0) {
      // The first demuxer went to the picture when there is one; sound reads through its own.
      if (!format) format = media::OpenMediaFile(path, error);
      if (format) {
        sound = OpenSound(std::move(format), path, *contents, info);
      } else {
        info.hasSound = false;
        AddProblem(info, "the sound track cannot be read: " + error);
      }
    }
    error.clear();
    return std::make_unique<FfmpegPlayer>(info, std::move(video), std::move(sound));
  }

 private:
  // The decoder of track `index`, which must still be of `type`: the file may have been read
  // twice (for its length, or once a track) and a file changed meanwhile is not played. Without
  // one the track is marked absent in `info` and the reason noted.
  static media::CodecPtr TrackDecoder(const AVFormatContext& format, int index, AVMediaType type,
                                      const char* what, bool& present, MediaInfo& info) {
    if (unsigned(index) >= format.nb_streams || format.streams[index]->codecpar->codec_type != type) {
      present = false;
      AddProblem(info, std::string("the ") + what + " track changed while the file was opened");
      return nullptr;
    }
    std::string problem;
    media::CodecPtr decoder = media::OpenDecoder(*format.streams[index], problem);
    if (!decoder) {
      present = false;
      AddProblem(info, problem);
    }
    return decoder;
  }

  static std::unique_ptr<VideoTrack> OpenVideo(media::FormatPtr format, const std::string& path,
                                               const media::MediaContents& contents,
                                               MediaInfo& info) {
    media::CodecPtr decoder = TrackDecoder(*format, contents.videoStream, AVMEDIA_TYPE_VIDEO,
                                           "video", info.hasVideo, info);
    if (!decoder) return nullptr;
    const AVStream& stream = *format->streams[contents.videoStream];
    const int64_t origin = media::StreamOrigin(stream, contents.originUs);
    return std::make_unique<VideoTrack>(
        media::PacketReader(std::move(format), path, contents.videoStream), std::move(decoder),
        info.width, info.height, origin);
  }

  std::unique_ptr<SoundFeed> OpenSound(media::FormatPtr format, const std::string& path,
                                       const media::MediaContents& contents, MediaInfo& info) {
    media::CodecPtr decoder = TrackDecoder(*format, contents.soundStream, AVMEDIA_TYPE_AUDIO,
                                           "sound", info.hasSound, info);
    if (!decoder) return nullptr;
    const AVStream& stream = *format->streams[contents.soundStream];
    const int64_t origin = media::StreamOrigin(stream, contents.originUs);
    auto track = std::make_unique<media::SoundTrack>(
        media::PacketReader(std::move(format), path, contents.soundStream), std::move(decoder),
        origin);
    return std::make_unique<SoundFeed>(audio_, std::move(track));
  }

  AudioOutput& audio_;
};

}  // namespace

std::unique_ptr<MediaLibrary> MakeFfmpegMediaLibrary(AudioOutput& audio) {
  return std::make_unique<FfmpegMediaLibrary>(audio);
}

}  // namespace zd::platform
