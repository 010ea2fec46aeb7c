// Movies and sound files played through FFmpeg on a clock the test moves: the frame shown at a
// time, the sound that reaches the mix and when, and the files that are refused. The movies
// and sounds are made by the ffmpeg tool when a test asks for them; the real files come from
// the shared test data when it is there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/clocked_audio_output.h"
#include "platform/media/media_player.h"
#include "support/test_media.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

// ---- Making media files -------------------------------------------------------------------

std::string ColourSource(const std::string& colour, int width, int height) {
  return "color=c=" + colour + ":s=" + std::to_string(width) + "x" + std::to_string(height) +
         ":r=10:d=1";
}

// Half a second of silence, then half a second of a 1 kHz tone.
const char* kLateTone = "anullsrc=r=44100:cl=mono:d=0.5[s];sine=f=1000:r=44100:d=0.5[t];"
                        "[s][t]concat=n=2:v=0:a=1[a]";

// The files, each made the first time a test asks for it, in one folder for the whole run.
class MediaFiles {
 public:
  static MediaFiles& Get() {
    static MediaFiles files;
    return files;
  }

  // The path of `name`, made if need be; empty when ffmpeg is missing or failed.
  std::string Path(const std::string& name) {
    auto found = made_.find(name);
    if (found != made_.end()) return found->second;
    const std::string path = dir_.File(name);
    const bool ok = Make(name, path);
    return made_[name] = ok ? path : std::string();
  }

 private:
  bool Make(const std::string& name, const std::string& path) {
    // Cinepak 160 x 120 at 10 frames a second: red, then green from 1 s, then blue from 2 s.
    const std::vector<std::string> colours = {
        "-f", "lavfi", "-i", ColourSource("red", 160, 120), "-f", "lavfi", "-i",
        ColourSource("lime", 160, 120), "-f", "lavfi", "-i", ColourSource("blue", 160, 120)};
    const std::vector<std::string> joined = {
        "-filter_complex", "[0:v][1:v][2:v]concat=n=3:v=1:a=0[v]", "-map", "[v]"};
    if (name == "colours.mov") {
      auto args = colours;
      args.insert(args.end(), joined.begin(), joined.end());
      args.insert(args.end(), {"-c:v", "cinepak", path});
      return test::RunFfmpeg(args);
    }
    if (name == "tone.wav") {
      return test::RunFfmpeg({"-f", "lavfi", "-i", "anullsrc", "-filter_complex", kLateTone, "-map",
                        "[a]", "-c:a", "pcm_s16le", path});
    }
    if (name == "tone-pcm.mov" || name == "tone-ima4.mov") {
      return test::RunFfmpeg({"-f", "lavfi", "-i", "anullsrc", "-filter_complex", kLateTone, "-map",
                        "[a]", "-ar", "22050", "-c:a",
                        name == "tone-pcm.mov" ? "pcm_s16be" : "adpcm_ima_qt", path});
    }
    if (name == "both.mov") {
      // The colours, with the tone sounding only while the picture is green.
      auto args = colours;
      args.insert(args.end(), {"-f", "lavfi", "-i",
                               "sine=f=1000:r=22050:d=1,adelay=1000,apad=whole_dur=3"});
      args.insert(args.end(), joined.begin(), joined.end());
      args.insert(args.end(), {"-map", "3:a", "-c:v", "cinepak", "-c:a", "adpcm_ima_qt", path});
      return test::RunFfmpeg(args);
    }
    if (name == "cinepak-320.mov") {
      return test::RunFfmpeg({"-f", "lavfi", "-i", "testsrc=s=320x240:r=15:d=2", "-c:v", "cinepak",
                        path});
    }
    // colours.mov with its codec's name changed to one nobody knows, and with a sound track.
    if (name == "unknown-codec.mov") {
      const std::string source = Path("tone-pcm.mov"), picture = Path("colours.mov");
      if (source.empty() || picture.empty()) return false;
      const std::string both = dir_.File("unknown-codec-source.mov");
      if (!test::RunFfmpeg({"-i", picture, "-i", source, "-map", "0:v", "-map", "1:a", "-c", "copy",
                      both})) {
        return false;
      }
      std::string bytes = test::ReadFile(both);
      const size_t at = bytes.find("cvid");
      if (at == std::string::npos) return false;
      bytes.replace(at, 4, "zzzz");
      return WriteBytes(path, bytes);
    }
    // colours.mov cut in half: its movie atom, written last, is gone.
    if (name == "cut.mov") {
      const std::string whole = Path("colours.mov");
      if (whole.empty()) return false;
      const std::string bytes = test::ReadFile(whole);
      return WriteBytes(path, bytes.substr(0, bytes.size() / 2));
    }
    return false;
  }

  static bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return bool(out);
  }

  test::TempDir dir_;
  std::map<std::string, std::string> made_;
};

#define REQUIRE_FILE(var, name)                          \
  const std::string var = MediaFiles::Get().Path(name);  \
  if (var.empty()) GTEST_SKIP() << "ffmpeg is not on PATH, or could not make " << (name)

std::string SharedMedia() {
  const std::string dir = std::string(ZD_TESTDATA_DIR) + "/media";
  return std::filesystem::is_directory(dir) ? dir : std::string();
}

// ---- Playing ------------------------------------------------------------------------------

// A library over a headless sound output whose clock is the test's `ms`, recording the mix.
struct Bench {
  explicit Bench(const std::string& wavPath = "") {
    std::string error;
    audio = MakeRecordingAudioOutput([this] { return ms; }, wavPath, nullptr, error);
    EXPECT_TRUE(audio) << error;
    library = MakeFfmpegMediaLibrary(*audio);
  }
  std::unique_ptr<MediaPlayer> Open(const std::string& path) {
    std::string error;
    auto player = library->Open(path, error);
    EXPECT_TRUE(player) << error;
    return player;
  }
  // Moves the clock to `until` in steps of 10 ms, updating `player` at each, as the main loop.
  void RunTo(MediaPlayer& player, uint64_t until) {
    while (ms < until) {
      ms = std::min(ms + 10, until);
      player.Update(uint32_t(ms));
    }
  }
  // Ends the recording and gives its left channel.
  std::vector<int16_t> Recording(const std::string& wavPath) {
    std::string error;
    EXPECT_TRUE(audio->Finish(error)) << error;
    const test::Wav wav = test::ReadWav(wavPath);
    std::vector<int16_t> left;
    for (size_t at = 0; wav.channels == 2 && at + 1 < wav.samples.size(); at += 2) {
      left.push_back(wav.samples[at]);
    }
    return left;
  }

  uint64_t ms = 0;
  std::unique_ptr<ClockedAudioOutput> audio;
  std::unique_ptr<MediaLibrary> library;
};

// Root mean square of the left channel between two times of the run (ms).
double Loudness(const std::vector<int16_t>& left, double fromMs, double toMs) {
  const size_t from = size_t(fromMs * 44.1), to = std::min(left.size(), size_t(toMs * 44.1));
  if (from >= to) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(left[i]) * left[i];
  return std::sqrt(sum / double(to - from));
}

// The tone made above has an RMS of about 2,900; silence is 0 (and ADPCM's nearly so).
void ExpectLoud(const std::vector<int16_t>& left, double fromMs, double toMs) {
  EXPECT_GT(Loudness(left, fromMs, toMs), 1500) << "tone between " << fromMs << " and " << toMs;
}
void ExpectSilent(const std::vector<int16_t>& left, double fromMs, double toMs) {
  EXPECT_LT(Loudness(left, fromMs, toMs), 100) << "silence between " << fromMs << " and " << toMs;
}

size_t FirstSoundAfter(const std::vector<int16_t>& left, size_t from) {
  for (size_t i = from; i < left.size(); ++i) {
    if (std::abs(left[i]) > 8) return i;
  }
  return left.size();
}

enum class Colour { None, Red, Green, Blue, Other };

Colour CentreColour(const MediaPlayer& player) {
  const auto frame = player.CurrentFrame();
  if (!frame) return Colour::None;
  const uint8_t* p = frame->rgb + (frame->height / 2) * frame->pitch + (frame->width / 2) * 3;
  const int r = p[0], g = p[1], b = p[2];
  if (r > 180 && g < 80 && b < 80) return Colour::Red;
  if (g > 180 && r < 80 && b < 80) return Colour::Green;
  if (b > 180 && r < 80 && g < 80) return Colour::Blue;
  return Colour::Other;
}

// ---- Tests --------------------------------------------------------------------------------

TEST(MediaPlayer, MovieShowsTheFrameOfEachTimeAndKeepsToItsClock) {
  REQUIRE_FILE(path, "colours.mov");
  Bench bench;
  auto player = bench.Open(path);
  ASSERT_TRUE(player);
  const MediaInfo& info = player->Info();
  EXPECT_EQ(info.width, 160);
  EXPECT_EQ(info.height, 120);
  EXPECT_EQ(info.timeScale, 1000u);
  EXPECT_EQ(info.duration, 3000);
  EXPECT_TRUE(info.hasVideo);
  EXPECT_FALSE(info.hasSound);
  EXPECT_EQ(info.problem, "");

  EXPECT_FALSE(player->CurrentFrame()) << "nothing decoded before the first Update";
  player->Update(500);
  EXPECT_EQ(CentreColour(*player), Colour::Red);
  const uint64_t firstSerial = player->FrameSerial();

  // Playing from tick 1000: each colour from its first frame's time to just before the next.
  player->Play(1000);
  EXPECT_TRUE(player->Playing());
  bench.ms = 1000;
  bench.RunTo(*player, 1999);
  EXPECT_EQ(player->CurrentTime(1999), 999);
  EXPECT_EQ(CentreColour(*player), Colour::Red);
  player->Update(2000);
  EXPECT_EQ(player->CurrentTime(2000), 1000);
  EXPECT_EQ(CentreColour(*player), Colour::Green);
  EXPECT_GT(player->FrameSerial(), firstSerial);
  player->Update(3999);
  EXPECT_EQ(CentreColour(*player), Colour::Blue);
  EXPECT_FALSE(player->AtEnd(3999));

  // The end: time stands at the duration, the last frame stays, it still counts as playing.
  player->Update(4500);
  EXPECT_EQ(player->CurrentTime(4500), 3000);
  EXPECT_TRUE(player->AtEnd(4500));
  EXPECT_TRUE(player->Playing());
  EXPECT_EQ(CentreColour(*player), Colour::Blue);
  const uint64_t endSerial = player->FrameSerial();
  player->Update(4600);
  EXPECT_EQ(player->FrameSerial(), endSerial) << "the same picture is not a new frame";
  // Playing at the end of a range that does not loop changes nothing.
  player->Stop(4600);
  player->Play(4700);
  EXPECT_FALSE(player->Playing());

  // Back in time (a seek to a key frame and decoding forward), and stopping: time stays.
  player->Seek(500, 5000);
  player->Update(5000);
  EXPECT_EQ(CentreColour(*player), Colour::Red);
  player->Seek(1500, 5000);
  player->Play(5000);
  player->Update(5300);
  EXPECT_EQ(player->CurrentTime(5300), 1800);
  player->Stop(5300);
  EXPECT_FALSE(player->Playing());
  EXPECT_EQ(player->CurrentTime(9000), 1800);
  player->Update(9000);
  EXPECT_EQ(CentreColour(*player), Colour::Green);
  player->Seek(99999, 9000);
  EXPECT_EQ(player->CurrentTime(9000), 3000) << "seeks are clamped to the duration";
  player->Seek(-5, 9000);
  EXPECT_EQ(player->CurrentTime(9000), 0);
}

TEST(MediaPlayer, LoopingRangesAndTimeBasesCountAsTheCallerSays) {
  REQUIRE_FILE(path, "colours.mov");
  Bench bench;
  auto player = bench.Open(path);
  ASSERT_TRUE(player);

  // Looping goes round from the end to the start; the frame follows.
  player->SetLooping(true);
  player->Seek(2500, 0);
  player->Play(0);
  player->Update(400);
  EXPECT_EQ(CentreColour(*player), Colour::Blue);
  player->Update(600);
  EXPECT_EQ(player->CurrentTime(600), 100);
  EXPECT_EQ(CentreColour(*player), Colour::Red);
  EXPECT_FALSE(player->AtEnd(600));
  EXPECT_EQ(player->CurrentTime(600 + 3000 * 7), 100) << "seven more times round";

  // A play range: it stops at its end, or goes back to its start when looping.
  player->SetPlayRange(1200, 2200);
  player->Seek(1200, 1000);
  player->Update(1000);
  EXPECT_EQ(CentreColour(*player), Colour::Green);
  player->Update(2100);  // 1200 + 1100 = 2300, round to 1300
  EXPECT_EQ(player->CurrentTime(2100), 1300);
  EXPECT_EQ(CentreColour(*player), Colour::Green);
  player->SetLooping(false);
  player->Update(3500);
  EXPECT_EQ(player->CurrentTime(3500), 2200);
  EXPECT_TRUE(player->AtEnd(3500));
  EXPECT_EQ(CentreColour(*player), Colour::Blue);
  player->SetPlayRange(2500, 1000);  // an end before its start is the start
  EXPECT_EQ(player->CurrentTime(3500), 2500) << "a position outside the range moves into it";
  EXPECT_TRUE(player->AtEnd(3500));

  // A QuickTime movie's own time scale (600 a second, 3 seconds long): the position is kept
  // in seconds and frames change at the same moments, compared exactly.
  player->Stop(3500);
  player->SetTimeBase(600, 1800);
  EXPECT_EQ(player->Info().timeScale, 600u);
  EXPECT_EQ(player->Info().duration, 1800);
  EXPECT_EQ(player->CurrentTime(3500), 1500);
  player->Seek(599, 3500);
  player->Update(3500);
  EXPECT_EQ(CentreColour(*player), Colour::Red);
  player->Seek(600, 3500);
  player->Update(3500);
  EXPECT_EQ(CentreColour(*player), Colour::Green);
  player->Play(4000);
  EXPECT_EQ(player->CurrentTime(4500), 900);

  // Time scales up to 2^31 and lengths of 2^40 units, and a tick count that wraps around.
  const uint32_t hugeScale = 0x80000000u;
  const int64_t longest = int64_t(1) << 40;
  player->SetTimeBase(hugeScale, longest);
  player->Seek(0, 0xFFFFFF00u);
  EXPECT_EQ(player->CurrentTime(0x100), int64_t(hugeScale) / 1000 * 512 +
                                            int64_t(hugeScale) % 1000 * 512 / 1000);
  EXPECT_EQ(player->CurrentTime(0xFFFFFF00u + 600000), longest) << "ten minutes is past 2^40";
  EXPECT_TRUE(player->AtEnd(0xFFFFFF00u + 600000));
}

TEST(MediaPlayer, SoundReachesTheMixAtTheMovieTimeItBelongsTo) {
  REQUIRE_FILE(path, "tone.wav");
  test::TempDir dir;
  const std::string wav = dir.File("mix.wav");
  Bench bench(wav);
  auto player = bench.Open(path);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->Info().hasSound);
  EXPECT_FALSE(player->Info().hasVideo);
  EXPECT_EQ(player->Info().duration, 1000);
  EXPECT_FALSE(player->CurrentFrame());

  // From movie time 250 at tick 100: the tone, which starts at movie time 500, starts at
  // tick 350 to the sample. Stopped at tick 500 (movie 650) until tick 800.
  bench.ms = 100;
  player->Seek(250, 100);
  player->Play(100);
  bench.RunTo(*player, 500);
  player->Stop(500);
  bench.RunTo(*player, 800);
  player->Play(800);
  // On at movie 650 to its end (1000), from tick 800 to 1150; then a seek back to 600 at
  // tick 1300 with the sound turned off at 1400 (movie 700) and on at 1500 (movie 800).
  bench.RunTo(*player, 1300);
  EXPECT_TRUE(player->AtEnd(1300));
  player->Stop(1300);
  player->Seek(600, 1300);
  player->Play(1300);
  bench.RunTo(*player, 1400);
  player->SetSoundEnabled(false);
  bench.RunTo(*player, 1500);
  player->SetSoundEnabled(true);
  bench.RunTo(*player, 2000);
  const auto left = bench.Recording(wav);

  const size_t onset = FirstSoundAfter(left, 0);
  EXPECT_GE(onset, size_t(350 * 44.1));
  EXPECT_LE(onset, size_t(350 * 44.1) + 2) << "the tone's first sample rises from 0";
  ExpectSilent(left, 0, 349);
  ExpectLoud(left, 352, 500);
  ExpectSilent(left, 502, 798);
  ExpectLoud(left, 802, 1148);
  ExpectSilent(left, 1152, 1298);
  ExpectLoud(left, 1302, 1398);
  ExpectSilent(left, 1402, 1498);
  ExpectLoud(left, 1502, 1698);
  ExpectSilent(left, 1702, 2000);
}

TEST(MediaPlayer, SoundLoopsAndStopsWithItsRange) {
  test::TempDir dir;
  for (const char* name : {"tone.wav", "tone-pcm.mov", "tone-ima4.mov"}) {
    SCOPED_TRACE(name);
    REQUIRE_FILE(path, name);
    const std::string wav = dir.File(std::string(name) + ".wav");
    Bench bench(wav);
    auto player = bench.Open(path);
    ASSERT_TRUE(player);
    // IMA ADPCM comes in blocks of 64 samples: the last one runs past the second.
    EXPECT_NEAR(double(player->Info().duration), 1000, 3);
    // Round twice (ticks 0 to 2000: tone from 500 to 1000 and 1500 to 2000), then a range
    // that ends at 750 without looping.
    player->SetPlayRange(0, 1000);
    player->SetLooping(true);
    player->Play(0);
    bench.RunTo(*player, 2000);
    EXPECT_EQ(player->CurrentTime(2000), 0);
    player->SetLooping(false);
    player->SetPlayRange(0, 750);
    bench.RunTo(*player, 3000);
    EXPECT_TRUE(player->AtEnd(3000));
    const auto left = bench.Recording(wav);
    ExpectSilent(left, 0, 495);
    ExpectLoud(left, 505, 995);
    ExpectSilent(left, 1005, 1495);
    ExpectLoud(left, 1505, 1995);
    ExpectSilent(left, 2005, 2495);
    ExpectLoud(left, 2505, 2745);
    ExpectSilent(left, 2755, 3000);
  }
}

TEST(MediaPlayer, MovieSoundAndPictureKeepTogether) {
  REQUIRE_FILE(path, "both.mov");
  test::TempDir dir;
  const std::string wav = dir.File("mix.wav");
  Bench bench(wav);
  auto player = bench.Open(path);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->Info().hasVideo);
  EXPECT_TRUE(player->Info().hasSound);
  EXPECT_NEAR(double(player->Info().duration), 3000, 3);  // the sound's last ADPCM block
  player->Play(0);
  std::vector<Colour> seen;
  while (bench.ms < 3000) {
    bench.RunTo(*player, bench.ms + 100);
    seen.push_back(CentreColour(*player));
  }
  const auto left = bench.Recording(wav);
  for (size_t i = 0; i < seen.size(); ++i) {
    const double at = double(i + 1) * 100;  // the frame shown at this tick
    const Colour expected = at < 1000 ? Colour::Red : at < 2000 ? Colour::Green : Colour::Blue;
    EXPECT_EQ(seen[i], expected) << at;
  }
  ExpectSilent(left, 0, 990);
  ExpectLoud(left, 1010, 1990);
  ExpectSilent(left, 2010, 3000);
}

TEST(MediaPlayer, FilesThatCannotBePlayedAreRefusedWithAReason) {
  test::TempDir dir;
  Bench bench;
  std::string error;
  EXPECT_FALSE(bench.library->Open(dir.File("missing.mov"), error));
  EXPECT_NE(error.find("cannot open"), std::string::npos) << error;

  error.clear();
  const std::string text = dir.Write("notes.mov", "These are not the frames you are looking for.\n");
  EXPECT_FALSE(bench.library->Open(text, error));
  EXPECT_NE(error.find("not a movie or sound file"), std::string::npos) << error;

  error.clear();
  EXPECT_FALSE(bench.library->Open(dir.path(), error)) << "a folder";
  EXPECT_FALSE(error.empty());

  // A WAV file saying its sound has 2 samples a second (each would become 22,050 in the mix):
  // the track is there but not played.
  std::string wav = "RIFF" + std::string(4, '\0') + "WAVEfmt " + std::string("\x10\0\0\0", 4) +
                    std::string("\x01\0\x01\0", 4) + std::string("\x02\0\0\0", 4) +
                    std::string("\x04\0\0\0", 4) + std::string("\x02\0\x10\0", 4) + "data" +
                    std::string("\0\x20\0\0", 4) + std::string(8192, '\x40');
  error.clear();
  auto slow = bench.library->Open(dir.Write("slow.wav", wav), error);
  ASSERT_TRUE(slow) << error;
  EXPECT_FALSE(slow->Info().hasSound);
  EXPECT_EQ(slow->Info().problem, "the sound track's rate (2 samples a second) cannot be played");

  REQUIRE_FILE(cut, "cut.mov");
  error.clear();
  EXPECT_FALSE(bench.library->Open(cut, error));
  EXPECT_NE(error.find("cut.mov"), std::string::npos) << error;

  // A codec FFmpeg does not know: the file plays without that track, saying why.
  REQUIRE_FILE(unknown, "unknown-codec.mov");
  error.clear();
  auto player = bench.library->Open(unknown, error);
  ASSERT_TRUE(player) << error;
  EXPECT_FALSE(player->Info().hasVideo);
  EXPECT_TRUE(player->Info().hasSound);
  EXPECT_EQ(player->Info().problem, "the video track's codec (\"zzzz\") cannot be decoded");
  player->Play(0);
  player->Update(500);
  EXPECT_FALSE(player->CurrentFrame());
  EXPECT_EQ(player->CurrentTime(500), 500);

  const std::string shared = SharedMedia();
  if (shared.empty()) GTEST_SKIP() << "no shared test data";
  error.clear();
  EXPECT_FALSE(bench.library->Open(shared + "/truncated-moov.mov", error));
  EXPECT_NE(error.find("truncated-moov.mov"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(bench.library->Open(shared + "/two-tracks.mid", error));
  EXPECT_NE(error.find("MIDI"), std::string::npos) << error;
}

// Every real file of the shared test data: opened (or refused, for the two made to be), a
// second of it played, and its first frame found again after going back to the start.
TEST(MediaPlayer, RealFilesPlay) {
  const std::string shared = SharedMedia();
  if (shared.empty()) GTEST_SKIP() << "no shared test data";
  test::TempDir dir;
  int played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(shared)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".md") continue;
    SCOPED_TRACE(name);
    const std::string wav = dir.File(name + ".wav");
    Bench bench(wav);
    std::string error;
    auto player = bench.library->Open(entry.path().string(), error);
    if (name == "truncated-moov.mov" || name == "two-tracks.mid") {
      EXPECT_FALSE(player);
      continue;
    }
    ASSERT_TRUE(player) << error;
    const MediaInfo info = player->Info();
    EXPECT_TRUE(info.hasVideo || info.hasSound) << info.problem;
    EXPECT_GT(info.duration, 0);
    player->Play(0);
    bench.RunTo(*player, 1000);
    EXPECT_EQ(player->CurrentTime(1000), std::min<int64_t>(1000, info.duration));
    if (info.hasVideo) {
      // The picture reached by playing is the one reached by seeking there from the start
      // (delta frames decoded from their key frame), and the first comes back after it.
      ASSERT_TRUE(player->CurrentFrame());
      EXPECT_EQ(player->CurrentFrame()->width, info.width);
      auto pixels = [&] {
        const MediaFrame f = *player->CurrentFrame();
        return std::vector<uint8_t>(f.rgb, f.rgb + f.pitch * f.height);
      };
      const int64_t reached = player->CurrentTime(1000);
      const std::vector<uint8_t> playedPixels = pixels();
      player->Stop(1000);
      player->Seek(0, 1000);
      player->Update(1000);
      const std::vector<uint8_t> firstPixels = pixels();
      player->Seek(reached, 1000);
      player->Update(1000);
      EXPECT_EQ(pixels(), playedPixels);
      player->Seek(0, 1000);
      player->Update(1000);
      EXPECT_EQ(pixels(), firstPixels);
    }
    // The sound reached the mix (the AVI's 42 ms begin with silence).
    const auto left = bench.Recording(wav);
    if (info.hasSound && info.duration >= 500) {
      EXPECT_GT(Loudness(left, 0, 1000), 10);
    }
    ++played;
  }
  EXPECT_GE(played, 9);
}

}  // namespace
}  // namespace zd::platform
