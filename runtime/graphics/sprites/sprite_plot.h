// Putting sprites on the canvas: the block transfer of cached bitmaps, the stretch of a sprite's
// own pixels onto a rectangle, and the fit that keeps a sprite's displayed proportions.
// Transparency is the mask combined by AND, then the image by OR; a sprite without a mask is a
// plain copy. Sprites are never changed by drawing them.
#pragma once

#include "base/byte_view.h"
#include "graphics/canvas.h"
#include "graphics/colour_match.h"
#include "graphics/sprites/sprite_cache.h"
#include "graphics/sprites/sprite_format.h"

namespace zd {

// A sprite whose cached bitmaps exist, at its own size, its top-left shown pixel at the
// rectangle's top-left corner. The rectangle's right and bottom do not limit it; the canvas's
// clip does. Nothing for an unsupported mode or handles the table does not hold for it.
// True when PlotSpriteCached at `rect` copies the sprite's own pixels over all of `area`: the
// sprite has no mask and its cached bitmap, placed at the rectangle's corner, spans the area.
bool CachedSpriteCovers(const Rect& rect, ByteView sprite, const SpriteBitmapTable& table,
                        const Rect& area);
void PlotSpriteCached(Canvas& canvas, const Rect& rect, ByteView sprite,
                      const SpriteBitmapTable& table);

// The sprite's shown pixels stretched onto `destination`, in the colours of direct drawing: its
// own palette when it has one, else the default table of its depth. `prepared` says the rows
// are bottom-up already (PrepareSprite has run); otherwise they are taken as the file has them.
void PlotSpriteStretched(Canvas& canvas, const Rect& destination, ByteView sprite, bool prepared,
                         const ColourMatcher& matcher);

// The transfer into an exported metafile, where only the clip rectangle is drawn: destination
// (0, 0, clip width, clip height), and the clip scaled into sprite pixels for the source size,
// in single precision with truncation: sx = header width / destination width, source width =
// trunc(clip right x sx) - trunc(clip left x sx), and the same down the rows. The source origin
// stays at the first shown column, row 0.
struct StretchTransfer {
  Rect destination;
  int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
};
StretchTransfer MetafileStretchTransfer(const SpriteLayout& layout, const Rect& destination,
                                        const Rect& clip);

// The largest rectangle of the sprite's displayed proportions inside `rect`, centred. Pixels take
// their shape from the sprite's mode and the screen: A = (screen height / screen width) / mode
// aspect x rows / columns, all in single precision. A rectangle more than 0.0001 flatter than A
// keeps its height, more than 0.0001 taller keeps its width, otherwise it is filled; the other
// side is truncated, and the halvings of the centring truncate toward zero. A mode of aspect 0
// fits to zero width.
Rect FitSpriteRect(const Rect& rect, const SpriteLayout& layout, int screenWidth,
                   int screenHeight);

// The sprite stretched onto FitSpriteRect of `rect`, for a screen of the given size.
void PlotSpriteFitted(Canvas& canvas, const Rect& rect, ByteView sprite, bool prepared,
                      const ColourMatcher& matcher, int screenWidth, int screenHeight);

}  // namespace zd
