// Sprite files: each sprite of the file read, decoded to RGBA, prepared, made into cached page
// bitmaps and plotted cached, stretched and fitted onto a small canvas.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/colour_match.h"
#include "graphics/sprites/sprite_cache.h"
#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_format.h"
#include "graphics/sprites/sprite_pixels.h"
#include "graphics/sprites/sprite_plot.h"

namespace {

zd::ByteView View(const std::vector<uint8_t>& bytes) { return zd::ByteView(bytes.data(), bytes.size()); }

void ExerciseSprite(zd::ByteView sprite, const zd::ColourMatcher& matcher) {
  zd::SpriteProblem why = zd::SpriteProblem::None;
  zd::ReadSpriteLayout(sprite, &why);
  zd::SpriteProblemText(why);
  zd::SpriteName(sprite);
  zd::DecodeSpriteRgba(sprite);
  zd::Canvas canvas(40, 30);
  const zd::Rect rect{2, 3, 37, 27};
  zd::PlotSpriteStretched(canvas, rect, sprite, false, matcher);
  std::vector<uint8_t> block(sprite.data(), sprite.data() + sprite.size());
  zd::PrepareSprite(block);
  zd::DecodeSpriteRgba(View(block), true);
  zd::PlotSpriteFitted(canvas, {-5, -5, 60, 20}, View(block), true, matcher, 640, 480);
  zd::SpriteBitmapTable table;
  if (const auto handles =
          zd::MakeSpriteBitmaps(View(block), table, zd::CreateSharedColourHeaders(matcher))) {
    zd::KeepHeaderAndHandles(block, *handles);
    zd::PlotSpriteCached(canvas, rect, View(block), table);
    zd::FreeSpriteBitmaps(View(block), table);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zd::ColourMatcher matcher;
  const zd::ByteView file(data, size);
  // A file may claim any number of sprites; a handful shows every rule.
  for (const zd::ByteView& sprite : zd::SpritesOfFile(file, 4)) ExerciseSprite(sprite, matcher);
  // Titles also hand over a bare sprite, without the file's header.
  if (size >= zd::kSpriteHeaderSize) ExerciseSprite(file, matcher);
  return 0;
}
