// Rasterising a line of text with a font file (FreeType), and finding installed fonts by family
// name (fontconfig).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zd::platform {

// A line of text as coverage values (0 none .. 255 full), rows top-down.
struct TextBitmap {
  int width = 0, height = 0;
  int baseline = 0;  // row of the baseline, from the top
  std::vector<uint8_t> coverage;
};

// Renders UTF-8 `text` at `pixelSize` (the em height in pixels). Without anti-aliasing every
// value is 0 or 255, as text on a 256-colour display was drawn.
bool RasteriseText(const std::string& fontFile, int pixelSize, std::string_view text,
                   bool antiAlias, TextBitmap& out, std::string& error);

// The file of the installed font that best matches a family name, or nullopt.
std::optional<std::string> FindFontFile(const std::string& family, bool bold, bool italic);

}  // namespace zd::platform
