// Sound on the virtual clock: what is fed plays at the time it is fed, at the mix rate, with
// silence elsewhere, and a headless run keeps it as a WAV file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <vector>

#include "platform/audio/clocked_audio_output.h"
#include "support/test_media.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

// The recorded WAV file, which must be one and as long as its header says.
test::Wav ReadWav(const std::string& path) {
  test::Wav w = test::ReadWav(path);
  if (w.channels == 0) ADD_FAILURE() << path << " is not a WAV file";
  EXPECT_EQ(w.fileBytes, 44u + w.dataBytes);
  return w;
}

// A headless sound output over a clock the test moves.
struct Clocked {
  explicit Clocked(const std::string& wav = "") {
    std::string error;
    output = MakeRecordingAudioOutput([this] { return ms; }, wav, nullptr, error);
    EXPECT_TRUE(output) << error;
  }
  uint64_t ms = 0;
  std::unique_ptr<ClockedAudioOutput> output;
};

std::vector<int16_t> Constant(size_t frames, int channels, int16_t value) {
  return std::vector<int16_t>(frames * size_t(channels), value);
}

TEST(AudioOutput, FedSoundPlaysAtTheVirtualTimeItIsFedWithSilenceElsewhere) {
  test::TempDir dir;
  Clocked c(dir.File("run.wav"));
  AudioOutput& out = *c.output;
  // One second of nothing, then half a second of a mono 22,050 Hz stream at half volume.
  c.ms = 1000;
  const AudioStreamId voice = out.OpenStream({22050, 1, SampleFormat::Int16});
  ASSERT_NE(voice, 0);
  const auto samples = Constant(11025, 1, 16384);
  ASSERT_TRUE(out.Queue(voice, samples.data(), samples.size() * 2));
  EXPECT_EQ(out.QueuedFrames(voice), 11025u);
  c.ms = 1250;
  EXPECT_NEAR(double(out.QueuedFrames(voice)), 11025 / 2.0, 2) << "half played a quarter second on";
  EXPECT_NEAR(double(out.PlayedFrames(voice)), 11025 / 2.0, 2);
  c.ms = 2000;
  std::string error;
  ASSERT_TRUE(out.Finish(error)) << error;

  const test::Wav w = ReadWav(dir.File("run.wav"));
  EXPECT_EQ(w.rate, 44100u);
  EXPECT_EQ(w.channels, 2);
  EXPECT_EQ(w.bits, 16);
  EXPECT_EQ(w.riffBytes, w.dataBytes + 36);
  ASSERT_EQ(w.samples.size(), 2u * 88200) << "two seconds of the run, sample n at n/44100 s";
  const auto at = [&](size_t frame, int channel) { return w.samples[frame * 2 + size_t(channel)]; };
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(at(44099, 1), 0) << "silence before the sound was fed";
  EXPECT_NEAR(at(44100, 0), 16383, 2) << "mono plays on both sides";
  EXPECT_NEAR(at(44100 + 22049, 1), 16383, 2);
  EXPECT_EQ(at(44100 + 22060, 0), 0) << "silence after the half second fed";
  EXPECT_EQ(at(88199, 1), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1) << "no temporary file left beside it";
}

TEST(AudioOutput, StreamsMixPauseClearAndRefuseWhatTheyCannotTake) {
  Clocked c;
  AudioOutput& out = *c.output;
  EXPECT_EQ(out.OpenStream({0, 2, SampleFormat::Int16}), 0);
  EXPECT_EQ(out.OpenStream({44100, 9, SampleFormat::Int16}), 0);
  EXPECT_EQ(out.OpenStream({500000, 2, SampleFormat::Float32}), 0);
  const AudioStreamId a = out.OpenStream({44100, 2, SampleFormat::Float32});
  ASSERT_NE(a, 0);
  const float frame[2] = {0.5f, -0.5f};
  EXPECT_FALSE(out.Queue(a, frame, 6)) << "a partial frame";
  EXPECT_FALSE(out.Queue(a + 100, frame, 8)) << "no such stream";
  const std::vector<float> minute(44100 * 2 * 61, 0.0f);
  EXPECT_FALSE(out.Queue(a, minute.data(), minute.size() * 4)) << "more than a minute waiting";
  std::vector<float> second(44100 * 2, 0.25f);
  ASSERT_TRUE(out.Queue(a, second.data(), second.size() * 4));

  // Paused, nothing is played however far the clock moves; resumed, it plays on.
  out.Pause(a, true);
  c.ms = 500;
  EXPECT_EQ(out.QueuedFrames(a), 44100u);
  out.Pause(a, false);
  c.ms = 1000;
  EXPECT_EQ(out.QueuedFrames(a), 22050u);
  out.Clear(a);
  EXPECT_EQ(out.QueuedFrames(a), 0u);
  EXPECT_EQ(out.PlayedFrames(a), 22050u);
  out.CloseStream(a);
  EXPECT_FALSE(out.Queue(a, frame, 8)) << "closed";
}

TEST(AudioOutput, MixedStreamsAddUpClipAndPulledStreamsAreAskedAsTheClockMoves) {
  test::TempDir dir;
  Clocked c(dir.File("mix.wav"));
  AudioOutput& out = *c.output;
  const AudioStreamId a = out.OpenStream({44100, 2, SampleFormat::Int16});
  const AudioStreamId b = out.OpenStream({44100, 2, SampleFormat::Int16});
  const auto loud = Constant(4410, 2, 30000);
  out.Queue(a, loud.data(), loud.size() * 2);
  out.Queue(b, loud.data(), loud.size() * 2);
  // A pulled stream: asked for samples only when the mix reaches them, and a decoder's
  // garbage (not-a-number) plays as silence.
  std::vector<uint64_t> askedAt;
  const AudioStreamId pulled = out.OpenStream(
      {8000, 1, SampleFormat::Float32}, [&](void* samples, size_t frames) -> size_t {
        askedAt.push_back(c.ms);
        auto* f = static_cast<float*>(samples);
        for (size_t i = 0; i < frames; ++i) f[i] = askedAt.size() == 1 ? NAN : 0.0f;
        return frames;
      });
  ASSERT_NE(pulled, 0);
  EXPECT_TRUE(askedAt.empty());
  c.ms = 200;
  static_cast<ClockedAudioOutput&>(out).CatchUp();
  EXPECT_FALSE(askedAt.empty());
  EXPECT_EQ(askedAt.front(), 200u);
  std::string error;
  ASSERT_TRUE(out.Finish(error));
  const test::Wav w = ReadWav(dir.File("mix.wav"));
  ASSERT_EQ(w.samples.size(), 2u * 8820);
  EXPECT_EQ(w.samples[0], 32767) << "two loud streams clip at full scale";
  EXPECT_EQ(w.samples[2 * 4410 + 1], 0) << "the loud tenth of a second is over; NaN is silence";
}

TEST(AudioOutput, HeadlessRunWritesSilenceAsLongAsItsVirtualTimeAndRefusesBadFiles) {
  test::TempDir dir;
  const auto events = dir.Write("events", "wait 1500\n");
  auto r = test::RunPlayer({"--headless", "--events", events, "--trace", "--audio-out",
                            dir.File("quiet.wav")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("file written " + dir.File("quiet.wav")), std::string::npos) << r.err;
  const test::Wav w = ReadWav(dir.File("quiet.wav"));
  EXPECT_EQ(w.samples.size(), 2u * 66150) << "1.5 s of the run";
  for (int16_t s : w.samples) ASSERT_EQ(s, 0);

  // A folder that does not exist: a usage error before anything runs, and no file.
  r = test::RunPlayer({"--headless", "--events", events, "--audio-out", dir.File("no/such.wav")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--audio-out"), std::string::npos) << r.err;
  // A window plays its sound on the device, not into a file.
  r = test::RunPlayer({"--events", events, "--audio-out", dir.File("w.wav")});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("w.wav")));
}

}  // namespace
}  // namespace zd::platform
