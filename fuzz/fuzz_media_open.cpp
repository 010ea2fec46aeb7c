// Media files through FFmpeg: the bytes written to a scratch file and opened as a title's
// movie would be; when they open, a few hundred milliseconds played on a virtual clock (the
// sound into a mix that keeps nothing), a seek to the middle and back to the start, looping,
// and every byte of the frame shown read. Each input gets at most a second of real time, so
// that a slow codec is reported as slow by libFuzzer's own -timeout, never as a hang here.
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/audio/clocked_audio_output.h"
#include "platform/media/media_player.h"

namespace {

// Sums the frame's pixels, so that a frame shorter than it says is read past its end.
unsigned Touch(const zd::platform::MediaPlayer& player) {
  const auto frame = player.CurrentFrame();
  if (!frame) return 0;
  unsigned sum = 0;
  for (int y = 0; y < frame->height; ++y) {
    const uint8_t* row = frame->rgb + size_t(y) * size_t(frame->pitch);
    for (int x = 0; x < frame->width * 3; ++x) sum += row[x];
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  struct ScratchFile {
    std::string path = "/tmp/zd-fuzz-media-" + std::to_string(::getpid()) + ".mov";
    ~ScratchFile() { std::remove(path.c_str()); }
  };
  static const ScratchFile scratch;
  std::FILE* f = std::fopen(scratch.path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  uint64_t ms = 0;
  zd::platform::ClockedAudioOutput audio([&ms] { return ms; }, nullptr, nullptr);
  const auto library = zd::platform::MakeFfmpegMediaLibrary(audio);
  std::string error;
  auto player = library->Open(scratch.path, error);
  if (!player) return 0;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  auto inTime = [&] { return std::chrono::steady_clock::now() < deadline; };
  const int64_t duration = player->Info().duration;
  volatile unsigned sink = 0;
  player->SetLooping(size % 2 == 1);
  player->Play(0);
  for (ms = 10; ms <= 300 && inTime(); ms += 10) player->Update(uint32_t(ms));
  sink = sink + Touch(*player);
  player->Seek(duration / 2, uint32_t(ms));
  player->Update(uint32_t(ms));
  // A QuickTime movie's own time base, then back to the start, sound off and on.
  player->SetTimeBase(600, duration * 600 / 1000);
  player->Seek(0, uint32_t(ms));
  player->SetSoundEnabled(false);
  for (int i = 0; i < 5 && inTime(); ++i, ms += 10) player->Update(uint32_t(ms));
  player->SetSoundEnabled(true);
  for (int i = 0; i < 5 && inTime(); ++i, ms += 10) player->Update(uint32_t(ms));
  sink = sink + Touch(*player);
  player->Stop(uint32_t(ms));
  player.reset();
  audio.Finish(error);
  return 0;
}
