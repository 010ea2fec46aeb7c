// Movie objects on pages, played on the virtual clock: the frame shown at each moment, the end
// of the movie and what the page does then, the enlarged movie, pauses around modal moments,
// clips giving way to a movie, and the files a movie object cannot play.
#include <gtest/gtest.h>

#include <fstream>

#include "movie/movie_title.h"

namespace zd {
namespace {

using test::Has;
using test::Near;
using test::ScreenshotPixel;

const platform::Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

class PageMovies : public testing::Test {
 protected:
  void SetUp() override {
    if (test::FfmpegTool().empty()) GTEST_SKIP() << "the ffmpeg tool is not installed";
    // Red for half a second, then blue for half a second.
    ASSERT_TRUE(test::MakeColourMovie(media_.File("colours.mov"), {"red", "blue"}, 500));
  }

  // A page whose "Film" movie object (160 x 120 at 100, 100) starts with the page, plus the
  // objects given; the page lasts 10 s and its timed scripts run on the page's clock.
  std::string Title(const std::string& movieFlags, const std::string& more = "",
                    const std::string& movieFile = "colours.mov",
                    const std::string& reference = "colours") {
    return R"({"pages": [{"name": "Show", "time": 1000, "objects": [
        {"name": "Film", "type": "movie", "pixels": [100, 100, 300, 300],
         "resource": [1, 1], "flags": ["visible", "timed"], "showDelay": 0,
         "movieFlags": )" + movieFlags + R"(}
        )" + more + R"(]}],
      "resources": [{"dir": 1, "number": 1, "text": ")" + reference + R"(\n"}],
      "movies": [)" + test::PlacedMovie(media_, movieFile, "movies/qtime/" + movieFile) + R"(],
      "sections": [{"name": "Root", "page": "Show"}]})";
  }

  std::string Shot(const std::string& name) { return work_.File(name); }

  test::TempDir media_, work_;
};

TEST_F(PageMovies, ShowTheFrameOfEachMomentAtNaturalSizeAndEndWhereTheyEnd) {
  // A movie shown with the page starts at the page's first tick, 10 ms after the page's clock.
  const auto run = test::PlayMovieTitle(
      Title("0", R"(, {"name": "+Pos", "type": "text", "flags": ["visible", "timed"],
                      "showDelay": 30, "text": "getmoviepos at%, \"Film\"\n"},
                    {"name": "+Late", "type": "text", "flags": ["visible", "timed"],
                      "showDelay": 150, "text": "getmoviepos late%, \"Film\"\n"})"),
      "wait 260\nscreenshot " + Shot("red.png") + "\nwait 500\nscreenshot " + Shot("blue.png") +
          "\nexpect var at% 29\nwait 1000\nscreenshot " + Shot("end.png") +
          "\nexpect var late% -1\n",
      work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("red.png"), 180, 160), kRed));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("blue.png"), 180, 160), kBlue));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("end.png"), 180, 160), kBlue)) << "the last frame stays";
  // The movie keeps its natural size, not its object's box.
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("red.png"), 259, 219), kRed));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("red.png"), 261, 221), kBlack));
  EXPECT_TRUE(Has(run.trace, "movie open 0 ")) << run.trace;
  EXPECT_TRUE(Has(run.trace, "movie start 0"));
  EXPECT_TRUE(Has(run.trace, "movie end 0"));
}

TEST_F(PageMovies, ADoublePressEnlargesTheMovieOnABlankPageAndAnotherEndsIt) {
  const auto run = test::PlayMovieTitle(
      Title("0", R"(, {"name": "Back", "pixels": [0, 0, 640, 480], "colour": "#00FF00"},
                    {"name": "Zone", "type": "area", "pixels": [300, 220, 340, 260]},
                    {"name": "Flag", "pixels": [600, 0, 640, 40], "colour": "#FF0000",
                     "flags": ["visible", "triggered"], "trigger": "Zone"})"),
      "wait 100\nclick 120 120\nwait 100\nclick 120 120\nwait 50\nscreenshot " + Shot("big.png") +
          "\nclick 320 240\nwait 100\nclick 320 240\nwait 50\nscreenshot " + Shot("small.png") + "\n",
      work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  // Twice 160 x 120, centred: 160..480 across, 120..360 down, black around it.
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("big.png"), 165, 125), kRed));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("big.png"), 475, 355), kRed));
  EXPECT_EQ(ScreenshotPixel(Shot("big.png"), 155, 240), kBlack);
  EXPECT_TRUE(Has(run.trace, "movie enlarge 0"));
  EXPECT_TRUE(Has(run.trace, "movie shrink 0"));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("small.png"), 120, 120), kRed));
  EXPECT_FALSE(Near(ScreenshotPixel(Shot("small.png"), 620, 20), kRed, 60))
      << "the presses on the enlarged movie never reached the area under it";
  const platform::Rgb back = ScreenshotPixel(Shot("small.png"), 50, 50);
  EXPECT_TRUE(back.g > 150 && back.r < 80 && back.b < 80) << "the page is back: " << int(back.r) << ","
                                                    << int(back.g) << "," << int(back.b);
}

TEST_F(PageMovies, AShownControllerStopsAndStartsTheMovieAndMovesItAlongItsTrack) {
  // Controller flag 4 shows the bar under the 160 x 120 picture: page rows 220 to 235.
  const auto run = test::PlayMovieTitle(
      Title("4"), "wait 100\nscreenshot " + Shot("bar.png") + "\nclick 108 228\nwait 300\n"
                  "rclick 400 400\nmenu -\nwait 300\nscreenshot " +
                      Shot("stopped.png") + "\nclick 108 228\nwait 500\nscreenshot " +
                      Shot("going.png") + "\nclick 250 228\nwait 50\nscreenshot " + Shot("moved.png") + "\n",
      work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_EQ(ScreenshotPixel(Shot("bar.png"), 180, 222), (platform::Rgb{192, 192, 192}));
  EXPECT_EQ(ScreenshotPixel(Shot("bar.png"), 180, 240), kBlack) << "16 pixels high";
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("stopped.png"), 180, 160), kRed))
      << "held at 0.1 s, the popup menu's end included";
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("going.png"), 180, 160), kBlue)) << "0.6 s in";
  EXPECT_TRUE(Has(run.trace, "movie pause 0"));
  EXPECT_TRUE(Has(run.trace, "movie play 0"));
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("moved.png"), 180, 160), kBlue)) << "near the end";
  EXPECT_NE(ScreenshotPixel(Shot("moved.png"), 250, 228), ScreenshotPixel(Shot("bar.png"), 250, 228))
      << "the thumb moved to the press";
}

TEST_F(PageMovies, AModalMomentHoldsTheMovieAndTheOutermostEndLetsItPlayOn) {
  // 0.3 s of the movie, then the popup menu holds it for a second.
  const auto run = test::PlayMovieTitle(
      Title("0"), "wait 300\nrclick 400 400\nwait 1000\nmenu -\nwait 100\nscreenshot " +
                      Shot("held.png") + "\nwait 400\nscreenshot " + Shot("on.png") + "\n",
      work_);
  EXPECT_EQ(run.status, 0) << run.trace;
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("held.png"), 180, 160), kRed)) << "0.4 s into the movie";
  EXPECT_TRUE(Near(ScreenshotPixel(Shot("on.png"), 180, 160), kBlue));
  EXPECT_TRUE(Has(run.trace, "media pause 1"));
  EXPECT_TRUE(Has(run.trace, "media resume 0"));
}

TEST_F(PageMovies, MissingAndUnplayableFilesGiveTheirMessagesAndLeaveTheSlotFree) {
  // Missing: with diagnostics on the user is asked, and may pick the file; with them off
  // nothing is said.
  {
    const auto run = test::PlayMovieTitle(Title("0", "", "colours.mov", "elsewhere"),
                                          "answer yes\nfile " + media_.File("colours.mov") +
                                              "\nwait 200\nscreenshot " + Shot("chosen.png") + "\n",
                                          work_);
    EXPECT_TRUE(Has(run.trace, "elsewhere")) << run.trace;
    EXPECT_TRUE(Has(run.trace, "movie start 0"));
    EXPECT_TRUE(Near(ScreenshotPixel(Shot("chosen.png"), 180, 160), kRed));
  }
  {
    const auto run = test::PlayMovieTitle(Title("0", "", "colours.mov", "elsewhere"),
                                          "answer no\nwait 100\n", work_);
    EXPECT_FALSE(Has(run.trace, "movie start")) << run.trace;
    EXPECT_FALSE(Has(run.trace, "dialog open-file"));
  }
  {
    const auto run = test::PlayMovieTitle(Title("0", "", "colours.mov", "elsewhere"), "wait 100\n",
                                          work_, "-D");
    EXPECT_FALSE(Has(run.trace, "message")) << run.trace;
  }
  // Files that are there but cannot be played.
  std::ofstream(media_.File("text.mov")) << "This is not a movie at all.\n";
  const std::string header = test::ReadFile(media_.File("colours.mov"));
  const size_t mvhd = header.find("mvhd");
  ASSERT_NE(mvhd, std::string::npos);
  std::string zeroScale = header, zeroLength = header;
  zeroScale.replace(mvhd + 16, 4, std::string(4, '\0'));   // version and flags, two dates, scale
  zeroLength.replace(mvhd + 20, 4, std::string(4, '\0'));  // then the duration
  std::ofstream(media_.File("scale0.mov"), std::ios::binary) << zeroScale;
  std::ofstream(media_.File("length0.mov"), std::ios::binary) << zeroLength;
  std::ofstream(media_.File("cut.mov"), std::ios::binary) << header.substr(0, header.size() / 3);
  // The picture's codec made one nobody decodes, and its width made 65535 pixels: the sample
  // description names the codec, then after 24 bytes gives the width.
  const size_t codec = header.find("cvid");
  ASSERT_NE(codec, std::string::npos);
  std::string unknown = header, huge = header;
  unknown.replace(codec, 4, "zzzz");
  huge.replace(codec + 28, 2, "\xFF\xFF");
  std::ofstream(media_.File("unknown.mov"), std::ios::binary) << unknown;
  std::ofstream(media_.File("huge.mov"), std::ios::binary) << huge;
  const struct {
    const char* file;
    const char* key;
  } cases[] = {{"text.mov", "message crierr10"},
               {"cut.mov", "message crierr10"},
               {"scale0.mov", "message crierr36"},
               {"length0.mov", "message crierr11"},
               {"unknown.mov", "message crierr35"},
               {"huge.mov", "message crierr10"}};
  for (const auto& c : cases) {
    const std::string name = std::string(c.file).substr(0, std::string(c.file).find('.'));
    const auto run = test::PlayMovieTitle(Title("0", "", c.file, name), "wait 200\n", work_);
    EXPECT_EQ(run.status, 0) << c.file;
    EXPECT_TRUE(Has(run.trace, c.key)) << c.file << "\n" << run.trace;
  }
}

}  // namespace
}  // namespace zd
