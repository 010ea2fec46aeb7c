#include "graphics/sprites/sprite_decode.h"

#include "graphics/sprites/sprite_colours.h"
#include "graphics/sprites/sprite_pixels.h"

namespace zd {

std::optional<RgbaPicture> DecodeSpriteRgba(ByteView sprite, bool prepared, SpriteProblem* why) {
  const auto layout = ReadSpriteLayout(sprite, why);
  if (!layout) return std::nullopt;
  ColourHeader header;
  BuildColourHeader(header, SpriteColourSource(sprite, *layout), layout->bitsPerPixel(), false);
  const SpritePass image = MakeSpritePass(sprite, *layout, false, prepared);
  SpritePass mask;
  if (layout->geometry.hasMask) mask = MakeSpritePass(sprite, *layout, true, prepared);
  if (!image.bitmap.Valid() || (layout->geometry.hasMask && !mask.bitmap.Valid())) {
    if (why) *why = SpriteProblem::Truncated;
    return std::nullopt;
  }

  RgbaPicture picture;
  picture.width = layout->pixelWidth;
  picture.height = layout->height();
  picture.rgba.resize(size_t(picture.width) * size_t(picture.height) * 4);
  // Unpacked through the identity map, a row holds the pixel values themselves.
  const IndexMap values = IdentityIndexMap();
  std::vector<uint8_t> row(size_t(picture.width)), solid(size_t(picture.width), 1);
  for (int y = 0; y < picture.height; ++y) {
    UnpackRow(image.bitmap, y, layout->wastage, picture.width, values, row.data());
    if (layout->geometry.hasMask) {
      UnpackRow(mask.bitmap, y, layout->wastage, picture.width, values, solid.data());
    }
    uint8_t* out = picture.rgba.data() + size_t(y) * size_t(picture.width) * 4;
    for (int x = 0; x < picture.width; ++x) {
      const platform::Rgb c = header.colours[row[size_t(x)]];
      out[4 * x] = c.r;
      out[4 * x + 1] = c.g;
      out[4 * x + 2] = c.b;
      out[4 * x + 3] = solid[size_t(x)] ? 255 : 0;
    }
  }
  return picture;
}

}  // namespace zd
