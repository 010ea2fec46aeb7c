// Drawings as enhanced metafiles: the drawing rendered at the size it has on the page, its box
// at the origin, as paths, text and stretched bitmaps.
#pragma once

#include <string>

#include "base/byte_view.h"
#include "title/export/export_result.h"

namespace zd::platform {
class FontSet;
}

namespace zd {

// The largest box, in pixels a side, a metafile is written for.
constexpr int kLargestMetafileSide = 32767;

// `drawing` is a Draw file without the cache's end word; `description` names the title (the
// main window's title, code page 1253). Data that is no Draw file does not fit the format.
ExportResult EncodeMetafile(ByteView drawing, int width, int height,
                            const std::string& description, platform::FontSet& fonts,
                            std::string& emf);

}  // namespace zd
