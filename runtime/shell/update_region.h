// The parts of the page that need painting, gathered until the paint message comes, and
// whether the background under them is to be erased first.
#pragma once

#include <vector>

#include "title/page_object.h"

namespace zd {

class UpdateRegion {
 public:
  // Adds a rectangle of page pixels. Overlapping rectangles merge, so that no pixel is painted
  // twice in one paint (an exclusive-OR rectangle would undo itself).
  void Add(const Rect& rect, bool erase);
  void AddAll(bool erase) { Add({0, 0, 640, 480}, erase); }
  void Clear() {
    rects_.clear();
    erase_ = false;
  }
  bool empty() const { return rects_.empty(); }
  bool erase() const { return erase_; }
  const std::vector<Rect>& rects() const { return rects_; }

 private:
  std::vector<Rect> rects_;
  bool erase_ = false;
};

}  // namespace zd
