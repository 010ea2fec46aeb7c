// Sound clips driven by scripts: what is heard and when (in the run's recorded sound), the
// sound switch, clips giving way to a page movie, positions, and the commands' reports.
#include <gtest/gtest.h>

#include <filesystem>

#include "movie/movie_title.h"

namespace zd {
namespace {

using test::Has;
using test::PeakBetween;

constexpr int kLoud = 4000;  // a 1 kHz tone at full scale peaks near 32767

class SoundClips : public testing::Test {
 protected:
  void SetUp() override {
    if (test::FfmpegTool().empty()) GTEST_SKIP() << "the ffmpeg tool is not installed";
    ASSERT_TRUE(test::MakeTone(media_.File("tone.wav"), 1000, 3000));
    ASSERT_TRUE(test::MakeColourMovie(media_.File("colours.mov"), {"red", "blue"}, 500));
  }

  // A page of 10 s whose objects are given, with the tone and the movie in its movie folder.
  std::string Title(const std::string& objects) {
    return R"({"pages": [{"name": "Show", "time": 1000, "objects": [)" + objects + R"(]}],
      "resources": [{"dir": 1, "number": 1, "text": "colours\n"}],
      "movies": [)" + test::PlacedMovie(media_, "tone.wav", "movies/qtime/tone.wav") + ", " +
           test::PlacedMovie(media_, "colours.mov", "movies/qtime/colours.mov") + R"(],
      "sections": [{"name": "Root", "page": "Show"}]})";
  }
  static std::string Script(const std::string& name, int delay, std::string text) {
    std::string escaped;
    for (char c : text) escaped += c == '\n' ? std::string("\\n") : c == '"' ? std::string("\\\"") : std::string(1, c);
    text = escaped;
    return R"({"name": ")" + name + R"(", "type": "text", "flags": ["visible", "timed"],
               "showDelay": )" + std::to_string(delay) + R"(, "text": ")" + text + R"("})";
  }

  test::TempDir media_, work_;
};

TEST_F(SoundClips, ThePlayRangeAndTheSoundSwitchDecideWhatIsHeard) {
  // The page starts within a few ticks; the clip plays 0.0-1.5 s of the tone, muted from 0.4 s
  // to 0.8 s (5 counting as on again).
  const auto run = test::PlayMovieTitle(
      Title(R"({"name": "+Start", "type": "text",
                "text": "openaudio 0, \"tone.wav\"\nplaymovie 0, -1, 150, 0\n"},)" +
            Script("+Mute", 40, "set Sound%, 0\nset heard%, Sound%") + "," +
            Script("+Unmute", 80, "set Sound%, 5\nset back%, Sound%") + "," +
            Script("+Pos", 100, "getmoviepos at%, 0")),
      "wait 2500\nexpect var heard% 0\nexpect var back% 1\n", work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  ASSERT_EQ(run.sound.rate, 44100u);
  EXPECT_GT(PeakBetween(run.sound, 60, 380), kLoud);
  EXPECT_EQ(PeakBetween(run.sound, 440, 780), 0) << "muted";
  EXPECT_GT(PeakBetween(run.sound, 840, 1480), kLoud);
  EXPECT_EQ(PeakBetween(run.sound, 1560, 2400), 0) << "the clip stops at its end position";
  EXPECT_TRUE(Has(run.trace, "clip open 0 ")) << run.trace;
  EXPECT_TRUE(Has(run.trace, "clip play 0 -1 150"));
  EXPECT_TRUE(Has(run.trace, "sound off"));
}

TEST_F(SoundClips, AClipGivesWayToAPageMovieAndPlaysOnWhenItHasGone) {
  // The movie shows at 0.5 s for its 1 s; its hide delay of 0 closes it when it ends.
  const auto run = test::PlayMovieTitle(
      Title(R"({"name": "+Start", "type": "text",
                "text": "openaudio 3, \"tone.wav\"\nplaymovie 3, -1, -1, 0\n"},
               {"name": "Film", "type": "movie", "pixels": [0, 0, 160, 120], "resource": [1, 1],
                "flags": ["visible", "timed"], "showDelay": 50, "hideDelay": 0})"),
      "wait 2500\n", work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_GT(PeakBetween(run.sound, 60, 480), kLoud);
  EXPECT_EQ(PeakBetween(run.sound, 580, 1480), 0) << "paused while the movie plays";
  EXPECT_GT(PeakBetween(run.sound, 1600, 2400), kLoud) << "and on again after it";
  EXPECT_TRUE(Has(run.trace, "movie stop 0"));
}

TEST_F(SoundClips, EachClipHasItsOwnPlayerAndAClipAtItsEndStartsAgain) {
  const auto run = test::PlayMovieTitle(
      Title(R"({"name": "+Start", "type": "text",
                "text": "openaudio 0, \"tone.wav\"\nopenaudio 1, \"tone.wav\"\nplaymovie 0, -1, -1, 0\nplaymovie 1, 200, 250, 0\n"},)" +
            Script("+Pause", 30, "pausemovie 1\ngetmoviepos pa%, 0\ngetmoviepos pb%, 1") + "," +
            Script("+Later", 60, "getmoviepos qa%, 0\ngetmoviepos qb%, 1\nresumemovie 1") + "," +
            Script("+End1", 150, "getmoviepos rb%, 1\nresumemovie 1") + "," +
            Script("+Again", 160, "getmoviepos sb%, 1\nseekmovie 0, 20\ngetmoviepos ta%, 0\n"
                                  "seekmovie 1, 300\ngetmoviepos ub%, 1")),
      "wait 2000\nexpect var pa% 30\nexpect var pb% 230\nexpect var qa% 60\nexpect var qb% 230\n"
      "expect var rb% -1\nexpect var sb% 10\nexpect var ta% 20\nexpect var ub% -1\n",
      work_);
  EXPECT_EQ(run.status, 0) << run.trace;
}

TEST_F(SoundClips, TheCommandsReportWhatTheyCannotDo) {
  test::ScriptRunner runner;  // no title: nothing can be found
  EXPECT_EQ(runner.Run("closemovie -1\n"), test::Keys{}) << "nothing open, nothing said";
  EXPECT_EQ(runner.Run("closemovie 10\ncloseMovie 3\n"), (test::Keys{"scerr20", "scerr15"}));
  EXPECT_EQ(runner.Run("getmoviepos p%, 4\n"), test::Keys{});
  EXPECT_EQ(runner.engine().ProbeVariable("p%")->number, -1) << "a slot never opened";
  EXPECT_EQ(runner.Run("getmoviepos p%, 12\ngetmoviepos p%, 1.5\n"),
            (test::Keys{"scerr20", "scerr37"}));
  EXPECT_EQ(runner.Run("pausemovie 2\nresumemovie 2\nseekmovie 2, 5\nplaymovie 2, 1, 2, 0\n"),
            (test::Keys{"scerr15", "scerr15", "scerr15", "scerr15"}));
  EXPECT_EQ(runner.Run("openaudio 0, \"twenty-characters.wa\"\nopenaudio 0, \"nowhere.wav\"\n"),
            (test::Keys{"scerr50a", "crierr12"}));
  EXPECT_EQ(runner.Run("openaudio 0, \"..\\\\..\\\\x\"\n"), test::Keys{"crierr12"})
      << "a clip never leaves the title";
}

TEST_F(SoundClips, AMidiFileIsRefusedAsAClipThatCannotBePlayed) {
  const std::string midi = std::string(ZD_TESTDATA_DIR) + "/media/two-tracks.mid";
  if (!std::filesystem::exists(midi)) GTEST_SKIP() << "no shared test data";
  std::filesystem::copy_file(midi, media_.File("tune.mid"));
  const std::string description = R"({"pages": [{"name": "Show", "objects": [
      {"name": "+Start", "type": "text", "text": "openaudio 0, \"tune.mid\"\ngetmoviepos at%, 0\n"}]}],
    "movies": [)" + test::PlacedMovie(media_, "tune.mid", "movies/qtime/tune.mid") + R"(],
    "sections": [{"name": "Root", "page": "Show"}]})";
  const auto run = test::PlayMovieTitle(description, "answer ok\nwait 100\nexpect var at% -1\n", work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_TRUE(Has(run.trace, "message crierr10")) << run.trace;
  EXPECT_TRUE(Has(run.trace, "media refused"));
}

TEST_F(SoundClips, GetmovieposNamesAMovieObjectOrReportsWhatElseItIs) {
  const auto run = test::PlayMovieTitle(
      Title(R"({"name": "Box", "pixels": [300, 300, 310, 310]},
               {"name": "Film", "type": "movie", "pixels": [0, 0, 160, 120], "resource": [1, 1],
                "flags": ["visible", "triggered"], "trigger": "Never"},)" +
            Script("+Ask", 20, "getmoviepos hidden%, \"Film\"\ngetmoviepos box%, \"Box\"")),
      "wait 400\nexpect var hidden% -1\n", work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_TRUE(Has(run.trace, "message scerr36")) << run.trace;
}

}  // namespace
}  // namespace zd
