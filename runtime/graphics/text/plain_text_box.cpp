// The text box without markup: database records and plain texts, with search terms shown.
#include <algorithm>

#include "graphics/text/styled_text.h"

namespace zd {
namespace {

bool EndsLine(char c) { return c == '\n' || c == '\r'; }

// Letters and digits of code page 1253 (Greek letters lie from 0xB8 up), and the no-break space,
// which joins words.
bool JoinsWord(char c) {
  const uint8_t b = uint8_t(c);
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == 0xA0 ||
         (b >= 0xB8 && b != 0xBB && b != 0xBD);
}

struct PlainLine {
  size_t from = 0, to = 0;  // the drawn text
  size_t next = 0;
};

PlainLine FitPlainLine(TextDevice& device, const LogicalFont& font, std::string_view text,
                       size_t start, int width) {
  PlainLine line{start, start, start};
  size_t pos = start;
  int used = 0;
  while (pos < text.size()) {
    size_t wordEnd = pos;
    while (wordEnd < text.size()) {
      const char c = text[wordEnd++];
      if (EndsLine(c) || c == ' ' || c == '-') break;
    }
    const int w = device.TextWidth(font, text.substr(pos, wordEnd - pos));
    if (pos > start && used + w > width) break;
    used += w;
    pos = wordEnd;
    if (EndsLine(text[wordEnd - 1])) break;
  }
  line.next = pos;
  line.to = pos;
  if (line.to > line.from && text[line.to - 1] == ' ') --line.to;
  else if (line.to > line.from && EndsLine(text[line.to - 1])) --line.to;
  return line;
}

}  // namespace

int DrawPlainTextBox(TextDevice& device, const TextBoxInput& input,
                     const std::vector<SearchTerm>& terms,
                     const std::optional<std::pair<int, int>>& click) {
  if (input.text.empty()) return -1;
  const Rect box = KeptTextBox(input.box);
  if (!click) {
    if (input.flags & text_flag::FILL) device.FillBox(box, input.background);
    if (input.flags & text_flag::FRAME) device.FrameBox(box, input.textColour);
  }
  const bool fixedPitch = (input.font.pitchAndFamily & 3) == 1;
  Rect area{box.left + 4, box.top + (fixedPitch ? 4 : 5), box.right - 4, box.bottom - 4};
  if (input.flags & text_flag::INDENT) area.left += 22;
  const LogicalFont& font = input.font;
  const std::string_view text = input.text;

  const uint32_t highlight = input.linkColour == PALETTE_BLACK ? input.textColour
                             : input.linkColour == NO_COLOUR   ? PALETTE_BLACK
                                                               : input.linkColour;
  const bool opaque = input.linkBackground != PALETTE_BLACK;
  const uint32_t highlightBack =
      input.linkBackground == NO_COLOUR ? PALETTE_BLACK : input.linkBackground;

  int64_t y = area.top;
  for (size_t pos = 0; pos < text.size() && y < area.bottom;) {
    const PlainLine line = FitPlainLine(device, font, text, pos, area.width());
    pos = line.next;
    std::string_view drawn = text.substr(line.from, line.to - line.from);
    if (drawn.empty()) drawn = " ";
    const int width = device.TextWidth(font, drawn);
    const int height = device.TextHeight(font);
    int x = area.left;
    if (input.flags & text_flag::RIGHT) x = area.right - width;
    if (input.flags & text_flag::CENTRE) x = area.left + (area.width() - width) / 2;
    if (!click) {
      device.DrawText(x, int(y), font, drawn, input.textColour, false, 0, area);
    }
    for (size_t t = 0; t < terms.size(); ++t) {
      for (const std::string& form : terms[t].forms) {
        if (form.empty()) continue;
        for (size_t at = drawn.find(form); at != std::string_view::npos;
             at = drawn.find(form, at + 1)) {
          const size_t after = at + form.size();
          if ((at > 0 && JoinsWord(drawn[at - 1])) ||
              (after < drawn.size() && JoinsWord(drawn[after]))) {
            continue;
          }
          const int left = x + device.TextWidth(font, drawn.substr(0, at));
          const int w = device.TextWidth(font, form);
          if (click) {
            if (click->first >= left && click->first < left + w && click->second >= y &&
                click->second < y + height) {
              return int(t);
            }
          } else {
            device.DrawText(left, int(y), font, form, highlight, opaque, highlightBack, area);
          }
        }
      }
    }
    y += std::max(height, 1);
  }
  return -1;
}

}  // namespace zd
