#include "graphics/text/canvas_text_device.h"

#include <algorithm>

namespace zd {

CanvasTextDevice::CanvasTextDevice(Canvas* canvas, platform::FontSet& fonts,
                                   std::function<uint8_t(platform::Rgb)> colourIndex)
    : canvas_(canvas), fonts_(fonts), painter_(fonts), colourIndex_(std::move(colourIndex)) {}

// Widths are the sums of the characters' advances, so each font's 256 advances are measured
// once per text.
const CanvasTextDevice::Measured& CanvasTextDevice::Measure(const LogicalFont& font) {
  for (size_t i = measured_.size(); i-- > 0;) {
    if (measured_[i].font == font) return measured_[i];
  }
  if (measured_.size() >= 32) measured_.erase(measured_.begin());
  Measured m;
  m.font = font;
  const platform::CodePageMeasures measures = fonts_.MeasureCodePage(FontRequestFor(font));
  m.height = measures.metrics.height();
  m.advances = measures.advances;
  measured_.push_back(std::move(m));
  return measured_.back();
}

int CanvasTextDevice::TextHeight(const LogicalFont& font) { return Measure(font).height; }

int CanvasTextDevice::TextWidth(const LogicalFont& font, std::string_view text) {
  const Measured& m = Measure(font);
  int64_t width = 0;
  for (const char c : text) width += m.advances[uint8_t(c)];
  return int(std::min<int64_t>(width, 1 << 24));
}

uint8_t CanvasTextDevice::Index(uint32_t colour) const {
  return colourIndex_(platform::Rgb{uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)});
}

void CanvasTextDevice::DrawText(int x, int y, const LogicalFont& font, std::string_view text,
                                uint32_t colour, bool opaque, uint32_t background,
                                const Rect& clip) {
  if (!canvas_ || text.empty()) return;
  const Rect saved = canvas_->clip();
  canvas_->SetClip(saved.Intersect(clip.Moved(canvas_->originX(), canvas_->originY())));
  if (!canvas_->clip().empty()) {
    if (opaque) {
      const Rect cell{x, y, x + TextWidth(font, text), y + TextHeight(font)};
      canvas_->FillRect(cell.Intersect(clip), Index(background), PlotAction::Copy);
    }
    painter_.DrawLine(*canvas_, x, y, font, text, Index(colour));
  }
  canvas_->SetClip(saved);
}

void CanvasTextDevice::FillBox(const Rect& box, uint32_t colour) {
  if (canvas_) canvas_->FillRect(box, Index(colour), PlotAction::Copy);
}

void CanvasTextDevice::FrameBox(const Rect& box, uint32_t colour) {
  if (!canvas_ || box.empty()) return;
  const uint8_t index = Index(colour);
  canvas_->FillRect({box.left, box.top, box.right, box.top + 1}, index, PlotAction::Copy);
  canvas_->FillRect({box.left, box.bottom - 1, box.right, box.bottom}, index, PlotAction::Copy);
  canvas_->FillRect({box.left, box.top, box.left + 1, box.bottom}, index, PlotAction::Copy);
  canvas_->FillRect({box.right - 1, box.top, box.right, box.bottom}, index, PlotAction::Copy);
}

}  // namespace zd
