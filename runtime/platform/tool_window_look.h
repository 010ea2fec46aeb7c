// The classic desktop look of tool windows, shared by the backends that draw them: where the
// caption bar, close box and client area lie, the colours, and the faces of the texts.
#pragma once

#include <algorithm>

#include <string>
#include <utility>

#include "platform/text_fonts.h"
#include "platform/types.h"

namespace zd::platform {

namespace tool_look {
constexpr Rgb kFace{192, 192, 192};       // client area and buttons
constexpr Rgb kLight{255, 255, 255};      // lit edges
constexpr Rgb kShadow{128, 128, 128};     // shaded edges, grey text
constexpr Rgb kDark{0, 0, 0};             // outer shaded edges, text
constexpr Rgb kActiveCaption{0, 0, 128};
constexpr Rgb kInactiveCaption{128, 128, 128};
constexpr Rgb kCaptionText{255, 255, 255};
constexpr Rgb kInactiveCaptionText{192, 192, 192};
constexpr Rgb kEditBack{255, 255, 255};
constexpr int kCaptionIndent = 3;  // pixels before the caption's text
}  // namespace tool_look

struct ToolRect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
};

// A view whose sizes a backend can draw without overflowing its arithmetic; others are skipped.
inline bool SaneToolWindow(const ToolWindowView& v) {
  constexpr int kFar = 1 << 16;
  return v.w > 2 && v.h > 2 && v.w < kFar && v.h < kFar && v.x > -kFar && v.x < kFar &&
         v.y > -kFar && v.y < kFar && v.captionHeight >= 0 && v.captionHeight < v.h;
}
inline bool SaneToolControl(const ToolControlView& c) {
  constexpr int kFar = 1 << 16;
  return c.w > 0 && c.h > 0 && c.w < kFar && c.h < kFar && c.x > -kFar && c.x < kFar &&
         c.y > -kFar && c.y < kFar;
}

// Inside the one-pixel frame: the caption bar, then the client area.
inline ToolRect CaptionBar(const ToolWindowView& v) {
  return {v.x + 1, v.y + 1, v.w - 2, std::max(0, v.captionHeight - 1)};
}
inline ToolRect ClientArea(const ToolWindowView& v) {
  const int top = v.y + std::max(1, v.captionHeight);
  return {v.x + 1, top, v.w - 2, std::max(0, v.y + v.h - 1 - top)};
}
// The close box: a square button at the caption's right end, two pixels in.
inline ToolRect CloseBox(const ToolWindowView& v) {
  const ToolRect bar = CaptionBar(v);
  const int side = std::max(0, bar.h - 4);
  return {bar.right() - 2 - side, bar.y + 2, side, side};
}

inline FontRequest ToolCaptionFont() {
  FontRequest font;
  font.face = "MS Sans Serif";
  font.height = 13;
  font.weight = 700;
  return font;
}
// Control texts wider than their box shrink down to this cell height, keeping this margin.
constexpr int kSmallestControlText = 9;
constexpr int kFittedTextMargin = 2;
// A button's text that does not fit its width even at the smallest size goes on two lines,
// broken at the blank nearest its middle; empty when it has no blank.
inline std::pair<std::string, std::string> TwoLines(const std::string& text) {
  size_t best = std::string::npos;
  for (size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at + 1)) {
    const auto off = [&](size_t p) { return p > text.size() / 2 ? p - text.size() / 2 : text.size() / 2 - p; };
    if (best == std::string::npos || off(at) < off(best)) best = at;
  }
  if (best == std::string::npos) return {};
  return {text.substr(0, best), text.substr(best + 1)};
}
inline FontRequest ToolControlFont() {
  FontRequest font;
  font.face = "MS Sans Serif";
  font.height = 13;
  return font;
}

}  // namespace zd::platform
