// Styled text: marked-up text laid out line by line in a text object's box and drawn run by
// run, and the click test that finds the anchor under a point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graphics/rect.h"
#include "graphics/text/text_style.h"

namespace zd {

// What styled text draws on and measures with: sizes in pixels, colours palette-relative.
class TextDevice {
 public:
  virtual ~TextDevice() = default;
  virtual int TextHeight(const LogicalFont& font) = 0;  // the cell height
  virtual int TextWidth(const LogicalFont& font, std::string_view text) = 0;
  // `text` with the top-left of its cell at (x, y), cut to `clip`; with `opaque` its cell is
  // filled with `background` first.
  virtual void DrawText(int x, int y, const LogicalFont& font, std::string_view text,
                        uint32_t colour, bool opaque, uint32_t background, const Rect& clip) = 0;
  virtual void FillBox(const Rect& box, uint32_t colour) = 0;
  virtual void FrameBox(const Rect& box, uint32_t colour) = 0;
};

// The anchor a click found: its attribute and the text of the run clicked.
struct AnchorHit {
  std::string name, value, text;
};

enum class LineMode : uint8_t { Measure, Draw, Click };

// What one pass over lines works with.
struct LinePass {
  TextDevice& device;
  const TextStyle& base;
  LineMode mode = LineMode::Measure;
  Rect area;              // the text area runs are cut to
  int clickX = 0, clickY = 0;
  std::optional<AnchorHit> hit;  // the first anchor run under the click point
};

struct LineSize {
  int width = 0, height = 0;
};

// One stretch of text between tags, drawn (or measured, or tested for the click) at
// (x, y + vertical offset); its size is added to `line`.
void DrawRun(LinePass& pass, std::string_view run, const TextStyle& style, int x, int y,
             LineSize& line);
// The text of [from, to), run by run, with its tags applied to `style` as they come.
LineSize DrawLine(LinePass& pass, std::string_view text, size_t from, size_t to,
                  TextStyle& style, int x, int y);

struct LineLayout {
  size_t end = 0;   // where the line's drawn text ends (its breaking character, not drawn)
  size_t next = 0;  // where the next line starts
  LineSize size;
  TextStyle after;  // the style at the line's end
};
// Fits one line from `start` (text ends at `end`): words while they fit the style's line
// width, at least one, up to a line feed or carriage return.
LineLayout LayoutLine(TextDevice& device, const TextStyle& base, std::string_view text,
                      size_t start, size_t end, const TextStyle& style);

// A box kept to +-2^20 pixels, where no size or sum of sizes can overflow.
Rect KeptTextBox(const Rect& box);

// What a text object gives its text box.
struct TextBoxInput {
  Rect box;
  std::string_view text;
  uint32_t flags = 0;
  uint32_t textColour = PALETTE_BLACK, background = PALETTE_BLACK;
  uint32_t linkColour = PALETTE_BLACK, linkBackground = PALETTE_BLACK;
  LogicalFont font;  // the object's font, mapped from its description
};

// The style a text object's text starts in: its font and colours, laid out across `area`.
TextStyle BaseTextStyle(const TextBoxInput& input, const Rect& area);

// Lays out and draws a text object's marked-up text; with `click`, draws nothing and returns
// the anchor under the point. Text whose first byte is 0xA0 is not drawn (but answers clicks).
std::optional<AnchorHit> DrawTextBox(TextDevice& device, const TextBoxInput& input,
                                     const std::optional<std::pair<int, int>>& click = {});

// Search terms to show in a plain text box: each term's word forms.
struct SearchTerm {
  std::vector<std::string> forms;
};

// Text without markup (database records, plain texts): words wrapped at spaces and after "-",
// occurrences of the search terms drawn again in the link colours. With `click`, draws nothing
// and returns the index of the term whose occurrence holds the point (-1: none).
int DrawPlainTextBox(TextDevice& device, const TextBoxInput& input,
                     const std::vector<SearchTerm>& terms,
                     const std::optional<std::pair<int, int>>& click = {});

}  // namespace zd
