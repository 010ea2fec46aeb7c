#include "graphics/graphics.h"

#include <filesystem>

#include "graphics/sprites/sprite_pixels.h"
#include "platform/files.h"
#include "graphics/sprites/sprite_plot.h"
#include "platform/platform.h"

namespace zd {

Graphics::Graphics(platform::Platform& platform) : platform_(platform) {}

void Graphics::ResetSystemPalette() {
  // A display with a system palette would be emptied here so the title palette takes fresh
  // slots; displays today have none, and the platform presents our palette as it is.
}

void Graphics::CreateTitlePalette() {
  LogicalPalette palette = BuildRulePalette();
  // Today's displays reserve no static colours, so this keeps the palette exactly the rule; a
  // backend for a palette display reports its reserved colours and system palette here.
  const platform::ScreenInfo screen = platform_.Screen();
  if (screen.reservedColours > 0) {
    KeepStaticColours(palette, StandardSystemPalette(), screen.reservedColours);
  }
  palette_ = palette;
  colours_ = PaletteColours(palette);
  matcher_.SetPalette(colours_);
  colourHeaders_.reset();  // matched to the palette they were made with
}

void Graphics::DestroyTitlePalette() {
  palette_.reset();
  matcher_.SetPalette(PaletteColours(BuildRulePalette()));
  colourHeaders_.reset();
}

void Graphics::CreateColourHeaders() { colourHeaders_ = CreateSharedColourHeaders(matcher_); }

void Graphics::FreeColourHeaders() { colourHeaders_.reset(); }

const SharedColourHeaders& Graphics::ColourHeaders() {
  // Sprites prepared outside a full start-up (tests, tools) still find headers.
  if (!colourHeaders_) CreateColourHeaders();
  return *colourHeaders_;
}

bool Graphics::PrepareSpriteResource(std::vector<uint8_t>& block, bool caching) {
  PrepareSprite(block);
  if (!caching) return true;
  const auto handles =
      MakeSpriteBitmaps(ByteView(block.data(), block.size()), spriteBitmaps_, ColourHeaders());
  if (!handles) return false;
  KeepHeaderAndHandles(block, *handles);
  return true;
}

void Graphics::FreeSpriteBitmaps(ByteView sprite) { zd::FreeSpriteBitmaps(sprite, spriteBitmaps_); }

void Graphics::PlotSpriteCached(Canvas& canvas, const Rect& rect, ByteView sprite) const {
  zd::PlotSpriteCached(canvas, rect, sprite, spriteBitmaps_);
}

bool Graphics::CachedSpriteCovers(const Rect& rect, ByteView sprite, const Rect& area) const {
  return zd::CachedSpriteCovers(rect, sprite, spriteBitmaps_, area);
}

void Graphics::PlotSpriteStretched(Canvas& canvas, const Rect& rect, ByteView sprite,
                                   bool prepared) const {
  zd::PlotSpriteStretched(canvas, rect, sprite, prepared, matcher_);
}

void Graphics::PlotSpriteFitted(Canvas& canvas, const Rect& rect, ByteView sprite,
                                bool prepared) const {
  const platform::ScreenInfo screen = platform_.Screen();
  zd::PlotSpriteFitted(canvas, rect, sprite, prepared, matcher_, screen.width, screen.height);
}

namespace {
constexpr const char* kTitleFontFiles[] = {"pchbrww.ttf", "pchrrww.ttf", "arcsys.fon"};
}

void Graphics::AddTitleFonts() {
  for (const char* name : kTitleFontFiles) {
    for (const std::string& path : {std::string("fonts\\") + name, std::string(name)}) {
      const auto disk = platform::ResolvePath(path);
      if (!disk) continue;
      // Kept absolute, so that the same files are removed whatever the directory is by then.
      std::error_code error;
      const std::string absolute = std::filesystem::absolute(*disk, error).lexically_normal();
      if (fonts_.AddFontFile(error ? *disk : absolute)) {
        addedFontFiles_.push_back(error ? *disk : absolute);
        break;
      }
    }
  }
}

void Graphics::RemoveTitleFonts() {
  for (const std::string& path : addedFontFiles_) fonts_.RemoveFontFile(path);
  addedFontFiles_.clear();
}

void Graphics::DrawDrawFile(Canvas& canvas, const Rect& rect, ByteView data) {
  DrawContext context{matcher_, drawFonts_, &painter_};
  zd::DrawDrawFile(context, canvas, rect, data);
}

}  // namespace zd
