// The page's choice list: a list box over the page in which the learner picks one database
// record. It keeps its lines with their records, the highlighted line and the first line
// scrolled into view, and works out what keys and clicks do to them; the main window owns it,
// traces it and hands a picture of it to the platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/rect.h"

namespace zd {

struct ChoiceLine {
  std::string text;     // code page 1253, at most kChoiceLineLength characters
  int32_t record = -1;  // -1: no record (the "nothing found" line)
};

constexpr size_t kChoiceLineLength = 63;
constexpr int kChoiceLineHeight = 12;    // the list's font is 12 pixels high
constexpr int kChoiceFrame = 1;          // the box's frame
constexpr int kChoiceScrollBarWidth = 16;
constexpr int kChoiceMinThumb = 8;

class ChoiceList {
 public:
  // A box far outside the page is kept to a range where its sums cannot overflow; what lies
  // outside the page is not seen anyway.
  explicit ChoiceList(const Rect& box);

  // Replaces the lines; the first is highlighted and scrolled to the top.
  void SetLines(std::vector<ChoiceLine> lines);

  const Rect& box() const { return box_; }
  int count() const { return static_cast<int>(lines_.size()); }
  const ChoiceLine& line(int index) const { return lines_[size_t(index)]; }
  int selected() const { return selected_; }  // -1 only while the list is empty
  int top() const { return top_; }

  // Geometry inside the box.
  bool hasScrollBar() const { return count() > visibleLines(); }
  int visibleLines() const;  // whole lines that fit (at least one while the box has room)
  Rect linesArea() const;    // inside the frame, left of the scroll bar
  Rect scrollBar() const;    // empty without one
  int scrollBarWidth() const;  // 0 without one; never wider than the inside of the box
  // The thumb's top and height, in pixels from the box's top.
  void Thumb(int& top, int& height) const;

  // What a key or a click did.
  enum class Outcome { Nothing, Moved, Scrolled, Follow };
  // Up, Down, Left, Right, Home, End, PageUp, PageDown move the highlight; Return follows it.
  Outcome KeyDown(int virtualKey);
  // A typed character moves the highlight to the next line (after the highlighted one, round
  // to the first) that starts with it, letter case and Greek accents' case ignored.
  Outcome TypeCharacter(uint8_t character);
  // A press at page pixel (x, y) in the box: a line is highlighted and followed; the scroll
  // bar scrolls (arrows by a line, the track by a page).
  Outcome Press(int x, int y);
  // Highlights `line` (clamped to the list) and scrolls it into view; false when it was already.
  bool Select(int line);
  // Scrolls by `lines` (clamped); false when nothing moved.
  bool ScrollBy(int lines);

 private:
  void ScrollIntoView();
  int lastTop() const;

  Rect box_;
  std::vector<ChoiceLine> lines_;
  int selected_ = -1;
  int top_ = 0;
};

}  // namespace zd
