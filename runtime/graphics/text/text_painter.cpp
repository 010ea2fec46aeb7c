#include "graphics/text/text_painter.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "base/cp1253.h"
#include "platform/text_fonts.h"

namespace zd {

platform::FontRequest FontRequestFor(const LogicalFont& font) {
  platform::FontRequest r;
  r.face = Cp1253ToUtf8(font.faceName);
  r.height = font.height;
  r.width = font.width;
  r.weight = font.weight;
  r.italic = font.italic;
  r.underline = font.underline;
  r.strikeOut = font.strikeOut;
  r.fixedPitch = (font.pitchAndFamily & 3) == 1;
  r.roman = (font.pitchAndFamily & 0xF0) == 0x10;
  return r;
}

namespace {

std::u32string Unicode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (const char c : text) out.push_back(Cp1253ToUnicode(uint8_t(c)));
  return out;
}

void Put(Canvas& canvas, int x, int y, const platform::TextBitmap& bitmap, uint8_t index) {
  const Rect& clip = canvas.clip();
  const int64_t left = int64_t(x) + canvas.originX(), top = int64_t(y) + canvas.originY();
  for (int r = 0; r < bitmap.height; ++r) {
    const int64_t cy = top + r;
    if (cy < clip.top || cy >= clip.bottom) continue;
    const uint8_t* src = &bitmap.coverage[size_t(r) * size_t(bitmap.width)];
    uint8_t* row = canvas.Row(int(cy));
    const int64_t from = std::max<int64_t>(0, clip.left - left);
    const int64_t to = std::min<int64_t>(bitmap.width, clip.right - left);
    // Written as a choice for every pixel, not a store for some, so that it vectorises.
    if (from >= to) continue;
    uint8_t* out = row + (left + from);
    const uint8_t* in = src + from;
    for (int64_t c = 0; c < to - from; ++c) out[c] = in[c] ? index : out[c];
  }
}

}  // namespace

void FontTextPainter::DrawLine(Canvas& canvas, int x, int y, const LogicalFont& font,
                               std::string_view text, uint8_t index) {
  if (text.empty()) return;
  platform::TextBitmap bitmap;
  if (fonts_.Render(FontRequestFor(font), Unicode(text), bitmap)) Put(canvas, x, y, bitmap, index);
}

std::vector<WrappedLine> WrapText(platform::FontSet& fonts, const LogicalFont& font,
                                  std::string_view text, const Rect& box, TextAlign align) {
  std::vector<WrappedLine> lines;
  if (box.empty() || text.empty()) return lines;
  const platform::FontRequest request = FontRequestFor(font);
  const int lineHeight = std::max(fonts.Metrics(request).height(), 1);
  // Tabs become spaces up to the next multiple of eight characters.
  std::u32string all;
  int column = 0;
  for (const char c : text) {
    if (c == '\t') {
      do {
        all.push_back(U' ');
      } while (++column % 8 != 0);
    } else if (c == '\r') {
      continue;
    } else {
      all.push_back(c == '\n' ? U'\n' : Cp1253ToUnicode(uint8_t(c)));
      column = c == '\n' ? 0 : column + 1;
    }
  }
  const std::vector<int> advances = fonts.Advances(request, all);
  const int width = box.width();
  int y = box.top;
  const auto emit = [&](size_t from, size_t to) {
    while (to > from && all[to - 1] == U' ') --to;  // trailing blanks take no room
    const int w = std::accumulate(advances.begin() + long(from), advances.begin() + long(to), 0);
    int x = box.left;
    if (align == TextAlign::Right) x = box.right - w;
    if (align == TextAlign::Centre) x = box.left + (width - w) / 2;
    if (to > from) lines.push_back({all.substr(from, to - from), x, y});
    y += lineHeight;
  };
  size_t start = 0;
  while (start <= all.size() && y < box.bottom) {
    // Take words while they fit; a line always takes at least one word.
    size_t end = start, lastBreak = std::u32string::npos;
    int used = 0;
    while (end < all.size() && all[end] != U'\n') {
      if (all[end] == U' ') lastBreak = end;
      used += advances[end];
      if (used > width && lastBreak != std::u32string::npos && all[end] != U' ') {
        end = lastBreak;
        break;
      }
      ++end;
    }
    emit(start, end);
    if (end >= all.size()) break;
    start = end + 1;
    if (all[end] == U' ') {
      while (start < all.size() && all[start] == U' ') ++start;  // blanks at a break vanish
    }
  }
  return lines;
}

void FontTextPainter::DrawWrapped(Canvas& canvas, const Rect& box, const LogicalFont& font,
                                  std::string_view text, uint8_t index, TextAlign align) {
  const std::vector<WrappedLine> lines = WrapText(fonts_, font, text, box, align);
  if (lines.empty()) return;
  const platform::FontRequest request = FontRequestFor(font);
  const Rect saved = canvas.clip();
  canvas.SetClip(saved.Intersect(box.Moved(canvas.originX(), canvas.originY())));
  for (const WrappedLine& line : lines) {
    platform::TextBitmap bitmap;
    if (fonts_.Render(request, line.text, bitmap)) Put(canvas, line.x, line.y, bitmap, index);
  }
  canvas.SetClip(saved);
}

}  // namespace zd
