// Toolbox sets as pages carry them, the tool names links use, and the icon's picture: what a
// title's data makes the toolbox offer, and that broken data offers nothing instead of hanging.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../graphics/sprite_builder.h"
#include "toolbox/tool_table.h"
#include "toolbox/toolbox_icon.h"
#include "toolbox/toolbox_set.h"

namespace zd {
namespace {

struct Entry {
  uint32_t tool = 0;
  uint32_t length = 12;
};

// A page record of `prefix` bytes, then the set: count, box, flags and the entries.
std::vector<uint8_t> Record(uint32_t count, const std::vector<Entry>& entries, uint32_t flags = 0,
                            size_t prefix = 72) {
  std::vector<uint8_t> out(prefix + 32, 0);
  const auto put = [&](size_t at, uint32_t v) {
    if (out.size() < at + 4) out.resize(at + 4, 0);
    std::memcpy(&out[at], &v, 4);
  };
  put(prefix + 4, count);
  put(prefix + 8, 100);   // left
  put(prefix + 12, 800);  // top (title units upward)
  put(prefix + 16, 228);  // right
  put(prefix + 20, 900);  // bottom
  put(prefix + 24, flags);
  size_t at = prefix + 32;
  for (const Entry& e : entries) {
    put(at + 4, e.tool);
    put(at + 8, e.length);
    at += e.length == 0 ? 12 : e.length;
  }
  out.resize(std::max(out.size(), at), 0);
  return out;
}

std::optional<ToolboxSet> Read(const std::vector<uint8_t>& record, std::string* why = nullptr) {
  return ReadToolboxSet(ByteView(record.data(), record.size()), 72, why);
}

TEST(ToolboxSet, ReadsTheToolsInSetOrderWithTheirBoxAndFlags) {
  const auto set = Read(Record(3, {{3}, {0, 20}, {8}}, 1));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->tools, (std::vector<int>{3, 0, 8}));
  EXPECT_EQ(set->box.x0, 100);
  EXPECT_EQ(set->box.y1, 900);
  EXPECT_FALSE(set->showsIcon());
  EXPECT_TRUE(set->Holds(8));
  EXPECT_FALSE(set->Holds(7));
  const auto empty = Read(Record(0, {}));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->tools.empty());
  EXPECT_TRUE(empty->showsIcon());
}

TEST(ToolboxSet, BrokenSetsAreRefusedWhole) {
  std::string why;
  // A zero length would never move the walk on.
  EXPECT_FALSE(Read(Record(2, {{0}, {3, 0}}), &why));
  EXPECT_NE(why.find("length 0"), std::string::npos) << why;
  // An entry that claims more bytes than the record has left.
  auto tooLong = Record(1, {{0}});
  tooLong[72 + 32 + 8] = 13;  // one byte more than the record holds
  EXPECT_FALSE(Read(tooLong, &why));
  EXPECT_NE(why.find("leaves the page record"), std::string::npos) << why;
  // Tool numbers stop at 8.
  EXPECT_FALSE(Read(Record(2, {{0}, {9}}), &why));
  EXPECT_NE(why.find("tool 9"), std::string::npos) << why;
  // A count far beyond the entries stops at the record's end.
  EXPECT_FALSE(Read(Record(0xFFFFFFFFu, {{0}, {3}}), &why));
  // A header that does not fit.
  const auto record = Record(0, {});
  EXPECT_FALSE(ReadToolboxSet(ByteView(record.data(), record.size()), record.size() - 8));
  EXPECT_FALSE(ReadToolboxSet(ByteView(record.data(), record.size()), SIZE_MAX - 2));
}

TEST(ToolboxSet, IconIsCentredInTheBox) {
  // 128 x 100 title units (64 x 50 pixels) from x 100, top 900: pixels (50, 30) to (114, 80).
  const Rect icon = ToolboxIconRect({100, 800, 228, 900});
  EXPECT_EQ(icon, (Rect{50 + 16, 30 + 9, 50 + 48, 30 + 9 + 32}));
  // A box smaller than the icon puts it up and to the left of the box's corner.
  EXPECT_EQ(ToolboxIconRect({0, 940, 32, 960}), (Rect{-8, -11, 24, 21}));
}

TEST(ToolTable, LinkNamesFindOfferedToolsOnly) {
  EXPECT_EQ(FindToolByName("~TCalc"), 0);
  EXPECT_EQ(FindToolByName("~TNoteP"), 3);
  EXPECT_EQ(FindToolByName("~TFindT"), 8);
  EXPECT_EQ(FindToolByName("~TScrDmp"), 7);
  // Only the first 12 characters count, as in a trigger name field.
  EXPECT_EQ(FindToolByName(std::string("~TCalc") + std::string(6, '\0') + "more"), 0);
  EXPECT_EQ(FindToolByName("~TCalcXXXXXXXXX"), -1);
  EXPECT_EQ(FindToolByName("~TScrDmp    x"), -1);
  // Pencil and eraser are never opened by name; names are compared exactly.
  EXPECT_EQ(FindToolByName("~TPencil"), -1);
  EXPECT_EQ(FindToolByName("~TEraser"), -1);
  EXPECT_EQ(FindToolByName("~tcalc"), -1);
  EXPECT_EQ(FindToolByName("~TCal"), -1);
  EXPECT_EQ(FindToolByName(""), -1);
  EXPECT_EQ(ToolLinkName(5), "~TComp");
  EXPECT_EQ(ToolLinkName(9), "");
}

TEST(ToolboxIcon, SpriteFileIsStretchedIntoTheSquareWithItsMask) {
  // A 2x2 sprite: red, green / blue, masked out.
  test::SpriteDescription sprite;
  sprite.mode = 28;
  sprite.bpp = 8;
  sprite.pixels = {{0x17, 0x2B}, {0xC4, 0}};
  sprite.mask = {{1, 1}, {1, 0}};
  const auto file = test::MakeSpriteFile({test::MakeSprite(sprite)});
  const ColourMatcher colours;
  const auto icon = IconFromSpriteFile(ByteView(file.data(), file.size()), colours);
  ASSERT_TRUE(icon);
  ASSERT_EQ(icon->size(), size_t(32 * 32 * 4));
  const auto alpha = [&](int x, int y) { return (*icon)[(size_t(y) * 32 + size_t(x)) * 4 + 3]; };
  EXPECT_EQ(alpha(0, 0), 255);
  EXPECT_EQ(alpha(31, 0), 255);
  EXPECT_EQ(alpha(0, 31), 255);
  EXPECT_EQ(alpha(31, 31), 0);  // the masked quarter shows the page
  EXPECT_EQ(alpha(16, 16), 0);
  // Each quarter is one colour.
  EXPECT_EQ(std::memcmp(&(*icon)[0], &(*icon)[15 * 4], 3), 0);
  EXPECT_NE(std::memcmp(&(*icon)[0], &(*icon)[16 * 4], 3), 0);

  // Files that hold no drawable sprite give no picture (the player's own icon is used).
  for (std::vector<uint8_t> bad : {std::vector<uint8_t>{}, std::vector<uint8_t>(12, 0xFF),
                                   std::vector<uint8_t>(file.begin(), file.begin() + 40)}) {
    EXPECT_FALSE(IconFromSpriteFile(ByteView(bad.data(), bad.size()), colours));
  }
  const IconPixels builtIn = BuiltInToolboxIcon();
  ASSERT_EQ(builtIn.size(), size_t(32 * 32 * 4));
  EXPECT_EQ(builtIn[3], 0);                          // a transparent corner
  EXPECT_EQ(builtIn[(20 * 32 + 8) * 4 + 3], 255);  // the box itself
}

}  // namespace
}  // namespace zd
