// Leaving pages, and the navigation built on leaving and showing: sections, pages with history,
// event targets, companion pages.
#include "runtime.h"
#include "title/pages.h"

namespace zd {

void Pages::LeavePage(uint32_t mode) {
  runtime_.movies.EndEnlargedMovie();
  if (!(mode & (leave_mode::KEEP_DATABASE | leave_mode::SPECIAL_DISPATCH))) topOnlyRedraw_ = true;
  if (!runtime_.titleFiles.loaded()) {
    openPages_.clear();
    return;
  }
  Pointers& pointers = runtime_.shell.pointers();
  if (current_) {
    pointers.UpdateObjectUnderPointer();
    runtime_.scheduler.ClearEvents();
    runtime_.movies.StopPageMovies();
    closing_ = true;
    pointers.UpdateObjectUnderPointer();
    RunScripts("+End");
  }
  runtime_.script.ResetHandlers();

  AuthorfileImage& image = runtime_.titleFiles.image();
  ObjectRelease release{runtime_.titleFiles.cache(), mode, currentNumber_};
  const size_t first = (mode & leave_mode::ALL_PAGES) || openPages_.empty() ? 0 : openPages_.size() - 1;
  for (size_t n = first; n < openPages_.size(); ++n) {
    const auto page = image.PageRecord(openPages_[n]);
    if (!page) continue;
    for (const ObjectRef& ref : image.Objects(*page)) {
      PageObject object(image, ref);
      if (object.Has(object_flag::CLOSED)) continue;
      if (!object.Has(object_flag::UNDER_OVERLAY) &&
          !(mode & (leave_mode::ALL_PAGES | leave_mode::GOING_BACK))) {
        continue;  // stays on the screen under the next page
      }
      object.SetFlag(object_flag::CLOSED, true);
      const ObjectTypeHandler& handler = objectTypes_.For(object);
      const auto box = object.pixelBox();
      if (object.Has(object_flag::VISIBLE) && box && handler.painted() &&
          !object.WaitingForTrigger()) {
        runtime_.shell.window().InvalidatePage(*box, false);
        topOnlyRedraw_ = false;
      }
      handler.Release(object, release);
    }
  }
  if (release.resetKeywords) runtime_.database.ResetKeywordConditions();
  if (mode & leave_mode::ALL_PAGES) openPages_.clear();
}

void Pages::GotoSection(uint32_t index) {
  if (index == currentSection_) return;
  AuthorfileImage& image = runtime_.titleFiles.image();
  const auto entry = image.SectionEntry(index);
  const uint32_t pageNumber =
      entry ? image.U32Or(entry->offset + section_entry::kPageNumber, kNone) : kNone;
  const auto page = image.PageRecord(pageNumber);
  const bool full = page && FullPage(*page) && !SpecialName(*page);
  LeavePage(full ? leave_mode::ALL_PAGES : 0);
  runtime_.toolbox.SwitchToolboxSet(page);
  currentSection_ = index;
  companionOffset_ = 0;  // a section is entered at its first page
  ShowPage(false, kNone);
}

void Pages::GotoPageWithHistory(uint32_t pageNumber) {
  if (history_.size() < kHistoryDepth) history_.push_back(currentNumber_);
  const auto page = runtime_.titleFiles.image().PageRecord(pageNumber);
  if (page && FullPage(*page)) {
    LeavePage(leave_mode::ALL_PAGES);
  } else {
    runtime_.scheduler.ClearEvents();
    runtime_.movies.StopPageMovies();
  }
  runtime_.shell.window().choiceList().Close();
  ShowPage(false, pageNumber);
}

void Pages::FlipCompanion() {
  const bool toCompanion = companionOffset_ == 0;
  const uint32_t target = toCompanion ? currentNumber_ + 1 : currentNumber_ - 1;
  if (!toCompanion) topOnlyRedraw_ = false;
  const auto page = runtime_.titleFiles.image().PageRecord(target);
  if (page && FullPage(*page) && !SpecialName(*page)) {
    LeavePage(leave_mode::ALL_PAGES | leave_mode::KEEP_DATABASE);
  } else {
    LeavePage(leave_mode::KEEP_DATABASE);
  }
  companionOffset_ = toCompanion ? 1 : 0;
  ShowPage(false, target | 0x80000000u);
}

bool Pages::GotoTarget(uint32_t target, uint32_t kind) {
  const uint32_t special = (kind & event_kind::FROM_SPECIAL_PAGE) ? leave_mode::SPECIAL_DISPATCH : 0;
  if (current_ && BackPage(*current_) && !history_.empty()) {
    const uint32_t back = history_.back();
    history_.pop_back();
    LeavePage(leave_mode::GOING_BACK | special);
    if (!openPages_.empty()) openPages_.pop_back();
    returning_ = true;
    const bool shown = ShowPage(false, back);
    returning_ = false;
    return shown;
  }
  return GotoTargetSection(target, kind);
}

bool Pages::GotoTargetSection(uint32_t target, uint32_t kind) {
  Shell& shell = runtime_.shell;
  Reporter& reporter = shell.reporter();
  AuthorfileImage& image = runtime_.titleFiles.image();
  const uint32_t plainKind = kind & ~event_kind::FROM_SPECIAL_PAGE;
  const bool quietKind = plainKind == event_kind::TIMEOUT || plainKind == event_kind::INSTANT;
  const uint32_t special = (kind & event_kind::FROM_SPECIAL_PAGE) ? leave_mode::SPECIAL_DISPATCH : 0;
  const uint32_t last = image.SectionLastIndex();
  const auto field = [&](uint32_t entry, size_t offset) {
    const auto ref = image.SectionEntry(entry);
    return ref ? image.U32Or(ref->offset + offset, kNone) : kNone;
  };

  // The target counts from the current section's first child.
  std::optional<uint32_t> entry;
  if (last != kNone) {
    for (uint32_t i = currentSection_ + 1; i <= last && i != 0; ++i) {
      if (field(i, section_entry::kParent) == currentSection_) {
        const uint64_t wanted = uint64_t(i) + target;
        if (wanted <= last) entry = static_cast<uint32_t>(wanted);
        break;
      }
    }
  }
  // An alias stands for the entry of its page that is no alias.
  if (entry && (field(*entry, section_entry::kFlags) & section_entry::ALIAS)) {
    const uint32_t pageNumber = field(*entry, section_entry::kPageNumber);
    entry.reset();
    for (uint32_t i = 0; i <= last; ++i) {
      if (!(field(i, section_entry::kFlags) & section_entry::ALIAS) &&
          field(i, section_entry::kPageNumber) == pageNumber) {
        entry = i;
        break;
      }
    }
  }
  // Missing targets: with diagnostics the title ends; without, the page is shown again.
  const auto missing = [&](const char* key, const MessageArgument& argument) {
    if (reporter.diagnostics()) {
      reporter.ReportDiagnostic(key, argument);
      shell.QuitTitle(3);
      return false;
    }
    if (!quietKind) reporter.ReportError(kGenericKey);
    LeavePage(special);
    ShowPage(false, kNone);
    return false;
  };
  if (!entry) return missing("crierr26", EventKindName(plainKind));
  const uint32_t pageNumber = field(*entry, section_entry::kPageNumber);
  const uint32_t flags = field(*entry, section_entry::kFlags);
  if (pageNumber == kNone && !(flags & section_entry::LINK)) {
    return missing("crierr28", image.SectionName(*image.SectionEntry(*entry)));
  }
  // The section is entered: a link opens its title, anything else its page.
  const uint32_t previous = currentSection_;
  currentSection_ = *entry;
  companionOffset_ = 0;
  if (pageNumber == kNone) {
    const SectionRef ref = *image.SectionEntry(*entry);
    const uint32_t link = field(*entry, section_entry::kLinkResource);
    const std::string linkedPage =
        image.Text(ref.offset + section_entry::kLinkedPage, section_entry::kLinkedPageWidth);
    if (runtime_.titleFiles.FollowLink(link, linkedPage)) return true;
    if (reporter.diagnostics()) {
      reporter.ReportError("crierr18");
      shell.QuitTitle(3);
    } else {
      if (!quietKind) {
        runtime_.scheduler.PauseClock();
        reporter.ReportError(kGenericKey);
        runtime_.scheduler.ResumeClock();
      }
      currentSection_ = previous;
    }
    return false;
  }
  const auto page = image.PageRecord(pageNumber);
  const uint32_t full = page && FullPage(*page) && !SpecialName(*page) ? leave_mode::ALL_PAGES : 0;
  LeavePage(full | special);
  runtime_.toolbox.SwitchToolboxSet(page);
  return ShowPage(false, kNone);
}

}  // namespace zd
