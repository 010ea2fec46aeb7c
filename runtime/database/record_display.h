// How the database's page objects look: field displays (one field of the record picked in the
// choice list, as text or as its picture), record displays (label and value pairs held in the
// object) and keyword hotspots (the name of their keyword). docs/database-display.md shows
// them. Each draws the part `visible` of its object's box; besides pixels it changes only the
// database's memo of the last picture it loaded (and a picture that is not there is reported).
#pragma once

#include "graphics/rect.h"

namespace zd {

class Canvas;
class PageObject;
class Runtime;

// The label column of a record display holds this many pixels a character of its label width,
// and this many more.
constexpr int kRecordLabelPixelsPerCharacter = 8, kRecordLabelMargin = 8;

void DrawFieldDisplay(Runtime& runtime, Canvas& canvas, const PageObject& object,
                      const Rect& box, const Rect& visible);

// When the label column leaves no room for values, nothing at all is drawn.
void DrawRecordDisplay(Runtime& runtime, Canvas& canvas, const PageObject& object,
                       const Rect& box, const Rect& visible);

void DrawKeywordHotspot(Runtime& runtime, Canvas& canvas, const PageObject& object,
                        const Rect& box, const Rect& visible);

}  // namespace zd
