#include "graphics/text/text_objects.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/canvas.h"
#include "graphics/text/canvas_text_device.h"
#include "graphics/text/font_mapping.h"
#include "graphics/text/styled_text.h"
#include "runtime.h"
#include "title/object_types.h"

namespace zd {
namespace {

// Font sizes outside this range are not sizes a title means; they are kept to it so that the
// mapped pixel sizes stay sane.
double SaneFontSize(double size) {
  if (!std::isfinite(size) || size < 0) return 0;
  return std::min(size, 1000.0);
}


class TextObject : public ObjectTypeHandler {
 public:
  explicit TextObject(Runtime& runtime) : runtime_(runtime) {}

  void Draw(ObjectPainting& paint, const PageObject& object, const Rect& box,
            const Rect& visible) const override {
    const auto text = Text(object);
    if (!text) return;
    CanvasTextDevice device = Device(&paint.canvas);
    CanvasStateSaver saved(paint.canvas);
    paint.canvas.SetClip(visible);
    DrawTextBox(device, ObjectTextInput(object, box, *text));
  }

  ClickRole clickRole() const override { return ClickRole::Text; }

  // Styled text has anchors only; no markup of a title makes a link to a page.
  std::optional<TextClick> TextAt(const PageObject& object, int x, int y) const override {
    if (!AnchorAt(object, x, y)) return std::nullopt;
    return TextClick{TextClick::Kind::Anchor, 0};
  }

  // Records the anchor's text for AnchorText$ and runs what the anchor says: the page's script
  // object it names (QSE) or its one line (QSL).
  void ClickText(const PageObject& object, int x, int y) const override {
    const auto hit = AnchorAt(object, x, y);
    if (!hit) return;
    ScriptEngine& script = runtime_.script;
    script.anchorText.Assign(hit->text);
    if (hit->name == "QSE") script.RunAnchorScript(hit->value);
    if (hit->name == "QSL") script.RunAnchorLine(hit->value);
  }

 protected:
  // The text to show; nothing for a script or a resource that did not load.
  virtual std::optional<std::string> Text(const PageObject& object) const {
    if (object.IsScript()) return std::nullopt;
    return object.text();
  }
  Runtime& runtime_;

 private:
  CanvasTextDevice Device(Canvas* canvas) const {
    Graphics& graphics = runtime_.graphics;
    return CanvasTextDevice(canvas, graphics.fonts(),
                            [&graphics](platform::Rgb rgb) { return graphics.NearestIndex(rgb); });
  }
  std::optional<AnchorHit> AnchorAt(const PageObject& object, int x, int y) const {
    const auto box = object.pixelBox();
    const auto text = Text(object);
    if (!box || !text) return std::nullopt;
    CanvasTextDevice device = Device(nullptr);
    return DrawTextBox(device, ObjectTextInput(object, *box, *text), std::pair{x, y});
  }
};

class StyledTextObject final : public TextObject {
 public:
  using TextObject::TextObject;

  void Load(PageObject& object, ObjectLoading& loading) const override {
    const uint32_t reference = object.textResource();
    const auto slot =
        loading.loadResource(resource_kind::STYLED_TEXT, reference >> 16, reference & 0xFFFF);
    object.SetTextSlot(slot ? static_cast<uint32_t>(*slot) : kNone);
  }

  void Release(PageObject& object, ObjectRelease& release) const override {
    release.GiveBack(object.textSlot());
  }

 private:
  // The resource's text up to its first NUL.
  std::optional<std::string> Text(const PageObject& object) const override {
    const ResourceCache& cache = runtime_.titleFiles.cache();
    const uint32_t slot = object.textSlot();
    if (slot >= uint32_t(kCacheSlots) || !cache.slot(int(slot)).used) return std::nullopt;
    const std::vector<uint8_t>& block = cache.slot(int(slot)).block;
    const auto nul = std::find(block.begin(), block.end(), uint8_t(0));
    return std::string(block.begin(), nul);
  }
};

}  // namespace

TextBoxInput ObjectTextInput(const PageObject& object, const Rect& box, std::string_view text) {
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

void RegisterTextObjectTypes(ObjectTypes& types, Runtime& runtime) {
  types.Register({object_type::TEXT}, std::make_unique<TextObject>(runtime));
  types.Register({object_type::STYLED_TEXT}, std::make_unique<StyledTextObject>(runtime));
}

}  // namespace zd
