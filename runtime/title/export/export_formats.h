// The file formats a page object can be saved in, in the order the save dialog lists them, and
// which of them each kind of object offers. A format's bit is its place in an offer mask.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zd {

enum class ExportFormat : int { Metafile = 0, Bitmap, SpriteFile, DrawFile, Text, Map, Png, Svg };

struct ExportFormatInfo {
  ExportFormat format;
  int descriptionId;        // string-table text of the dialog's file type
  const char* extension;    // without the dot, as the file type's pattern shows it
};

// Every format, in dialog order: the six of the original player, then PNG and SVG.
std::span<const ExportFormatInfo> ExportFormats();
const ExportFormatInfo& InfoOf(ExportFormat format);

constexpr uint32_t FormatBit(ExportFormat format) { return 1u << int(format); }

// What the object to be saved holds.
enum class ExportKind { Sprite, Drawing, Text, Map };

// The formats offered for a kind. The sprite file format is never offered, though it has a
// writer; PNG comes with sprites and drawings, SVG with drawings.
uint32_t OfferMask(ExportKind kind);

// The offered formats in dialog order.
std::vector<ExportFormat> OfferedFormats(uint32_t mask);

}  // namespace zd
