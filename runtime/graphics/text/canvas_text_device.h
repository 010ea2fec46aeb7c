// Styled text drawn into the 8-bit canvas through the platform's fonts, each colour taken as
// the nearest colour of the title palette.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/text/styled_text.h"
#include "graphics/text/text_painter.h"

namespace zd {

class CanvasTextDevice : public TextDevice {
 public:
  // `colourIndex` turns an RGB colour into a palette index. Without a canvas nothing is drawn.
  CanvasTextDevice(Canvas* canvas, platform::FontSet& fonts,
                   std::function<uint8_t(platform::Rgb)> colourIndex);
  int TextHeight(const LogicalFont& font) override;
  int TextWidth(const LogicalFont& font, std::string_view text) override;
  void DrawText(int x, int y, const LogicalFont& font, std::string_view text, uint32_t colour,
                bool opaque, uint32_t background, const Rect& clip) override;
  void FillBox(const Rect& box, uint32_t colour) override;
  void FrameBox(const Rect& box, uint32_t colour) override;

 private:
  struct Measured {
    LogicalFont font;
    int height = 0;
    std::array<int, 256> advances{};
  };
  const Measured& Measure(const LogicalFont& font);
  uint8_t Index(uint32_t colour) const;

  Canvas* canvas_;
  platform::FontSet& fonts_;
  FontTextPainter painter_;
  std::function<uint8_t(platform::Rgb)> colourIndex_;
  std::vector<Measured> measured_;  // the few fonts a text uses, newest last
};

}  // namespace zd
