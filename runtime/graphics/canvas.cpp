#include "graphics/canvas.h"

#include <cstring>

namespace zd {
namespace {

// Plain loops over whole rows, so that the compiler can vectorise them.
void CombineRow(uint8_t* dst, const uint8_t* src, int count, RasterOp op) {
  switch (op) {
    case RasterOp::Copy:
      std::memcpy(dst, src, size_t(count));
      break;
    case RasterOp::And:
      for (int i = 0; i < count; ++i) dst[i] &= src[i];
      break;
    case RasterOp::Or:
      for (int i = 0; i < count; ++i) dst[i] |= src[i];
      break;
  }
}

// (pixel AND mask) OR image along a row. Pictures are narrow, so what costs is each row's
// start and end, not its middle: 16 pixels at a time, the last 16 taken again from the row's
// end. Combining a pixel twice leaves what combining it once does, so the overlap is harmless.
void CombineMaskedRow(uint8_t* __restrict d, const uint8_t* __restrict m,
                      const uint8_t* __restrict s, int count) {
  constexpr int kChunk = 16;
  const auto chunk = [&](int at) {
    uint64_t dv[2], mv[2], sv[2];
    std::memcpy(dv, d + at, kChunk);
    std::memcpy(mv, m + at, kChunk);
    std::memcpy(sv, s + at, kChunk);
    for (int i = 0; i < 2; ++i) dv[i] = (dv[i] & mv[i]) | sv[i];
    std::memcpy(d + at, dv, kChunk);
  };
  if (count < kChunk) {
    for (int i = 0; i < count; ++i) d[i] = uint8_t((d[i] & m[i]) | s[i]);
    return;
  }
  int at = 0;
  for (; at + kChunk <= count; at += kChunk) chunk(at);
  if (at < count) chunk(count - kChunk);
}

// The destination rectangle of a block transfer, clipped, with the source point it starts from.
struct Transfer {
  Rect target;  // canvas pixels
  int sourceX = 0, sourceY = 0;
};

bool ClipTransfer(int x, int y, int bitmapWidth, int bitmapHeight, Rect source, const Rect& clip,
                  int originX, int originY, Transfer& out) {
  const Rect inside = source.Intersect({0, 0, bitmapWidth, bitmapHeight});
  if (inside.empty()) return false;
  // Where the source rectangle's corner lands on the canvas; the part of the source that lies
  // outside the bitmap moves the visible part along with it.
  const int64_t left = int64_t(x) + originX + (int64_t(inside.left) - source.left);
  const int64_t top = int64_t(y) + originY + (int64_t(inside.top) - source.top);
  const int64_t cl = std::max<int64_t>(left, clip.left);
  const int64_t ct = std::max<int64_t>(top, clip.top);
  const int64_t cr = std::min<int64_t>(left + inside.width(), clip.right);
  const int64_t cb = std::min<int64_t>(top + inside.height(), clip.bottom);
  if (cr <= cl || cb <= ct) return false;
  out.target = {int(cl), int(ct), int(cr), int(cb)};
  out.sourceX = inside.left + int(cl - left);
  out.sourceY = inside.top + int(ct - top);
  return true;
}

// A rectangle in drawing coordinates moved by the origin and cut to the clip. Worked out in 64
// bits, since title data can put a rectangle anywhere.
Rect Place(const Rect& r, int originX, int originY, const Rect& clip) {
  const auto cut = [](int64_t v, int lo, int hi) { return int(std::clamp<int64_t>(v, lo, hi)); };
  return {cut(int64_t(r.left) + originX, clip.left, clip.right),
          cut(int64_t(r.top) + originY, clip.top, clip.bottom),
          cut(int64_t(r.right) + originX, clip.left, clip.right),
          cut(int64_t(r.bottom) + originY, clip.top, clip.bottom)};
}

}  // namespace

void Canvas::FillRect(const Rect& rect, uint8_t index, PlotAction action) {
  const Rect r = Place(rect, originX_, originY_, clip_);
  if (r.empty()) return;
  const int n = r.width();
  for (int y = r.top; y < r.bottom; ++y) {
    uint8_t* row = Row(y) + r.left;
    switch (action) {
      case PlotAction::Copy: std::memset(row, index, size_t(n)); break;
      case PlotAction::Or: for (int i = 0; i < n; ++i) row[i] |= index; break;
      case PlotAction::And: for (int i = 0; i < n; ++i) row[i] &= index; break;
      case PlotAction::Xor: for (int i = 0; i < n; ++i) row[i] ^= index; break;
    }
  }
}

void Canvas::Blit(int x, int y, const IndexBitmap& bitmap, const Rect& source, RasterOp op) {
  if (bitmap.pixels.size() < size_t(std::max(bitmap.width, 0)) * size_t(std::max(bitmap.height, 0))) {
    return;
  }
  Transfer t;
  if (!ClipTransfer(x, y, bitmap.width, bitmap.height, source, clip_, originX_, originY_, t)) return;
  for (int row = t.target.top; row < t.target.bottom; ++row) {
    const uint8_t* src = bitmap.Row(t.sourceY + (row - t.target.top)) + t.sourceX;
    CombineRow(Row(row) + t.target.left, src, t.target.width(), op);
  }
}

void Canvas::BlitMasked(int x, int y, const IndexBitmap& mask, const IndexBitmap& image) {
  if (mask.width != image.width || mask.height != image.height) return;
  const size_t size = size_t(std::max(image.width, 0)) * size_t(std::max(image.height, 0));
  if (mask.pixels.size() < size || image.pixels.size() < size) return;
  Transfer t;
  if (!ClipTransfer(x, y, image.width, image.height, {0, 0, image.width, image.height}, clip_,
                    originX_, originY_, t)) {
    return;
  }
  const int width = t.target.width();
  for (int row = t.target.top; row < t.target.bottom; ++row) {
    const int sourceRow = t.sourceY + (row - t.target.top);
    CombineMaskedRow(Row(row) + t.target.left, mask.Row(sourceRow) + t.sourceX,
                     image.Row(sourceRow) + t.sourceX, width);
  }
}

void Canvas::Blit(int x, int y, const PackedBitmap& bitmap, const IndexMap& map,
                  const Rect& source, RasterOp op) {
  if (!bitmap.Valid()) return;
  Transfer t;
  if (!ClipTransfer(x, y, bitmap.width, bitmap.height, source, clip_, originX_, originY_, t)) return;
  std::vector<uint8_t> indices(size_t(t.target.width()));
  for (int row = t.target.top; row < t.target.bottom; ++row) {
    UnpackRow(bitmap, t.sourceY + (row - t.target.top), t.sourceX, t.target.width(), map,
              indices.data());
    CombineRow(Row(row) + t.target.left, indices.data(), t.target.width(), op);
  }
}

void Canvas::StretchBlit(const Rect& destination, const PackedBitmap& bitmap, const IndexMap& map,
                         const Rect& source, RasterOp op) {
  if (!bitmap.Valid() || destination.empty() || source.empty()) return;
  if (source.left < 0 || source.top < 0 || source.right > bitmap.width ||
      source.bottom > bitmap.height) {
    return;
  }
  const Rect target = Place(destination, originX_, originY_, clip_);
  if (target.empty()) return;
  const int64_t placedLeft = int64_t(destination.left) + originX_;
  const int64_t placedTop = int64_t(destination.top) + originY_;
  const int64_t dw = int64_t(destination.right) - destination.left;
  const int64_t dh = int64_t(destination.bottom) - destination.top;
  const int64_t sw = source.width(), sh = source.height();

  // The source column of every visible destination column, as an offset into the unpacked row.
  std::vector<int> columns(size_t(target.width()));
  for (int i = 0; i < target.width(); ++i) {
    columns[size_t(i)] = int((target.left - placedLeft + i) * sw / dw);
  }
  std::vector<uint8_t> sourceRow(static_cast<size_t>(sw));
  std::vector<uint8_t> stretched(size_t(target.width()));
  int unpacked = -1;
  for (int y = target.top; y < target.bottom; ++y) {
    const int sy = source.top + int((y - placedTop) * sh / dh);
    if (sy != unpacked) {
      UnpackRow(bitmap, sy, source.left, int(sw), map, sourceRow.data());
      for (size_t i = 0; i < columns.size(); ++i) stretched[i] = sourceRow[size_t(columns[i])];
      unpacked = sy;
    }
    CombineRow(Row(y) + target.left, stretched.data(), target.width(), op);
  }
}

PackedBitmap PackedView(const IndexBitmap& bitmap) {
  PackedBitmap packed;
  packed.bits = ByteView(bitmap.pixels.data(), bitmap.pixels.size());
  packed.width = bitmap.width;
  packed.height = bitmap.height;
  packed.stride = size_t(std::max(bitmap.width, 0));
  packed.bitsPerPixel = 8;
  return packed;
}

}  // namespace zd
