#include "title/scheduler.h"

#include <algorithm>

#include "platform/ticks.h"
#include "runtime.h"

namespace zd {

uint32_t Scheduler::PageClock() const {
  const uint32_t now = pauses_ > 0 ? pausedAt_ : runtime_.platform.TickCount();
  return now + correction_;
}

void Scheduler::PauseClock() {
  if (pauses_++ == 0) pausedAt_ = runtime_.platform.TickCount();
}

void Scheduler::ResumeClock() {
  if (pauses_ == 0) return;  // an unmatched resume changes nothing
  if (--pauses_ == 0) correction_ -= runtime_.platform.TickCount() - pausedAt_;
}

void Scheduler::ClearEventPool() {
  pool_ = {};
  order_.clear();
}

bool Scheduler::QueueEvent(int kind, int object, uint32_t delayHundredths) {
  const auto free = std::find_if(pool_.begin(), pool_.end(), [](const Entry& e) { return !e.inUse; });
  if (free == pool_.end()) {
    runtime_.shell.reporter().ReportDiagnostic("crierr15");
    runtime_.shell.QuitTitle(3);
    return false;
  }
  const uint32_t due = PageClock() + 10 * delayHundredths;
  *free = Entry{true, kind, due, object};
  order_.push_back(static_cast<int>(free - pool_.begin()));
  if (kind == timed_event::MOVIE_ENDED) {
    // The page's time never ends before a playing movie has ended.
    for (int i : order_) {
      if (pool_[i].kind == timed_event::PAGE_TIME_OUT && platform::TickBefore(pool_[i].due, due)) {
        pool_[i].due = due;
      }
    }
  }
  return true;
}

void Scheduler::CancelEvents(int kind, int object) {
  order_.erase(std::remove_if(order_.begin(), order_.end(),
                              [&](int i) {
                                if (pool_[i].kind != kind || pool_[i].object != object) return false;
                                pool_[i].inUse = false;
                                return true;
                              }),
               order_.end());
}

void Scheduler::ClearEvents() {
  for (int i : order_) pool_[i].inUse = false;
  order_.clear();
}

void Scheduler::Tick() {
  Pages& pages = runtime_.pages;
  if (!pages.scriptRunning()) runtime_.movies.StartHeldBackMovies();
  if (tickRunning_ || pauses_ > 0) return;
  tickRunning_ = true;

  if (const auto number = pages.TakePendingHotspot()) {
    const uint32_t base = pages.FireEvent(event_kind::HOTSPOT, 0);
    if (base == kNone) {
      runtime_.shell.reporter().ReportDiagnostic("crierr17");
    } else {
      pages.GotoTarget(base + *number - 1, event_kind::HOTSPOT);
    }
    tickRunning_ = false;
    return;
  }
  if (const auto external = pages.TakePendingExternalTitle()) {
    const bool resuming = runtime_.status.ResumeWaiting();
    const bool opened = runtime_.titleFiles.OpenLinkedTitle(external->titleName,
                                                            external->pageName);
    if (!opened && resuming && runtime_.titleFiles.loaded() && pages.CurrentPageName()) {
      // A saved place that is no longer there (the title moved, the page gone) is no reason
      // to end the learner's run: it goes on where it is, at the first page when the saved
      // page is gone.
      runtime_.status.ResumeNotReached();
      pages.TakePendingSection();
    } else if (!opened) {
      platform::MessageBoxSpec box;
      box.caption = "FATAL ERROR";
      box.text = "External link failed";
      box.icon = platform::MessageIcon::None;
      PauseClock();
      runtime_.platform.MessageBox(box);
      ResumeClock();
      runtime_.shell.reporter().ReportDiagnostic("crierr18");
      runtime_.shell.QuitTitle(3);
    } else {
      pages.TakePendingSection();  // the other title starts where its link says
    }
    tickRunning_ = false;
    return;
  }
  if (const auto section = pages.TakePendingSection()) {
    pages.GotoSection(*section);
    tickRunning_ = false;
    return;
  }

  // Due entries, in order of queuing; an entry's successor is remembered before it is handled,
  // since handling may queue and cancel others.
  const uint32_t now = PageClock();
  std::vector<int> due;
  for (int i : order_) {
    if (!platform::TickBefore(now, pool_[i].due)) due.push_back(i);
  }
  for (int i : due) {
    const auto at = std::find(order_.begin(), order_.end(), i);
    if (at == order_.end() || !pool_[i].inUse) continue;  // cancelled by an earlier one
    const Entry entry = pool_[i];
    order_.erase(at);
    pool_[i].inUse = false;
    Handle(entry);
    if (!runtime_.shell.window().exists()) break;
  }
  tickRunning_ = false;
}

void Scheduler::Handle(const Entry& entry) {
  Pages& pages = runtime_.pages;
  switch (entry.kind) {
    case timed_event::START_TITLE:
      runtime_.shell.queue().Post(Msg::ShowFirstPage);
      break;
    case timed_event::TIMEOUT_FOR_REAL:
      pages.FireEvent(event_kind::TIMEOUT, 1);
      break;
    case timed_event::SHOW_TIMED:
    case timed_event::HIDE_TIMED:
      TimedShowOrHide(entry.kind, entry.object);
      break;
    case timed_event::PAGE_TIME_OUT:
      PageTimeOut();
      break;
    case timed_event::HIDE_AFTER_DELAY:
      pages.HideDelayDue(entry.object);
      break;
    case timed_event::MOVIE_ENDED:
      if (auto object = pages.Object(entry.object); object && object->hideDelay() != kNone) {
        QueueEvent(timed_event::HIDE_TIMED, entry.object, object->hideDelay());
      }
      break;
    default:
      break;
  }
}

void Scheduler::TimedShowOrHide(int kind, int index) {
  Pages& pages = runtime_.pages;
  auto object = pages.Object(index);
  if (!object) return;
  const std::string name = object->name();
  const ObjectTypeHandler& handler = pages.HandlerOf(*object);
  if (name.rfind('+', 0) == 0 && name != "+Start" && name != "+End") {
    if (kind == timed_event::SHOW_TIMED && object->IsScript()) {
      runtime_.script.RunScriptObject(index);
      if (auto again = pages.Object(index)) again->SetFlag(object_flag::VISIBLE, false);
    }
    return;
  }
  if (handler.plays()) {
    if (kind == timed_event::SHOW_TIMED) {
      handler.Play(index);
    } else {
      handler.Stop(index);
      if (object->Has(object_flag::TRIGGERED)) object->SetTimedState(kTimedHidden);
    }
    return;
  }
  const auto box = object->pixelBox();
  if (!box) return;
  const bool invalidates = object->redrawKind() == kRedrawInvalidates;
  if (invalidates) runtime_.shell.window().InvalidatePage(*box, kind == timed_event::HIDE_TIMED);
  if (kind == timed_event::SHOW_TIMED) {
    object->SetFlag(object_flag::VISIBLE, true);
    object->SetTimedState(kTimedJustShown);
    if (invalidates) runtime_.shell.PaintNow();
    if (object->hideDelay() != kNone) {
      QueueEvent(timed_event::HIDE_TIMED, index, object->hideDelay());
    }
  } else {
    object->SetFlag(object_flag::VISIBLE, false);
  }
  runtime_.shell.pointers().UpdateObjectUnderPointer();
}

void Scheduler::PageTimeOut() {
  runtime_.pages.SetFinished(true);
  FireFinishingEvent();
}

void Scheduler::FireFinishingEvent() {
  // INSTANT if the page has one, else FINISH, else TIMEOUT (which queues its real firing).
  Pages& pages = runtime_.pages;
  for (uint32_t kind : {event_kind::INSTANT, event_kind::FINISH, event_kind::TIMEOUT}) {
    if (pages.HasEventRecord(kind)) {
      pages.FireEvent(kind, 0);
      return;
    }
    if (!runtime_.shell.window().exists()) return;  // a broken event table ended the title
  }
}

void Scheduler::StartPageTimers() {
  Pages& pages = runtime_.pages;
  pageStartTime_ = PageClock();
  const auto page = pages.currentPage();
  const uint32_t pageTime =
      page ? runtime_.titleFiles.image().U32Or(page->offset + page_record::kPageTime, 0) : 0;
  if (pageTime == 0) {
    pages.SetFinished(true);  // no page time: finished at once, timed objects never appear
    return;
  }
  for (size_t i = 0; i < pages.objects().size(); ++i) {
    auto object = pages.Object(static_cast<int>(i));
    if (!object) break;  // the title ended meanwhile
    if (object->Has(object_flag::TIMED) && !object->Has(object_flag::TRIGGERED)) {
      QueueEvent(timed_event::SHOW_TIMED, static_cast<int>(i), object->showDelay());
    }
  }
  QueueEvent(timed_event::PAGE_TIME_OUT, -1, pageTime);
}

void Scheduler::PageDisplayed() {
  Pages& pages = runtime_.pages;
  const auto page = pages.currentPage();
  const uint32_t pageTime =
      page ? runtime_.titleFiles.image().U32Or(page->offset + page_record::kPageTime, 0) : 0;
  if (pageTime == 0 && !pages.SectionOrHotspotRequested()) FireFinishingEvent();
}

}  // namespace zd
