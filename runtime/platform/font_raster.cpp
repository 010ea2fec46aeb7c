#include "platform/font_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

#include "base/cp1253.h"

namespace zd::platform {
namespace {

struct Library {
  FT_Library handle = nullptr;
  Library() { FT_Init_FreeType(&handle); }
  ~Library() {
    if (handle) FT_Done_FreeType(handle);
  }
};

struct Face {
  FT_Face handle = nullptr;
  ~Face() {
    if (handle) FT_Done_Face(handle);
  }
};

}  // namespace

bool RasteriseText(const std::string& fontFile, int pixelSize, std::string_view text,
                   bool antiAlias, TextBitmap& out, std::string& error) {
  Library library;
  Face face;
  if (!library.handle || FT_New_Face(library.handle, fontFile.c_str(), 0, &face.handle) != 0) {
    error = "cannot load font " + fontFile;
    return false;
  }
  if (pixelSize <= 0 || pixelSize > 1000 || FT_Set_Pixel_Sizes(face.handle, 0, pixelSize) != 0) {
    error = "unusable font size";
    return false;
  }
  const FT_Int32 loadFlags = FT_LOAD_RENDER | (antiAlias ? FT_LOAD_TARGET_NORMAL
                                                         : (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME));
  const int ascender = static_cast<int>(face.handle->size->metrics.ascender >> 6);
  const int descender = static_cast<int>(-(face.handle->size->metrics.descender >> 6));

  // Two passes: measure, then draw.
  struct Placed {
    int x, top, width, rows, pitch;
    bool mono;
    std::vector<uint8_t> bits;
  };
  std::vector<Placed> glyphs;
  int penX = 0, minX = 0, maxX = 0;
  size_t pos = 0;
  FT_UInt previous = 0;
  while (pos < text.size()) {
    const char32_t cp = DecodeUtf8(text, pos);
    const FT_UInt index = FT_Get_Char_Index(face.handle, cp);
    if (previous && index && FT_HAS_KERNING(face.handle)) {
      FT_Vector kern;
      FT_Get_Kerning(face.handle, previous, index, FT_KERNING_DEFAULT, &kern);
      penX += static_cast<int>(kern.x >> 6);
    }
    previous = index;
    if (FT_Load_Glyph(face.handle, index, loadFlags) != 0) continue;
    const FT_GlyphSlot slot = face.handle->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    Placed g{penX + slot->bitmap_left, slot->bitmap_top, static_cast<int>(bm.width),
             static_cast<int>(bm.rows), bm.pitch, bm.pixel_mode == FT_PIXEL_MODE_MONO, {}};
    const size_t bytes = size_t(std::abs(bm.pitch)) * bm.rows;
    if (bm.buffer && bytes) g.bits.assign(bm.buffer, bm.buffer + bytes);
    minX = std::min(minX, g.x);
    maxX = std::max(maxX, g.x + g.width);
    penX += static_cast<int>(slot->advance.x >> 6);
    maxX = std::max(maxX, penX);
    glyphs.push_back(std::move(g));
  }
  out.width = maxX - minX;
  out.height = ascender + descender;
  out.baseline = ascender;
  out.coverage.assign(size_t(out.width) * out.height, 0);
  for (const Placed& g : glyphs) {
    const int pitch = std::abs(g.pitch);
    for (int r = 0; r < g.rows; ++r) {
      const int y = ascender - g.top + r;
      if (y < 0 || y >= out.height) continue;
      for (int c = 0; c < g.width; ++c) {
        const int x = g.x - minX + c;
        if (x < 0 || x >= out.width) continue;
        uint8_t value;
        if (g.mono) {
          value = (g.bits[size_t(r) * pitch + c / 8] & (0x80 >> (c % 8))) ? 255 : 0;
        } else {
          value = g.bits[size_t(r) * pitch + c];
        }
        uint8_t& dst = out.coverage[size_t(y) * out.width + x];
        dst = std::max(dst, value);
      }
    }
  }
  return true;
}

std::optional<std::string> FindFontFile(const std::string& family, bool bold, bool italic) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::optional<std::string> file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    file = reinterpret_cast<const char*>(path);
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

}  // namespace zd::platform
