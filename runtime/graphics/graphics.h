// The graphics subsystem: the title palette, the page canvas, and (as they arrive) sprites,
// drawings, styled text and fonts.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/palette.h"

namespace zd {

class Runtime;

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;

class Graphics {
 public:
  explicit Graphics(Runtime& runtime);

  // The palette's life: reset at start, built once, destroyed at shutdown.
  void ResetSystemPalette();
  void CreateTitlePalette();
  void DestroyTitlePalette();
  // Nothing before the palette is built (or after it is destroyed).
  const LogicalPalette* titlePalette() const { return palette_ ? &*palette_ : nullptr; }
  const platform::PaletteRgb& titleColours() const { return colours_; }

  Canvas& pageCanvas() { return canvas_; }

  void CreateColourHeaders();
  void FreeColourHeaders();
  void BuildDefaultSpritePalettes();
  void ReleaseDefaultSpritePalettes();
  // Readies a loaded sprite resource for drawing (and, with caching, for plain blits); false when
  // the sprite cannot be shown.
  bool PrepareSpriteResource(std::vector<uint8_t>& block, bool caching);
  void AddTitleFonts();
  void RemoveTitleFonts();

 private:
  Runtime& runtime_;
  std::optional<LogicalPalette> palette_;
  platform::PaletteRgb colours_{};
  Canvas canvas_{kPageWidth, kPageHeight};
};

}  // namespace zd
