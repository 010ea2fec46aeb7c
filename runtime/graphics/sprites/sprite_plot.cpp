#include "graphics/sprites/sprite_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "graphics/sprites/sprite_colours.h"
#include "graphics/sprites/sprite_pixels.h"

namespace zd {
namespace {

// trunc() into an int; the picture arithmetic can divide by zero, and an infinite or undefined
// size is no size at all.
int TruncToInt(float v) {
  if (!std::isfinite(v)) return 0;
  const float t = std::trunc(v);
  if (t >= 2147483520.0f) return 0x7FFFFF80;
  if (t <= -2147483520.0f) return -0x7FFFFF80;
  return static_cast<int>(t);
}

}  // namespace

namespace {

// The cached bitmaps of a sprite of a drawable mode; a handle with no bitmap finds nothing.
struct FoundBitmaps {
  bool hasMask = false;
  const IndexBitmap* mask = nullptr;
  const IndexBitmap* image = nullptr;
};
std::optional<FoundBitmaps> FindCachedBitmaps(ByteView sprite, const SpriteBitmapTable& table) {
  if (!ModeInfo(sprite.U32(sprite_field::MODE).value_or(~0u))) return std::nullopt;
  const SpriteBitmapHandles handles = CachedHandles(sprite);
  return FoundBitmaps{handles.mask != 0, handles.mask ? table.Find(handles.mask, sprite) : nullptr,
                      table.Find(handles.image, sprite)};
}

}  // namespace

bool CachedSpriteCovers(const Rect& rect, ByteView sprite, const SpriteBitmapTable& table,
                        const Rect& area) {
  const auto found = FindCachedBitmaps(sprite, table);
  if (!found || found->hasMask || !found->image) return false;
  const IndexBitmap* image = found->image;
  const Rect spanned{rect.left, rect.top, int(std::min<int64_t>(int64_t(rect.left) + image->width, INT32_MAX)),
                     int(std::min<int64_t>(int64_t(rect.top) + image->height, INT32_MAX))};
  return spanned.Intersect(area) == area;
}

void PlotSpriteCached(Canvas& canvas, const Rect& rect, ByteView sprite,
                      const SpriteBitmapTable& table) {
  const auto found = FindCachedBitmaps(sprite, table);
  if (!found) return;
  const IndexBitmap *mask = found->mask, *image = found->image;
  if (mask && image && mask->width == image->width && mask->height == image->height) {
    canvas.BlitMasked(rect.left, rect.top, *mask, *image);
    return;
  }
  if (mask) canvas.Blit(rect.left, rect.top, *mask, {0, 0, mask->width, mask->height}, RasterOp::And);
  if (image) {
    canvas.Blit(rect.left, rect.top, *image, {0, 0, image->width, image->height},
                mask ? RasterOp::Or : RasterOp::Copy);
  }
}

void PlotSpriteStretched(Canvas& canvas, const Rect& destination, ByteView sprite, bool prepared,
                         const ColourMatcher& matcher) {
  const auto layout = ReadSpriteLayout(sprite);
  if (!layout) return;
  const ColourSourceWords colours = SpriteColourWords(sprite, *layout);
  const Rect source{layout->wastage, 0, layout->wastage + layout->pixelWidth, layout->height()};
  const auto pass = [&](bool mask, RasterOp op) {
    ColourHeader header;
    BuildColourHeader(header, colours.Span(), layout->bitsPerPixel(), mask);
    const SpritePass bits = MakeSpritePass(sprite, *layout, mask, prepared);
    canvas.StretchBlit(destination, bits.bitmap, MatchColourHeader(header, matcher), source, op);
  };
  const bool hasMask = layout->geometry.hasMask;
  if (hasMask) pass(true, RasterOp::And);
  pass(false, hasMask ? RasterOp::Or : RasterOp::Copy);
}

StretchTransfer MetafileStretchTransfer(const SpriteLayout& layout, const Rect& destination,
                                        const Rect& clip) {
  StretchTransfer t;
  t.destination = {0, 0, clip.width(), clip.height()};
  const float sx = float(layout.headerWidth) / float(destination.width());
  const float sy = float(layout.height()) / float(destination.height());
  t.sourceWidth = TruncToInt(float(clip.right) * sx) - TruncToInt(float(clip.left) * sx);
  t.sourceHeight = TruncToInt(float(clip.bottom) * sy) - TruncToInt(float(clip.top) * sy);
  t.sourceX = layout.wastage;
  t.sourceY = 0;
  return t;
}

Rect FitSpriteRect(const Rect& rect, const SpriteLayout& layout, int screenWidth,
                   int screenHeight) {
  const float pw = float(layout.pixelWidth);
  const float ph = float(layout.height());
  const float a = float(screenHeight) / float(screenWidth) / layout.mode.aspect * ph / pw;
  int64_t width = int64_t(rect.right) - rect.left;
  int64_t height = int64_t(rect.bottom) - rect.top;
  const float rw = float(width);
  const float rh = float(height);
  const float d = a - rh / rw;
  if (d > 0.0001f) {
    width = TruncToInt(rh / a);
  } else if (d < -0.0001f) {
    height = TruncToInt(rw * a);
  }
  const int64_t sumX = int64_t(rect.left) + rect.right;
  const int64_t sumY = int64_t(rect.top) + rect.bottom;
  const auto half = [](int64_t v) {
    return int(std::clamp<int64_t>(v / 2, INT32_MIN, INT32_MAX));
  };
  return {half(sumX - width), half(sumY - height), half(sumX + width), half(sumY + height)};
}

void PlotSpriteFitted(Canvas& canvas, const Rect& rect, ByteView sprite, bool prepared,
                      const ColourMatcher& matcher, int screenWidth, int screenHeight) {
  const auto layout = ReadSpriteLayout(sprite);
  if (!layout) return;
  PlotSpriteStretched(canvas, FitSpriteRect(rect, *layout, screenWidth, screenHeight), sprite,
                      prepared, matcher);
}

}  // namespace zd
