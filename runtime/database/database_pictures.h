// Pictures of a database's GRAPHICS on the page: drawn into a field display's box, or put in
// place of a sprite object's picture by `renderdata`. Picture data is untrusted: a picture whose
// bytes do not hold what its header says draws nothing or the missing-picture cross.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_view.h"
#include "database/database_layout.h"
#include "graphics/rect.h"

namespace zd {

class Canvas;
class Database;
class PageObject;
class Runtime;
struct DatabasePicture;

// The picture name a picture field holds in a record: its bytes up to the first NUL, at most 32.
std::array<uint8_t, database_layout::kNameWidth> RecordPictureName(ByteView record,
                                                                   const FieldDescriptor& field);

// Draws a loaded picture into `box` (cut to `visible`) by its kind: a sprite fitted into the
// box, a Draw file fitted into it, a packed sprite unpacked and stretched over it, the cross for
// kind 1 and for data that cannot be shown, nothing for kinds 4 to 6 and unknown kinds.
void DrawDatabasePicture(Runtime& runtime, Canvas& canvas, const Rect& box, const Rect& visible,
                         const DatabasePicture& picture);

// What `renderdata` did to a sprite object.
enum class SpriteReplacement {
  Replaced,     // the object shows the record's picture from its next paint
  NoPicture,    // no descriptor, no record, no GRAPHICS or no such entry
  NotASprite,   // the picture is a drawing, a packed sprite or a placeholder
  Unusable,     // a sprite whose data does not hold what its header says: left as it was
};

// Puts the picture of `field` in record `record` in place of the sprite object's picture, in
// the object's cache slot (a free slot when it has none). The slot then holds no resource of
// the title any more, so later pages load their own copy of the sprite.
SpriteReplacement ReplaceSpriteFromRecord(Runtime& runtime, PageObject& object, int record,
                                          int field);

}  // namespace zd
