// RISC OS font names as titles give them ("Homerton.Bold", "Trinity.Medium.Italic",
// "System Font") turned into the logical fonts the player draws with: a face, its pitch and
// family, a height and width in pixels that fill about the space the original font did, weight
// and slant, always in the Greek character set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

constexpr uint8_t GREEK_CHARSET = 161;
constexpr int FW_NORMAL = 400, FW_BOLD = 700;
constexpr uint8_t FF_SWISS_VARIABLE = 0x22, FF_ROMAN_VARIABLE = 0x12, FF_MODERN_FIXED = 0x31;

struct LogicalFont {
  std::string faceName;  // empty: the platform's default face
  uint8_t pitchAndFamily = 0;
  int height = 0;  // cell height in pixels; 0: the face's default size
  int width = 0;   // average character width in pixels; 0: the face's natural width
  int weight = FW_NORMAL;
  bool italic = false, underline = false, strikeOut = false;
  uint8_t charSet = GREEK_CHARSET;
  uint8_t outPrecision = 0, clipPrecision = 0, quality = 2;  // proof quality
  int escapement = 0, orientation = 0;
  bool operator==(const LogicalFont&) const = default;
};

// The base font of marked-up text. "System Font" must be spelt exactly; the other family names
// in any case. The width is set only when the two sizes differ (except for the system font,
// whose width is always w). An unknown family leaves the face empty and both sizes 0.
LogicalFont MapMarkupFont(std::string_view description, double h, double w);

// A single font, as drawings and lists use it. Families compare in any case; an unknown family
// (Sidney and Corpus among them) is the system font, ArcSys, at height h and width w.
LogicalFont MapFont(std::string_view description, double h, double w);

// The faces of the font files a title ships, and their files.
constexpr const char* ARCSYS_FACE = "ArcSys";
constexpr const char* PRIMARY_CHEYNES_FACE = "PrimaryCheynes";

}  // namespace zd
