#include "title/page_content.h"

#include "base/seam.h"
#include "graphics/palette.h"
#include "runtime.h"

namespace zd {

uint8_t NearestColourIndex(Runtime& runtime, uint32_t colourWord) {
  const LogicalPalette* palette = runtime.graphics.titlePalette();
  if (!palette) return 0;
  return NearestPaletteIndex(*palette, (colourWord >> 8) & 0xFF, (colourWord >> 16) & 0xFF,
                             (colourWord >> 24) & 0xFF);
}

bool DrawSpriteSlot(Runtime& runtime, Canvas&, const PixelRect&, const PixelRect&, uint32_t slot) {
  if (slot >= uint32_t(kCacheSlots) || !runtime.titleFiles.cache().slot(int(slot)).used) {
    return false;
  }
  TraceSeam(runtime.trace, "graphics.plot-sprite " + std::to_string(slot));
  return true;
}

bool DrawDrawingSlot(Runtime& runtime, Canvas&, const PixelRect&, const PixelRect&,
                     uint32_t slot) {
  if (slot >= uint32_t(kCacheSlots) || !runtime.titleFiles.cache().slot(int(slot)).used) {
    return false;
  }
  TraceSeam(runtime.trace, "graphics.draw-drawing " + std::to_string(slot));
  return true;
}

void DrawTextObject(Runtime& runtime, Canvas&, const PixelRect&, const PixelRect&, int object,
                    uint32_t) {
  TraceSeam(runtime.trace, "graphics.draw-text " + std::to_string(object));
}

std::optional<uint32_t> TextLinkAt(Runtime&, int, int, int) { return std::nullopt; }

void DrawDatabaseObject(Runtime& runtime, Canvas&, const PixelRect&, const PixelRect&,
                        int object) {
  TraceSeam(runtime.trace, "database.draw " + std::to_string(object));
}

}  // namespace zd
