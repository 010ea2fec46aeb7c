// Painting the open pages: every object of every open page, bottom page first, in page order,
// into the parts of the page that need it.
#include "graphics/canvas.h"
#include "graphics/sprites/colour_tables.h"
#include "runtime.h"
#include "title/page_content.h"
#include "title/page_drawing.h"
#include "title/pages.h"

namespace zd {
namespace {

const Rect kPageArea{0, 0, 640, 480};

// A picture that hides under overlays gives its cache slot back when an overlay opens; under a
// back page it is still drawn, but the slot may hold another page's picture by then.
bool GaveBackItsSlot(const PageObject& object) {
  return object.Has(object_flag::CLOSED) && !object.Has(object_flag::ATTACHED);
}

}  // namespace

void Pages::EraseBackground(Canvas& canvas, const std::vector<Rect>& region) {
  // The first erase after a title starts blackens everything; later erases blacken the page
  // area only under a bottom page that has a background colour (the bands stay black).
  if (firstErase_) {
    firstErase_ = false;
    canvas.Fill(0);
    return;
  }
  if (openPages_.empty() || !runtime_.titleFiles.loaded()) return;
  AuthorfileImage& image = runtime_.titleFiles.image();
  const auto bottom = image.PageRecord(openPages_.front());
  if (!bottom || image.U32Or(bottom->offset + page_record::kBackground, kNone) == kNone) return;
  for (const Rect& rect : region) canvas.FillRect(rect.Intersect(kPageArea), 0, PlotAction::Copy);
}

void Pages::PaintPage(Canvas& canvas, const std::vector<Rect>& region) {
  if (!runtime_.shell.titleRunning() || !current_ || openPages_.empty() ||
      runtime_.movies.EnlargedMovieShown()) {
    return;
  }
  AuthorfileImage& image = runtime_.titleFiles.image();
  std::vector<Rect> clips;
  for (const Rect& rect : region) {
    const Rect clip = rect.Intersect(kPageArea);
    if (!clip.empty()) clips.push_back(clip);
  }
  // 1. Text is drawn over the current page's background colour.
  textBackground_ = image.U32Or(current_->offset + page_record::kBackground, kNone);
  // 2. From the bottom, or the top page alone.
  const bool topOnly = topOnlyRedraw_ || redrawFrom_ != kNone;
  const size_t start = topOnly ? openPages_.size() - 1 : 0;
  // Blackening the area first is for a full repaint: in show mode the objects under the one
  // being shown are not drawn again, so black would stay behind its transparent parts.
  if (!topOnly && !showMode_) {
    const auto bottom = image.PageRecord(openPages_.front());
    if (bottom && image.U32Or(bottom->offset + page_record::kBackground, kNone) != kNone) {
      for (const Rect& clip : clips) canvas.FillRect(clip, 0, PlotAction::Copy);
    }
  }
  // 4.
  bool showMode = showMode_;
  for (size_t n = start; n < openPages_.size(); ++n) {
    const auto page = image.PageRecord(openPages_[n]);
    if (!page) continue;
    const bool top = n + 1 == openPages_.size();
    const auto above = top ? std::nullopt : image.PageRecord(openPages_[n + 1]);
    PaintNode(canvas, *page, top, above && BackPage(*above), clips, showMode);
  }
  // 5.
  topOnlyRedraw_ = false;
  firstDraw_ = false;
  MarkDisplayed();
}

void Pages::PaintNode(Canvas& canvas, const PageRef& page, bool top, bool aboveIsBackPage,
                      const std::vector<Rect>& clips, bool& showMode) {
  AuthorfileImage& image = runtime_.titleFiles.image();
  for (const ObjectRef& ref : image.Objects(page)) {
    PageObject object(image, ref);
    if (top && object.timedState() == kTimedJustShown) {
      showMode = false;  // the object being shown: from here on everything is drawn
      object.SetTimedState(kTimedShown);
    }
    const auto box = object.pixelBox();
    if (!box || showMode) continue;
    if (!top && object.Has(object_flag::UNDER_OVERLAY) && !aboveIsBackPage) continue;
    if (!object.Has(object_flag::VISIBLE)) continue;
    if (redrawFrom_ != kNone && top && ref.index < redrawFrom_) continue;
    if (firstDraw_ && top && object.Has(object_flag::DRAWN)) continue;
    if (object.WaitingForTrigger() || object.IsScript()) continue;
    object.SetFlag(object_flag::DRAWN, true);
    for (const Rect& clip : clips) {
      const Rect visible = box->Intersect(clip);
      if (!visible.empty()) DrawObject(canvas, object, *box, visible);
    }
  }
}

void Pages::DrawObject(Canvas& canvas, PageObject& object, const Rect& box,
                       const Rect& visible) {
  const auto missing = [&]() { DrawMissingPictureCross(canvas, box, visible); };
  switch (object.type()) {
    case object_type::RECTANGLE: {
      const uint32_t colour = object.colour();
      if (colour == kNone) return;  // no colour: nothing to fill
      const uint8_t index = runtime_.graphics.NearestIndex(PaletteWordToRgb(colour));
      canvas.FillRect(visible, index, RectanglePlotAction(object.plotAction()));
      return;
    }
    case object_type::SPRITE:
      if (GaveBackItsSlot(object)) return;
      if (!DrawSpriteSlot(runtime_, canvas, box, visible, object.cacheSlot())) missing();
      return;
    case object_type::DRAWING:
      if (object.Has(object_flag::DRAWING_HIDDEN) || GaveBackItsSlot(object)) return;
      if (!DrawDrawingSlot(runtime_, canvas, box, visible, object.cacheSlot())) missing();
      return;
    case object_type::TEXT:
    case object_type::STYLED_TEXT:
      DrawTextObject(runtime_, canvas, box, visible, static_cast<int>(object.index()),
                     textBackground_);
      return;
    case object_type::RECORD_DISPLAY:
    case object_type::FIELD_DISPLAY:
    case object_type::KEYWORD_HOTSPOT:
      DrawDatabaseObject(runtime_, canvas, box, visible, static_cast<int>(object.index()));
      return;
    default:
      return;  // hotspots, areas and the rest are not drawn; movies and lists have windows
  }
}

}  // namespace zd
