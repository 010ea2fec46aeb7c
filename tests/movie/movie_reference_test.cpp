// The reference a page movie's resource holds, and the files it may lead to.
#include <gtest/gtest.h>

#include <string>

#include "movie/media_time.h"
#include "movie/movie_reference.h"

namespace zd {
namespace {

using namespace std::string_literals;

TEST(MovieReference, TextIsTheEndOfTheFirstLineAfterTheLastDotAtMost19Characters) {
  EXPECT_EQ(MovieReferenceText("intro\n"), "intro");
  EXPECT_EQ(MovieReferenceText("intro\r\n"), "intro") << "DOS line ends";
  EXPECT_EQ(MovieReferenceText("c:\\titles\\clip.intro\n"), "intro");
  EXPECT_EQ(MovieReferenceText("intro"), "intro") << "no line end: all of it";
  EXPECT_EQ(MovieReferenceText("a\nb\nc"), "a\nb") << "cut at the last line feed";
  EXPECT_EQ(MovieReferenceText("abcdefghijklmnopqrstuvwxyz\n"), "abcdefghijklmnopqrs");
  EXPECT_EQ(MovieReferenceText("one\0two\n"s), "one") << "the text ends at a NUL";
  EXPECT_EQ(MovieReferenceText(std::string(300, 'x') + ".late\n"), std::string(19, 'x'))
      << "only the first 256 bytes count";
  EXPECT_EQ(MovieReferenceText(""), "");
}

TEST(MovieReference, SubdirectoryFollowsTheColonAndNamesAQtimeFolder) {
  const auto plain = SplitMovieReference("intro");
  EXPECT_EQ(plain.name, "intro");
  EXPECT_EQ(plain.subdirectory, "");
  const auto sub = SplitMovieReference("intro: 2");
  EXPECT_EQ(sub.name, "intro");
  EXPECT_EQ(sub.subdirectory, "2") << "one blank after the colon is dropped";
  EXPECT_EQ(SplitMovieReference("intro:  b").subdirectory, " b");
  EXPECT_EQ(MovieFileCandidates(sub, false),
            (std::vector<std::string>{"movies\\qtime2\\intro", "movies\\qtime2\\intro.mov"}));
  EXPECT_EQ(MovieFileCandidates(plain, true).front(), "tween\\qtime\\intro");
}

TEST(MovieReference, NothingOutsideTheTitleIsEverLookedFor) {
  EXPECT_TRUE(MovieFileCandidates(SplitMovieReference("..\\..\\x"), false).empty());
  EXPECT_TRUE(MovieFileCandidates(SplitMovieReference("x: \\..\\..\\..\\etc"), false).empty());
  EXPECT_TRUE(MovieFileCandidates(SplitMovieReference("../../x"), false).empty());
  EXPECT_TRUE(MovieFileCandidates(SplitMovieReference("sub/... /x"), false).empty());
  EXPECT_TRUE(MovieFileCandidates(SplitMovieReference(""), false).empty());
  EXPECT_FALSE(MovieFileCandidates(SplitMovieReference("x: ..name"), false).empty())
      << "\"qtime..name\" is a folder inside the title";
  EXPECT_FALSE(StaysInsideFolder("\\etc\\passwd"));
  EXPECT_FALSE(StaysInsideFolder("c:x"));
  EXPECT_TRUE(StaysInsideFolder("movies\\qtime\\a..b.mov"));
}

TEST(MediaTime, HundredthsAndGivenPositionsUseTheirOwnRulesWithoutOverflow) {
  EXPECT_EQ(HundredthsOf(600, 600), 100);
  EXPECT_EQ(HundredthsOf(599, 600), 99) << "rounded down";
  EXPECT_EQ(HundredthsOf(5, 0), 0);
  EXPECT_EQ(HundredthsOf(INT64_MAX, 1), INT32_MAX) << "kept within a script variable";
  EXPECT_EQ(HundredthsOf(int64_t{3} << 40, 600000), int32_t((int64_t{3} << 40) / 6000));
  EXPECT_EQ(MovieTimeOfPosition(100, 6000), 1000) << "ten units of the time scale each";
  EXPECT_EQ(MovieTimeOfPosition(-5, 6000), 0);
  EXPECT_EQ(MovieTimeOfPosition(INT32_MAX, 6000), 6000) << "clamped to the length";
}

}  // namespace
}  // namespace zd
