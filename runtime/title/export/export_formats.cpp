#include "title/export/export_formats.h"

#include <array>
#include <vector>

#include "resources/string_table.h"

namespace zd {
namespace {

constexpr std::array<ExportFormatInfo, 8> kFormats{{
    {ExportFormat::Metafile, strings::EXPORT_FORMAT_FIRST + 0, "WMF"},
    {ExportFormat::Bitmap, strings::EXPORT_FORMAT_FIRST + 1, "BMP"},
    {ExportFormat::SpriteFile, strings::EXPORT_FORMAT_FIRST + 2, "PNT"},
    {ExportFormat::DrawFile, strings::EXPORT_FORMAT_FIRST + 3, "DRW"},
    {ExportFormat::Text, strings::EXPORT_FORMAT_FIRST + 4, "TXT"},
    {ExportFormat::Map, strings::EXPORT_FORMAT_FIRST + 5, "OBM"},
    {ExportFormat::Png, strings::PNG_FILE_TYPE, "PNG"},
    {ExportFormat::Svg, strings::SVG_FILE_TYPE, "SVG"},
}};

}  // namespace

std::span<const ExportFormatInfo> ExportFormats() { return kFormats; }

const ExportFormatInfo& InfoOf(ExportFormat format) { return kFormats[size_t(format)]; }

uint32_t OfferMask(ExportKind kind) {
  using enum ExportFormat;
  switch (kind) {
    case ExportKind::Sprite: return FormatBit(Bitmap) | FormatBit(Png);
    case ExportKind::Drawing:
      return FormatBit(Metafile) | FormatBit(DrawFile) | FormatBit(Png) | FormatBit(Svg);
    case ExportKind::Text: return FormatBit(Text);
    // A map's records are kept as they are; no picture format can show them.
    case ExportKind::Map: return FormatBit(Map);
  }
  return 0;
}

std::vector<ExportFormat> OfferedFormats(uint32_t mask) {
  mask &= ~FormatBit(ExportFormat::SpriteFile);
  std::vector<ExportFormat> offered;
  for (const ExportFormatInfo& info : kFormats) {
    if (mask & FormatBit(info.format)) offered.push_back(info.format);
  }
  return offered;
}

}  // namespace zd
