#include "title/page_content.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/seam.h"
#include "graphics/canvas.h"
#include "graphics/text/canvas_text_device.h"
#include "graphics/text/font_mapping.h"
#include "graphics/text/styled_text.h"
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

namespace {

// Font sizes outside this range are not sizes a title means; they are kept to it so that the
// mapped pixel sizes stay sane.
double SaneFontSize(double size) {
  if (!std::isfinite(size) || size < 0) return 0;
  return std::min(size, 1000.0);
}

// The text of a text object: its own (type 4) or its resource's, up to the first NUL (type 5).
// Nothing for a script or an empty slot.
std::optional<std::string> ObjectText(Runtime& runtime, const PageObject& object) {
  if (object.type() == object_type::TEXT) {
    if (object.IsScript()) return std::nullopt;
    return object.text();
  }
  if (object.type() != object_type::STYLED_TEXT) return std::nullopt;
  const uint32_t slot = object.textSlot();
  if (slot >= uint32_t(kCacheSlots) || !runtime.titleFiles.cache().slot(int(slot)).used) {
    return std::nullopt;
  }
  const std::vector<uint8_t>& block = runtime.titleFiles.cache().slot(int(slot)).block;
  const auto nul = std::find(block.begin(), block.end(), uint8_t(0));
  return std::string(block.begin(), nul);
}

TextBoxInput TextInput(const PageObject& object, const Rect& box, std::string_view text) {
  TextBoxInput input;
  input.box = box;
  input.text = text;
  input.flags = object.textFlags();
  input.textColour = PaletteColourOfWord(object.textColour());
  input.background = PaletteColourOfWord(object.textBackground());
  input.linkColour = PaletteColourOfWord(object.linkColour());
  input.linkBackground = PaletteColourOfWord(object.linkBackground());
  input.font = MapMarkupFont(object.fontDescription(), SaneFontSize(object.fontHeight()),
                             SaneFontSize(object.fontWidth()));
  return input;
}

CanvasTextDevice TextDeviceFor(Runtime& runtime, Canvas* canvas) {
  Graphics& graphics = runtime.graphics;
  return CanvasTextDevice(canvas, graphics.fonts(),
                          [&graphics](platform::Rgb rgb) { return graphics.NearestIndex(rgb); });
}

}  // namespace

void DrawTextObject(Runtime& runtime, Canvas& canvas, const Rect& box, const Rect& visible,
                    int object, uint32_t) {
  const auto record = runtime.pages.Object(object);
  if (!record) return;
  const auto text = ObjectText(runtime, *record);
  if (!text) return;
  CanvasTextDevice device = TextDeviceFor(runtime, &canvas);
  canvas.SetClip(visible);
  DrawTextBox(device, TextInput(*record, box, *text));
  canvas.ResetClip();
}

std::optional<AnchorHit> TextAnchorAt(Runtime& runtime, int object, int x, int y) {
  const auto record = runtime.pages.Object(object);
  if (!record) return std::nullopt;
  const auto box = record->pixelBox();
  const auto text = ObjectText(runtime, *record);
  if (!box || !text) return std::nullopt;
  CanvasTextDevice device = TextDeviceFor(runtime, nullptr);
  return DrawTextBox(device, TextInput(*record, *box, *text), std::pair{x, y});
}

bool RunTextAnchor(Runtime& runtime, int object, int x, int y) {
  const auto hit = TextAnchorAt(runtime, object, x, y);
  if (!hit) return false;
  ScriptEngine& script = runtime.script;
  script.anchorText.Assign(hit->text);
  if (hit->name == "QSE") script.RunAnchorScript(hit->value);
  if (hit->name == "QSL") script.RunAnchorLine(hit->value);
  return true;
}

std::optional<uint32_t> TextLinkAt(Runtime&, int, int, int) { return std::nullopt; }

void DrawDatabaseObject(Runtime& runtime, Canvas&, const Rect&, const Rect&,
                        int object) {
  TraceSeam(runtime.trace, "database.draw " + std::to_string(object));
}

}  // namespace zd
