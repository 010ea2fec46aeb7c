// The 8-bit canvas: a surface of palette indices that pages are drawn into, with the drawing
// primitives of a 256-colour display (filled rectangles, block and stretch transfers with raster
// operations). It is turned into colours only when the window shows it or a screenshot saves it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/rect.h"
#include "platform/types.h"

namespace zd {

// What a filled rectangle does to the indices under it.
enum class PlotAction : uint8_t { Copy = 0, Or = 1, And = 2, Xor = 3 };

// How a transferred bitmap meets the indices under it: SRCCOPY, SRCAND and SRCPAINT.
enum class RasterOp : uint8_t { Copy, And, Or };

class Canvas {
 public:
  Canvas(int width, int height)
      : width_(std::max(width, 0)),
        height_(std::max(height, 0)),
        pixels_(size_t(width_) * size_t(height_), 0),
        clip_{0, 0, width_, height_} {}

  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t* Row(int y) { return &pixels_[size_t(y) * width_]; }
  const uint8_t* Row(int y) const { return &pixels_[size_t(y) * width_]; }
  // Canvas pixel (x, y), without origin or clip; 0 outside the surface.
  uint8_t At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ ? pixels_[size_t(y) * width_ + x] : 0;
  }
  // Every pixel, whatever the clip.
  void Fill(uint8_t index) { std::fill(pixels_.begin(), pixels_.end(), index); }

  platform::IndexedImageView View() const { return {pixels_.data(), width_, height_, width_}; }

  // Drawing coordinates: point (x, y) of every primitive lands on canvas pixel
  // (x + originX, y + originY).
  void SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
  }
  int originX() const { return originX_; }
  int originY() const { return originY_; }

  // The clip rectangle, in canvas pixels, cut to the surface; primitives touch nothing outside.
  void SetClip(const Rect& clip) { clip_ = clip.Intersect({0, 0, width_, height_}); }
  void ResetClip() { clip_ = {0, 0, width_, height_}; }
  const Rect& clip() const { return clip_; }
  // The clip rectangle in drawing coordinates.
  Rect ClipBox() const { return clip_.Moved(-originX_, -originY_); }

  void FillRect(const Rect& rect, uint8_t index, PlotAction action);

  // Block transfer of `source` (part of the bitmap) with its top-left corner at (x, y). Parts of
  // `source` outside the bitmap are not drawn.
  void Blit(int x, int y, const IndexBitmap& bitmap, const Rect& source, RasterOp op);
  // The two transfers of a masked picture in one pass: every pixel becomes (pixel AND mask) OR
  // image, as a transfer of the mask with AND followed by one of the image with OR leaves it.
  // The mask and the image must be of one size (else nothing is drawn).
  void BlitMasked(int x, int y, const IndexBitmap& mask, const IndexBitmap& image);
  void Blit(int x, int y, const PackedBitmap& bitmap, const IndexMap& map, const Rect& source,
            RasterOp op);

  // Stretch transfer of `source` onto `destination`, colour on colour: every destination pixel
  // takes exactly one source pixel, nothing is blended. Destination column i (counted from
  // destination.left) takes source column source.left + floor(i * source width / destination
  // width), and rows likewise: the left (top) edge of each destination pixel is mapped back into
  // the source and the pixel it falls in is taken. Equal sizes copy one to one, enlarging by a
  // whole factor repeats every pixel that many times, shrinking drops pixels after the first of
  // each group. The mapping is fixed by the whole destination, so clipping never changes which
  // source pixel a visible destination pixel shows. An empty or reversed destination, or a
  // source that is empty or leaves the bitmap, draws nothing.
  void StretchBlit(const Rect& destination, const PackedBitmap& bitmap, const IndexMap& map,
                   const Rect& source, RasterOp op);

 private:
  int width_, height_;
  std::vector<uint8_t> pixels_;
  Rect clip_;
  int originX_ = 0, originY_ = 0;
};

// An index bitmap seen as packed 8-bit data (for stretching it with the identity map).
PackedBitmap PackedView(const IndexBitmap& bitmap);

// Keeps a canvas's clip and origin while a drawing step changes them, and puts them back when
// the step ends, however it ends.
class CanvasStateSaver {
 public:
  explicit CanvasStateSaver(Canvas& canvas)
      : canvas_(canvas), clip_(canvas.clip()), originX_(canvas.originX()),
        originY_(canvas.originY()) {}
  ~CanvasStateSaver() {
    canvas_.SetClip(clip_);
    canvas_.SetOrigin(originX_, originY_);
  }
  CanvasStateSaver(const CanvasStateSaver&) = delete;
  CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

 private:
  Canvas& canvas_;
  Rect clip_;
  int originX_, originY_;
};

}  // namespace zd
