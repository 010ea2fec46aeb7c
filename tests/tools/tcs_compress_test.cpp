// The "3TCS" run-length form zdbuild writes, checked by expanding it as the player does.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "base/byte_view.h"
#include "titlekit/description_error.h"
#include "titlekit/tcs_compress.h"
#include "support/title_builder.h"

namespace zd::titlekit {
namespace {

// Two passes over the runs, as the player expands them: the output length first, then the
// literal section and each run. Empty when the header does not hold together.
std::optional<std::string> Expand(const std::string& file) {
  const ByteView v(file);
  if (file.compare(0, 4, "3TCS") != 0 || v.size() < 12) return std::nullopt;
  const uint32_t runStart = *v.U32(4) & 0xFFFFFF, end = *v.U32(8);
  if (v.U8(7) != 0 || runStart < 12 || runStart > end || end > v.size()) return std::nullopt;
  size_t length = runStart - 12;
  for (size_t at = runStart; at + 1 < end; at += 2) length += size_t{*v.U8(at + 1)} + 1;
  std::string out = file.substr(12, runStart - 12);
  out.reserve(length);
  for (size_t at = runStart; at + 1 < end; at += 2) out.append(size_t{*v.U8(at + 1)} + 1, file[at]);
  EXPECT_EQ(out.size(), length);
  return out;
}

TEST(TitleCompression, HeaderLiteralSectionAndRunsAreLaidOutAsThePlayerReadsThem) {
  // An empty run section: the file is its header and literal section, and expands to exactly
  // the literal section.
  TcsOptions literalOnly;
  literalOnly.runs.emplace();
  const Bytes a = TcsCompress("ABC", literalOnly);
  EXPECT_EQ(a, std::string("3TCS\x0f\0\0\0\x0f\0\0\0ABC", 15));
  EXPECT_EQ(Expand(a), "ABC");

  // A count byte of 255 stands for 256 copies.
  TcsOptions oneRun;
  oneRun.runs = std::vector<RunPair>{{7, 255}};
  const Bytes b = TcsCompress("", oneRun);
  EXPECT_EQ(b.size(), 14u);
  EXPECT_EQ(static_cast<uint8_t>(b[13]), 255);
  EXPECT_EQ(Expand(b), std::string(256, '\x07'));

  // Runs longer than 256 bytes are split; 600 copies take 256 + 256 + 88.
  const auto runs = EncodeRuns(std::string(600, 'x'));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].count, 255);
  EXPECT_EQ(runs[2].count, 87);

  // Header words as given, for files that lie about themselves.
  TcsOptions lying;
  lying.runOffset = 0x123456;
  lying.endOffset = 9;
  lying.method = 1;
  const Bytes c = TcsCompress("xyz", lying);
  EXPECT_EQ(*ByteView(c).U32(4), 0x01123456u);
  EXPECT_EQ(*ByteView(c).U32(8), 9u);
  lying.runOffset = 0x1000000;
  EXPECT_THROW(TcsCompress("xyz", lying), DescriptionError);
  TcsOptions tooLong;
  tooLong.literal = 4;
  EXPECT_THROW(TcsCompress("xyz", tooLong), DescriptionError);
}

TEST(TitleCompression, TheChosenSplitCopiesAVaryingHeadAndRunCodesTheRest) {
  const std::string head = "sprite header 123";
  const std::string data = head + std::string(1000, '\0');
  EXPECT_EQ(ChooseLiteralLength(data), head.size());
  const Bytes file = TcsCompress(data, {});
  EXPECT_EQ(file.size(), 12 + head.size() + 2 * 4);  // 1000 = 3 x 256 + 232
  EXPECT_EQ(Expand(file), data);
  EXPECT_EQ(ChooseLiteralLength(std::string(50, 'a')), 0u);
  EXPECT_EQ(ChooseLiteralLength(""), 0u);
}

TEST(TitleCompression, RandomDataExpandsToItselfWhateverTheSplit) {
  std::mt19937 random(1253);
  for (int round = 0; round < 200; ++round) {
    // Stretches of noise between runs of one byte, so that both sections get used.
    std::string data;
    const int stretches = static_cast<int>(random() % 12);
    for (int s = 0; s < stretches; ++s) {
      const size_t n = random() % (s % 2 ? 700 : 40);
      const char value = static_cast<char>(random());
      for (size_t i = 0; i < n; ++i) data += s % 2 ? value : static_cast<char>(random());
    }
    TcsOptions options;
    if (round % 3 == 1) options.literal = static_cast<uint32_t>(random() % (data.size() + 1));
    const Bytes file = TcsCompress(data, options);
    ASSERT_EQ(Expand(file), data) << "round " << round;
    if (!options.literal) {
      EXPECT_LE(file.size(), 12 + data.size()) << "round " << round;
    }
  }
}

TEST(TitleCompression, ZdbuildWritesTheFormTheDescriptionAsksFor) {
  test::TempDir dir;
  const std::string sprite = std::string("\x41\0\0\0\x10\0\0\0", 8) + std::string(700, '\x03') + "end";
  dir.Write("sprite.bin", sprite);
  const std::string description = dir.Write("title.json", R"({
    "resources": [
      {"dir": 1, "number": 1, "file": "sprite.bin", "compress": true},
      {"dir": 1, "number": 2, "file": "sprite.bin", "compress": true, "literal": 8},
      {"dir": 1, "number": 3, "text": "head", "compress": true, "runs": []},
      {"dir": 1, "number": 4, "hex": "", "compress": true, "runs": [[9, 255], [10, 0]]},
      {"dir": 1, "number": 5, "hex": "", "compress": true, "runs": [], "endOffset": 99, "method": 2}
    ]})");
  const test::RunResult r = test::RunTool("zdbuild", {description, dir.File("title")});
  ASSERT_EQ(r.status, 0) << r.err;
  auto file = [&](int n) { return test::ReadFile(dir.File("title/res1/res" + std::to_string(n))); };
  EXPECT_TRUE(Expand(file(1)) == sprite);
  EXPECT_LT(file(1).size(), 40u);
  EXPECT_EQ(*ByteView(file(2)).U32(4), 20u) << "a literal section of the sprite's first 8 bytes";
  EXPECT_TRUE(Expand(file(2)) == sprite);
  EXPECT_EQ(Expand(file(3)), "head");
  EXPECT_EQ(file(3).size(), 16u);
  EXPECT_EQ(Expand(file(4)), std::string(256, '\x09') + "\x0a");
  EXPECT_EQ(file(5), std::string("3TCS\x0c\0\0\x02\x63\0\0\0", 12));
}

}  // namespace
}  // namespace zd::titlekit
