// Showing a page: the open-page stack, the page's resources and objects, its timers and its
// scripts, in the order titles rely on.
#include "runtime.h"
#include "title/pages.h"

namespace zd {
namespace {

constexpr uint32_t kDirectVisitBit = 0x80000000u;  // a companion flip, not a visit
constexpr int kSpecialPageLimit = 16;  // special pages leading to special pages

}  // namespace

std::optional<PageRef> Pages::currentPage() const { return current_; }

std::optional<PageObject> Pages::Object(int index) {
  if (!runtime_.titleFiles.loaded() || index < 0 || size_t(index) >= objects_.size()) {
    return std::nullopt;
  }
  return PageObject(runtime_.titleFiles.image(), objects_[size_t(index)]);
}

std::optional<std::string> Pages::CurrentPageName() const {
  if (!current_ || !runtime_.titleFiles.loaded()) return std::nullopt;
  return runtime_.titleFiles.imageOrNull()->PageName(*current_);
}

bool Pages::FullPage(const PageRef& page) const {
  const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
  return image && (image->U32Or(page.offset + page_record::kFlags, 0) & page_record::FULL_PAGE);
}

bool Pages::BackPage(const PageRef& page) const {
  const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
  return image && (image->U32Or(page.offset + page_record::kFlags, 0) & page_record::BACK_PAGE);
}

bool Pages::SpecialName(const PageRef& page) const {
  const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
  return image && image->PageName(page).rfind('?', 0) == 0;
}

void Pages::ShowFirstSection() { ShowPage(true, kNone); }

void Pages::StartTitleAt(uint32_t section) {
  // The toolbox follows the page the title starts on.
  std::optional<PageRef> page;
  if (const AuthorfileImage* image = runtime_.titleFiles.imageOrNull()) {
    if (const auto entry = image->SectionEntry(section)) {
      page = image->PageRecord(image->U32Or(entry->offset + section_entry::kPageNumber, kNone));
    }
  }
  runtime_.toolbox.SwitchToolboxSet(page);
  ShowPage(true, section);
}

bool Pages::ShowPage(bool newTitle, uint32_t reference) {
  Shell& shell = runtime_.shell;
  Reporter& reporter = shell.reporter();
  TitleFiles& files = runtime_.titleFiles;

  // Fresh page state (a page returned to is finished and displayed already).
  shell.SetTitleRunning(false);
  finished_ = returning_;
  displayed_ = returning_;
  bool failed = !files.loaded();
  bool sectionWithoutPage = false;
  uint32_t pageNumber = kNone;
  bool directVisit = false;

  // A new title starts at its section, its first erase blackening the screen.
  if (newTitle) {
    currentSection_ = reference == kNone ? 0 : reference;
    companionOffset_ = 0;
    firstErase_ = true;
  }
  // The section list must be there, its first entry the root.
  if (!failed) {
    AuthorfileImage& image = files.image();
    if (image.SectionLastIndex() == kNone) {
      reporter.ReportError("crierr33");
      failed = true;
    } else if (newTitle &&
               image.U32Or(image.SectionEntry(0)->offset + section_entry::kParent, 0) != kNone) {
      reporter.ReportError("crierr20");
      failed = true;
    }
  }
  // Which page: given, or the current section's (plus the companion offset).
  if (!failed) {
    AuthorfileImage& image = files.image();
    if (!newTitle && reference != kNone) {
      directVisit = (reference & kDirectVisitBit) == 0;
      pageNumber = reference & ~kDirectVisitBit;
    } else {
      const auto entry = image.SectionEntry(currentSection_);
      const uint32_t first =
          entry ? image.U32Or(entry->offset + section_entry::kPageNumber, kNone) : kNone;
      if (first == kNone) {
        reporter.ReportDetailedError("crierr25", 0);
        sectionWithoutPage = true;
      } else {
        pageNumber = first + companionOffset_;
      }
    }
  }

  std::vector<int> loadedSlots;
  bool invalidated = false;
  bool pageWasOpen = false;
  if (!failed && !sectionWithoutPage) {
    AuthorfileImage& image = files.image();
    // Its record.
    const auto page = image.PageRecord(pageNumber);
    if (!page) {
      reporter.ReportDiagnostic("crierr21");
      failed = true;
    } else {
      current_ = *page;
      currentNumber_ = pageNumber;
      objects_ = image.Objects(*page);
      ++objectListVersion_;
      runtime_.trace.Line(TraceCategory::Page,
                          "page " + std::to_string(pageNumber) + " " + image.PageName(*page));
      // A special page is never drawn: its "PC" hotspot leads on.
      if (SpecialName(*page)) return ShowSpecialPage(*page);

      // The open-page stack: a page already open moves to the top.
      const auto open = std::find(openPages_.begin(), openPages_.end(), pageNumber);
      pageWasOpen = open != openPages_.end();
      if (pageWasOpen) openPages_.erase(open);
      openPages_.push_back(pageNumber);

      // The toolbox icon.
      runtime_.toolbox.ShowToolboxIcon();
      // Its objects and their resources, under the wait pointer.
      Pointers& pointers = shell.pointers();
      const platform::CursorHandle previous = pointers.PushPointer(pointers.WaitCursor());
      LoadPageObjects(*page, pageWasOpen, directVisit, newTitle, loadedSlots, invalidated);
      // Scripts learn of the new page.
      pointers.PopPointer(previous);
      runtime_.script.PageEntered();
      // Its timers, then its +Start scripts with movies held back, then its pictures' bitmaps.
      if (files.loaded()) runtime_.scheduler.StartPageTimers();
      runtime_.movies.HoldBackMovies(true);
      if (files.loaded()) RunScripts("+Start");
      runtime_.movies.HoldBackMovies(false);
      if (files.loaded()) {
        for (int slot : loadedSlots) files.cache().PrepareResource(slot, true);
      }
    }
  }
  // The run may have ended on the way (a title error inside the timers or the scripts).
  if (!files.loaded() || !shell.window().exists()) return false;

  // The page runs: it is drawn, its other scripts run, and a page that needs no paint
  // counts as displayed at once.
  shell.SetTitleRunning(!failed);
  closing_ = false;
  firstDraw_ = true;
  if (!failed && current_ && FullPage(*current_)) shell.window().InvalidateAll(true);
  // Clicks made while the page loaded are not for it.
  shell.queue().DiscardClicks();
  if (!failed && current_) {
    RunOtherScripts();
    if (!newTitle && !FullPage(*current_) && !invalidated && !returning_) MarkDisplayed();
    shell.pointers().UpdateObjectUnderPointer();
  }
  // A page that failed ends the title.
  if (failed) shell.QuitTitle(3);
  return !failed;
}

bool Pages::ShowSpecialPage(const PageRef& page) {
  finished_ = true;
  Reporter& reporter = runtime_.shell.reporter();
  uint32_t ordinal = 0;
  bool found = false;
  for (size_t i = 0; i < objects_.size() && !found; ++i) {
    const PageObject object(runtime_.titleFiles.image(), objects_[i]);
    if (object.type() != object_type::HOTSPOT) continue;
    ++ordinal;
    found = object.name() == "PC";
  }
  bool ok = false;
  if (!found) {
    reporter.ReportDiagnostic("crierr23");
  } else if (specialDepth_ >= kSpecialPageLimit) {
    // Special pages that only lead to each other would never show anything.
    reporter.ReportDiagnostic("crierr22");
  } else {
    const uint32_t base = FireEvent(event_kind::HOTSPOT, 0);
    if (base == kNone) {
      reporter.ReportDiagnostic("crierr22");
    } else {
      ++specialDepth_;
      GotoTarget(base + ordinal - 1, event_kind::HOTSPOT | event_kind::FROM_SPECIAL_PAGE);
      --specialDepth_;
      ok = true;
    }
  }
  (void)page;
  if (!ok) runtime_.shell.QuitTitle(3);
  return ok;
}

void Pages::LoadPageObjects(const PageRef& page, bool pageWasOpen, bool directVisit,
                            bool newTitle, std::vector<int>& loadedSlots, bool& invalidated) {
  TitleFiles& files = runtime_.titleFiles;
  AuthorfileImage& image = files.image();
  ResourceCache& cache = files.cache();
  ObjectLoading loading{cache, files.shortName(), {}, 0};
  loading.keywordPage = image.U16(page.offset + page_record::kKeywordPage).value_or(0);
  loading.loadResource = [&](int kind, uint32_t directory, uint32_t number) -> std::optional<int> {
    const auto slot = cache.FindFreeSlot();
    if (!slot || !cache.LoadResource(*slot, static_cast<int>(directory), static_cast<int>(number),
                                     kind)) {
      return std::nullopt;
    }
    cache.slot(*slot).inUseByPage = true;
    loadedSlots.push_back(*slot);
    return slot;
  };

  // What is in the cache for this title already is taken again...
  for (const ObjectRef& ref : objects_) {
    PageObject object(image, ref);
    objectTypes_.For(object).Reuse(object, loading);
  }
  // ...and everything else this page does not use leaves the cache.
  for (int i = 0; i < kCacheSlots; ++i) {
    if (cache.slot(i).used && !cache.slot(i).inUseByPage) cache.Free(i);
  }
  for (const ObjectRef& ref : objects_) {
    PageObject object(image, ref);
    if (!returning_) object.SetFlag(object_flag::VISIBLE, !object.Has(object_flag::TIMED));
    object.SetFlag(object_flag::CLOSED | object_flag::DRAWN, false);
    const bool needsRepaint = !(pageWasOpen && directVisit && !BackPage(page));
    objectTypes_.For(object).Load(object, loading);
    if (!returning_) object.SetTimedState(kTimedHidden);
    const auto box = object.pixelBox();
    if (needsRepaint && !newTitle && object.redrawKind() == kRedrawInvalidates &&
        !object.Has(object_flag::TRIGGERED) && box) {
      runtime_.shell.window().InvalidatePage(*box, false);
      invalidated = true;
    }
  }
}

bool Pages::OpenPageForPicture(uint32_t number) {
  TitleFiles& files = runtime_.titleFiles;
  if (!files.loaded()) return false;
  const auto page = files.image().PageRecord(number);
  if (!page || SpecialName(*page)) return false;
  // The page drawn before gives its resources back, as leaving it would.
  ObjectRelease release{files.cache(), leave_mode::FREE_RESOURCES, currentNumber_};
  for (uint32_t open : openPages_) {
    const auto before = files.image().PageRecord(open);
    if (!before) continue;
    for (const ObjectRef& ref : files.image().Objects(*before)) {
      PageObject object(files.image(), ref);
      objectTypes_.For(object).Release(object, release);
    }
  }
  current_ = *page;
  currentNumber_ = number;
  objects_ = files.image().Objects(*page);
  ++objectListVersion_;
  openPages_ = {number};
  returning_ = false;
  std::vector<int> loadedSlots;
  bool invalidated = false;
  LoadPageObjects(*page, false, true, true, loadedSlots, invalidated);
  if (!files.loaded()) return false;
  for (int slot : loadedSlots) files.cache().PrepareResource(slot, true);
  return true;
}

void Pages::RunScripts(const char* which) {
  // The page's objects may change while scripts run; they are found by index each time.
  ++startOrEndScripts_;
  const bool start = std::string(which) == "+Start";
  if (start) runningStart_ = true;
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (object && object->type() == object_type::TEXT && object->name() == which) {
      runtime_.script.RunScriptObject(static_cast<int>(i));
    }
  }
  if (start) runningStart_ = false;
  --startOrEndScripts_;
}

void Pages::RunOtherScripts() {
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (!object) break;
    const std::string name = object->name();
    if (name.empty()) break;  // the scan ends at the first unnamed object
    if (!object->IsScript() || name == "+Start" || name == "+End") continue;
    if (object->Has(object_flag::TIMED) || object->Has(object_flag::TRIGGERED)) continue;
    runtime_.script.RunScriptObject(static_cast<int>(i));
  }
}

void Pages::MarkDisplayed() {
  if (displayed_) return;
  displayed_ = true;
  runtime_.scheduler.PageDisplayed();
}

}  // namespace zd
