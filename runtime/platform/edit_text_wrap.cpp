#include "platform/edit_text_wrap.h"

#include <algorithm>

#include "platform/list_control_painter.h"
#include "platform/text_fonts.h"

namespace zd::platform {
namespace {

struct EditFontMeasures {
  std::array<int, 256> advances{};
  int lineHeight = 12;
};

// The installed fonts do not change while the player runs: the edit font is measured once.
const EditFontMeasures& Measures() {
  static const EditFontMeasures measures = [] {
    EditFontMeasures m;
    FontSet fonts;
    const CodePageMeasures measured = fonts.MeasureCodePage(ListControlFont());
    for (size_t i = 0; i < m.advances.size(); ++i) m.advances[i] = std::max(1, measured.advances[i]);
    m.lineHeight = std::max(1, measured.metrics.height());
    return m;
  }();
  return measures;
}

// Breaks one paragraph [begin, end) into lines no wider than `width`.
void WrapParagraph(std::string_view text, size_t begin, size_t end, int width,
                   const std::array<int, 256>& advances, std::vector<EditLine>& lines) {
  size_t lineBegin = begin;
  while (true) {
    int used = 0;
    size_t i = lineBegin;
    size_t afterBlank = std::string_view::npos;  // just past the last blank that fitted
    while (i < end) {
      const auto c = static_cast<unsigned char>(text[i]);
      const int advance = std::max(1, advances[c]);
      // Blanks may hang past the edge: a line breaks after them, never before.
      if (c == ' ') {
        used += advance;
        afterBlank = ++i;
        continue;
      }
      if (used + advance > width && i > lineBegin) break;
      used += advance;
      ++i;
    }
    if (i >= end) {
      lines.push_back({lineBegin, end});
      return;
    }
    const size_t lineEnd = afterBlank != std::string_view::npos && afterBlank > lineBegin ? afterBlank : i;
    lines.push_back({lineBegin, lineEnd});
    lineBegin = lineEnd;
  }
}

}  // namespace

std::vector<EditLine> WrapEditText(std::string_view text1253, int boxWidth,
                                   const std::array<int, 256>& advances) {
  const int width = std::max(1, boxWidth - 2 - 2 * kEditTextInset);
  std::vector<EditLine> lines;
  size_t begin = 0;
  while (true) {
    const size_t feed = text1253.find('\n', begin);
    const size_t stop = feed == std::string_view::npos ? text1253.size() : feed;
    const size_t end = stop > begin && text1253[stop - 1] == '\r' ? stop - 1 : stop;
    WrapParagraph(text1253, begin, end, width, advances, lines);
    if (feed == std::string_view::npos) break;
    begin = feed + 1;
  }
  return lines;
}

std::vector<EditLine> WrapEditText(std::string_view text1253, int boxWidth) {
  return WrapEditText(text1253, boxWidth, Measures().advances);
}

size_t EditLineOf(const std::vector<EditLine>& lines, size_t offset) {
  size_t line = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].begin <= offset) line = i;
  }
  return line;
}

const std::array<int, 256>& EditFontAdvances() { return Measures().advances; }
int EditLineHeight() { return Measures().lineHeight; }

}  // namespace zd::platform
