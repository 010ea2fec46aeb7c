#include "title/choice_list.h"

#include <algorithm>

#include "base/text.h"
#include "platform/events.h"

namespace zd {

ChoiceList::ChoiceList(const Rect& box) {
  static constexpr int kFar = 1 << 14;
  const auto keep = [](int v) { return std::clamp(v, -kFar, kFar); };
  box_ = Rect{keep(box.left), keep(box.top), keep(box.right), keep(box.bottom)};
}

void ChoiceList::SetLines(std::vector<ChoiceLine> lines) {
  lines_ = std::move(lines);
  selected_ = lines_.empty() ? -1 : 0;
  top_ = 0;
}

int ChoiceList::visibleLines() const {
  const int inside = box_.height() - 2 * kChoiceFrame;
  return inside < kChoiceLineHeight ? (inside > 0 ? 1 : 0) : inside / kChoiceLineHeight;
}

Rect ChoiceList::linesArea() const {
  Rect area{box_.left + kChoiceFrame, box_.top + kChoiceFrame, box_.right - kChoiceFrame,
            box_.bottom - kChoiceFrame};
  area.right -= scrollBarWidth();
  return area;
}

int ChoiceList::scrollBarWidth() const {
  if (!hasScrollBar()) return 0;
  return std::clamp(box_.width() - 2 * kChoiceFrame, 0, kChoiceScrollBarWidth);
}

Rect ChoiceList::scrollBar() const {
  if (!hasScrollBar()) return {};
  return {box_.right - kChoiceFrame - scrollBarWidth(), box_.top + kChoiceFrame,
          box_.right - kChoiceFrame, box_.bottom - kChoiceFrame};
}

void ChoiceList::Thumb(int& top, int& height) const {
  top = height = 0;
  if (!hasScrollBar()) return;
  const int track = box_.height() - 2 * kChoiceFrame - 2 * kChoiceScrollBarWidth;
  if (track <= 0) return;  // room for the arrows alone
  // 64-bit: a list of many lines in a tall box would overflow the products.
  height = std::clamp(int(int64_t(track) * visibleLines() / count()), std::min(kChoiceMinThumb, track),
                      track);
  const int range = lastTop();
  top = kChoiceFrame + kChoiceScrollBarWidth +
        (range > 0 ? int(int64_t(track - height) * top_ / range) : 0);
}

int ChoiceList::lastTop() const { return std::max(0, count() - std::max(1, visibleLines())); }

void ChoiceList::ScrollIntoView() {
  const int visible = std::max(1, visibleLines());
  if (selected_ < top_) top_ = selected_;
  if (selected_ >= top_ + visible) top_ = selected_ - visible + 1;
  top_ = std::clamp(top_, 0, lastTop());
}

bool ChoiceList::Select(int line) {
  if (lines_.empty()) return false;
  line = std::clamp(line, 0, count() - 1);
  const int oldTop = top_;
  const bool moved = line != selected_;
  selected_ = line;
  ScrollIntoView();
  return moved || top_ != oldTop;
}

bool ChoiceList::ScrollBy(int lines) {
  const int old = top_;
  top_ = std::clamp(top_ + lines, 0, lastTop());
  return top_ != old;
}

ChoiceList::Outcome ChoiceList::TypeCharacter(uint8_t character) {
  if (lines_.empty() || character < 0x20) return Outcome::Nothing;
  const char wanted = ToUpper1253(char(character));
  for (int step = 1; step <= count(); ++step) {
    const int line = (selected_ + step) % count();
    const std::string& text = lines_[size_t(line)].text;
    if (!text.empty() && ToUpper1253(text.front()) == wanted) {
      return Select(line) ? Outcome::Moved : Outcome::Nothing;
    }
  }
  return Outcome::Nothing;
}

ChoiceList::Outcome ChoiceList::KeyDown(int virtualKey) {
  namespace vk = platform::vk;
  if (lines_.empty()) return Outcome::Nothing;
  // A page is a screenful less one line, so the line highlighted stays in view.
  const int page = std::max(1, visibleLines() - 1);
  int target = selected_;
  switch (virtualKey) {
    case vk::RETURN: return Outcome::Follow;
    case vk::UP:
    case vk::LEFT: target = selected_ - 1; break;
    case vk::DOWN:
    case vk::RIGHT: target = selected_ + 1; break;
    case vk::HOME: target = 0; break;
    case vk::END: target = count() - 1; break;
    case vk::PRIOR: target = selected_ - page; break;
    case vk::NEXT: target = selected_ + page; break;
    default: return Outcome::Nothing;
  }
  const int before = selected_;
  Select(target);
  return selected_ != before ? Outcome::Moved : Outcome::Nothing;
}

ChoiceList::Outcome ChoiceList::Press(int x, int y) {
  if (!box_.Contains(x, y)) return Outcome::Nothing;
  const Rect bar = scrollBar();
  if (bar.Contains(x, y)) {
    int thumbTop = 0, thumbHeight = 0;
    Thumb(thumbTop, thumbHeight);
    const int dy = y - box_.top;
    int lines = 0;
    if (y < bar.top + kChoiceScrollBarWidth) {
      lines = -1;
    } else if (y >= bar.bottom - kChoiceScrollBarWidth) {
      lines = 1;
    } else if (dy < thumbTop) {
      lines = -std::max(1, visibleLines() - 1);
    } else if (dy >= thumbTop + thumbHeight) {
      lines = std::max(1, visibleLines() - 1);
    }
    return ScrollBy(lines) ? Outcome::Scrolled : Outcome::Nothing;
  }
  const Rect area = linesArea();
  if (!area.Contains(x, y)) return Outcome::Nothing;  // the frame
  const int line = top_ + (y - area.top) / kChoiceLineHeight;
  if (line >= count() || line >= top_ + std::max(1, visibleLines())) return Outcome::Nothing;
  Select(line);
  return Outcome::Follow;
}

}  // namespace zd
