#include "title/export/object_finder.h"

#include "runtime.h"
#include "title/page_object.h"

namespace zd {
namespace {

bool SavableType(const PageObject& object) {
  switch (object.type()) {
    case object_type::SPRITE:
    case object_type::DRAWING:
    case object_type::STYLED_TEXT:
    case object_type::FIELD_DISPLAY:
    case object_type::MAP:  // no handler of its own; its records are saved as they are
      return true;
    case object_type::TEXT:
      return !object.IsScript();
    default:
      return false;
  }
}

}  // namespace

std::optional<ObjectRef> FindObjectToSave(Runtime& runtime, int pageX, int pageY) {
  if (!runtime.shell.titleRunning() || !runtime.titleFiles.loaded() || runtime.pages.closing()) {
    return std::nullopt;
  }
  AuthorfileImage& image = runtime.titleFiles.image();
  const std::vector<uint32_t>& open = runtime.pages.openPages();
  std::optional<ObjectRef> found;
  for (size_t n = 0; n < open.size(); ++n) {
    const auto page = image.PageRecord(open[n]);
    if (!page) continue;
    const bool below = n + 1 < open.size();
    for (const ObjectRef& ref : image.Objects(*page)) {
      const PageObject object(image, ref);
      const auto box = object.pixelBox();
      if (!box || !object.Has(object_flag::VISIBLE) || object.WaitingForTrigger()) continue;
      if (below && object.Has(object_flag::UNDER_OVERLAY)) continue;
      // Every edge of the box counts as inside.
      if (pageX < box->left || pageX > box->right || pageY < box->top || pageY > box->bottom) {
        continue;
      }
      if (SavableType(object)) found = ref;
    }
  }
  return found;
}

}  // namespace zd
