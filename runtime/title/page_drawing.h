// The cross of a page object whose picture is missing, and the plot action of rectangles.
#pragma once

#include <cstdint>
#include <functional>

#include "graphics/canvas.h"
#include "title/page_object.h"

namespace zd {

// The plot action of a rectangle object's data word: any value but OR, AND and exclusive OR
// overwrites.
PlotAction RectanglePlotAction(uint32_t word);

// The two diagonals of a box, drawn by inverting the pixels they cross that lie inside `clip`.
// Only the part inside is visited, so a box of any size costs no more than what shows.
void DrawMissingPictureCross(Canvas& canvas, const Rect& box, const Rect& clip);

// The pixels of the line from (x0, y0) towards (x1, y1), its last point left out, as the
// platform's line stepper set them, that lie inside `limit`; each is found directly from its
// place along the line, not by stepping to it.
void ForEachLinePixelInside(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const Rect& limit,
                            const std::function<void(int x, int y)>& plot);

}  // namespace zd
