// Painting the open pages: every object of every open page, bottom page first, in page order,
// into the parts of the page that need it. Composing draws and changes nothing; the screen's
// paint then does the bookkeeping that follows a paint.
#include "graphics/canvas.h"
#include "runtime.h"
#include "title/object_types.h"
#include "title/pages.h"

namespace zd {
namespace {

const Rect kPageArea{0, 0, 640, 480};

}  // namespace

void Pages::RedrawWholePage() {
  showMode_ = false;
  firstDraw_ = true;
  runtime_.shell.window().InvalidateAll(false);
}

PaintSettings Pages::NextPaintSettings(bool erase) const {
  PaintSettings settings;
  settings.drawObjects = runtime_.shell.titleRunning() && !runtime_.movies.EnlargedMovieShown();
  settings.erase = erase;
  // An enlarged movie is shown on a blank screen.
  settings.firstErase = firstErase_ || (erase && runtime_.movies.EnlargedMovieShown());
  settings.topOnly = topOnlyRedraw_ || redrawFrom_ != kNone;
  settings.redrawFrom = redrawFrom_;
  settings.firstDraw = firstDraw_;
  settings.showMode = showMode_;
  return settings;
}

PaintRecord Pages::ComposePage(Canvas& canvas, const std::vector<Rect>& region,
                               const PaintSettings& settings) const {
  PaintRecord record;
  std::vector<Rect> clips;
  for (const Rect& rect : region) {
    const Rect clip = rect.Intersect(kPageArea);
    if (!clip.empty()) clips.push_back(clip);
  }
  // Blackening what a solid picture is about to cover would only be drawn over.
  const bool covered = settings.erase && !settings.firstErase && BottomObjectCovers(clips, settings);
  const bool blackened =
      covered || (settings.erase && EraseBackground(canvas, region, settings.firstErase));
  if (!settings.drawObjects || !current_ || openPages_.empty() || !runtime_.titleFiles.loaded()) {
    return record;
  }
  record.painted = true;
  AuthorfileImage& image = runtime_.titleFiles.image();
  // Text is drawn over the current page's background colour.
  ObjectPainting painting{canvas, image.U32Or(current_->offset + page_record::kBackground, kNone)};
  const size_t start = settings.topOnly ? openPages_.size() - 1 : 0;
  // Blackening the area first is for a full repaint: in show mode the objects under the one
  // being shown are not drawn again, so black would stay behind its transparent parts. Where
  // the erase has just blackened it, it is black already.
  if (!settings.topOnly && !settings.showMode && !blackened) {
    const auto bottom = image.PageRecord(openPages_.front());
    if (bottom && image.U32Or(bottom->offset + page_record::kBackground, kNone) != kNone) {
      for (const Rect& clip : clips) canvas.FillRect(clip, 0, PlotAction::Copy);
    }
  }
  bool showMode = settings.showMode;
  for (size_t n = start; n < openPages_.size(); ++n) {
    const auto page = image.PageRecord(openPages_[n]);
    if (!page) continue;
    const bool top = n + 1 == openPages_.size();
    const auto above = top ? std::nullopt : image.PageRecord(openPages_[n + 1]);
    const NodePaint node{*page, top, above && BackPage(*above)};
    PaintNode(painting, node, clips, settings, showMode, record);
  }
  return record;
}

bool Pages::BottomObjectCovers(const std::vector<Rect>& clips, const PaintSettings& settings) const {
  // Only a plain full repaint, where the bottom page's first object is drawn whatever its
  // flags of earlier paints say.
  if (!settings.drawObjects || settings.topOnly || settings.showMode || settings.firstDraw ||
      settings.redrawFrom != kNone || !current_ || openPages_.empty() ||
      !runtime_.titleFiles.loaded()) {
    return false;
  }
  AuthorfileImage& image = runtime_.titleFiles.image();
  const auto bottom = image.PageRecord(openPages_.front());
  if (!bottom) return false;
  const bool top = openPages_.size() == 1;
  const auto above = top ? std::nullopt : image.PageRecord(openPages_[1]);
  const NodePaint node{*bottom, top, above && BackPage(*above)};
  for (const ObjectRef& ref : image.Objects(*bottom)) {
    const PageObject object(image, ref);
    if (top && object.timedState() == kTimedJustShown) return false;
    const auto box = object.pixelBox();
    if (!box) continue;  // never drawn
    // The first object with a box: it is drawn in this paint and covers, or the erase stays.
    if (!DrawnInThisPaint(object, ref, node, settings)) return false;
    const ObjectTypeHandler& handler = objectTypes_.For(object);
    for (const Rect& clip : clips) {
      if (!handler.Covers(object, *box, clip)) return false;
    }
    return true;
  }
  return false;
}

bool Pages::EraseBackground(Canvas& canvas, const std::vector<Rect>& region,
                            bool firstErase) const {
  // The first erase after a title starts blackens everything; later erases blacken the page
  // area only under a bottom page that has a background colour (the bands stay black).
  if (firstErase) {
    canvas.Fill(0);
    return true;
  }
  if (openPages_.empty() || !runtime_.titleFiles.loaded()) return false;
  AuthorfileImage& image = runtime_.titleFiles.image();
  const auto bottom = image.PageRecord(openPages_.front());
  if (!bottom || image.U32Or(bottom->offset + page_record::kBackground, kNone) == kNone) return false;
  for (const Rect& rect : region) canvas.FillRect(rect.Intersect(kPageArea), 0, PlotAction::Copy);
  return true;
}

bool Pages::DrawnInThisPaint(const PageObject& object, const ObjectRef& ref, const NodePaint& node,
                             const PaintSettings& settings) const {
  if (!node.top && object.Has(object_flag::UNDER_OVERLAY) && !node.aboveIsBackPage) return false;
  if (!object.Has(object_flag::VISIBLE)) return false;
  if (settings.redrawFrom != kNone && node.top && ref.index < settings.redrawFrom) return false;
  if (settings.firstDraw && node.top && object.Has(object_flag::DRAWN)) return false;
  return !object.WaitingForTrigger() && !object.IsScript();
}

void Pages::PaintNode(ObjectPainting& painting, const NodePaint& node,
                      const std::vector<Rect>& clips, const PaintSettings& settings,
                      bool& showMode, PaintRecord& record) const {
  AuthorfileImage& image = runtime_.titleFiles.image();
  for (const ObjectRef& ref : image.Objects(node.page)) {
    const PageObject object(image, ref);
    if (node.top && object.timedState() == kTimedJustShown) {
      showMode = false;  // the object being shown: from here on everything is drawn
      record.justShown.push_back(ref);
    }
    const auto box = object.pixelBox();
    if (!box || showMode || !DrawnInThisPaint(object, ref, node, settings)) continue;
    record.drawn.push_back(ref);
    const ObjectTypeHandler& handler = objectTypes_.For(object);
    for (const Rect& clip : clips) {
      const Rect visible = box->Intersect(clip);
      if (!visible.empty()) handler.Draw(painting, object, *box, visible);
    }
  }
}

void Pages::PaintPage(Canvas& canvas, const std::vector<Rect>& region, bool erase) {
  const PaintSettings settings = NextPaintSettings(erase);
  const PaintRecord record = ComposePage(canvas, region, settings);
  // What follows a paint on the screen, in the order the page engine always kept: the first
  // erase is spent, objects shown since the last paint count as shown and every object drawn
  // as drawn, and the page counts as displayed (which may fire its finishing event).
  if (erase) firstErase_ = false;
  if (!record.painted) return;
  AuthorfileImage& image = runtime_.titleFiles.image();
  for (const ObjectRef& ref : record.justShown) PageObject(image, ref).SetTimedState(kTimedShown);
  for (const ObjectRef& ref : record.drawn) PageObject(image, ref).SetFlag(object_flag::DRAWN, true);
  topOnlyRedraw_ = false;
  firstDraw_ = false;
  MarkDisplayed();
}

}  // namespace zd
