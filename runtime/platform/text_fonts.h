// Text in the fonts a title asks for: the font files it ships, added for the run, and the
// installed fonts found by face name (fontconfig) for the faces it names but does not ship.
// Glyphs are rasterised without anti-aliasing (FreeType, TrueType and Windows .FON files), as
// text on a 256-colour display was drawn.
#pragma once

#include <cstdint>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font_raster.h"

namespace zd::platform {

// A font as the runtime describes it; sizes in pixels.
struct FontRequest {
  std::string face;  // empty: the default face
  int height = 0;    // cell height (ascent + descent); 0: a default size; below 0: em height
  int width = 0;     // average character width; 0: the face's natural width
  int weight = 400;  // 700 and above: bold
  bool italic = false, underline = false, strikeOut = false;
  bool fixedPitch = false;  // a fixed-pitch face when the named one is not found
  bool roman = false;       // a serif face when the named one is not found
  bool operator==(const FontRequest&) const = default;
};

struct FontMetrics {
  int ascent = 0, descent = 0;
  int height() const { return ascent + descent; }
};

struct CodePageMeasures {
  FontMetrics metrics;
  std::array<int, 256> advances{};  // of each code of the titles' code page (1253)
};

class FontSet {
 public:
  FontSet();
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  // A font file added for this run: its faces come before installed fonts of the same name.
  // False when the file is missing or no font.
  bool AddFontFile(const std::string& path);
  // False when the file was not added.
  bool RemoveFontFile(const std::string& path);
  // The face names of the files added, in the order they were added.
  std::vector<std::string> AddedFaces() const;

  // The file that draws a request (the added file, the installed font or its stand-in).
  std::string FileFor(const FontRequest& font);
  FontMetrics Metrics(const FontRequest& font);
  // The advance of each code point in turn, in pixels.
  std::vector<int> Advances(const FontRequest& font, std::u32string_view text);
  // The line metrics and the advance of each of the 256 codes of the titles' code page,
  // measured once for each font and kept until a font file is added or removed: every paint
  // of a page measures the fonts of its texts again.
  CodePageMeasures MeasureCodePage(const FontRequest& font);
  // One line: coverage 0 or 255, as wide as the advances (and any overhang), as high as the
  // cell, with the baseline at the ascent.
  bool Render(const FontRequest& font, std::u32string_view text, TextBitmap& out);

 private:
  bool RenderLine(const FontRequest& font, std::u32string_view text, TextBitmap& out);
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zd::platform
