// The content of page objects drawn by the other parts of the player: pictures, drawings,
// styled text, database displays. The page engine decides when and where; these draw.
#pragma once

#include <cstdint>
#include <optional>

#include "graphics/text/styled_text.h"
#include "title/page_object.h"

namespace zd {

class Runtime;
class Canvas;

// Each returns false when there is nothing to draw with (the object then shows a cross).
bool DrawSpriteSlot(Runtime& runtime, Canvas& canvas, const Rect& box,
                    const Rect& visible, uint32_t slot);
bool DrawDrawingSlot(Runtime& runtime, Canvas& canvas, const Rect& box,
                     const Rect& visible, uint32_t slot);
void DrawTextObject(Runtime& runtime, Canvas& canvas, const Rect& box,
                    const Rect& visible, int object, uint32_t pageBackground);
// The anchor of a text object at page pixel (x, y), if any.
std::optional<AnchorHit> TextAnchorAt(Runtime& runtime, int object, int x, int y);
// A click at page pixel (x, y) on a text object's anchor: records the anchor's text for
// AnchorText$ and runs what the anchor says. False when no anchor lies there.
bool RunTextAnchor(Runtime& runtime, int object, int x, int y);
// The page a styled-text link at page pixel (x, y) of a text object leads to, if any.
std::optional<uint32_t> TextLinkAt(Runtime& runtime, int object, int x, int y);
void DrawDatabaseObject(Runtime& runtime, Canvas& canvas, const Rect& box,
                        const Rect& visible, int object);

}  // namespace zd
