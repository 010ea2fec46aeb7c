// The style that marked-up text is drawn with, changed tag by tag as a text is read, and the
// stack of saved states that closing tags restore.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/text/font_mapping.h"

namespace zd {

// Colours of styled text are palette-relative colours: 0x02BBGGRR.
constexpr uint32_t PALETTE_BLACK = 0x2000000;
constexpr uint32_t NO_COLOUR = 0xFFFFFFFF;  // -1
inline uint32_t PaletteColour(uint8_t r, uint8_t g, uint8_t b) {
  return PALETTE_BLACK | (uint32_t(b) << 16) | (uint32_t(g) << 8) | r;
}
// A title's 0xBBGGRR00 word as a palette-relative colour; all ones stays -1.
inline uint32_t PaletteColourOfWord(uint32_t word) {
  return word == NO_COLOUR ? NO_COLOUR : PALETTE_BLACK | (word >> 8);
}

// Text object flags.
namespace text_flag {
constexpr uint32_t INDENT = 0x2, FRAME = 0x4, CENTRE = 0x8, VCENTRE = 0x10, FILL = 0x20,
                   RIGHT = 0x200;
}

// The numbers of the fields a saved state can hold.
enum class StyleField : uint8_t {
  Height = 1, Width, Escapement, Orientation, Weight, Italic, Underline, StrikeOut, CharSet,
  OutPrecision, ClipPrecision, PitchAndFamily, FaceName = 14, Left, VerticalOffset, LineWidth,
  Flags, TextColour, Background, LinkColour, LinkBackground, Leading
};

struct SavedField {
  StyleField field;
  int64_t value = 0;
  std::string face;  // FaceName only
};

// One saved state: the closing tag that restores it ("/B", "/FONT") and the fields it saved.
struct StyleRecord {
  std::string closingTag;
  std::vector<SavedField> fields;
};

// Saved states beyond this many drop the oldest: a text cannot make the stack grow without end.
constexpr size_t MAX_STYLE_RECORDS = 64;
constexpr size_t MAX_ANCHOR_NAME = 11, MAX_ANCHOR_VALUE = 255;

struct TextStyle {
  LogicalFont font;
  int leading = 100;  // percent of the line height
  int left = 0;
  int verticalOffset = 0;
  int lineWidth = 0;
  uint32_t flags = 0;
  bool inAnchor = false;
  std::string anchorName, anchorValue;
  uint32_t textColour = PALETTE_BLACK, background = PALETTE_BLACK;
  uint32_t linkColour = PALETTE_BLACK, linkBackground = PALETTE_BLACK;
  std::vector<StyleRecord> stack;  // oldest first
  // What runs are drawn with: the font and colours last selected. A tag changes them only when
  // it marks the font or the colours changed, so an underline taken off by "/A" stays until the
  // next font change, and "COLOR" anchors keep the colours of the text around them.
  LogicalFont deviceFont;
  uint32_t deviceText = PALETTE_BLACK, deviceBackground = PALETTE_BLACK;

  // Saves `fields` under `closingTag` (kept to MAX_STYLE_RECORDS records).
  void Push(std::string closingTag, std::initializer_list<StyleField> fields);
  // Adds a field to the newest record (which `closingTag` names).
  void SaveAlso(StyleField field);
  struct Restored {
    bool found = false, font = false, colours = false;
  };
  // Restores the newest record named `closingTag` and removes it.
  Restored Restore(std::string_view closingTag);

  // The colours text is drawn in, as the current anchor says.
  uint32_t DrawnTextColour() const;
  uint32_t DrawnBackground() const;
  bool LinkColoursApply() const { return inAnchor && anchorName != "QSH"; }
};

// A colour value: "#RRGGBB" or RED, GREEN, BLUE (exactly so); spaces, "=" and double quotes
// before it are passed over. Anything else is black.
uint32_t ParseColourValue(std::string_view value);

}  // namespace zd
