// Movies and sound: a 320 x 240 Cinepak movie decoded and presented as the main loop plays it,
// ten sound clips playing at once into the mix, and the time from opening a movie to its first
// frame. The media are made with the ffmpeg tool when the benchmark starts (in a temporary
// folder); everything plays on a virtual clock, so the figures are CPU time only.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/clocked_audio_output.h"
#include "platform/media/media_player.h"

extern char** environ;

namespace {

using zd::platform::ClockedAudioOutput;
using zd::platform::MakeFfmpegMediaLibrary;
using zd::platform::MediaLibrary;
using zd::platform::MediaPlayer;

bool RunFfmpeg(std::vector<std::string> args) {
  args.insert(args.begin(), {"ffmpeg", "-y", "-nostdin", "-loglevel", "error"});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// The media, made once for all benchmarks; empty paths when ffmpeg is missing.
struct BenchMedia {
  BenchMedia() {
    char pattern[] = "/tmp/zd-media-bench-XXXXXX";
    if (!mkdtemp(pattern)) return;
    dir = pattern;
    // Ten seconds of a moving test picture at 15 frames a second: Cinepak's encoder is slow,
    // so two seconds are encoded and repeated five times.
    const std::string part = dir + "/part.mov";
    if (RunFfmpeg({"-f", "lavfi", "-i", "testsrc=s=320x240:r=15:d=2", "-c:v", "cinepak", part}) &&
        RunFfmpeg({"-stream_loop", "4", "-i", part, "-c", "copy", dir + "/movie.mov"})) {
      movie = dir + "/movie.mov";
    }
    // The same with a 22,050 Hz IMA ADPCM sound track, as movies of the period had.
    if (!movie.empty() &&
        RunFfmpeg({"-i", movie, "-f", "lavfi", "-i", "sine=f=440:r=22050:d=10", "-c:v", "copy",
                   "-c:a", "adpcm_ima_qt", dir + "/movie-sound.mov"})) {
      movieWithSound = dir + "/movie-sound.mov";
    }
    // Sound clips of ten seconds: 11,025 Hz 8-bit WAV and 22,050 Hz IMA ADPCM QuickTime.
    if (RunFfmpeg({"-f", "lavfi", "-i", "sine=f=330:r=11025:d=10", "-c:a", "pcm_u8",
                   dir + "/clip.wav"}) &&
        RunFfmpeg({"-f", "lavfi", "-i", "sine=f=550:r=22050:d=10", "-c:a", "adpcm_ima_qt",
                   dir + "/clip.mov"})) {
      clips = {dir + "/clip.wav", dir + "/clip.mov"};
    }
  }
  ~BenchMedia() {
    std::error_code ignored;
    if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
  }
  std::string dir, movie, movieWithSound;
  std::vector<std::string> clips;
};

BenchMedia& Media() {
  static BenchMedia media;
  return media;
}

// A sound output on a clock the benchmark moves, mixing into nothing kept.
struct Clocked {
  Clocked()
      : audio([this] { return ms; }, nullptr, nullptr), library(MakeFfmpegMediaLibrary(audio)) {}
  std::unique_ptr<MediaPlayer> Open(const std::string& path) {
    std::string error;
    return library->Open(path, error);
  }
  uint64_t ms = 0;
  ClockedAudioOutput audio;
  std::unique_ptr<MediaLibrary> library;
};

// The whole movie played from its start with an Update every 10 ms, each new frame copied out
// as a presenter copies it into the window's picture. The rate counter is seconds of movie a
// second of CPU time: how many times faster than real time.
void BM_PlayCinepak320x240(benchmark::State& state) {
  const std::string& path = Media().movie;
  if (path.empty()) {
    state.SkipWithError("ffmpeg could not make the movie");
    return;
  }
  std::vector<uint8_t> presented(320 * 240 * 3);
  int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Clocked c;
    auto player = c.Open(path);
    if (!player) {
      state.SkipWithError("the movie did not open");
      return;
    }
    state.ResumeTiming();
    player->Play(0);
    uint64_t serial = 0;
    for (c.ms = 0; c.ms <= 10000; c.ms += 10) {
      player->Update(uint32_t(c.ms));
      if (player->FrameSerial() != serial) {
        serial = player->FrameSerial();
        const auto frame = *player->CurrentFrame();
        for (int y = 0; y < frame.height; ++y) {
          std::memcpy(presented.data() + y * frame.width * 3, frame.rgb + y * frame.pitch,
                      size_t(frame.width) * 3);
        }
        ++frames;
      }
    }
    benchmark::DoNotOptimize(presented.data());
    state.PauseTiming();
    player.reset();
    state.ResumeTiming();
  }
  state.counters["x_real_time"] = benchmark::Counter(10.0 * double(state.iterations()),
                                                     benchmark::Counter::kIsRate);
  state.counters["frames"] = double(frames) / double(state.iterations());
}
BENCHMARK(BM_PlayCinepak320x240)->Unit(benchmark::kMillisecond);

// Ten looping sound clips (five 8-bit WAV, five IMA ADPCM QuickTime) playing at once, each
// updated every 10 ms, the mix made as the clock moves. One iteration is a second of sound;
// the counter is the share of one core that takes, in per cent.
void BM_TenSoundClipsMixed(benchmark::State& state) {
  if (Media().clips.empty()) {
    state.SkipWithError("ffmpeg could not make the clips");
    return;
  }
  Clocked c;
  std::vector<std::unique_ptr<MediaPlayer>> players;
  for (int i = 0; i < 10; ++i) {
    players.push_back(c.Open(Media().clips[i % 2]));
    if (!players.back()) {
      state.SkipWithError("a clip did not open");
      return;
    }
    players.back()->SetLooping(true);
    players.back()->Seek(i * 700, 0);  // each at another place in its clip
    players.back()->Play(0);
  }
  for (auto _ : state) {
    const uint64_t end = c.ms + 1000;
    while (c.ms < end) {
      c.ms += 10;
      for (auto& player : players) player->Update(uint32_t(c.ms));
    }
  }
  state.counters["core_percent"] = benchmark::Counter(
      double(state.iterations()) / 100.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TenSoundClipsMixed)->Unit(benchmark::kMillisecond);

// Open, the QuickTime time base, Play and Updates until the first frame is there, for the
// movie with sound (whose file is opened twice: once for the picture, once for the sound).
void BM_StartToFirstFrame(benchmark::State& state) {
  const std::string& path = Media().movieWithSound;
  if (path.empty()) {
    state.SkipWithError("ffmpeg could not make the movie");
    return;
  }
  Clocked c;
  for (auto _ : state) {
    auto player = c.Open(path);
    if (!player) {
      state.SkipWithError("the movie did not open");
      return;
    }
    player->SetTimeBase(600, 6000);
    player->Play(uint32_t(c.ms));
    while (!player->CurrentFrame()) {
      player->Update(uint32_t(c.ms));
      if (!player->CurrentFrame()) c.ms += 10;
    }
    benchmark::DoNotOptimize(player->CurrentFrame()->rgb);
    state.PauseTiming();
    player.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
