#include "platform/list_control_painter.h"

#include <algorithm>

#include "base/cp1253.h"

namespace zd::platform {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kNavy{0, 0, 128};
constexpr Rgb kTrack{224, 224, 224}, kButton{192, 192, 192}, kShadow{128, 128, 128};
constexpr int kTextIndent = 2;

// Drawing into the client area, everything cut to `clip` (client pixels) and the picture.
class Pen {
 public:
  Pen(RgbImage& picture, int left, int top, int right, int bottom)
      : p_(picture),
        left_(std::max(0, left)),
        top_(std::max(0, top)),
        right_(std::min(picture.width, right)),
        bottom_(std::min(picture.height, bottom)) {}

  void Fill(int x0, int y0, int x1, int y1, Rgb c) {
    x0 = std::max(x0, left_), y0 = std::max(y0, top_);
    x1 = std::min(x1, right_), y1 = std::min(y1, bottom_);
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) {
      uint8_t* d = &p_.rgb[(size_t(y) * p_.width + x0) * 3];
      for (int x = x0; x < x1; ++x, d += 3) d[0] = c.r, d[1] = c.g, d[2] = c.b;
    }
  }
  void Dot(int x, int y, Rgb c) { Fill(x, y, x + 1, y + 1, c); }
  void Frame(int x0, int y0, int x1, int y1, Rgb c) {
    Fill(x0, y0, x1, y0 + 1, c);
    Fill(x0, y1 - 1, x1, y1, c);
    Fill(x0, y0, x0 + 1, y1, c);
    Fill(x1 - 1, y0, x1, y1, c);
  }
  // Every other pixel of the frame, as a focus frame is drawn.
  void DottedFrame(int x0, int y0, int x1, int y1, Rgb c) {
    for (int x = x0; x < x1; x += 2) Dot(x, y0, c), Dot(x, y1 - 1, c);
    for (int y = y0; y < y1; y += 2) Dot(x0, y, c), Dot(x1 - 1, y, c);
  }
  // Coverage of a glyph at (x, y), its top-left corner, in colour c where it is set.
  void Glyph(const TextBitmap& g, int x, int y, Rgb c) {
    const int gx0 = std::max(0, left_ - x), gy0 = std::max(0, top_ - y);
    const int gx1 = std::min(g.width, right_ - x), gy1 = std::min(g.height, bottom_ - y);
    if (gx0 >= gx1 || g.coverage.size() < size_t(g.width) * g.height) return;
    for (int gy = gy0; gy < gy1; ++gy) {
      const uint8_t* cov = &g.coverage[size_t(gy) * g.width];
      uint8_t* d = &p_.rgb[(size_t(y + gy) * p_.width + (x + gx0)) * 3];
      for (int gx = gx0; gx < gx1; ++gx, d += 3) {
        if (cov[gx] >= 128) d[0] = c.r, d[1] = c.g, d[2] = c.b;
      }
    }
  }
  // A small filled triangle pointing up or down, centred in the box.
  void Arrow(int x0, int y0, int x1, int y1, bool up, Rgb c) {
    const int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    for (int row = 0; row < 4; ++row) {
      const int y = up ? cy - 2 + row : cy + 1 - row;
      Fill(cx - row, y, cx + row + 1, y + 1, c);
    }
  }

 private:
  RgbImage& p_;
  int left_, top_, right_, bottom_;
};

bool Sane(const ListControlView& l) {
  constexpr int kFar = 1 << 16;
  return l.w > 0 && l.h > 0 && l.w < kFar && l.h < kFar && l.x > -kFar && l.x < kFar &&
         l.y > -kFar && l.y < kFar && l.lineHeight > 0 && l.lineHeight < kFar &&
         l.scrollBarWidth >= 0 && l.scrollBarWidth < l.w;
}

}  // namespace

FontRequest ListControlFont() {
  FontRequest font;
  font.face = "ArcSys";
  font.height = 12;
  font.fixedPitch = true;
  return font;
}

const TextBitmap& ListControlPainter::GlyphOf(uint8_t code) {
  Glyph& glyph = glyphs_[code];
  if (!glyph.rendered) {
    glyph.rendered = true;
    const char32_t text[1] = {Cp1253ToUnicode(code)};
    if (!fonts_.Render(ListControlFont(), std::u32string_view(text, 1), glyph.bitmap)) {
      glyph.bitmap = {};
    }
  }
  return glyph.bitmap;
}

void ListControlPainter::Draw(const std::vector<ListControlView>& lists, int originX, int originY,
                              RgbImage& picture) {
  if (picture.rgb.size() < size_t(picture.width) * picture.height * 3) return;
  if (!measured_) {
    measures_ = fonts_.MeasureCodePage(ListControlFont());
    measured_ = true;
  }
  size_t drawn = 0;
  for (const ListControlView& list : lists) {
    if (drawn == kMaxListControls) break;
    if (!Sane(list)) continue;
    DrawOne(list, originX, originY, picture);
    ++drawn;
  }
}

void ListControlPainter::DrawOne(const ListControlView& list, int originX, int originY,
                                 RgbImage& picture) {
  const int x0 = originX + list.x, y0 = originY + list.y;
  const int x1 = x0 + list.w, y1 = y0 + list.h;
  Pen box(picture, x0, y0, x1, y1);
  box.Fill(x0, y0, x1, y1, kWhite);
  box.Frame(x0, y0, x1, y1, kBlack);
  const int inLeft = x0 + 1, inTop = y0 + 1, inRight = x1 - 1, inBottom = y1 - 1;
  const int textRight = inRight - list.scrollBarWidth;

  Pen lines(picture, inLeft, inTop, textRight, inBottom);
  for (size_t i = 0; i < list.lines.size(); ++i) {
    const int top = inTop + int(i) * list.lineHeight;
    if (top >= inBottom) break;
    const bool selected = list.selectedLine == list.topLine + int(i);
    const Rgb ink = selected ? kWhite : kBlack;
    if (selected) lines.Fill(inLeft, top, textRight, top + list.lineHeight, kNavy);
    int x = inLeft + kTextIndent;
    for (unsigned char code : list.lines[i]) {
      if (x >= textRight) break;
      lines.Glyph(GlyphOf(code), x, top, ink);
      x += std::max(1, measures_.advances[code]);
    }
    if (selected && list.focused) {
      lines.DottedFrame(inLeft, top, textRight, top + list.lineHeight, kWhite);
    }
  }

  if (list.scrollBarWidth > 0) {
    Pen bar(picture, textRight, inTop, inRight, inBottom);
    const int w = list.scrollBarWidth;
    bar.Fill(textRight, inTop, inRight, inBottom, kTrack);
    for (const bool up : {true, false}) {
      const int top = up ? inTop : inBottom - w;
      bar.Fill(textRight, top, inRight, top + w, kButton);
      bar.Frame(textRight, top, inRight, top + w, kShadow);
      bar.Arrow(textRight, top, inRight, top + w, up, kBlack);
    }
    if (list.thumbHeight > 0) {
      const int top = y0 + list.thumbTop;
      bar.Fill(textRight, top, inRight, top + list.thumbHeight, kButton);
      bar.Frame(textRight, top, inRight, top + list.thumbHeight, kShadow);
    }
  }
}

}  // namespace zd::platform
