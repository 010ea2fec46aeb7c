#include "support/test_media.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "support/test_support.h"

namespace zd::test {
namespace {

uint32_t Le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

}  // namespace

std::string FfmpegTool() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::string candidate = (dir.empty() ? "." : dir) + "/ffmpeg";
    if (std::filesystem::exists(candidate)) return candidate;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

bool RunFfmpeg(const std::vector<std::string>& arguments) {
  const std::string tool = FfmpegTool();
  if (tool.empty()) return false;
  std::vector<std::string> args = {"-y", "-loglevel", "error", "-nostdin"};
  args.insert(args.end(), arguments.begin(), arguments.end());
  return RunProgram(tool, args).status == 0;
}

bool MakeMedia(const std::vector<std::string>& arguments, const std::string& out) {
  return RunFfmpeg(arguments) && std::filesystem::exists(out);
}

bool MakeColourMovie(const std::string& out, const std::vector<std::string>& colours, int msEach,
                     const std::string& codec, int width, int height, int soundHz) {
  std::vector<std::string> args;
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  const std::string seconds = std::to_string(msEach / 1000.0);
  for (const std::string& colour : colours) {
    args.insert(args.end(), {"-f", "lavfi", "-i", "color=c=" + colour + ":s=" + size +
                                                      ":r=10:d=" + seconds});
  }
  std::string graph;
  for (size_t i = 0; i < colours.size(); ++i) graph += "[" + std::to_string(i) + ":v]";
  graph += "concat=n=" + std::to_string(colours.size()) + ":v=1:a=0,format=" +
           (codec == "rawvideo" ? "rgb24" : codec == "qtrle" ? "rgb24" : "yuv420p") + "[v]";
  if (soundHz > 0) {
    const std::string total = std::to_string(msEach * int(colours.size()) / 1000.0);
    args.insert(args.end(), {"-f", "lavfi", "-i",
                             "sine=frequency=" + std::to_string(soundHz) +
                                 ":sample_rate=44100:duration=" + total});
  }
  args.insert(args.end(), {"-filter_complex", graph, "-map", "[v]"});
  if (soundHz > 0) {
    args.insert(args.end(), {"-map", std::to_string(colours.size()) + ":a", "-c:a", "pcm_s16be"});
  }
  if (codec == "cinepak") args.insert(args.end(), {"-q:v", "1"});
  args.insert(args.end(), {"-c:v", codec, "-f", "mov", out});
  return MakeMedia(args, out);
}

bool MakeTone(const std::string& out, int hz, int ms) {
  const std::string ext = std::filesystem::path(out).extension().string();
  std::vector<std::string> args = {
      "-f", "lavfi", "-i",
      "sine=frequency=" + std::to_string(hz) + ":sample_rate=44100:duration=" +
          std::to_string(ms / 1000.0)};
  if (ext == ".wav") {
    args.insert(args.end(), {"-c:a", "pcm_s16le", "-f", "wav"});
  } else {
    args.insert(args.end(), {"-c:a", "pcm_s16be", "-f", "mov"});
  }
  args.push_back(out);
  return MakeMedia(args, out);
}

Wav ReadWav(const std::string& path) {
  const std::string b = ReadFile(path);
  Wav w;
  if (b.size() < 44 || b.compare(0, 4, "RIFF") || b.compare(8, 8, "WAVEfmt ") ||
      b.compare(36, 4, "data")) {
    return w;
  }
  w.channels = uint16_t(Le32(b, 22));
  w.rate = Le32(b, 24);
  w.bits = uint16_t(Le32(b, 34));
  w.riffBytes = Le32(b, 4);
  w.dataBytes = Le32(b, 40);
  w.fileBytes = b.size();
  const size_t bytes = std::min<size_t>(w.dataBytes, b.size() - 44);
  w.samples.resize(bytes / 2);
  std::memcpy(w.samples.data(), b.data() + 44, w.samples.size() * 2);
  return w;
}

int PeakBetween(const Wav& wav, int fromMs, int toMs) {
  if (wav.channels == 0) return 0;
  const size_t first = size_t(int64_t(fromMs) * wav.rate / 1000) * wav.channels;
  const size_t last = std::min(wav.samples.size(), size_t(int64_t(toMs) * wav.rate / 1000) * wav.channels);
  int peak = 0;
  for (size_t i = first; i < last; ++i) peak = std::max(peak, std::abs(int(wav.samples[i])));
  return peak;
}

}  // namespace zd::test
