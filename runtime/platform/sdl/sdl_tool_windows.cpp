#include "platform/sdl/sdl_tool_windows.h"

#include <imgui.h>

#include <algorithm>
#include <string>

#include "base/cp1253.h"
#include "platform/edit_text_wrap.h"
#include "platform/tool_window_look.h"

namespace zd::platform::sdl {
namespace {

ImU32 Colour(Rgb c) { return IM_COL32(c.r, c.g, c.b, 255); }

// Page pixels to window pixels through the placement (any scaling, full screen with origin).
class PageToWindow {
 public:
  PageToWindow(const ClientPlacement& client, int originX, int originY)
      : client_(client), originX_(originX), originY_(originY), scale_(ClientScaleInWindow(client)) {}
  ImVec2 At(int x, int y) const {
    ImVec2 p;
    ClientToWindow(client_, originX_ + x, originY_ + y, p.x, p.y);
    return p;
  }
  float scale() const { return scale_; }

 private:
  const ClientPlacement& client_;
  int originX_, originY_;
  float scale_;
};

// One-pixel edges, lit or shaded, as the headless painter draws them.
void Edge(ImDrawList& draw, ImVec2 a, ImVec2 b, float s, Rgb topLeft, Rgb bottomRight) {
  draw.AddRectFilled(a, {b.x, a.y + s}, Colour(topLeft));
  draw.AddRectFilled(a, {a.x + s, b.y}, Colour(topLeft));
  draw.AddRectFilled({a.x, b.y - s}, b, Colour(bottomRight));
  draw.AddRectFilled({b.x - s, a.y}, b, Colour(bottomRight));
}

// Text in the dialog font at a size that fits `height` window pixels.
float TextSize(float height) { return std::min(ImGui::GetFontSize(), height); }

void DrawControl(ImDrawList& draw, const ToolControlView& c, const PageToWindow& map) {
  using namespace tool_look;
  const ImVec2 a = map.At(c.x, c.y), b = map.At(c.x + c.w, c.y + c.h);
  const float s = map.scale();
  const ImU32 ink = Colour(c.enabled ? kDark : kShadow);
  ImFont* font = ImGui::GetFont();
  float size = TextSize(b.y - a.y);
  const std::string text = c.kind == ToolControlKind::Edit ? std::string() : Cp1253ToUtf8(c.text);
  ImVec2 extent = font->CalcTextSizeA(size, FLT_MAX, 0, text.c_str());
  // A text wider than its control is drawn smaller until it fits, as the headless painter does.
  const float room = b.x - a.x - 2 * kFittedTextMargin * s;
  if (extent.x > room && room > 0) {
    size = std::max(size * room / extent.x, size * kSmallestControlText / ToolControlFont().height);
    extent = font->CalcTextSizeA(size, FLT_MAX, 0, text.c_str());
  }
  const float middleY = (a.y + b.y - extent.y) / 2;
  draw.PushClipRect(a, b, true);
  switch (c.kind) {
    case ToolControlKind::Label:
      draw.AddText(font, size, a, ink, text.c_str());
      break;
    case ToolControlKind::LabelRight:
      draw.AddText(font, size, {b.x - extent.x, middleY}, ink, text.c_str());
      break;
    case ToolControlKind::LabelFramed:
      Edge(draw, a, b, s, kShadow, kLight);
      draw.AddText(font, size, {(a.x + b.x - extent.x) / 2, middleY}, ink, text.c_str());
      break;
    case ToolControlKind::Button: {
      draw.AddRectFilled(a, b, Colour(kFace));
      const ImVec2 a1{a.x + s, a.y + s}, b1{b.x - s, b.y - s};
      if (c.pressed) {
        Edge(draw, a, b, s, kDark, kLight);
        Edge(draw, a1, b1, s, kShadow, kFace);
      } else {
        Edge(draw, a, b, s, kLight, kDark);
        Edge(draw, a1, b1, s, kFace, kShadow);
      }
      const float shift = c.pressed ? s : 0;
      const auto [first, second] = TwoLines(c.text);
      if (extent.x > room && !first.empty()) {
        // Still too wide at the smallest size: two lines, as the headless painter draws them.
        const std::string upper = Cp1253ToUtf8(first), lower = Cp1253ToUtf8(second);
        float lineSize = std::min(size, (b.y - a.y) / 2);
        const float wider = std::max(font->CalcTextSizeA(lineSize, FLT_MAX, 0, upper.c_str()).x,
                                     font->CalcTextSizeA(lineSize, FLT_MAX, 0, lower.c_str()).x);
        if (wider > room && room > 0) lineSize *= room / wider;
        const ImVec2 e1 = font->CalcTextSizeA(lineSize, FLT_MAX, 0, upper.c_str());
        const ImVec2 e2 = font->CalcTextSizeA(lineSize, FLT_MAX, 0, lower.c_str());
        const float top = (a.y + b.y - e1.y - e2.y) / 2 + shift;
        draw.AddText(font, lineSize, {(a.x + b.x - e1.x) / 2 + shift, top}, ink, upper.c_str());
        draw.AddText(font, lineSize, {(a.x + b.x - e2.x) / 2 + shift, top + e1.y}, ink, lower.c_str());
      } else {
        draw.AddText(font, size, {(a.x + b.x - extent.x) / 2 + shift, middleY + shift}, ink,
                     text.c_str());
      }
      break;
    }
    case ToolControlKind::Edit: {
      draw.AddRectFilled(a, b, Colour(kEditBack));
      Edge(draw, a, b, s, kShadow, kLight);
      // The lines break where the headless picture and the owner's caret break them.
      const std::vector<EditLine> lines = WrapEditText(c.text, c.w);
      const float lineHeight = float(EditLineHeight()) * s;
      const float lineText = TextSize(lineHeight);
      const float left = a.x + float(1 + kEditTextInset) * s, top = a.y + s;
      draw.PushClipRect({a.x + s, a.y + s}, {b.x - s, b.y - s}, true);
      const size_t first = size_t(std::clamp(c.firstLine, 0, int(lines.size())));
      for (size_t i = first; i < lines.size(); ++i) {
        const float y = top + float(i - first) * lineHeight;
        if (y >= b.y) break;
        const std::string line =
            Cp1253ToUtf8(std::string_view(c.text).substr(lines[i].begin, lines[i].end - lines[i].begin));
        draw.AddText(font, lineText, {left, y}, ink, line.c_str());
      }
      if (c.caret >= 0 && size_t(c.caret) <= c.text.size()) {
        const size_t line = EditLineOf(lines, size_t(c.caret));
        if (line >= first) {
          const size_t begin = std::min(lines[line].begin, size_t(c.caret));
          const std::string before =
              Cp1253ToUtf8(std::string_view(c.text).substr(begin, size_t(c.caret) - begin));
          const float x = left + font->CalcTextSizeA(lineText, FLT_MAX, 0, before.c_str()).x;
          const float y = top + float(line - first) * lineHeight;
          draw.AddRectFilled({x, y}, {x + s, y + lineHeight}, Colour(kDark));
        }
      }
      draw.PopClipRect();
      break;
    }
  }
  draw.PopClipRect();
}

void DrawWindow(ImDrawList& draw, const ToolWindowView& v, const PageToWindow& map) {
  using namespace tool_look;
  const float s = map.scale();
  const ImVec2 a = map.At(v.x, v.y), b = map.At(v.x + v.w, v.y + v.h);
  draw.PushClipRect(a, b, true);
  draw.AddRectFilled(a, b, Colour(kFace));
  Edge(draw, a, b, s, kLight, kDark);

  const ToolRect bar = CaptionBar(v);
  if (bar.h > 0) {
    const ImVec2 barA = map.At(bar.x, bar.y), barB = map.At(bar.right(), bar.bottom());
    draw.AddRectFilled(barA, barB, Colour(v.active ? kActiveCaption : kInactiveCaption));
    const ToolRect close = CloseBox(v);
    const ImVec2 closeA = map.At(close.x, close.y), closeB = map.At(close.right(), close.bottom());
    const float textRight = v.closeBox && close.w > 0 ? closeA.x - 2 * s : barB.x;
    const std::string caption = Cp1253ToUtf8(v.caption);
    const float size = TextSize(barB.y - barA.y);
    const float textHeight = ImGui::GetFont()->CalcTextSizeA(size, FLT_MAX, 0, caption.c_str()).y;
    draw.PushClipRect(barA, {textRight, barB.y}, true);
    draw.AddText(ImGui::GetFont(), size, {barA.x + kCaptionIndent * s, (barA.y + barB.y - textHeight) / 2},
                 Colour(v.active ? kCaptionText : kInactiveCaptionText), caption.c_str());
    draw.PopClipRect();
    if (v.closeBox && close.w > 0) {
      draw.AddRectFilled(closeA, closeB, Colour(kFace));
      Edge(draw, closeA, closeB, s, kLight, kDark);
      const float inset = std::max(2.0f * s, (closeB.x - closeA.x) / 4);
      const ImU32 ink = Colour(kDark);
      draw.AddLine({closeA.x + inset, closeA.y + inset}, {closeB.x - inset, closeB.y - inset}, ink, 1.5f * s);
      draw.AddLine({closeB.x - inset, closeA.y + inset}, {closeA.x + inset, closeB.y - inset}, ink, 1.5f * s);
    }
  }
  const ToolRect client = ClientArea(v);
  draw.PushClipRect(map.At(client.x, client.y), map.At(client.right(), client.bottom()), true);
  for (const ToolControlView& control : v.controls) {
    if (SaneToolControl(control)) DrawControl(draw, control, map);
  }
  draw.PopClipRect();
  draw.PopClipRect();
}

}  // namespace

void DrawToolWindows(const std::vector<ToolWindowView>& tools, int originX, int originY,
                     const ClientPlacement& client) {
  ImDrawList& draw = *ImGui::GetBackgroundDrawList();
  const PageToWindow map(client, originX, originY);
  for (size_t i = 0; i < tools.size() && i < kMaxToolWindows; ++i) {
    if (SaneToolWindow(tools[i])) DrawWindow(draw, tools[i], map);
  }
}

}  // namespace zd::platform::sdl
