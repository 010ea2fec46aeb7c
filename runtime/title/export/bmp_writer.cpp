#include "title/export/bmp_writer.h"

#include <cstdint>
#include <limits>

#include "base/little_endian.h"
#include "graphics/sprites/sprite_colours.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {
namespace {

constexpr size_t kFileHeaderSize = 14, kInfoHeaderSize = 40;
// Bitmaps larger than this are refused rather than risk sizes a header word cannot hold.
constexpr uint64_t kLargestFile = std::numeric_limits<int32_t>::max();

// Pixel x of a sprite row: RISC OS packs the leftmost pixel into the low bits of a byte.
int SpritePixel(const uint8_t* row, uint64_t bit, int bpp) {
  const uint8_t byte = row[bit / 8];
  return (byte >> (bit % 8)) & ((1 << bpp) - 1);
}

// Bitmaps pack the leftmost pixel into the high bits.
void PutBitmapPixel(uint8_t* row, int x, int bpp, int value) {
  const uint64_t bit = uint64_t(x) * uint64_t(bpp);
  row[bit / 8] |= uint8_t(value << (8 - bpp - int(bit % 8)));
}

}  // namespace

ExportResult EncodeBitmap(ByteView sprite, std::string& bmp) {
  SpriteProblem why = SpriteProblem::None;
  const auto layout = ReadSpriteLayout(sprite, &why);
  if (!layout) {
    return why == SpriteProblem::UnsupportedMode ? ExportResult::KindMismatch : ExportResult::NoData;
  }
  const int spriteBpp = layout->bitsPerPixel();
  if (spriteBpp != 1 && spriteBpp != 2 && spriteBpp != 4 && spriteBpp != 8) {
    return ExportResult::KindMismatch;
  }
  const int bpp = spriteBpp == 2 ? 4 : spriteBpp;
  const int width = layout->pixelWidth, height = layout->height();
  if (width <= 0 || height <= 0) return ExportResult::NoData;

  // Every size in 64 bits, checked against what the header's words can hold.
  const uint64_t stride = (uint64_t(width) * uint64_t(bpp) + 31) / 32 * 4;
  const uint64_t colours = uint64_t(1) << bpp;
  const uint64_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
  const uint64_t imageBytes = stride * uint64_t(height);
  const uint64_t fileSize = offset + imageBytes;
  if (fileSize > kLargestFile) return ExportResult::NoData;

  ColourHeader table;
  BuildColourHeader(table, SpriteColourWords(sprite, *layout).Span(), spriteBpp, false);

  std::string out;
  try {
    out.reserve(size_t(fileSize));
  } catch (const std::bad_alloc&) {
    return ExportResult::NoData;
  }
  out += "BM";
  Put32(out, uint32_t(fileSize));
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, uint32_t(offset));
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));  // positive: rows bottom-up
  Put16(out, 1);
  Put16(out, uint32_t(bpp));
  Put32(out, 0);  // no compression
  Put32(out, uint32_t(imageBytes));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, uint32_t(colours));
  Put32(out, 0);
  for (uint64_t i = 0; i < colours; ++i) {
    // Entries the table has not got (a 1-bit table has two) are black.
    const platform::Rgb c = i < uint64_t(table.count) ? table.colours[i] : platform::Rgb{};
    out += char(c.b);
    out += char(c.g);
    out += char(c.r);
    out += char(0);
  }
  const SpriteGeometry& g = layout->geometry;
  std::string row(size_t(stride), '\0');
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* source = sprite.data() + g.imageOffset + g.rowBytes * size_t(y);
    std::fill(row.begin(), row.end(), '\0');
    auto* target = reinterpret_cast<uint8_t*>(row.data());
    for (int x = 0; x < width; ++x) {
      const uint64_t bit = uint64_t(layout->firstBit) + uint64_t(x) * uint64_t(spriteBpp);
      PutBitmapPixel(target, x, bpp, SpritePixel(source, bit, spriteBpp));
    }
    out += row;
  }
  bmp = std::move(out);
  return ExportResult::Saved;
}

}  // namespace zd
