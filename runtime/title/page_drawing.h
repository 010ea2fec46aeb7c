// Drawing the simple kinds of page objects into the page canvas: filled rectangles with their
// plot actions, and the cross of an object whose picture is missing.
#pragma once

#include <cstdint>

#include "title/page_object.h"

namespace zd {

class Canvas;

// Plot actions of rectangle objects: any value but these overwrites.
namespace plot_action {
constexpr uint32_t COPY = 0, OR = 1, AND = 2, XOR = 3;
}

void FillPageRect(Canvas& canvas, const PixelRect& rect, uint32_t action, uint8_t index);

// The two diagonals of a box, drawn by inverting the pixels they cross.
void DrawMissingPictureCross(Canvas& canvas, const PixelRect& box, const PixelRect& clip);

}  // namespace zd
