// Sprites as Windows bitmap files: the 14-byte file header, the 40-byte bitmap header with its
// colour table, then the rows bottom-up, each padded to a whole word.
#pragma once

#include <string>

#include "base/byte_view.h"
#include "title/export/export_result.h"

namespace zd {

// The sprite (from its offset-to-next word, rows top-down as its file holds them) in `bmp`.
// 1, 4 and 8 bits per pixel keep their depth and colours (the sprite's own palette, else the
// default table of its depth); 2-bit pixels are widened to 4 bits, a depth bitmaps have, with
// the four colours repeated. Deeper sprites and sprites whose data does not hold what their
// header says cannot be saved this way.
ExportResult EncodeBitmap(ByteView sprite, std::string& bmp);

}  // namespace zd
