#include "graphics/text/styled_text.h"

#include <algorithm>

#include "graphics/text/markup_tags.h"
#include "graphics/text/markup_text.h"

namespace zd {
namespace {

constexpr int MAX_LINE_WIDTH = 1 << 28;

bool EndsLine(char c) { return c == '\n' || c == '\r'; }
bool EndsWord(char c) { return c == ' ' || EndsLine(c); }

// The text area of a box: inset by 4 pixels (1 above and below for the fixed-pitch system
// font), and 22 more on the left for indented text.
Rect TextArea(const Rect& box, const TextBoxInput& input) {
  const bool modern = (input.font.pitchAndFamily & 0x30) == 0x30;
  Rect area{box.left + 4, box.top + (modern ? 1 : 4), box.right - 4, box.bottom - (modern ? 1 : 4)};
  if (input.flags & text_flag::INDENT) area.left += 22;
  return area;
}

}  // namespace

Rect KeptTextBox(const Rect& box) {
  static constexpr int kLimit = 1 << 20;
  const auto keep = [](int v) { return std::clamp(v, -kLimit, kLimit); };
  return {keep(box.left), keep(box.top), keep(box.right), keep(box.bottom)};
}

void DrawRun(LinePass& pass, std::string_view run, const TextStyle& style, int x, int y,
             LineSize& line) {
  if (run.empty()) return;
  const int width = pass.device.TextWidth(style.deviceFont, run);
  const int height = pass.device.TextHeight(style.deviceFont);
  const int top = y + style.verticalOffset;
  // A line's width is kept to a bound no box reaches, so no sum of runs can overflow.
  const auto grow = [&] {
    line.width = int(std::min<int64_t>(int64_t(line.width) + width, MAX_LINE_WIDTH));
    line.height = std::max(line.height, height);
  };
  if (pass.mode == LineMode::Draw) {
    // Runs wholly above or below the area are only measured: they would be cut away.
    if (top + height <= pass.area.top || top >= pass.area.bottom) {
      grow();
      return;
    }
    pass.device.DrawText(x, top, style.deviceFont, run, style.deviceText,
                         (style.flags & text_flag::FILL) != 0, style.deviceBackground, pass.area);
  } else if (pass.mode == LineMode::Click && !pass.hit && style.inAnchor &&
             pass.clickX >= x && pass.clickX < x + width && pass.clickY >= top &&
             pass.clickY < top + height) {
    pass.hit = AnchorHit{style.anchorName, style.anchorValue,
                         std::string(run.substr(0, MAX_ANCHOR_VALUE))};
  }
  grow();
}

LineSize DrawLine(LinePass& pass, std::string_view text, size_t from, size_t to,
                  TextStyle& style, int x, int y) {
  LineSize line;
  to = std::min(to, text.size());
  size_t i = from;
  while (i < to) {
    if (text[i] == '<') {
      const size_t close = text.find('>', i);
      if (close == std::string_view::npos || close >= to) break;  // an unfinished tag ends it
      const TagEffect effect = ApplyTag(text.substr(i + 1, close - i - 1), style, pass.base);
      if (effect.fontChanged) style.deviceFont = style.font;
      if (effect.coloursChanged && pass.mode == LineMode::Draw) {
        style.deviceText = style.DrawnTextColour();
        style.deviceBackground = style.DrawnBackground();
      }
      i = close + 1;
      continue;
    }
    const size_t next = std::min(text.find('<', i), to);
    DrawRun(pass, text.substr(i, next - i), style, x + line.width, y, line);
    i = next;
  }
  return line;
}

LineLayout LayoutLine(TextDevice& device, const TextStyle& base, std::string_view text,
                      size_t start, size_t end, const TextStyle& style) {
  LinePass pass{device, base};
  LineLayout layout;
  layout.after = style;
  layout.end = layout.next = start;
  end = std::min(end, text.size());
  // Each word is measured with the space before it, from where the line got to: the same as
  // measuring the whole line again, since runs are measured one by one.
  size_t segment = start;
  bool first = true;
  while (true) {
    size_t wordEnd = first ? start : segment + 1;
    while (wordEnd < end && !EndsWord(text[wordEnd])) {
      if (text[wordEnd] == '<') {
        const size_t close = text.find('>', wordEnd);
        wordEnd = close == std::string_view::npos ? end : std::min(close + 1, end);
      } else {
        ++wordEnd;
      }
    }
    TextStyle trial = layout.after;
    const LineSize word = DrawLine(pass, text, segment, wordEnd, trial, 0, 0);
    if (!first && layout.size.width + word.width > style.lineWidth) {
      layout.end = segment;  // the breaking space
      layout.next = segment + 1;
      break;
    }
    layout.after = std::move(trial);
    layout.size.width = std::min(layout.size.width + word.width, MAX_LINE_WIDTH);
    layout.size.height = std::max(layout.size.height, word.height);
    layout.end = wordEnd;
    first = false;
    if (wordEnd >= end || EndsLine(text[wordEnd])) {
      layout.next = std::min(wordEnd + 1, end);
      break;
    }
    segment = wordEnd;
  }
  if (layout.size.height == 0) layout.size.height = device.TextHeight(layout.after.deviceFont);
  return layout;
}

TextStyle BaseTextStyle(const TextBoxInput& input, const Rect& area) {
  TextStyle base;
  base.font = input.font;
  base.left = area.left;
  base.lineWidth = area.width();
  base.flags = input.flags;
  base.textColour = input.textColour;
  base.background = input.background;
  base.linkColour = input.linkColour;
  base.linkBackground = input.linkBackground;
  base.deviceFont = base.font;
  base.deviceText = base.textColour;
  base.deviceBackground = base.background;
  return base;
}

std::optional<AnchorHit> DrawTextBox(TextDevice& device, const TextBoxInput& input,
                                     const std::optional<std::pair<int, int>>& click) {
  if (input.text.empty()) return std::nullopt;
  if (uint8_t(input.text[0]) == 0xA0 && !click) return std::nullopt;
  const Rect box = KeptTextBox(input.box);
  if (!click) {
    if (input.flags & text_flag::FILL) device.FillBox(box, input.background);
    if (input.flags & text_flag::FRAME) device.FrameBox(box, input.textColour);
  }
  const Rect area = TextArea(box, input);
  const std::string text = NormalizeMarkupBreaks(input.text);
  const size_t end = MarkupEnd(text);

  const TextStyle base = BaseTextStyle(input, area);

  size_t first = 0;
  while (first < end && text[first] == ' ') ++first;

  // Line offsets are 64-bit: a hostile text can have very many very tall lines.
  const auto advance = [](const LineLayout& line) {
    return int64_t(line.size.height) * line.after.leading / 100;
  };
  int64_t offset = 0;
  if (input.flags & text_flag::VCENTRE) {
    TextStyle style = base;
    int64_t total = 0;
    for (size_t pos = first; pos < end;) {
      LineLayout line = LayoutLine(device, base, text, pos, end, style);
      total += advance(line);
      pos = line.next;
      style = std::move(line.after);
    }
    offset = (area.height() - total) / 2;
  }

  LinePass pass{device, base, click ? LineMode::Click : LineMode::Draw, area};
  if (click) {
    pass.clickX = click->first;
    pass.clickY = click->second;
  }
  TextStyle style = base;
  for (size_t pos = first; pos < end;) {
    LineLayout line = LayoutLine(device, base, text, pos, end, style);
    const int64_t top = area.top + offset;
    if (top >= area.bottom) break;  // nothing further shows, nor can be clicked
    int x = area.left;
    if (line.after.flags & text_flag::RIGHT) x = area.right - line.size.width;
    if (line.after.flags & text_flag::CENTRE) x = area.left + (area.width() - line.size.width) / 2;
    // Lines far above the area (a tall text centred vertically) are placed just above it.
    const int y = int(std::max<int64_t>(top, int64_t(area.top) - (1 << 24)));
    if (!click) {
      // Drawing carries the colours chosen in this line on to the next.
      DrawLine(pass, text, pos, line.end, style, x, y);
    } else {
      if (pass.clickY >= top && pass.clickY < top + line.size.height) {
        DrawLine(pass, text, pos, line.end, style, x, y);
        if (pass.hit) break;
      }
      style = std::move(line.after);
    }
    offset += advance(line);
    pos = line.next;
  }
  return pass.hit;
}

}  // namespace zd
