#include "title/page_content.h"

#include "base/seam.h"
#include "graphics/canvas.h"
#include "runtime.h"

namespace zd {

bool DrawSpriteSlot(Runtime& runtime, Canvas& canvas, const Rect& box, const Rect& visible,
                    uint32_t slot) {
  if (slot >= uint32_t(kCacheSlots) || !runtime.titleFiles.cache().slot(int(slot)).used) {
    return false;
  }
  // Page pictures are blitted from their cached bitmaps; without caching they are fitted into
  // their boxes from their own pixels at every paint.
  const CacheSlot& cached = runtime.titleFiles.cache().slot(int(slot));
  canvas.SetClip(visible);
  if (runtime.shell.commandLine().spriteCaching) {
    runtime.graphics.PlotSpriteCached(canvas, box, cached.view());
  } else {
    runtime.graphics.PlotSpriteFitted(canvas, box, cached.view(), true);
  }
  canvas.ResetClip();
  return true;
}

bool DrawDrawingSlot(Runtime& runtime, Canvas& canvas, const Rect& box, const Rect& visible,
                     uint32_t slot) {
  if (slot >= uint32_t(kCacheSlots) || !runtime.titleFiles.cache().slot(int(slot)).used) {
    return false;
  }
  // The block ends in the all-ones word the cache adds, which ends the objects of a file that
  // has no end marker of its own.
  canvas.SetClip(visible);
  runtime.graphics.DrawDrawFile(canvas, box, runtime.titleFiles.cache().slot(int(slot)).view());
  canvas.ResetClip();
  return true;
}

void DrawTextObject(Runtime& runtime, Canvas&, const Rect&, const Rect&, int object,
                    uint32_t) {
  TraceSeam(runtime.trace, "graphics.draw-text " + std::to_string(object));
}

std::optional<uint32_t> TextLinkAt(Runtime&, int, int, int) { return std::nullopt; }

void DrawDatabaseObject(Runtime& runtime, Canvas&, const Rect&, const Rect&,
                        int object) {
  TraceSeam(runtime.trace, "database.draw " + std::to_string(object));
}

}  // namespace zd
