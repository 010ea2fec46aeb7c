#include "graphics/graphics.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

Graphics::Graphics(Runtime& runtime) : runtime_(runtime) {}

void Graphics::ResetSystemPalette() {
  // A display with a system palette would be emptied here so the title palette takes fresh
  // slots; displays today have none, and the platform presents our palette as it is.
}

void Graphics::CreateTitlePalette() {
  LogicalPalette palette = BuildRulePalette();
  // Today's displays reserve no static colours, so this keeps the palette exactly the rule; a
  // backend for a palette display reports its reserved colours and system palette here.
  const platform::ScreenInfo screen = runtime_.platform.Screen();
  if (screen.reservedColours > 0) {
    KeepStaticColours(palette, StandardSystemPalette(), screen.reservedColours);
  }
  palette_ = palette;
  colours_ = PaletteColours(palette);
}

void Graphics::DestroyTitlePalette() { palette_.reset(); }

void Graphics::CreateColourHeaders() { TraceSeam(runtime_.trace, "graphics.colour-headers"); }
void Graphics::FreeColourHeaders() { TraceSeam(runtime_.trace, "graphics.free-colour-headers"); }
void Graphics::BuildDefaultSpritePalettes() {
  TraceSeam(runtime_.trace, "graphics.default-sprite-palettes");
}
void Graphics::ReleaseDefaultSpritePalettes() {
  TraceSeam(runtime_.trace, "graphics.release-sprite-palettes");
}
bool Graphics::PrepareSpriteResource(std::vector<uint8_t>&, bool caching) {
  TraceSeam(runtime_.trace, caching ? "graphics.prepare-sprite cached" : "graphics.prepare-sprite");
  return true;
}
void Graphics::AddTitleFonts() { TraceSeam(runtime_.trace, "graphics.add-title-fonts"); }
void Graphics::RemoveTitleFonts() { TraceSeam(runtime_.trace, "graphics.remove-title-fonts"); }

}  // namespace zd
