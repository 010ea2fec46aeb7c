#include <algorithm>
#include <cmath>

#include "graphics/text/markup_text.h"
#include "print/pdf_text_device.h"
#include "print/sheet_target.h"

namespace zd {
namespace {

// The printable area in layout pixels (1/96 inch), inside the area in points.
Rect PixelArea(const PointRect& area) {
  const auto pixels = [](double pt, bool up) {
    const double v = pt / kPointsPerPixel;
    return int(std::clamp(up ? std::ceil(v) : std::floor(v), -1e6, 1e6));
  };
  return {pixels(area.x, true), pixels(area.y, true), pixels(area.x + area.w, false),
          pixels(area.y + area.h, false)};
}

// The object's own box decorations, on every sheet its text covers.
void DecorateSheet(TextDevice& device, const TextBoxInput& input, const Rect& area) {
  if (input.flags & text_flag::FILL) device.FillBox(area, input.background);
  if (input.flags & text_flag::FRAME) device.FrameBox(area, input.textColour);
}

}  // namespace

bool PrintStyledTextSheets(SheetTarget& target, const TextBoxInput& input) {
  PdfTextDevice device(target.document);
  device.SetTextOnPaper((input.flags & text_flag::FILL) == 0);
  const Rect area = PixelArea(target.area);
  int sheet = 1;
  target.document.BeginSheet(target.sheet.widthPt, target.sheet.heightPt);
  // Text whose first byte is a no-break space is never drawn: an empty sheet.
  if (input.text.empty() || uint8_t(input.text[0]) == 0xA0 || area.empty()) {
    target.document.EndSheet();
    return true;
  }
  DecorateSheet(device, input, area);

  const std::string text = NormalizeMarkupBreaks(input.text);
  const size_t end = MarkupEnd(text);
  const TextStyle base = BaseTextStyle(input, area);
  LinePass pass{device, base, LineMode::Draw, area};
  TextStyle style = base;
  size_t pos = 0;
  while (pos < end && text[pos] == ' ') ++pos;

  int64_t top = area.top;
  while (pos < end) {
    const LineLayout line = LayoutLine(device, base, text, pos, end, style);
    // A line that does not fit below the ones already on the sheet starts the next sheet;
    // a line taller than a whole sheet is printed cut rather than pushed on for ever.
    if (top + line.size.height > area.bottom && top > area.top) {
      target.document.EndSheet();
      if (++sheet > kMostSheets || !target.nextSheet(sheet)) return sheet > kMostSheets;
      target.document.BeginSheet(target.sheet.widthPt, target.sheet.heightPt);
      DecorateSheet(device, input, area);
      top = area.top;
    }
    int x = area.left;
    if (line.after.flags & text_flag::RIGHT) x = area.right - line.size.width;
    if (line.after.flags & text_flag::CENTRE) x = area.left + (area.width() - line.size.width) / 2;
    // Drawing carries the style chosen in this line on to the next, across sheets too.
    DrawLine(pass, text, pos, line.end, style, x, int(top));
    top += std::max<int64_t>(int64_t(line.size.height) * line.after.leading / 100, 0);
    if (line.next <= pos) break;  // no progress: nothing more can be laid out
    pos = line.next;
  }
  target.document.EndSheet();
  return true;
}

}  // namespace zd
