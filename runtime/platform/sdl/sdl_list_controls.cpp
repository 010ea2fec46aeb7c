#include "platform/sdl/sdl_list_controls.h"

#include <algorithm>
#include <string>

#include <imgui.h>

#include "base/cp1253.h"
#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace {

void DrawArrow(ImDrawList& draw, ImVec2 centre, float size, bool up) {
  const float h = size / 2;
  if (up) {
    draw.AddTriangleFilled({centre.x - h, centre.y + h / 2}, {centre.x + h, centre.y + h / 2},
                           {centre.x, centre.y - h / 2}, colours::kText);
  } else {
    draw.AddTriangleFilled({centre.x - h, centre.y - h / 2}, {centre.x + h, centre.y - h / 2},
                           {centre.x, centre.y + h / 2}, colours::kText);
  }
}

void DrawOne(const ListControlView& list, int originX, int originY,
             const ClientPlacement& client) {
  // ImGui draws in window pixels; the page may be any size in them (scaled, dense screens).
  const float s = ClientScaleInWindow(client);
  ImVec2 pos, end;
  ClientToWindow(client, originX + list.x, originY + list.y, pos.x, pos.y);
  ClientToWindow(client, originX + list.x + list.w, originY + list.y + list.h, end.x, end.y);
  // Drawn under every ImGui window (menus and dialogs come over it) and taking no input:
  // the runtime owns the list and gets its clicks and keys as the page's.
  {
    ImDrawList& draw = *ImGui::GetBackgroundDrawList();
    draw.PushClipRect(pos, end, true);
    draw.AddRectFilled(pos, end, colours::kWindow);
    draw.AddRect(pos, end, colours::kDarkShadow, 0, 0, s);
    const ImVec2 in{pos.x + s, pos.y + s}, inEnd{end.x - s, end.y - s};
    const float textRight = inEnd.x - float(list.scrollBarWidth) * s;
    const float lineHeight = float(list.lineHeight) * s;
    draw.PushClipRect(in, {textRight, inEnd.y}, true);
    ImFont* font = ImGui::GetFont();
    const float fontSize = std::min(ImGui::GetFontSize(), lineHeight);
    for (size_t i = 0; i < list.lines.size(); ++i) {
      const float top = in.y + float(i) * lineHeight;
      if (top >= inEnd.y) break;
      const bool selected = list.selectedLine == list.topLine + int(i);
      if (selected) draw.AddRectFilled({in.x, top}, {textRight, top + lineHeight}, colours::kNavy);
      const std::string text = Cp1253ToUtf8(list.lines[i]);
      draw.AddText(font, fontSize, {in.x + 2 * s, top + (lineHeight - fontSize) / 2},
                   selected ? colours::kHighlight : colours::kText, text.c_str());
      if (selected && list.focused) {
        for (float x = in.x; x < textRight; x += 2 * s) {
          draw.AddRectFilled({x, top}, {x + s, top + s}, colours::kHighlight);
          draw.AddRectFilled({x, top + lineHeight - s}, {x + s, top + lineHeight}, colours::kHighlight);
        }
      }
    }
    draw.PopClipRect();
    if (list.scrollBarWidth > 0) {
      const float w = float(list.scrollBarWidth) * s;
      draw.AddRectFilled({textRight, in.y}, inEnd, colours::kLight);
      for (const bool up : {true, false}) {
        const float top = up ? in.y : inEnd.y - w;
        draw.AddRectFilled({textRight, top}, {inEnd.x, top + w}, colours::kFace);
        draw.AddRect({textRight, top}, {inEnd.x, top + w}, colours::kShadow, 0, 0, s);
        DrawArrow(draw, {textRight + w / 2, top + w / 2}, w / 2, up);
      }
      if (list.thumbHeight > 0) {
        const float top = pos.y + float(list.thumbTop) * s;
        const ImVec2 a{textRight, top}, b{inEnd.x, top + float(list.thumbHeight) * s};
        draw.AddRectFilled(a, b, colours::kFace);
        draw.AddRect(a, b, colours::kShadow, 0, 0, s);
      }
    }
    draw.PopClipRect();
  }
}

}  // namespace

void DrawListControls(const std::vector<ListControlView>& lists, int originX, int originY,
                      const ClientPlacement& client) {
  for (size_t i = 0; i < lists.size() && i < kMaxListControls; ++i) {
    DrawOne(lists[i], originX, originY, client);
  }
}

}  // namespace zd::platform::sdl
