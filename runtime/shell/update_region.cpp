#include "shell/update_region.h"

namespace zd {

void UpdateRegion::Add(const Rect& rect, bool erase) {
  erase_ |= erase;
  Rect merged = rect.Intersect({0, 0, 640, 480});
  if (merged.empty()) return;
  // Fold in every rectangle the new one overlaps, again until none does.
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 0; i < rects_.size(); ++i) {
      if (!rects_[i].Intersect(merged).empty()) {
        merged = merged.Union(rects_[i]);
        rects_.erase(rects_.begin() + static_cast<long>(i));
        changed = true;
        break;
      }
    }
  }
  rects_.push_back(merged);
}

}  // namespace zd
