// The graphics subsystem: the title palette, the page canvas, sprites and their cached bitmaps,
// and (as they arrive) drawings, styled text and fonts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"
#include "graphics/canvas.h"
#include "graphics/colour_match.h"
#include "graphics/draw/draw_file.h"
#include "graphics/text/text_painter.h"
#include "graphics/palette.h"
#include "graphics/sprites/sprite_cache.h"
#include "graphics/sprites/sprite_colours.h"
#include "platform/text_fonts.h"

namespace zd {

namespace platform {
class Platform;
}  // namespace platform

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;

class Graphics {
 public:
  // The screen it draws for is all it needs of the machine.
  explicit Graphics(platform::Platform& platform);

  // The palette's life: reset at start, built once, destroyed at shutdown.
  void ResetSystemPalette();
  void CreateTitlePalette();
  void DestroyTitlePalette();
  // Nothing before the palette is built (or after it is destroyed).
  const LogicalPalette* titlePalette() const { return palette_ ? &*palette_ : nullptr; }
  const platform::PaletteRgb& titleColours() const { return colours_; }
  // The title-palette index of any colour (the 256-colour rule while there is no palette).
  uint8_t NearestIndex(platform::Rgb colour) const { return matcher_.Nearest(colour); }
  const ColourMatcher& colourMatcher() const { return matcher_; }

  Canvas& pageCanvas() { return canvas_; }

  // The shared colour headers of cached sprite bitmaps, matched to the title palette; made
  // after the palette at start-up, freed at shutdown.
  void CreateColourHeaders();
  void FreeColourHeaders();
  // The default sprite tables are constants of the program; these keep their places in the
  // start-up and shutdown order and have nothing to do.

  // Readies a loaded sprite resource for drawing: its rows bottom-up and its transparent pixels
  // cleared, and with caching its bitmaps made and its pixel data dropped (the block keeps the
  // 44-byte header and the two bitmap handles). False when caching was asked for and the sprite
  // cannot be shown; the caller then discards it.
  bool PrepareSpriteResource(std::vector<uint8_t>& block, bool caching);
  // Deletes the cached bitmaps of a sprite block; call it when the block is released.
  void FreeSpriteBitmaps(ByteView sprite);
  const SpriteBitmapTable& spriteBitmaps() const { return spriteBitmaps_; }

  // Page sprites: a cached one at its own size with its top-left at rect's top-left, or (without
  // caching) its own pixels fitted into rect for the platform's screen.
  void PlotSpriteCached(Canvas& canvas, const Rect& rect, ByteView sprite) const;
  bool CachedSpriteCovers(const Rect& rect, ByteView sprite, const Rect& area) const;
  void PlotSpriteStretched(Canvas& canvas, const Rect& rect, ByteView sprite, bool prepared) const;
  void PlotSpriteFitted(Canvas& canvas, const Rect& rect, ByteView sprite, bool prepared) const;

  // The title's font files ("fonts\\pchbrww.ttf", "fonts\\pchrrww.ttf", "fonts\\arcsys.fon", each
  // under "fonts\\" of the current directory or else in the directory itself), added for the run
  // and removed at its end. A file that cannot be added is left out; its faces then come from
  // the installed fonts that stand in for them.
  void AddTitleFonts();
  void RemoveTitleFonts();
  platform::FontSet& fonts() { return fonts_; }
  // The title font files added, on disk, in the order they were added.
  const std::vector<std::string>& titleFontFiles() const { return addedFontFiles_; }
  TextPainter& textPainter() { return painter_; }

  // A Draw file fitted into `rect` of the canvas. The font table its font table objects set up
  // stays for the files drawn after it.
  void DrawDrawFile(Canvas& canvas, const Rect& rect, ByteView data);
  DrawFontTable& drawFontTable() { return drawFonts_; }

 private:
  const SharedColourHeaders& ColourHeaders();

  platform::Platform& platform_;
  std::optional<LogicalPalette> palette_;
  platform::PaletteRgb colours_{};
  ColourMatcher matcher_;
  std::optional<SharedColourHeaders> colourHeaders_;
  SpriteBitmapTable spriteBitmaps_;
  Canvas canvas_{kPageWidth, kPageHeight};
  platform::FontSet fonts_;
  FontTextPainter painter_{fonts_};
  DrawFontTable drawFonts_;
  std::vector<std::string> addedFontFiles_;
};

}  // namespace zd
