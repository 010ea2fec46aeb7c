// Pages: the open-page stack and the history, showing and leaving pages, the navigation built
// on them, painting the open pages' objects, showing and hiding objects, the page's events and
// its input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "title/authorfile.h"
#include "title/object_types.h"
#include "title/page_object.h"

namespace zd {

class Runtime;
class Canvas;

constexpr size_t kHistoryDepth = 100;

// Modes of leaving a page (bits).
namespace leave_mode {
constexpr uint32_t ALL_PAGES = 1, KEEP_DATABASE = 2, GOING_BACK = 4, SPECIAL_DISPATCH = 8,
                   FREE_RESOURCES = 16;
}

// Event kinds of a page's event table.
namespace event_kind {
constexpr uint32_t KEYPRESS = 0, HOTSPOT = 1, TIMEOUT = 2, INSTANT = 3, ESCAPE = 4, FINISH = 5,
                   SPECIAL = 6, KEYWORD = 7;
constexpr uint32_t FROM_SPECIAL_PAGE = 1u << 31;  // carried by the kind of a special page's dispatch
}  // namespace event_kind
const char* EventKindName(uint32_t kind);

// What a click at a point of the page finds.
struct HitResult {
  enum class Kind { Nothing, Hotspot, Area, TextLink, TextAnchor, KeywordHotspot } kind = Kind::Nothing;
  uint32_t number = 0;  // hotspot number (from 1), keyword ordinal, or the link's page
  int object = -1;      // the area, keyword hotspot or text object
};

// How one paint of the open pages goes: what the screen's state asks of the next paint, or a
// whole page drawn from scratch (the default).
struct PaintSettings {
  bool drawObjects = true;  // false while no title runs or an enlarged movie covers the page
  bool erase = true;        // the background first
  bool firstErase = true;   // the first erase of a title: the whole canvas goes black
  bool topOnly = false;     // only the top page's objects
  uint32_t redrawFrom = kNone;  // only the top page's objects from this index on
  bool firstDraw = true;    // the page's first paint: objects drawn already are not drawn again
  bool showMode = false;    // only the object being shown and what lies above it
};

// What a paint met, for the bookkeeping that follows a paint on the screen.
struct PaintRecord {
  bool painted = false;               // the open pages' objects were painted
  std::vector<ObjectRef> drawn;       // every object drawn
  std::vector<ObjectRef> justShown;   // top-page objects shown since the last paint
};

// Another title a script asks to open, at one of its pages (empty: its first section).
struct ExternalTitleRequest {
  std::string titleName;  // at most 49 characters
  std::string pageName;   // at most 13
};

class Pages {
 public:
  explicit Pages(Runtime& runtime) : runtime_(runtime) {}

  // Page model.
  bool ShowPage(bool newTitle, uint32_t reference);  // false: it failed (the run then ends)
  void LeavePage(uint32_t mode);
  void GotoSection(uint32_t index);
  void GotoPageWithHistory(uint32_t pageNumber);
  bool GotoTarget(uint32_t target, uint32_t kind);  // false: the target could not be reached
  void FlipCompanion();
  void ShowFirstSection();
  void ClosePage(int closeMode) { LeavePage(static_cast<uint32_t>(closeMode)); }
  void CloseAllPages() { LeavePage(leave_mode::ALL_PAGES); }
  void StartTitleAt(uint32_t section);

  // Display.
  // The screen's paint: composes the parts of the page that need it (page pixels) into the
  // page canvas, then marks what it drew, counts the page as displayed and so may fire the
  // page's finishing event. Only the main window's paint calls it.
  void PaintPage(Canvas& canvas, const std::vector<Rect>& region, bool erase);
  // Draws the open pages into `canvas` and changes nothing else: for pictures of the page made
  // outside the screen's paint (zdinfo's page pictures; printing, exports and movie frames).
  PaintRecord ComposePage(Canvas& canvas, const std::vector<Rect>& region,
                          const PaintSettings& settings) const;
  // What the screen's next paint would do.
  PaintSettings NextPaintSettings(bool erase) const;
  // Opens page `number` alone, as the title would show it first, without running anything of
  // the title (no scripts, timers or events): for a picture of it. False when there is no such
  // page or it is a special page (never shown).
  bool OpenPageForPicture(uint32_t number);
  void ShowObject(int index);
  void HideObject(int index);
  void SetObjectShown(int index, int mode);            // -1 toggle, 0 hide, 1 show
  void SetTriggeredShown(const std::string& trigger, int mode);
  void ClickArea(int index, bool hideOnly = false);  // hideOnly: an area being hidden
  void HideDelayDue(int index);                        // a hide delay has run out
  void RedrawBox(const Rect& box);
  void RedrawBoxFrom(const Rect& box, int index);
  void MarkDisplayed();                                 // the first paint has ended

  // Events and input.
  uint32_t FireEvent(uint32_t kind, uint32_t argument);
  bool HasEventRecord(uint32_t kind);
  void KeyDown(int virtualKey, int repeat);
  void LeftButtonUp(int pageX, int pageY);
  HitResult HitTest(int pageX, int pageY);
  int ObjectAt(int pageX, int pageY);    // the object under the pointer, or -1
  std::string ObjectName(int index);

  // State.
  std::optional<std::string> CurrentPageName() const;
  uint32_t currentPageNumber() const { return currentNumber_; }
  uint32_t currentSection() const { return currentSection_; }
  bool finished() const { return finished_; }
  void SetFinished(bool finished) { finished_ = finished; }
  // Everything on the page is drawn afresh at the next paint, as at its first (a loaded
  // status file has changed what the page shows).
  void RedrawWholePage();
  bool displayed() const { return displayed_; }
  bool closing() const { return closing_; }
  bool companionShown() const { return companionOffset_ != 0; }
  const std::vector<uint32_t>& openPages() const { return openPages_; }
  const std::vector<uint32_t>& history() const { return history_; }
  // Navigation scripts ask for: a script only records it (and stops), the next scheduler tick
  // takes it and carries it out. Taking a request clears it.
  void RequestSection(uint32_t section);
  void RequestHotspot(uint32_t number);  // counted from 1 among the page's hotspots
  void RequestExternalTitle(std::string titleName, std::string pageName);
  std::optional<uint32_t> TakePendingSection();
  std::optional<uint32_t> TakePendingHotspot();
  std::optional<ExternalTitleRequest> TakePendingExternalTitle();
  bool NavigationRequested() const {  // any of the three
    return pendingSection_ || pendingHotspot_ || pendingExternalTitle_;
  }
  bool SectionOrHotspotRequested() const;  // the page's own events must then wait
  const std::optional<ExternalTitleRequest>& pendingExternalTitle() const {
    return pendingExternalTitle_;
  }
  bool scriptRunning() const { return startOrEndScripts_ > 0; }
  std::vector<ObjectRef>& objects() { return objects_; }
  // Changes whenever the list of the current page's objects is made anew.
  uint64_t objectListVersion() const { return objectListVersion_; }
  std::optional<PageObject> Object(int index);
  std::optional<PageRef> currentPage() const;
  ObjectTypes& objectTypes() { return objectTypes_; }
  const ObjectTypeHandler& HandlerOf(const PageObject& object) const { return objectTypes_.For(object); }

 private:
  bool ShowSpecialPage(const PageRef& page);
  void LoadPageObjects(const PageRef& page, bool pageWasOpen, bool directVisit, bool newTitle,
                       std::vector<int>& loadedSlots, bool& invalidated);
  void RunScripts(const char* which);
  void RunOtherScripts();
  bool GotoTargetSection(uint32_t target, uint32_t kind);
  struct NodePaint {
    const PageRef& page;
    bool top = false;
    bool aboveIsBackPage = false;
  };
  // True when the first object the bottom page draws in this paint sets every pixel of the
  // clips itself (a solid picture over the page).
  bool BottomObjectCovers(const std::vector<Rect>& clips, const PaintSettings& settings) const;
  // Whether a paint with these settings draws the object (which has a box, outside show mode).
  bool DrawnInThisPaint(const PageObject& object, const ObjectRef& ref, const NodePaint& node,
                        const PaintSettings& settings) const;
  // True when it blackened the region.
  bool EraseBackground(Canvas& canvas, const std::vector<Rect>& region, bool firstErase) const;
  void PaintNode(ObjectPainting& painting, const NodePaint& node, const std::vector<Rect>& clips,
                 const PaintSettings& settings, bool& showMode, PaintRecord& record) const;
  void InvalidateObject(const PageObject& object, bool erase);
  bool FullPage(const PageRef& page) const;
  bool BackPage(const PageRef& page) const;
  bool SpecialName(const PageRef& page) const;
  struct EventRecord {
    size_t offset = 0;   // in the image
    size_t length = 0;
    uint32_t baseTarget = 0;
  };
  // The first record of `kind` in the current page's event table; nullopt when there is none,
  // or when the walk met a record of an unknown kind (then the title ends).
  std::optional<EventRecord> FindEventRecord(uint32_t kind, bool reportUnknown);
  uint32_t CountObjects(uint32_t type);

  Runtime& runtime_;
  ObjectTypes objectTypes_;
  std::optional<PageRef> current_;
  uint32_t currentNumber_ = kNone;
  uint32_t currentSection_ = 0;
  uint32_t companionOffset_ = 0;
  std::vector<uint32_t> openPages_;  // page numbers, bottom first; the top is the current page
  std::vector<uint32_t> history_;
  std::vector<ObjectRef> objects_;   // the current page's objects
  uint64_t objectListVersion_ = 1;  // a hint of version 0 was never found
  std::optional<uint32_t> pendingSection_;
  std::optional<uint32_t> pendingHotspot_;
  std::optional<ExternalTitleRequest> pendingExternalTitle_;
  bool finished_ = false, displayed_ = false, returning_ = false, firstDraw_ = false,
       closing_ = false, topOnlyRedraw_ = false, showMode_ = false, firstErase_ = false;
  uint32_t redrawFrom_ = kNone;
  bool runningStart_ = false;
  int areaNesting_ = 0;
  int startOrEndScripts_ = 0;
  int specialDepth_ = 0;  // special pages leading to special pages
};

}  // namespace zd
