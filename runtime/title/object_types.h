// What each kind of page object does: how it is loaded when its page is shown, released when
// the page goes, drawn, clicked, shown and hidden. The subsystem that owns a kind registers one
// handler for it (pictures and text by graphics, movies by movies, databases by the database),
// so the page engine asks the handler instead of switching on types, and a new kind of object
// touches one file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/rect.h"
#include "title/page_object.h"

namespace zd {

class Canvas;
class ResourceCache;

// What a page's loader offers a handler while the page is shown.
struct ObjectLoading {
  ResourceCache& cache;
  const std::string& shortName;  // the title's, as cached resources are known by it
  // Loads resource `number` of `directory` as a `kind` into a free cache slot that the page
  // keeps; nullopt when it cannot (the failure has been reported).
  std::function<std::optional<int>(int kind, uint32_t directory, uint32_t number)> loadResource;
  uint16_t keywordPage = 0;  // the page record's keyword-search page
};

// What a handler needs while its page is left.
struct ObjectRelease {
  ResourceCache& cache;
  uint32_t mode = 0;            // leave_mode bits
  uint32_t pageNumber = kNone;  // the page being left
  bool resetKeywords = false;   // set by a handler when the keyword conditions must go
  // The page no longer uses `slot`; it leaves the cache too when the mode frees resources.
  void GiveBack(uint32_t slot);
};

// Where and over what an object is drawn.
struct ObjectPainting {
  Canvas& canvas;
  uint32_t pageBackground = kNone;  // the current page's background colour word
};

// How an object takes part in the page's hit test (its passes are the page's rule).
enum class ClickRole { None, Hotspot, Area, Text, KeywordHotspot };

// What a click inside a text object finds.
struct TextClick {
  enum class Kind { Link, Anchor } kind = Kind::Anchor;
  uint32_t page = 0;  // a link's page
};

class ObjectTypeHandler {
 public:
  virtual ~ObjectTypeHandler() = default;

  // Its page is being shown. Reuse comes first, for every object, before the cache lets go of
  // what the page does not use; then Load puts the object's resources into the cache and sets
  // up its own state.
  virtual void Reuse(PageObject&, ObjectLoading&) const {}
  virtual void Load(PageObject&, ObjectLoading&) const {}
  // Its page is being left.
  virtual void Release(PageObject&, ObjectRelease&) const {}
  // Draws the part `visible` of the object whose box is `box`. Changes nothing but pixels.
  virtual void Draw(ObjectPainting&, const PageObject&, const Rect& /*box*/,
                    const Rect& /*visible*/) const {}
  // True when drawing the object sets every pixel of `area` (page pixels inside its box) to
  // colours of its own, whatever was there: nothing under it needs erasing first.
  virtual bool Covers(const PageObject&, const Rect& /*box*/, const Rect& /*area*/) const {
    return false;
  }

  virtual ClickRole clickRole() const { return ClickRole::None; }
  // For text: what lies at page pixel (x, y) inside the object's box, if anything.
  virtual std::optional<TextClick> TextAt(const PageObject&, int /*x*/, int /*y*/) const {
    return std::nullopt;
  }
  // For text: a click at (x, y) that TextAt found an anchor at.
  virtual void ClickText(const PageObject&, int /*x*/, int /*y*/) const {}

  // Objects that are never painted (hotspots, areas) count as shown the moment they show.
  virtual bool painted() const { return true; }
  // Pictures whose hide delay runs out leave the screen at once, not with the next paint.
  virtual bool leavesAtOnce() const { return false; }
  // Movies and sounds play when shown and stop when hidden, rather than being painted.
  virtual bool plays() const { return false; }
  virtual void Play(int /*index*/) const {}
  virtual void Stop(int /*index*/) const {}
};

// The handlers of every object type, by type number; types nobody registered get one that
// does nothing.
class ObjectTypes {
 public:
  ObjectTypes();
  void Register(std::initializer_list<uint32_t> types, std::unique_ptr<ObjectTypeHandler> handler);
  const ObjectTypeHandler& For(uint32_t type) const;
  const ObjectTypeHandler& For(const PageObject& object) const { return For(object.type()); }

 private:
  static constexpr size_t kTypes = 32;
  std::vector<std::unique_ptr<ObjectTypeHandler>> owned_;
  std::array<const ObjectTypeHandler*, kTypes> byType_{};
};

}  // namespace zd
