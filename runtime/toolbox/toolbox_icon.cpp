#include "toolbox/toolbox_icon.h"

#include "graphics/canvas.h"
#include "graphics/sprites/sprite_format.h"
#include "graphics/sprites/sprite_plot.h"

namespace zd {
namespace {

constexpr size_t kIconPixels = size_t(kToolboxIconSide) * kToolboxIconSide;

// The sprite stretched onto a square first filled with `background`: the mask keeps the
// background where the sprite is transparent.
Canvas PlotOver(uint8_t background, ByteView sprite, const ColourMatcher& colours) {
  Canvas canvas(kToolboxIconSide, kToolboxIconSide);
  canvas.Fill(background);
  PlotSpriteStretched(canvas, {0, 0, kToolboxIconSide, kToolboxIconSide}, sprite, false, colours);
  return canvas;
}

void SetPixel(IconPixels& pixels, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  if (x < 0 || y < 0 || x >= kToolboxIconSide || y >= kToolboxIconSide) return;
  uint8_t* p = &pixels[(size_t(y) * kToolboxIconSide + size_t(x)) * 4];
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = 255;
}

void FillBox(IconPixels& pixels, int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) SetPixel(pixels, x, y, r, g, b);
  }
}

}  // namespace

std::optional<IconPixels> IconFromSpriteFile(ByteView file, const ColourMatcher& colours) {
  const auto sprite = SpriteOfFile(file, 0);
  if (!sprite || !ReadSpriteLayout(*sprite)) return std::nullopt;
  // Drawn twice, over black and over white: a pixel that comes out the same both times is the
  // sprite's own, one that follows the background is masked out.
  const Canvas overBlack = PlotOver(0, *sprite, colours);
  const Canvas overWhite = PlotOver(255, *sprite, colours);
  IconPixels pixels(kIconPixels * 4, 0);
  const platform::PaletteRgb& palette = colours.palette();
  for (int y = 0; y < kToolboxIconSide; ++y) {
    for (int x = 0; x < kToolboxIconSide; ++x) {
      const uint8_t index = overBlack.At(x, y);
      if (index != overWhite.At(x, y)) continue;
      const platform::Rgb colour = palette[index];
      SetPixel(pixels, x, y, colour.r, colour.g, colour.b);
    }
  }
  return pixels;
}

IconPixels BuiltInToolboxIcon() {
  IconPixels pixels(kIconPixels * 4, 0);
  // The handle: an arch over the lid.
  FillBox(pixels, 11, 5, 21, 7, 40, 40, 40);
  FillBox(pixels, 11, 7, 13, 12, 40, 40, 40);
  FillBox(pixels, 19, 7, 21, 12, 40, 40, 40);
  // The box, outlined, with its lid line and a catch.
  FillBox(pixels, 3, 11, 29, 28, 40, 40, 40);
  FillBox(pixels, 4, 12, 28, 27, 200, 30, 30);
  FillBox(pixels, 4, 17, 28, 18, 120, 10, 10);
  FillBox(pixels, 14, 16, 18, 20, 230, 200, 60);
  // A little light along the top edge.
  FillBox(pixels, 5, 13, 27, 14, 240, 110, 100);
  return pixels;
}

}  // namespace zd
