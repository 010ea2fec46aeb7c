#include "graphics/palette.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

TEST(TitlePalette, FollowsThe256ColourRule) {
  const LogicalPalette p = BuildRulePalette();
  EXPECT_EQ(p[0], (PaletteEntry{0, 0, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(p[255], (PaletteEntry{255, 255, 255, PC_NOCOLLAPSE}));
  EXPECT_EQ(p[0x10], (PaletteEntry{0x88, 0, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(p[0x04], (PaletteEntry{0x44, 0, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(p[0x20], (PaletteEntry{0, 0x44, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(p[0x80], (PaletteEntry{0, 0, 0x88, PC_NOCOLLAPSE}));
  for (const auto& e : p) EXPECT_EQ(e.flags, PC_NOCOLLAPSE);
}

TEST(TitlePalette, TrueColourDisplaysKeepTheRuleExactly) {
  LogicalPalette p = BuildRulePalette();
  KeepStaticColours(p, StandardSystemPalette(), 0);
  EXPECT_EQ(p, BuildRulePalette());
}

TEST(TitlePalette, TwentyStaticColoursTakeTheirPlaces) {
  const LogicalPalette rule = BuildRulePalette();
  const platform::PaletteRgb system = StandardSystemPalette();
  LogicalPalette p = rule;
  KeepStaticColours(p, system, 20);
  for (int i = 0; i < 256; ++i) {
    if (i < 10 || i >= 246) {
      EXPECT_EQ(p[i], (PaletteEntry{system[i].r, system[i].g, system[i].b, 0})) << i;
    } else {
      EXPECT_EQ(p[i].flags, PC_NOCOLLAPSE) << i;
    }
  }
  // Black and white coincide with static colours, so the swaps leave them in place.
  EXPECT_EQ(p[0], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(p[255], (PaletteEntry{255, 255, 255, 0}));
  // Colours displaced from 1..9 and 246..254 moved elsewhere rather than vanishing: the rule's
  // dark red 0x04 (44,00,00) stood at entry 4 and is still in the palette.
  bool found = false;
  for (int i = 10; i < 246; ++i) found |= p[i] == rule[4];
  EXPECT_TRUE(found);
}

TEST(TitlePalette, TheStaticStepWeighsRedFullyBlueByAThirdGreenByAHalf) {
  // (40,200,90) is nearest entry 75 (51,187,119) by the weighted distance, though plain
  // distance would pick entry 105 (17,221,85); (200,60,30) takes 52 (204,68,0), not 19.
  const LogicalPalette rule = BuildRulePalette();
  platform::PaletteRgb system{};
  system[0] = {40, 200, 90};
  system[255] = {200, 60, 30};
  LogicalPalette p = rule;
  KeepStaticColours(p, system, 2);
  EXPECT_EQ(p[0], (PaletteEntry{40, 200, 90, 0}));
  EXPECT_EQ(p[75], rule[0]) << "the colour that stood at 0 moves to the entry that gave way";
  EXPECT_EQ(p[255], (PaletteEntry{200, 60, 30, 0}));
  EXPECT_EQ(p[52], rule[255]);
  EXPECT_EQ(p[105], rule[105]);
  EXPECT_EQ(p[19], rule[19]);
}

TEST(TitlePalette, PaletteRelativeColoursAndNearestEntries) {
  EXPECT_EQ(PaletteRelativeColour(0x12, 0x34, 0x56), 0x02563412u);
  const LogicalPalette p = BuildRulePalette();
  EXPECT_EQ(NearestPaletteIndex(p, 0, 0, 0), 0);
  EXPECT_EQ(NearestPaletteIndex(p, 255, 255, 255), 255);
  EXPECT_EQ(NearestPaletteIndex(p, 0x88, 0, 0), 0x10);
  EXPECT_EQ(NearestPaletteIndex(p, 0x86, 2, 1), 0x10);
}

TEST(TitlePalette, ScreenColourHeaderCopiesThePaletteInIndexOrder) {
  const LogicalPalette p = BuildRulePalette();
  ScreenColourHeader h;
  BuildScreenColourHeader(p, &h);
  EXPECT_EQ(h.size, 40u);
  EXPECT_EQ(h.bitCount, 8);
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.colours[0x10], (std::array<uint8_t, 4>{0, 0, 0x88, 0}));
  BuildScreenColourHeader(p, nullptr);  // ignored
}

}  // namespace
}  // namespace zd
