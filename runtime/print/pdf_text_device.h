// Styled text drawn into a print document. The layout works in pixels as on the screen; here a
// pixel is 1/96 inch, so printed text has the size the learner saw on a 96-dpi display. Fonts
// keep their face, weight, slant and underline, sized from the logical font's cell height.
#pragma once

#include <string>
#include <vector>

#include "graphics/text/styled_text.h"
#include "platform/print/print_service.h"

namespace zd {

// Points in one layout pixel.
inline constexpr double kPointsPerPixel = 72.0 / 96.0;

// A palette-relative colour (0x02BBGGRR) as RGB; "no colour" (-1) is white.
platform::Rgb RgbOfTextColour(uint32_t colour);

class PdfTextDevice : public TextDevice {
 public:
  explicit PdfTextDevice(platform::PrintDocument& document) : document_(document) {}

  int TextHeight(const LogicalFont& font) override;
  int TextWidth(const LogicalFont& font, std::string_view text) override;
  void DrawText(int x, int y, const LogicalFont& font, std::string_view text, uint32_t colour,
                bool opaque, uint32_t background, const Rect& clip) override;
  void FillBox(const Rect& box, uint32_t colour) override;
  void FrameBox(const Rect& box, uint32_t colour) override;

  // Text drawn straight on the paper (no fill behind it) in a colour too light to read on
  // white, such as white text over a dark page picture, is printed black instead.
  void SetTextOnPaper(bool onPaper) { textOnPaper_ = onPaper; }

  // The print font a logical font becomes.
  const platform::PrintFont& FontOf(const LogicalFont& font);

 private:
  struct Mapped {
    LogicalFont logical;
    platform::PrintFont print;
    int cellPixels = 0;
  };
  const Mapped& Map(const LogicalFont& font);

  platform::PrintDocument& document_;
  std::vector<Mapped> mapped_;  // the few fonts a text uses
  bool textOnPaper_ = false;
};

}  // namespace zd
