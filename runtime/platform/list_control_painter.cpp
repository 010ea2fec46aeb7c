#include "platform/list_control_painter.h"

#include <algorithm>

#include "base/cp1253.h"
#include "platform/picture_pen.h"

namespace zd::platform {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kNavy{0, 0, 128};
constexpr Rgb kTrack{224, 224, 224}, kButton{192, 192, 192}, kShadow{128, 128, 128};
constexpr int kTextIndent = 2;

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
  PicturePen box(picture, x0, y0, x1, y1);
  box.Fill(x0, y0, x1, y1, kWhite);
  box.Frame(x0, y0, x1, y1, kBlack);
  const int inLeft = x0 + 1, inTop = y0 + 1, inRight = x1 - 1, inBottom = y1 - 1;
  const int textRight = inRight - list.scrollBarWidth;

  PicturePen lines(picture, inLeft, inTop, textRight, inBottom);
  for (size_t i = 0; i < list.lines.size(); ++i) {
    const int top = inTop + int(i) * list.lineHeight;
    if (top >= inBottom) break;
    const bool selected = list.selectedLine == list.topLine + int(i);
    const Rgb ink = selected ? kWhite : kBlack;
    if (selected) lines.Fill(inLeft, top, textRight, top + list.lineHeight, kNavy);
    int x = inLeft + kTextIndent;
    for (unsigned char code : list.lines[i]) {
      if (x >= textRight) break;
      lines.Text(GlyphOf(code), x, top, ink);
      x += std::max(1, measures_.advances[code]);
    }
    if (selected && list.focused) {
      lines.DottedFrame(inLeft, top, textRight, top + list.lineHeight, kWhite);
    }
  }

  if (list.scrollBarWidth > 0) {
    PicturePen bar(picture, textRight, inTop, inRight, inBottom);
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
