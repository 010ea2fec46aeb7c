#include "graphics/picture_objects.h"

#include <optional>

#include "graphics/canvas.h"
#include "runtime.h"
#include "title/object_types.h"
#include "title/page_drawing.h"

namespace zd {
namespace {

// A picture that hides under overlays gives its cache slot back when an overlay opens; under a
// back page it is still drawn, but the slot may hold another page's picture by then.
bool GaveBackItsSlot(const PageObject& object) {
  return object.Has(object_flag::CLOSED) && !object.Has(object_flag::ATTACHED);
}

class PictureObject : public ObjectTypeHandler {
 public:
  explicit PictureObject(Runtime& runtime) : runtime_(runtime) {}

  void Load(PageObject& object, ObjectLoading& loading) const override {
    if (object.Has(object_flag::ATTACHED)) return;  // found in the cache already
    const auto slot = loading.loadResource(static_cast<int>(object.type()),
                                           object.resourceDirectory(), object.resourceNumber());
    object.SetCacheSlot(slot ? static_cast<uint32_t>(*slot) : kNone);
    object.SetFlag(object_flag::ATTACHED, slot.has_value());
  }

  void Release(PageObject& object, ObjectRelease& release) const override {
    release.GiveBack(object.cacheSlot());
    object.SetFlag(object_flag::ATTACHED, false);
  }

  void Draw(ObjectPainting& paint, const PageObject& object, const Rect& box,
            const Rect& visible) const override {
    if (GaveBackItsSlot(object) || Hidden(object)) return;
    const auto data = CachedData(object);
    if (!data) {
      DrawMissingPictureCross(paint.canvas, box, visible);
      return;
    }
    CanvasStateSaver saved(paint.canvas);
    paint.canvas.SetClip(visible);
    DrawPicture(paint.canvas, box, *data);
  }

  bool Covers(const PageObject& object, const Rect& box, const Rect& area) const override {
    if (GaveBackItsSlot(object) || Hidden(object) || box.Intersect(area) != area) return false;
    const auto data = CachedData(object);
    return data && PictureCovers(box, *data, area);
  }

 protected:
  // The picture's bytes in its cache slot; nothing when the slot holds no resource.
  std::optional<ByteView> CachedData(const PageObject& object) const {
    const ResourceCache& cache = runtime_.titleFiles.cache();
    const uint32_t slot = object.cacheSlot();
    if (slot >= uint32_t(kCacheSlots) || !cache.slot(int(slot)).used) return std::nullopt;
    return cache.slot(int(slot)).view();
  }
  virtual bool Hidden(const PageObject&) const { return false; }
  virtual bool PictureCovers(const Rect&, ByteView, const Rect&) const { return false; }
  virtual void DrawPicture(Canvas& canvas, const Rect& box, ByteView data) const = 0;
  Runtime& runtime_;
};

class SpriteObject final : public PictureObject {
 public:
  using PictureObject::PictureObject;
  bool leavesAtOnce() const override { return true; }

  // A sprite still in the cache from an earlier page of this title is attached again, before
  // the page's loader frees what the page does not use.
  void Reuse(PageObject& object, ObjectLoading& loading) const override {
    if (object.Has(object_flag::ATTACHED)) return;
    ResourceCache& cache = loading.cache;
    const auto slot = cache.FindLoaded(loading.shortName, object.resourceDirectory(),
                                       object.resourceNumber());
    if (!slot) return;
    object.SetCacheSlot(static_cast<uint32_t>(*slot));
    object.SetFlag(object_flag::ATTACHED, true);
    cache.slot(*slot).inUseByPage = true;
  }

 private:
  bool PictureCovers(const Rect& box, ByteView data, const Rect& area) const override {
    return runtime_.shell.commandLine().spriteCaching &&
           runtime_.graphics.CachedSpriteCovers(box, data, area);
  }
  // Page pictures are blitted from their cached bitmaps; without caching they are fitted into
  // their boxes from their own pixels at every paint.
  void DrawPicture(Canvas& canvas, const Rect& box, ByteView data) const override {
    if (runtime_.shell.commandLine().spriteCaching) {
      runtime_.graphics.PlotSpriteCached(canvas, box, data);
    } else {
      runtime_.graphics.PlotSpriteFitted(canvas, box, data, true);
    }
  }
};

class DrawingObject final : public PictureObject {
 public:
  using PictureObject::PictureObject;

 private:
  bool Hidden(const PageObject& object) const override {
    return object.Has(object_flag::DRAWING_HIDDEN);
  }
  // The block ends in the all-ones word the cache adds, which ends the objects of a file that
  // has no end marker of its own.
  void DrawPicture(Canvas& canvas, const Rect& box, ByteView data) const override {
    runtime_.graphics.DrawDrawFile(canvas, box, data);
  }
};

}  // namespace

void RegisterPictureObjectTypes(ObjectTypes& types, Runtime& runtime) {
  types.Register({object_type::SPRITE}, std::make_unique<SpriteObject>(runtime));
  types.Register({object_type::DRAWING}, std::make_unique<DrawingObject>(runtime));
}

}  // namespace zd
