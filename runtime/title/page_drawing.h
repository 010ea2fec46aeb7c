// The cross of a page object whose picture is missing, and the plot action of rectangles.
#pragma once

#include <cstdint>

#include "graphics/canvas.h"
#include "title/page_object.h"

namespace zd {

// The plot action of a rectangle object's data word: any value but OR, AND and exclusive OR
// overwrites.
PlotAction RectanglePlotAction(uint32_t word);

// The two diagonals of a box, drawn by inverting the pixels they cross.
void DrawMissingPictureCross(Canvas& canvas, const Rect& box, const Rect& clip);

}  // namespace zd
