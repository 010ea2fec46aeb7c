#include "database/database_pictures.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "database/database.h"
#include "graphics/canvas.h"
#include "graphics/sprites/sprite_format.h"
#include "runtime.h"
#include "title/page_drawing.h"
#include "title/tcs_decompress.h"

namespace zd {
namespace {

// A sprite whose header fits its data; anything else is not drawn as a sprite.
bool ShowableSprite(ByteView sprite) { return ReadSpriteLayout(sprite).has_value(); }

}  // namespace

std::array<uint8_t, database_layout::kNameWidth> RecordPictureName(ByteView record,
                                                                   const FieldDescriptor& field) {
  // A record cut short holds what it holds of the name.
  const ByteView value = record.From(field.recordOffset);
  const size_t width = std::min<size_t>({ReadWidth(field), database_layout::kNameWidth, value.size()});
  return PictureName(value.Sub(0, width).value_or(ByteView()));
}

void DrawDatabasePicture(Runtime& runtime, Canvas& canvas, const Rect& box, const Rect& visible,
                         const DatabasePicture& picture) {
  const ByteView data(picture.bytes.data(), picture.bytes.size());
  Graphics& graphics = runtime.graphics;
  CanvasStateSaver saved(canvas);
  canvas.SetClip(visible);
  switch (picture.entry.kind) {
    case graphic_kind::NONE:
      DrawMissingPictureCross(canvas, box, visible);
      return;
    case graphic_kind::SPRITE:
      // Key pictures are fitted into their box, keeping their shape, from their own pixels.
      if (!ShowableSprite(data)) break;
      graphics.PlotSpriteFitted(canvas, box, data, false);
      return;
    case graphic_kind::DRAWING: {
      // The drawing gets the all-ones end word a drawing resource gets in the cache, which ends
      // the objects of a file that has no end marker of its own.
      std::vector<uint8_t> drawing(picture.bytes);
      drawing.insert(drawing.end(), 4, uint8_t{0xFF});
      graphics.DrawDrawFile(canvas, box, ByteView(drawing.data(), drawing.size()));
      return;
    }
    case graphic_kind::PACKED_SPRITE: {
      // The run section's bounds come from the picture's header and are kept inside it.
      const auto sprite = DecompressTcs(data);
      if (!sprite) break;
      const ByteView unpacked(sprite->data(), sprite->size());
      if (!ShowableSprite(unpacked)) break;
      graphics.PlotSpriteStretched(canvas, box, unpacked, false);
      return;
    }
    default:  // kinds 4 to 6, and kinds no title uses, show nothing
      return;
  }
  DrawMissingPictureCross(canvas, box, visible);
}

SpriteReplacement ReplaceSpriteFromRecord(Runtime& runtime, PageObject& object, int record,
                                          int field) {
  Database& database = runtime.database;
  if (field < 0 || field >= database.FieldCount()) return SpriteReplacement::NoPicture;
  const ByteView bytes = database.GetRecord(record);
  if (bytes.empty()) return SpriteReplacement::NoPicture;
  const DatabasePicture* picture =
      database.LoadGraphic(RecordPictureName(bytes, database.GetFieldDescriptor(field)));
  if (!picture) return SpriteReplacement::NoPicture;
  if (picture->entry.kind != graphic_kind::SPRITE) return SpriteReplacement::NotASprite;

  // The sprite is readied apart from the slot, so that one that cannot be shown leaves the
  // object's picture as it was.
  std::vector<uint8_t> sprite(picture->bytes);
  if (!ShowableSprite(ByteView(sprite.data(), sprite.size()))) return SpriteReplacement::Unusable;
  const bool caching = runtime.shell.commandLine().spriteCaching;
  if (!runtime.graphics.PrepareSpriteResource(sprite, caching)) return SpriteReplacement::Unusable;

  ResourceCache& cache = runtime.titleFiles.cache();
  std::optional<int> slot;
  if (object.cacheSlot() < uint32_t(kCacheSlots) && cache.slot(int(object.cacheSlot())).used) {
    slot = int(object.cacheSlot());
  } else {
    slot = cache.FindFreeSlot();
  }
  if (!slot) {
    if (caching) runtime.graphics.FreeSpriteBitmaps(ByteView(sprite.data(), sprite.size()));
    return SpriteReplacement::Unusable;
  }
  CacheSlot& s = cache.slot(*slot);
  if (s.used && s.kind == resource_kind::SPRITE) runtime.graphics.FreeSpriteBitmaps(s.view());
  s.block = std::move(sprite);
  s.used = true;
  s.kind = resource_kind::SPRITE;
  s.compressed = false;
  s.pendingPreparation = false;
  s.inUseByPage = true;
  // Whatever the slot held before, it no longer holds that resource of the title.
  s.resourceName.clear();
  s.fileOffset = s.fileLength = 0;
  object.SetCacheSlot(uint32_t(*slot));
  object.SetFlag(object_flag::ATTACHED, true);
  return SpriteReplacement::Replaced;
}

}  // namespace zd
