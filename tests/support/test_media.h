// Movies and sounds made for a test with the ffmpeg tool, and the WAV files runs record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zd::test {

// The ffmpeg tool's path, or empty when it is not installed (tests then skip).
std::string FfmpegTool();

// Runs ffmpeg with `arguments`, quietly; true when it succeeded.
bool RunFfmpeg(const std::vector<std::string>& arguments);

// Runs ffmpeg with `arguments` (the output file last); true when it made `out`.
bool MakeMedia(const std::vector<std::string>& arguments, const std::string& out);

// A QuickTime movie of solid colours ("red", "#00FF00", ...), each shown for `msEach`
// milliseconds at 10 frames a second, in the codec given ("cinepak", "qtrle", "rawvideo"...),
// with `soundHz` > 0 adding a tone of that frequency as 16-bit big-endian sound.
bool MakeColourMovie(const std::string& out, const std::vector<std::string>& colours, int msEach,
                     const std::string& codec = "cinepak", int width = 160, int height = 120,
                     int soundHz = 0);

// A tone of `hz` lasting `ms`, 44,100 Hz mono, in the container the name's extension asks for.
bool MakeTone(const std::string& out, int hz, int ms);

struct Wav {
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t bits = 0;
  uint32_t riffBytes = 0, dataBytes = 0;  // as the header says
  size_t fileBytes = 0;
  std::vector<int16_t> samples;  // interleaved
};

// A 16-bit PCM WAV file as the player writes it; channels 0 and no samples when it is not one.
Wav ReadWav(const std::string& path);

// The loudest sample of the frames from `fromMs` to `toMs` (all channels).
int PeakBetween(const Wav& wav, int fromMs, int toMs);

}  // namespace zd::test
