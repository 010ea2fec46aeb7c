// A Draw file as an SVG picture of a given size, fitted by the player's rule, on white: its
// paths as polygons and polylines, its text in the player's line breaks, its sprites as
// embedded PNG pictures. zdinfo's drawings and the player's saved objects share it.
#pragma once

#include <string>

#include "base/byte_view.h"

namespace zd::platform {
class FontSet;
}

namespace zd {

// The whole SVG document (UTF-8). `data` is a Draw file; what of it cannot be read is left out.
std::string DrawingAsSvg(ByteView data, int width, int height, platform::FontSet& fonts);

}  // namespace zd
