// Sprites of every depth plotted on the canvas, compared index for index with the golden picture
// in tests/golden/ (`make golden` writes it anew; look at it before keeping it). Row 1: cached,
// row 2: stretched in the colours of direct drawing, row 3: fitted into wide boxes, row 4:
// stretched up and down. Columns: 1 bit with 8 bits of wastage, 1 bit masked, 2 bits, 2 bits
// masked, 4 bits masked, 4 bits with its own palette, 8 bits, 8 bits masked, 8 bits with its
// own base entries.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "graphics/palette.h"
#include "graphics/sprites/sprite_pixels.h"
#include "graphics/sprites/sprite_plot.h"
#include "platform/png_codec.h"
#include "sprite_builder.h"
#include "support/canvas_golden.h"
#include "support/test_support.h"

namespace zd {
namespace {

using Grid = std::vector<std::vector<int>>;

Grid Pattern(int w, int h, int bpp) {
  Grid g(static_cast<size_t>(h), std::vector<int>(static_cast<size_t>(w)));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int v = 0;
      switch (bpp) {
        case 1: v = ((x / 4 + y / 4) & 1) | (x == 0 || y == 0 || x == w - 1 || y == h - 1); break;
        case 2: v = (x / 3 + y / 5) % 4; break;
        case 4: v = (x / 3 + y / 3) % 16; break;
        default: v = (y * 16 / h) << 4 | (x * 16 / w); break;
      }
      g[size_t(y)][size_t(x)] = v;
    }
  }
  return g;
}

Grid Disc(int w, int h) {
  Grid g(static_cast<size_t>(h), std::vector<int>(static_cast<size_t>(w)));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
      g[size_t(y)][size_t(x)] = dx * dx + dy * dy <= 1.0;
    }
  }
  return g;
}

std::vector<std::vector<uint8_t>> Sprites() {
  const int w = 36, h = 30;
  std::vector<uint32_t> own4;  // reds, greens and blues instead of the default greys
  for (int i = 0; i < 16; ++i) own4.push_back(uint32_t(i * 16) << (8 * (1 + i % 3)));
  std::vector<uint32_t> own8(20, 0);  // 20 entries: the last 16 are the base entries
  for (int i = 4; i < 20; ++i) own8[size_t(i)] = 0x30006000u + uint32_t(i - 4) * 0x04000400u;
  return {
      test::MakeSprite({.mode = 25, .bpp = 1, .pixels = Pattern(w, h, 1), .firstBit = 8,
                        .wastageValue = 1}),
      test::MakeSprite({.mode = 25, .bpp = 1, .pixels = Pattern(w, h, 1), .mask = Disc(w, h)}),
      test::MakeSprite({.mode = 26, .bpp = 2, .pixels = Pattern(w, h, 2)}),
      test::MakeSprite({.mode = 26, .bpp = 2, .pixels = Pattern(w, h, 2), .mask = Disc(w, h),
                        .firstBit = 4, .wastageValue = 3}),
      test::MakeSprite({.mode = 27, .bpp = 4, .pixels = Pattern(w, h, 4), .mask = Disc(w, h)}),
      test::MakeSprite({.mode = 27, .bpp = 4, .pixels = Pattern(w, h, 4), .palette = own4}),
      test::MakeSprite({.mode = 28, .bpp = 8, .pixels = Pattern(w, h, 8)}),
      test::MakeSprite({.mode = 28, .bpp = 8, .pixels = Pattern(w, h, 8), .mask = Disc(w, h),
                        .firstBit = 8, .wastageValue = 0xFF}),
      test::MakeSprite({.mode = 21, .bpp = 8, .pixels = Pattern(w, h, 8), .palette = own8}),
  };
}

Canvas DrawScene() {
  Canvas canvas(9 * 44 + 4, 4 * 40 + 60);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) canvas.Row(y)[x] = ((x + y) / 6) % 2 ? 0x2A : 0x95;
  }
  const ColourMatcher matcher;
  const SharedColourHeaders headers = CreateSharedColourHeaders(matcher);
  SpriteBitmapTable table;
  const auto sprites = Sprites();
  for (size_t i = 0; i < sprites.size(); ++i) {
    const int x = 4 + int(i) * 44;
    const ByteView raw(sprites[i].data(), sprites[i].size());
    PlotSpriteStretched(canvas, {x, 44, x + 36, 74}, raw, false, matcher);
    PlotSpriteFitted(canvas, {x - 2, 84, x + 42, 104}, raw, false, matcher, 640, 480);
    PlotSpriteStretched(canvas, {x, 114, x + 40, 154}, raw, false, matcher);  // taller and wider
    PlotSpriteStretched(canvas, {x, 164, x + 25, 184}, raw, false, matcher);  // smaller
    std::vector<uint8_t> block = sprites[i];
    EXPECT_TRUE(PrepareSprite(block));
    PlotSpriteFitted(canvas, {x, 190, x + 40, 216}, ByteView(block.data(), block.size()), true,
                     matcher, 640, 480);
    const auto handles = MakeSpriteBitmaps(ByteView(block.data(), block.size()), table, headers);
    EXPECT_TRUE(handles) << i;
    if (handles) KeepHeaderAndHandles(block, *handles);
    PlotSpriteCached(canvas, {x, 4, x, 4}, ByteView(block.data(), block.size()), table);
  }
  return canvas;
}

TEST(SpriteGolden, EveryDepthMaskPaletteAndWastageInEveryForm) {
  const Canvas canvas = DrawScene();
  test::ExpectCanvasGolden(canvas, "tests/golden/sprites.png", "the plotted sprites");
}

}  // namespace
}  // namespace zd
