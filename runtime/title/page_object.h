// One object record of a page, read and written in place in the authorfile image. Objects keep
// their run-time state (visible, drawn, timed state, cache slot) in their own records, as the
// title engine always did, so a page entered again finds its objects as it left them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/rect.h"
#include "title/authorfile.h"

namespace zd {

// Object types.
namespace object_type {
constexpr uint32_t RECTANGLE = 0, HOTSPOT = 1, SPRITE = 2, DRAWING = 3, TEXT = 4,
                   STYLED_TEXT = 5, RECORD_DISPLAY = 9, DATABASE = 10, FIELD_DISPLAY = 11,
                   MAP = 13, MOVIE = 15, ANIMATION = 16, SOUND = 17, AREA = 18, CHOICE_LIST = 19,
                   KEYWORD_HOTSPOT = 20, NO_ACTION = 21;
}

// Object flags.
namespace object_flag {
constexpr uint32_t VISIBLE = 1u << 0, TIMED = 1u << 1, ATTACHED = 1u << 2, DRAWN = 1u << 4,
                   CLOSED = 1u << 5, UNDER_OVERLAY = 1u << 6, TRIGGERED = 1u << 7,
                   CHOICE_LIST_UNFILLED = 0x800, DRAWING_HIDDEN = 0x1000;
}

constexpr uint32_t kRedrawInvalidates = 2;       // showing or hiding invalidates the box
constexpr uint32_t kRedrawHotspotOrArea = 32767;  // set by the page loader

// Timed states.
constexpr uint32_t kTimedHidden = kNone, kTimedShown = 0, kTimedJustShown = 1;

// A box in title units: half pixels, y upwards from the bottom of the 480-pixel page.
struct TitleBox {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A box in page pixels (left and top inclusive, right and bottom exclusive).
inline Rect PagePixels(const TitleBox& b) {
  return {b.x0 / 2, 480 - b.y1 / 2, b.x1 / 2, 480 - b.y0 / 2};
}

class PageObject {
 public:
  PageObject(AuthorfileImage& image, const ObjectRef& ref) : image_(&image), ref_(ref) {}

  uint32_t index() const { return ref_.index; }
  AuthorfileImage& image() const { return *image_; }
  const ObjectRef& ref() const { return ref_; }
  std::string name() const { return image_->ObjectName(ref_); }
  bool IsScript() const;  // a text object (type 4) named with "+"
  uint32_t type() const { return Read(object_record::kType, kNone); }

  uint32_t flags() const { return Read(object_record::kFlags, 0); }
  void SetFlags(uint32_t flags) { Write(object_record::kFlags, flags); }
  bool Has(uint32_t flag) const { return (flags() & flag) != 0; }
  void SetFlag(uint32_t flag, bool on) { SetFlags(on ? flags() | flag : flags() & ~flag); }

  uint32_t redrawKind() const { return Read(object_record::kRedrawKind, 0); }
  void SetRedrawKind(uint32_t kind) { Write(object_record::kRedrawKind, kind); }
  uint32_t showDelay() const { return Read(object_record::kShowDelay, 0); }
  uint32_t hideDelay() const { return Read(object_record::kHideDelay, kNone); }
  void SetShowDelay(uint32_t delay) { Write(object_record::kShowDelay, delay); }
  void SetHideDelay(uint32_t delay) { Write(object_record::kHideDelay, delay); }
  uint32_t timedState() const { return Read(object_record::kTimedState, kTimedHidden); }
  void SetTimedState(uint32_t state) { Write(object_record::kTimedState, state); }
  std::string triggerName() const;
  void SetTriggerName(std::string_view name);  // cut to the field, the rest filled with NULs
  // A triggered object whose trigger has not shown it yet.
  bool WaitingForTrigger() const { return Has(object_flag::TRIGGERED) && timedState() == kTimedHidden; }

  std::optional<TitleBox> box() const;  // nullopt: the object has no box
  std::optional<Rect> pixelBox() const;
  void SetBox(const TitleBox& box);

  // Objects backed by a resource file: number and directory, and the cache slot (kNone: none).
  uint32_t resourceNumber() const { return Read16(object_record::kResourceNumber); }
  uint32_t resourceDirectory() const { return Read16(object_record::kResourceDirectory); }
  uint32_t cacheSlot() const { return Read(object_record::kCacheSlot, kNone); }
  void SetCacheSlot(uint32_t slot) { Write(object_record::kCacheSlot, slot); }

  // Rectangles.
  uint32_t plotAction() const { return Read(object_record::kPlotAction, 0); }
  uint32_t colour() const { return Read(object_record::kRectangleColour, kNone); }
  void SetColour(uint32_t colour) { Write(object_record::kRectangleColour, colour); }

  // Text fields (types 4, 5, 11, 20): colours as 0xBBGGRR00 words.
  uint32_t textColour() const { return Read(object_record::kTextColour, kNone); }
  uint32_t textBackground() const { return Read(object_record::kTextBackground, kNone); }
  void SetTextColour(uint32_t colour) { Write(object_record::kTextColour, colour); }
  void SetTextBackground(uint32_t colour) { Write(object_record::kTextBackground, colour); }

  // Text objects (types 4 and 5): link colours, font and flags.
  uint32_t linkColour() const { return Read(object_record::kLinkColour, kNone); }
  uint32_t linkBackground() const { return Read(object_record::kLinkBackground, kNone); }
  std::string fontDescription() const;  // at most 80 characters
  double fontHeight() const { return ReadDouble(object_record::kFontHeight); }
  double fontWidth() const { return ReadDouble(object_record::kFontWidth); }
  uint32_t textFlags() const { return Read(object_record::kTextFlags, 0); }

  // Text objects: the text (type 4) and the styled-text resource and its slot (type 5).
  std::string text() const;
  // The same text where it stands in the image, until the image is written again.
  std::string_view textView() const;
  bool NameIs(std::string_view name) const;  // without making a copy of the name
  uint32_t textCapacity() const;  // what the record holds of the field
  // Copies `text` into the field, at most its capacity, and fills the rest with blanks.
  void SetText(std::string_view text);
  uint32_t textResource() const { return Read(object_record::kTextResource, 0); }
  uint32_t textSlot() const { return Read(object_record::kTextSlot, kNone); }
  void SetTextSlot(uint32_t slot) { Write(object_record::kTextSlot, slot); }

  uint32_t Read(size_t offset, uint32_t fallback) const;
  uint32_t Read16(size_t offset) const;
  // A double kept as two 32-bit halves, the high half first; 0 when the record is too short.
  double ReadDouble(size_t offset) const;
  void Write(size_t offset, uint32_t value);

 private:
  AuthorfileImage* image_;
  ObjectRef ref_;
};

}  // namespace zd
