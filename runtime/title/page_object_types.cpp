#include "title/page_object_types.h"

#include "graphics/canvas.h"
#include "graphics/graphics.h"
#include "graphics/sprites/colour_tables.h"
#include "title/object_types.h"
#include "title/page_drawing.h"

namespace zd {
namespace {

// A filled box in the rectangle's colour and plot action; a rectangle without a colour draws
// nothing.
class RectangleObject final : public ObjectTypeHandler {
 public:
  explicit RectangleObject(Graphics& graphics) : graphics_(graphics) {}
  void Draw(ObjectPainting& paint, const PageObject& object, const Rect&,
            const Rect& visible) const override {
    const uint32_t colour = object.colour();
    if (colour == kNone) return;
    const uint8_t index = graphics_.NearestIndex(PaletteWordToRgb(colour));
    paint.canvas.FillRect(visible, index, RectanglePlotAction(object.plotAction()));
  }

 private:
  Graphics& graphics_;
};

// Hotspots and areas are places to click, never painted.
class ClickPlace final : public ObjectTypeHandler {
 public:
  explicit ClickPlace(ClickRole role) : role_(role) {}
  void Load(PageObject& object, ObjectLoading&) const override {
    object.SetRedrawKind(kRedrawHotspotOrArea);
  }
  ClickRole clickRole() const override { return role_; }
  bool painted() const override { return false; }

 private:
  ClickRole role_;
};

}  // namespace

void RegisterPageObjectTypes(ObjectTypes& types, Graphics& graphics) {
  types.Register({object_type::RECTANGLE}, std::make_unique<RectangleObject>(graphics));
  types.Register({object_type::HOTSPOT}, std::make_unique<ClickPlace>(ClickRole::Hotspot));
  types.Register({object_type::AREA}, std::make_unique<ClickPlace>(ClickRole::Area));
}

}  // namespace zd
