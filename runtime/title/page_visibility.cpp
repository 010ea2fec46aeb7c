// Showing and hiding page objects: by their timers, by scripts, by triggers and by clicks on
// areas.
#include "runtime.h"
#include "title/pages.h"

namespace zd {
namespace {

constexpr int kAreaNesting = 16;  // areas that hide areas that hide areas...

}  // namespace

void Pages::InvalidateObject(const PageObject& object, bool erase) {
  if (const auto box = object.pixelBox()) runtime_.shell.window().InvalidatePage(*box, erase);
}

void Pages::ShowObject(int index) {
  auto object = Object(index);
  if (!object) return;
  const ObjectTypeHandler& handler = objectTypes_.For(*object);
  // A script runs instead of showing.
  if (object->IsScript()) {
    runtime_.script.RunScriptObject(index);
    if (auto again = Object(index)) again->SetTimedState(kTimedShown);
    return;
  }
  // Painted objects count as shown once the paint has drawn them.
  object->SetTimedState(handler.painted() ? kTimedJustShown : kTimedShown);
  if (object->redrawKind() == kRedrawInvalidates && object->box() && !scriptRunning() &&
      !closing_) {
    InvalidateObject(*object, !showMode_);
    runtime_.shell.PaintNow();
  } else {
    object->SetTimedState(kTimedShown);
    if (handler.plays()) handler.Play(index);
  }
  // Its hide delay starts.
  if (object->hideDelay() != kNone && !handler.plays()) {
    runtime_.scheduler.QueueEvent(timed_event::HIDE_AFTER_DELAY, index, object->hideDelay());
  }
}

void Pages::HideObject(int index) {
  auto object = Object(index);
  if (!object) return;
  const ObjectTypeHandler& handler = objectTypes_.For(*object);
  object->SetTimedState(kTimedHidden);
  if (handler.clickRole() == ClickRole::Area) SetTriggeredShown(object->name(), 0);
  if (object->redrawKind() == kRedrawInvalidates && object->box() && !object->IsScript() &&
      !scriptRunning() && !closing_) {
    InvalidateObject(*object, !showMode_);
  }
  if (handler.plays()) {
    handler.Stop(index);
    runtime_.scheduler.CancelEvents(timed_event::MOVIE_ENDED, index);
  }
}

void Pages::HideDelayDue(int index) {
  auto object = Object(index);
  if (!object || object->timedState() == kTimedHidden) return;
  object->SetTimedState(kTimedHidden);
  // A picture goes at once; anything else with the next paint.
  if (objectTypes_.For(*object).leavesAtOnce()) InvalidateObject(*object, true);
}

void Pages::SetObjectShown(int index, int mode) {
  auto object = Object(index);
  if (!object) return;
  const bool shown = object->timedState() != kTimedHidden;
  const auto show = [&]() {
    runtime_.shell.PaintNow();  // pending changes first, so show mode draws only this object on
    if (!runningStart_) showMode_ = true;
    ShowObject(index);
  };
  if (mode < 0) {
    shown ? HideObject(index) : show();
  } else if (mode == 0) {
    if (shown) HideObject(index);
  } else if (!shown) {
    show();
  }
  if (!runningStart_) showMode_ = false;
  runtime_.shell.pointers().UpdateObjectUnderPointer();
}

void Pages::SetTriggeredShown(const std::string& trigger, int mode) {
  if (trigger.rfind('~', 0) == 0) runtime_.toolbox.ActivateToolByName(trigger);
  std::vector<int> triggered;
  bool anyShown = false;
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (!object) break;  // the title ended meanwhile
    if (!object->Has(object_flag::TRIGGERED) || object->triggerName() != trigger) continue;
    triggered.push_back(static_cast<int>(i));
    anyShown |= object->timedState() != kTimedHidden;
  }
  const bool hide = mode == 0 || (mode < 0 && anyShown);
  if (hide) {
    for (int i : triggered) {
      if (auto object = Object(i); object && object->timedState() != kTimedHidden) HideObject(i);
    }
  } else {
    runtime_.shell.PaintNow();
    if (!runningStart_) showMode_ = true;
    for (int i : triggered) {
      if (auto object = Object(i); object && object->timedState() == kTimedHidden) ShowObject(i);
    }
    if (!runningStart_) showMode_ = false;
  }
  runtime_.shell.pointers().UpdateObjectUnderPointer();
}

void Pages::ClickArea(int index, bool hideOnly) {
  auto area = Object(index);
  if (!area || areaNesting_ >= kAreaNesting) return;  // areas hiding areas: a bound on loops
  ++areaNesting_;
  const std::string name = area->name();
  // A click on an area named after a tool ("~TCalc") uses the tool, as its trigger would.
  if (!hideOnly && name.rfind('~', 0) == 0) runtime_.toolbox.ActivateToolByName(name);
  std::vector<int> triggered;
  bool anyShown = false;
  for (size_t i = 0; i < objects_.size(); ++i) {
    auto object = Object(static_cast<int>(i));
    if (!object) break;  // the title ended meanwhile
    if (!object->Has(object_flag::TRIGGERED) || object->triggerName() != name) continue;
    triggered.push_back(static_cast<int>(i));
    anyShown |= object->timedState() != kTimedHidden;
  }
  const bool showing = !anyShown && !hideOnly;
  if (showing) showMode_ = true;
  for (int i : triggered) {
    auto object = Object(i);
    if (!object) break;  // the title ended meanwhile
    const ObjectTypeHandler& handler = objectTypes_.For(*object);
    if (showing) {
      if (object->timedState() != kTimedHidden) continue;
      if (object->IsScript()) {
        runtime_.script.RunScriptObject(i);
        continue;
      }
      object->SetTimedState(handler.painted() ? kTimedJustShown : kTimedShown);
      if (handler.plays()) {
        runtime_.scheduler.QueueEvent(timed_event::SHOW_TIMED, i, 0);
      } else if (object->hideDelay() != kNone) {
        runtime_.scheduler.QueueEvent(timed_event::HIDE_AFTER_DELAY, i, object->hideDelay());
      }
    } else {
      if (object->timedState() == kTimedHidden) continue;
      object->SetTimedState(kTimedHidden);
      // Its own triggered objects go too; none of them is shown by it going.
      if (handler.clickRole() == ClickRole::Area) ClickArea(i, true);
      if (handler.plays()) {
        handler.Stop(i);
        runtime_.scheduler.CancelEvents(timed_event::SHOW_TIMED, i);
      }
    }
    if (object->redrawKind() == kRedrawInvalidates) InvalidateObject(*object, !showing);
  }
  if (showing) {
    runtime_.shell.PaintNow();
    showMode_ = false;
  }
  --areaNesting_;
}

void Pages::RedrawBox(const Rect& box) {
  runtime_.shell.window().InvalidatePage(box, false);
  runtime_.shell.PaintNow();
}

void Pages::RedrawBoxFrom(const Rect& box, int index) {
  redrawFrom_ = static_cast<uint32_t>(index);
  RedrawBox(box);
  redrawFrom_ = kNone;
}

}  // namespace zd
