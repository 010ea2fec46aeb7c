#include "platform/tool_window_painter.h"

#include <algorithm>

#include "base/cp1253.h"
#include "platform/edit_text_wrap.h"
#include "platform/list_control_painter.h"
#include "platform/picture_pen.h"
#include "platform/tool_window_look.h"

namespace zd::platform {
namespace {

using namespace tool_look;

std::u32string Unicode(std::string_view text1253) {
  std::u32string out;
  out.reserve(text1253.size());
  for (unsigned char c : text1253) out.push_back(c < 0x20 ? U' ' : Cp1253ToUnicode(c));
  return out;
}

// The "×" of the close box, drawn as two diagonals so that no font is needed.
void CloseCross(PicturePen& pen, const ToolRect& box) {
  const int inset = std::max(2, box.w / 4);
  const int span = box.w - 2 * inset;
  for (int i = 0; i < span; ++i) {
    pen.Fill(box.x + inset + i, box.y + inset + i, box.x + inset + i + 2, box.y + inset + i + 1, kDark);
    pen.Fill(box.x + box.w - inset - i - 2, box.y + inset + i, box.x + box.w - inset - i,
             box.y + inset + i + 1, kDark);
  }
}

}  // namespace

const TextBitmap* ToolWindowPainter::TextOf(const FontRequest& font, const std::string& text1253) {
  if (text1253.empty() || !fonts_.Render(font, Unicode(text1253), scratch_)) return nullptr;
  return &scratch_;
}

void ToolWindowPainter::Draw(const std::vector<ToolWindowView>& tools, int originX, int originY,
                             RgbImage& picture) {
  if (picture.rgb.size() < size_t(picture.width) * picture.height * 3) return;
  size_t drawn = 0;
  for (const ToolWindowView& view : tools) {
    if (drawn == kMaxToolWindows) break;
    ++drawn;
    if (SaneToolWindow(view)) DrawWindow(view, originX, originY, picture);
  }
}

void ToolWindowPainter::DrawWindow(const ToolWindowView& view, int originX, int originY,
                                   RgbImage& picture) {
  const int x0 = originX + view.x, y0 = originY + view.y;
  PicturePen pen(picture, x0, y0, x0 + view.w, y0 + view.h);
  pen.Fill(x0, y0, x0 + view.w, y0 + view.h, kFace);
  pen.Edge(x0, y0, x0 + view.w, y0 + view.h, kLight, kDark);

  ToolRect bar = CaptionBar(view);
  bar.x += originX, bar.y += originY;
  if (bar.h > 0) {
    pen.Fill(bar.x, bar.y, bar.right(), bar.bottom(), view.active ? kActiveCaption : kInactiveCaption);
    ToolRect close = CloseBox(view);
    close.x += originX, close.y += originY;
    const int textRight = view.closeBox && close.w > 0 ? close.x - 2 : bar.right();
    if (const TextBitmap* caption = TextOf(ToolCaptionFont(), view.caption)) {
      PicturePen captionPen(picture, bar.x, bar.y, textRight, bar.bottom());
      captionPen.Text(*caption, bar.x + kCaptionIndent, bar.y + (bar.h - caption->height) / 2,
                      view.active ? kCaptionText : kInactiveCaptionText);
    }
    if (view.closeBox && close.w > 0) {
      PicturePen boxPen(picture, bar.x, bar.y, bar.right(), bar.bottom());
      boxPen.Fill(close.x, close.y, close.right(), close.bottom(), kFace);
      boxPen.Edge(close.x, close.y, close.right(), close.bottom(), kLight, kDark);
      CloseCross(boxPen, close);
    }
  }

  const ToolRect client = ClientArea(view);
  for (const ToolControlView& control : view.controls) {
    if (!SaneToolControl(control)) continue;
    DrawControl(control, originX, originY, client.x + originX, client.y + originY,
                client.right() + originX, client.bottom() + originY, picture);
  }
}

void ToolWindowPainter::DrawTwoLines(PicturePen& pen, const std::string& first,
                                     const std::string& second, int x, int y, int w, int h,
                                     Rgb ink) {
  FontRequest font = ToolControlFont();
  for (;; --font.height) {
    const TextBitmap* top = TextOf(font, first);
    if (!top) return;
    const TextBitmap upper = *top;  // the next rendering reuses the scratch bitmap
    const TextBitmap* lower = TextOf(font, second);
    if (!lower) return;
    const bool fits = std::max(upper.width, lower->width) <= w - 2 * kFittedTextMargin &&
                      upper.height + lower->height <= h;
    if (fits || font.height <= kSmallestControlText) {
      const int top0 = y + (h - upper.height - lower->height) / 2;
      pen.Text(upper, x + (w - upper.width) / 2, top0, ink);
      pen.Text(*lower, x + (w - lower->width) / 2, top0 + upper.height, ink);
      return;
    }
  }
}

void ToolWindowPainter::DrawControl(const ToolControlView& c, int originX, int originY,
                                    int clipLeft, int clipTop, int clipRight, int clipBottom,
                                    RgbImage& picture) {
  const int x0 = originX + c.x, y0 = originY + c.y, x1 = x0 + c.w, y1 = y0 + c.h;
  PicturePen pen(picture, std::max(clipLeft, x0), std::max(clipTop, y0), std::min(clipRight, x1),
                 std::min(clipBottom, y1));
  const Rgb ink = c.enabled ? kDark : kShadow;
  // A text wider than its control is drawn smaller until it fits: Greek labels run longer than
  // the boxes the dialogs were laid out for.
  const auto fitted = [&](const std::string& text) -> const TextBitmap* {
    FontRequest font = ToolControlFont();
    for (;; --font.height) {
      const TextBitmap* t = TextOf(font, text);
      if (!t || t->width <= c.w - 2 * kFittedTextMargin || font.height <= kSmallestControlText) return t;
    }
  };
  const auto centredY = [&](const TextBitmap& t) { return y0 + (c.h - t.height) / 2; };

  switch (c.kind) {
    case ToolControlKind::Label:
      if (const TextBitmap* t = fitted(c.text)) pen.Text(*t, x0, y0, ink);
      break;
    case ToolControlKind::LabelRight:
      if (const TextBitmap* t = fitted(c.text)) pen.Text(*t, x1 - t->width, centredY(*t), ink);
      break;
    case ToolControlKind::LabelFramed:
      pen.Edge(x0, y0, x1, y1, kShadow, kLight);
      if (const TextBitmap* t = fitted(c.text)) {
        pen.Text(*t, x0 + (c.w - t->width) / 2, centredY(*t), ink);
      }
      break;
    case ToolControlKind::Button: {
      pen.Fill(x0, y0, x1, y1, kFace);
      if (c.pressed) {
        pen.Edge(x0, y0, x1, y1, kDark, kLight);
        pen.Edge(x0 + 1, y0 + 1, x1 - 1, y1 - 1, kShadow, kFace);
      } else {
        pen.Edge(x0, y0, x1, y1, kLight, kDark);
        pen.Edge(x0 + 1, y0 + 1, x1 - 1, y1 - 1, kFace, kShadow);
      }
      const int shift = c.pressed ? 1 : 0;
      const TextBitmap* t = fitted(c.text);
      const auto [first, second] = TwoLines(c.text);
      if (t && t->width > c.w - 2 * kFittedTextMargin && !first.empty()) {
        DrawTwoLines(pen, first, second, x0 + shift, y0 + shift, c.w, c.h, ink);
      } else if (t) {
        pen.Text(*t, x0 + (c.w - t->width) / 2 + shift, centredY(*t) + shift, ink);
      }
      break;
    }
    case ToolControlKind::Edit: {
      pen.Fill(x0, y0, x1, y1, kEditBack);
      pen.Edge(x0, y0, x1, y1, kShadow, kLight);
      const FontRequest editFont = ListControlFont();
      const int lineHeight = EditLineHeight();
      const auto& advances = EditFontAdvances();
      const std::vector<EditLine> lines = WrapEditText(c.text, c.w);
      const int left = x0 + 1 + kEditTextInset, top = y0 + 1;
      PicturePen inside(picture, std::max({clipLeft, x0 + 1}), std::max(clipTop, y0 + 1),
                        std::min(clipRight, x1 - 1), std::min(clipBottom, y1 - 1));
      const size_t first = size_t(std::clamp(c.firstLine, 0, int(lines.size())));
      for (size_t i = first; i < lines.size(); ++i) {
        const int y = top + int(i - first) * lineHeight;
        if (y >= y1) break;
        const std::string text(c.text.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (const TextBitmap* t = TextOf(editFont, text)) inside.Text(*t, left, y, ink);
      }
      if (c.caret >= 0 && size_t(c.caret) <= c.text.size()) {
        const size_t line = EditLineOf(lines, size_t(c.caret));
        if (line >= first) {
          int x = left;
          for (size_t i = lines[line].begin; i < size_t(c.caret); ++i) {
            x += advances[static_cast<unsigned char>(c.text[i])];
          }
          const int y = top + int(line - first) * lineHeight;
          inside.Fill(x, y, x + 1, y + lineHeight, kDark);
        }
      }
      break;
    }
  }
}

}  // namespace zd::platform
