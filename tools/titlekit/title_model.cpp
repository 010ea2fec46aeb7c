#include "titlekit/title_model.h"

namespace zd::titlekit {

TypeLayout LayoutOf(uint32_t type) {
  switch (type) {
    case RECTANGLE: return TypeLayout::Rectangle;
    case SPRITE:
    case DRAWING: return TypeLayout::Resource;
    case TEXT: return TypeLayout::Text;
    case STYLED_TEXT_RESOURCE: return TypeLayout::TextResource;
    case RECORD_DISPLAY: return TypeLayout::RecordDisplay;
    case DATABASE: return TypeLayout::Database;
    case FIELD_DISPLAY: return TypeLayout::FieldDisplay;
    case MOVIE:
    case ANIMATION:
    case SOUND: return TypeLayout::Movie;
    case KEYWORD_HOTSPOT: return TypeLayout::KeywordHotspot;
    default: return TypeLayout::None;
  }
}

bool IsMovieType(uint32_t type) { return type == MOVIE || type == ANIMATION || type == SOUND; }

bool HasFontFields(TypeLayout layout) {
  return layout == TypeLayout::Text || layout == TypeLayout::TextResource ||
         layout == TypeLayout::FieldDisplay || layout == TypeLayout::KeywordHotspot;
}

bool HasResource(TypeLayout layout) {
  return layout == TypeLayout::Resource || layout == TypeLayout::TextResource ||
         layout == TypeLayout::Database || layout == TypeLayout::Movie;
}

uint32_t DefaultMovieSlot(uint32_t type) { return IsMovieType(type) ? NONE : 0; }

// Text objects show links in blue on an unchanged background unless told otherwise; the word
// 0x02000000 is the "leave it as it is" value of the link background.
uint32_t DefaultLinkColour(uint32_t type) {
  return HasFontFields(LayoutOf(type)) ? 0xFF000000 : 0;
}
uint32_t DefaultLinkBackground(uint32_t type) {
  return HasFontFields(LayoutOf(type)) ? 0x02000000 : 0;
}

uint32_t DefaultSectionFlags(const SectionEntry& entry) { return entry.link ? 8 : 4; }

PixelBox ToPixels(const Box& box) {
  return {box.x0 / 2, 480 - box.y1 / 2, box.x1 / 2, 480 - box.y0 / 2};
}

Box FromPixels(const PixelBox& p) {
  return {2 * p.left, 2 * (480 - p.bottom), 2 * p.right, 2 * (480 - p.top)};
}

}  // namespace zd::titlekit
