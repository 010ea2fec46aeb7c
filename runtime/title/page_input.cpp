// The page's input: keys, clicks and what lies under the pointer.
#include "platform/events.h"
#include "runtime.h"
#include "title/pages.h"

namespace zd {

void Pages::KeyDown(int virtualKey, int repeat) {
  if (repeat != 1 || !runtime_.shell.titleRunning()) return;
  namespace vk = platform::vk;
  switch (virtualKey) {
    case vk::RETURN: FireEvent(event_kind::KEYPRESS, 1); break;
    case vk::ESCAPE: FireEvent(event_kind::ESCAPE, 0); break;
    case vk::SPACE: FireEvent(event_kind::KEYPRESS, 0); break;
    case vk::APPS: break;
    case vk::F2: runtime_.toolbox.OpenFindText(); break;
    case vk::F4: break;  // the window's own key
    default: FireEvent(event_kind::KEYPRESS, 2); break;
  }
}

void Pages::LeftButtonUp(int pageX, int pageY) {
  if (!runtime_.shell.titleRunning()) return;
  const HitResult hit = HitTest(pageX, pageY);
  switch (hit.kind) {
    case HitResult::Kind::Hotspot: {
      const uint32_t base = FireEvent(event_kind::HOTSPOT, 0);
      if (base != kNone) GotoTarget(base + hit.number - 1, event_kind::HOTSPOT);
      break;
    }
    case HitResult::Kind::Area: ClickArea(hit.object); break;
    case HitResult::Kind::TextLink: GotoPageWithHistory(hit.number); break;
    case HitResult::Kind::TextAnchor:
      if (auto object = Object(hit.object)) objectTypes_.For(*object).ClickText(*object, pageX, pageY);
      break;
    case HitResult::Kind::KeywordHotspot:
      runtime_.database.KeywordHotspotClicked(hit.object, hit.number);
      break;
    case HitResult::Kind::Nothing: break;
  }
}

HitResult Pages::HitTest(int x, int y) {
  HitResult result;
  // Hotspots, counted from 1 among all of the page's hotspots; the first one wins.
  uint32_t hotspots = 0;
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (!object) break;  // the title ended meanwhile
    if (objectTypes_.For(*object).clickRole() != ClickRole::Hotspot) continue;
    ++hotspots;
    const auto box = object->pixelBox();
    if (object->Has(object_flag::VISIBLE) && !object->WaitingForTrigger() && box &&
        box->Contains(x, y)) {
      runtime_.script.SetExitCondition(object->name());
      result.kind = HitResult::Kind::Hotspot;
      result.number = hotspots;
      return result;
    }
  }
  // Areas: triggered ones that have been shown, then the others; the last one wins.
  for (bool triggeredPass : {true, false}) {
    for (size_t i = 0; i < objects_.size(); ++i) {
      auto object = Object(static_cast<int>(i));
      if (!object) break;  // the title ended meanwhile
      if (objectTypes_.For(*object).clickRole() != ClickRole::Area) continue;
      const bool triggered = object->Has(object_flag::TRIGGERED);
      if (triggered != triggeredPass || (triggered && object->timedState() == kTimedHidden)) continue;
      const auto box = object->pixelBox();
      if (box && box->Contains(x, y)) {
        result.kind = HitResult::Kind::Area;
        result.object = static_cast<int>(i);
      }
    }
    if (result.kind == HitResult::Kind::Area) return result;
  }
  // Text links and anchors (the first one wins) and keyword hotspots (the last one wins).
  uint32_t keywords = 0;
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (!object) break;  // the title ended meanwhile
    const ObjectTypeHandler& handler = objectTypes_.For(*object);
    const ClickRole role = handler.clickRole();
    if (role == ClickRole::KeywordHotspot) ++keywords;
    if (object->WaitingForTrigger()) continue;
    const auto box = object->pixelBox();
    if (!box || !box->Contains(x, y)) continue;
    if (role == ClickRole::Text) {
      // An anchor takes the click: what it runs is the click's only effect.
      if (const auto click = handler.TextAt(*object, x, y)) {
        const bool link = click->kind == TextClick::Kind::Link;
        result.kind = link ? HitResult::Kind::TextLink : HitResult::Kind::TextAnchor;
        result.number = link ? click->page : 0;
        result.object = static_cast<int>(i);
        return result;
      }
    } else if (role == ClickRole::KeywordHotspot) {
      result.kind = HitResult::Kind::KeywordHotspot;
      result.number = keywords;
      result.object = static_cast<int>(i);
    }
  }
  return result;
}

int Pages::ObjectAt(int x, int y) {
  if (!runtime_.shell.titleRunning() || closing_ || !runtime_.titleFiles.loaded()) return -1;
  const int32_t tx = x * 2, ty = (480 - y) * 2;  // title units, all four edges inclusive
  // The object on top is the last in page order that holds the point.
  AuthorfileImage& image = runtime_.titleFiles.image();
  for (size_t i = objects_.size(); i-- > 0;) {
    const PageObject object(image, objects_[i]);
    const auto box = object.box();
    if (!box || tx < box->x0 || tx > box->x1 || ty < box->y0 || ty > box->y1) continue;
    if (object.Has(object_flag::VISIBLE) && !object.WaitingForTrigger()) return static_cast<int>(i);
  }
  return -1;
}

std::string Pages::ObjectName(int index) {
  const auto object = Object(index);
  return object ? object->name() : std::string();
}

}  // namespace zd
