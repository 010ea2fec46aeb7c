// The movie header read from the file's own atoms: both versions of "mvhd", 64-bit and
// to-the-end atom sizes, "moov" after the media data, a time scale of 0 kept as 0, and files
// whose atoms do not add up.
#include "movie/movie_header.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace zd {
namespace {

using Bytes = std::vector<uint8_t>;

void PutBig(Bytes& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

Bytes Atom(const char* type, const Bytes& body) {
  Bytes out;
  PutBig(out, 8 + body.size(), 4);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(type[i]));
  for (const uint8_t b : body) out.push_back(b);
  return out;
}

Bytes Mvhd(int version, uint32_t timeScale, uint64_t duration) {
  Bytes body = {uint8_t(version), 0, 0, 0};
  const int wide = version == 1 ? 8 : 4;
  PutBig(body, 0, wide);  // created
  PutBig(body, 0, wide);  // modified
  PutBig(body, timeScale, 4);
  PutBig(body, duration, wide);
  body.resize(body.size() + 80, 0);  // rate, volume, matrix and the rest
  return Atom("mvhd", body);
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) {
    for (const uint8_t b : p) out.push_back(b);
  }
  return out;
}

std::optional<MovieHeader> Read(const Bytes& file) {
  return ReadMovieHeader(ByteView(file.data(), file.size()));
}

TEST(MovieHeader, TimeScaleAndDurationComeFromTheFilesOwnAtoms) {
  const Bytes v0 = Join({Atom("ftyp", {'q', 't', ' ', ' '}), Atom("mdat", Bytes(100, 7)),
                         Atom("moov", Join({Atom("udta", {}), Mvhd(0, 600, 1800)}))});
  ASSERT_TRUE(Read(v0));
  EXPECT_EQ(Read(v0)->timeScale, 600u);
  EXPECT_EQ(Read(v0)->duration, 1800u);

  const auto v1 = Read(Atom("moov", Mvhd(1, 90000, uint64_t(1) << 40)));
  ASSERT_TRUE(v1);
  EXPECT_EQ(v1->timeScale, 90000u);
  EXPECT_EQ(v1->duration, uint64_t(1) << 40);

  // Media libraries make a time scale of 0 into 1; the file's 0 is what titles must see.
  EXPECT_EQ(Read(Atom("moov", Mvhd(0, 0, 50)))->timeScale, 0u);

  // A 64-bit size before the movie atom, and a last atom that runs to the end of the file.
  Bytes wide = {0, 0, 0, 1, 'm', 'd', 'a', 't'};
  PutBig(wide, 16 + 5, 8);
  wide.resize(wide.size() + 5, 0);
  const Bytes toEnd = Join({wide, {0, 0, 0, 0, 'm', 'o', 'o', 'v'}, Mvhd(0, 30, 90)});
  ASSERT_TRUE(Read(toEnd));
  EXPECT_EQ(Read(toEnd)->duration, 90u);
}

TEST(MovieHeader, FilesWhoseAtomsDoNotAddUpHaveNone) {
  const Bytes good = Atom("moov", Mvhd(0, 600, 1800));
  Bytes cut(good.begin(), good.end() - 20);  // the movie atom runs past the end
  EXPECT_FALSE(Read(cut));
  EXPECT_FALSE(Read(Atom("moov", Atom("trak", {}))));  // no movie header
  EXPECT_FALSE(Read(Atom("mdat", Bytes(40, 1))));       // no movie atom at all
  Bytes tiny = {0, 0, 0, 3, 'm', 'o', 'o', 'v'};       // smaller than its own header
  EXPECT_FALSE(Read(tiny));
  EXPECT_FALSE(Read(Atom("moov", Atom("mvhd", {0, 0, 0, 0, 1, 2}))));  // header cut short
  EXPECT_FALSE(Read(Bytes{}));
  EXPECT_FALSE(ReadMovieHeaderFromFile("/nonexistent/movie.mov"));
}

TEST(MovieHeader, FromFilesOnDiskAsInMemory) {
  test::TempDir dir;
  const Bytes file = Join({Atom("mdat", Bytes(5000, 3)), Atom("moov", Mvhd(0, 1000, 2500))});
  const std::string path = dir.Write("clip.mov", std::string(file.begin(), file.end()));
  ASSERT_TRUE(ReadMovieHeaderFromFile(path));
  EXPECT_EQ(ReadMovieHeaderFromFile(path)->timeScale, 1000u);
  EXPECT_EQ(ReadMovieHeaderFromFile(path)->duration, 2500u);

  const std::string media = std::string(ZD_TESTDATA_DIR) + "/media/";
  if (!std::filesystem::exists(media + "h264.mov")) GTEST_SKIP() << "no shared test data";
  for (const char* name : {"h264.mov", "mjpeg-rawsound.mov"}) {
    const auto header = ReadMovieHeaderFromFile(media + name);
    ASSERT_TRUE(header) << name;
    EXPECT_GT(header->timeScale, 0u) << name;
    EXPECT_GT(header->duration, 0u) << name;
  }
  EXPECT_FALSE(ReadMovieHeaderFromFile(media + "truncated-moov.mov"));
}

}  // namespace
}  // namespace zd
