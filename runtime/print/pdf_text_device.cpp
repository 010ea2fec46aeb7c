#include "print/pdf_text_device.h"

#include <algorithm>
#include <cmath>

namespace zd {
namespace {

// The cell of a logical font that asks for the face's default size: 16 pixels, 12 points.
constexpr int kDefaultCellPixels = 16;
// Logical font heights beyond this are not text a sheet can show (and keep the sizes finite).
constexpr int kLargestCellPixels = 4000;
// A document that cannot measure a font: its em is taken as this share of the cell.
constexpr double kEmPerCell = 0.85;
constexpr int kMappedFontsKept = 16;
// Lighter than this (0 to 255, weighted as the eye sees) cannot be read on white paper.
constexpr int kLightestReadable = 224;

int Lightness(platform::Rgb c) { return (c.r * 30 + c.g * 59 + c.b * 11) / 100; }

int Pixels(double points) {
  if (!std::isfinite(points) || points <= 0) return 0;
  return int(std::min(std::ceil(points / kPointsPerPixel), double(1 << 24)));
}

}  // namespace

platform::Rgb RgbOfTextColour(uint32_t colour) {
  if (colour == NO_COLOUR) return {255, 255, 255};
  return {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)};
}

const PdfTextDevice::Mapped& PdfTextDevice::Map(const LogicalFont& font) {
  for (const Mapped& m : mapped_) {
    if (m.logical == font) return m;
  }
  Mapped m;
  m.logical = font;
  m.print.face = font.faceName;
  m.print.bold = font.weight >= 600;
  m.print.italic = font.italic;
  m.print.underline = font.underline;
  // A positive height is the cell, a negative one the em (as logical fonts have it).
  const bool emGiven = font.height < 0;
  int pixels = font.height == 0 ? kDefaultCellPixels : std::abs(font.height);
  pixels = std::clamp(pixels, 1, kLargestCellPixels);
  const double wantedPt = pixels * kPointsPerPixel;
  if (emGiven) {
    m.print.sizePt = wantedPt;
  } else {
    // The em that gives this cell: measured at 100 points and scaled.
    platform::PrintFont probe = m.print;
    probe.sizePt = 100;
    const double cell = document_.Metrics(probe).height;
    m.print.sizePt = std::isfinite(cell) && cell > 0 ? wantedPt * 100 / cell : wantedPt * kEmPerCell;
  }
  m.cellPixels = std::max(1, Pixels(document_.Metrics(m.print).height));
  if (m.cellPixels <= 1 && !emGiven) m.cellPixels = pixels;
  if (mapped_.size() >= size_t(kMappedFontsKept)) mapped_.erase(mapped_.begin());
  mapped_.push_back(std::move(m));
  return mapped_.back();
}

const platform::PrintFont& PdfTextDevice::FontOf(const LogicalFont& font) { return Map(font).print; }

int PdfTextDevice::TextHeight(const LogicalFont& font) { return Map(font).cellPixels; }

int PdfTextDevice::TextWidth(const LogicalFont& font, std::string_view text) {
  if (text.empty()) return 0;
  const platform::PrintFont print = Map(font).print;
  return Pixels(document_.TextWidth(print, text));
}

void PdfTextDevice::DrawText(int x, int y, const LogicalFont& font, std::string_view text,
                             uint32_t colour, bool opaque, uint32_t background, const Rect& clip) {
  if (text.empty() || clip.empty()) return;
  const Mapped mapped = Map(font);
  document_.SetClip(clip.left * kPointsPerPixel, clip.top * kPointsPerPixel,
                    clip.width() * kPointsPerPixel, clip.height() * kPointsPerPixel);
  if (opaque) {
    const double width = document_.TextWidth(mapped.print, text);
    document_.FillRect(x * kPointsPerPixel, y * kPointsPerPixel, width,
                       mapped.cellPixels * kPointsPerPixel, RgbOfTextColour(background));
  }
  platform::Rgb ink = RgbOfTextColour(colour);
  if (textOnPaper_ && !opaque && Lightness(ink) > kLightestReadable) ink = {0, 0, 0};
  document_.DrawText(x * kPointsPerPixel, y * kPointsPerPixel, mapped.print, text, ink);
  document_.ResetClip();
}

void PdfTextDevice::FillBox(const Rect& box, uint32_t colour) {
  if (box.empty()) return;
  document_.FillRect(box.left * kPointsPerPixel, box.top * kPointsPerPixel,
                     box.width() * kPointsPerPixel, box.height() * kPointsPerPixel,
                     RgbOfTextColour(colour));
}

void PdfTextDevice::FrameBox(const Rect& box, uint32_t colour) {
  if (box.empty()) return;
  document_.FrameRect(box.left * kPointsPerPixel, box.top * kPointsPerPixel,
                      box.width() * kPointsPerPixel, box.height() * kPointsPerPixel,
                      RgbOfTextColour(colour), kPointsPerPixel);
}

}  // namespace zd
