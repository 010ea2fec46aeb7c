// Time-based media: movies and sound files opened by path and played against the player's own
// clock. Every time here is in units of the player's time scale (by default what the file's
// container says; a caller that knows better, such as a QuickTime file's own movie header, sets
// its own). Decoding happens when the caller asks for it, from the main loop, so that what a
// title sees (positions, ends, the frame shown) depends only on the tick counts it passes in:
// on the virtual clock of a headless run, exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zd::platform {

class AudioOutput;

struct MediaInfo {
  int width = 0;   // natural size of the first video track; 0 x 0 without one
  int height = 0;
  uint32_t timeScale = 1000;  // units a second of the times below (never 0)
  int64_t duration = 0;       // the whole file, in those units (both as SetTimeBase last set)
  bool hasVideo = false;      // a first video track that can be decoded
  bool hasSound = false;      // a first sound track that can be decoded
  // Non-empty when a track is there but cannot be decoded (a codec missing): the file still
  // plays, without that track. English, for the trace.
  std::string problem;
};

// A decoded video frame: RGB, 3 bytes a pixel, rows top-down, at the natural size.
struct MediaFrame {
  const uint8_t* rgb = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
};

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;

  virtual const MediaInfo& Info() const = 0;

  // Counts the movie's time in `timeScale` units a second (> 0), its length being `duration` of
  // them; the play range becomes the whole length and the position is kept (in seconds).
  virtual void SetTimeBase(uint32_t timeScale, int64_t duration) = 0;
  // The part that plays: `start` to `end`, each clamped to [0, duration], end not before start.
  // Playing stops at `end`, or goes back to `start` when looping.
  virtual void SetPlayRange(int64_t start, int64_t end) = 0;
  virtual void SetLooping(bool looping) = 0;
  // The first sound track heard or not (its time runs on either way).
  virtual void SetSoundEnabled(bool enabled) = 0;

  // Time runs from `nowMs` at the preferred rate (1) until Stop. Play at the end of a range
  // that does not loop changes nothing.
  virtual void Play(uint32_t nowMs) = 0;
  virtual void Stop(uint32_t nowMs) = 0;
  virtual bool Playing() const = 0;  // between Play and Stop, even when it stands at its end
  // Goes to `time`, clamped to [0, duration]; playing or stopped stays as it was.
  virtual void Seek(int64_t time, uint32_t nowMs) = 0;
  // The movie's time at `nowMs` (a tick count no earlier than the last one passed in).
  virtual int64_t CurrentTime(uint32_t nowMs) const = 0;
  // True when time has reached the end of the play range and does not loop.
  virtual bool AtEnd(uint32_t nowMs) const = 0;

  // Decodes what `nowMs` shows and keeps the sound fed ahead of it. The main loop calls it at
  // least every few tens of milliseconds while the movie plays, and before it presents a frame.
  virtual void Update(uint32_t nowMs) = 0;
  // The frame whose span holds the time of the last Update; nullopt without video or before
  // the first frame is decoded.
  virtual std::optional<MediaFrame> CurrentFrame() const = 0;
  // Changes each time CurrentFrame changes to another picture.
  virtual uint64_t FrameSerial() const = 0;
};

class MediaLibrary {
 public:
  virtual ~MediaLibrary() = default;
  // Opens a media file by its disk path (UTF-8). nullptr with `error` set (English, for the
  // trace) when it is not a media file this library can read, is cut short, has neither a
  // video nor a sound track, or is too large to show (a side over 8192 pixels).
  virtual std::unique_ptr<MediaPlayer> Open(const std::string& path, std::string& error) = 0;
};

// The FFmpeg media library; sound goes to `audio` (44,100 Hz stereo streams, one a player).
std::unique_ptr<MediaLibrary> MakeFfmpegMediaLibrary(AudioOutput& audio);

}  // namespace zd::platform
