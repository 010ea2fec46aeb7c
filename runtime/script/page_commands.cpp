// Commands that act on the current page: navigation (carried out by the next scheduler tick),
// page objects through the page engine, and starting programs.
#include "script/page_commands.h"

#include <optional>

#include "base/cp1253.h"
#include "base/text.h"
#include "runtime.h"
#include "script/script_engine.h"

namespace zd::script {

std::optional<FoundObject> FindPageObject(ScriptEngine& e, std::string_view name) {
  Pages& pages = e.runtime().pages;
  FoundObject found;
  if (!name.empty()) {
    for (size_t i = 0; i < pages.objects().size(); ++i) {
      auto object = pages.Object(static_cast<int>(i));
      if (!object) break;
      if (object->name() == name) {
        found.index = static_cast<int>(i);
        return found;
      }
      if (object->type() == object_type::HOTSPOT) ++found.hotspotOrdinal;
    }
  }
  e.ReportScriptDiagnostic("scerr31", std::string(name));
  return std::nullopt;
}

namespace {

// The object named by the command's first argument (a string variable or quoted text).
std::optional<FoundObject> FirstObject(ScriptEngine& e, CommandCall& call, ScriptText& name) {
  if (!e.StringFromWord(call.first, call.kind, name)) return std::nullopt;
  return FindPageObject(e, name.view());
}

std::optional<PageObject> ObjectAt(ScriptEngine& e, int index) {
  return e.runtime().pages.Object(index);
}

// The named object when it has the type the command works on; otherwise `wrongType` is
// reported with the name.
struct TypedObject {
  FoundObject found;
  PageObject object;
};
std::optional<TypedObject> ObjectOfType(ScriptEngine& e, CommandCall& call, ScriptText& name,
                                        uint32_t type, const char* wrongType) {
  const auto found = FirstObject(e, call, name);
  if (!found) return std::nullopt;
  auto object = ObjectAt(e, found->index);
  if (!object || object->type() != type) {
    e.ReportScriptDiagnostic(wrongType, name.str());
    return std::nullopt;
  }
  return TypedObject{*found, *object};
}

// The named object when it is timed or waits for a trigger (what maketimer and makeevent
// rearrange); otherwise "scerr11".
std::optional<TypedObject> TimedOrTriggeredObject(ScriptEngine& e, CommandCall& call,
                                                  ScriptText& name) {
  const auto found = FirstObject(e, call, name);
  if (!found) return std::nullopt;
  auto object = ObjectAt(e, found->index);
  if (!object || !(object->Has(object_flag::TRIGGERED) || object->Has(object_flag::TIMED))) {
    e.ReportScriptDiagnostic("scerr11", name.str());
    return std::nullopt;
  }
  return TypedObject{*found, *object};
}

void RedrawFrom(ScriptEngine& e, const TitleBox& box, int index) {
  e.runtime().pages.RedrawBoxFrom(PagePixels(box), index);
}

// Four numbers applied to a copy of a box: x and y above -2000 replace x0 and y0; width and
// height of -1999 or more set x1 and y1 from them, otherwise the old size stays.
bool AdjustBox(ScriptEngine& e, LineCursor& cursor, TitleBox& box) {
  Number x, y, w, h;
  if (!e.ReadNumberArgument(cursor, x) || !e.ReadNumberArgument(cursor, y) ||
      !e.ReadNumberArgument(cursor, w) || !e.ReadNumberArgument(cursor, h)) {
    return false;
  }
  const int64_t oldWidth = int64_t{box.x1} - box.x0, oldHeight = int64_t{box.y1} - box.y0;
  if (x.integer > -2000) box.x0 = x.integer;
  if (y.integer > -2000) box.y0 = y.integer;
  box.x1 = static_cast<int32_t>(box.x0 + (w.integer >= -1999 ? int64_t{w.integer} : oldWidth));
  box.y1 = static_cast<int32_t>(box.y0 + (h.integer >= -1999 ? int64_t{h.integer} : oldHeight));
  return true;
}

bool SameBox(const TitleBox& a, const TitleBox& b) {
  return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// --- Navigation ----------------------------------------------------------------------------

void ToOverview(ScriptEngine& e, CommandCall& call) {
  Runtime& r = e.runtime();
  const AuthorfileImage* image = r.titleFiles.imageOrNull();
  uint32_t section = kNone;
  if (call.kind == ArgumentKind::StringVariable || call.kind == ArgumentKind::StringConstant) {
    ScriptText name;
    if (!e.StringFromWord(call.first, call.kind, name)) return;
    const auto found = image ? image->FindSectionByPageName(name.view()) : std::nullopt;
    if (!found) {
      e.ReportScriptDiagnostic("scerr32", name.str());
      return;
    }
    section = *found;
  } else {
    int32_t n = 0;
    if (!e.IntegerFromWord(call.first, call.kind, n)) return;
    const uint32_t count = image ? image->SectionNameSearchCount() : 0;
    if (n < 0 || static_cast<uint32_t>(n) >= count) {
      e.ReportScriptDiagnostic("scerr9");
      return;
    }
    section = static_cast<uint32_t>(n);
  }
  r.pages.RequestSection(section);
}

constexpr size_t kMaxModuleName = 49, kMaxLinkedPageName = 13;

void ToFilePage(ScriptEngine& e, CommandCall& call) {
  ScriptText module, page;
  if (!e.StringFromWord(call.first, call.kind, module)) return;
  if (!e.ReadStringArgument(call.cursor, page)) return;
  // Names that would not fit the pending title's fields are refused rather than cut.
  if (module.size() > kMaxModuleName) {
    e.ReportScriptDiagnostic("scerr73", module.str());
    return;
  }
  if (page.size() > kMaxLinkedPageName) {
    e.ReportScriptDiagnostic("scerr73", page.str());
    return;
  }
  e.runtime().pages.RequestExternalTitle(module.str(), page.str());
}

void HotspotTrig(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  const auto hotspot = ObjectOfType(e, call, name, object_type::HOTSPOT, "scerr10");
  if (!hotspot) return;
  e.runtime().pages.RequestHotspot(hotspot->found.hotspotOrdinal + 1);
}

// --- Page objects --------------------------------------------------------------------------

void Write(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  auto label = ObjectOfType(e, call, name, object_type::TEXT, "scerr6");
  if (!label) return;
  ScriptText text;
  if (!e.FormatValue(call.cursor, text)) return;
  label->object.SetText(text.view());
  if (!e.DrawingDeferred()) {
    if (auto box = label->object.box()) RedrawFrom(e, *box, label->found.index);
  }
}

void EventTrig(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  if (!ObjectOfType(e, call, name, object_type::AREA, "scerr7")) return;
  int32_t mode = 0;
  if (!e.ReadIntegerArgument(call.cursor, mode)) return;
  e.runtime().pages.SetTriggeredShown(name.str(), mode);
}

void ShowHide(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  int32_t mode = 0;
  if (!e.ReadIntegerArgument(call.cursor, mode)) return;
  Pages& pages = e.runtime().pages;
  bool any = false;
  // Showing an object may run its script; the list is looked at afresh each time round.
  for (size_t i = 0; i < pages.objects().size(); ++i) {
    auto object = pages.Object(static_cast<int>(i));
    if (!object) break;
    if (object->name() != name.view()) continue;
    any = true;
    if (!object->Has(object_flag::TRIGGERED)) {
      e.ReportScriptDiagnostic("scerr8", name.str());
      return;
    }
    pages.SetObjectShown(static_cast<int>(i), mode);
  }
  if (!any) e.ReportScriptDiagnostic("scerr31", name.str());
}

int32_t PageTime(ScriptEngine& e) {
  const Scheduler& s = e.runtime().scheduler;
  return static_cast<int32_t>((s.PageClock() - s.pageStartTime()) / 10);
}

void MakeTimer(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  auto timed = TimedOrTriggeredObject(e, call, name);
  if (!timed) return;
  const auto found = &timed->found;
  auto object = &timed->object;
  Number start, duration;
  if (!e.ReadNumberArgument(call.cursor, start) || !e.ReadNumberArgument(call.cursor, duration)) {
    return;
  }
  int64_t remaining = int64_t{start.integer} - PageTime(e);
  int64_t hide = duration.integer;
  if (remaining < 1) {
    if (hide != -1) {
      hide += start.integer;
      if (hide < 0) hide = 0;
    }
    remaining = 1;
  }
  const int index = found->index;
  Scheduler& scheduler = e.runtime().scheduler;
  object->SetHideDelay(static_cast<uint32_t>(hide));
  object->SetShowDelay(static_cast<uint32_t>(start.integer));
  if (object->Has(object_flag::TIMED)) {
    scheduler.CancelEvents(timed_event::SHOW_TIMED, index);
    scheduler.CancelEvents(timed_event::HIDE_TIMED, index);
  }
  if (object->Has(object_flag::TRIGGERED)) {
    scheduler.CancelEvents(timed_event::HIDE_AFTER_DELAY, index);
    object->SetFlag(object_flag::TIMED, true);
    object->SetFlag(object_flag::TRIGGERED, false);
    if (object->timedState() == kTimedHidden) {
      object->SetTimedState(kTimedShown);
      object->SetFlag(object_flag::VISIBLE, false);
    } else {
      object->SetFlag(object_flag::VISIBLE, true);
    }
  }
  const uint32_t delay = remaining > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<uint32_t>(remaining);
  if (object->Has(object_flag::VISIBLE)) scheduler.QueueEvent(timed_event::HIDE_TIMED, index, 0);
  scheduler.QueueEvent(timed_event::SHOW_TIMED, index, delay);
}

constexpr size_t kMaxTriggerName = 8;

void MakeEvent(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  auto timed = TimedOrTriggeredObject(e, call, name);
  if (!timed) return;
  const auto found = &timed->found;
  auto object = &timed->object;
  int32_t mode = 0;
  if (!e.ReadIntegerArgument(call.cursor, mode)) return;
  ScriptText trigger;
  if (!e.ReadStringArgument(call.cursor, trigger)) return;
  if (trigger.size() > kMaxTriggerName) {
    e.ReportScriptDiagnostic("scerr12", trigger.str());
    return;
  }
  Number duration;
  if (!e.ReadNumberArgument(call.cursor, duration)) return;
  const int index = found->index;
  Scheduler& scheduler = e.runtime().scheduler;
  if (object->Has(object_flag::TIMED)) {
    scheduler.CancelEvents(timed_event::SHOW_TIMED, index);
    scheduler.CancelEvents(timed_event::HIDE_TIMED, index);
    object->SetFlag(object_flag::TIMED, false);
    object->SetFlag(object_flag::TRIGGERED, true);
    if (!object->Has(object_flag::VISIBLE)) {
      object->SetFlag(object_flag::VISIBLE, true);
      object->SetTimedState(kTimedHidden);
    }
  } else {
    scheduler.CancelEvents(timed_event::HIDE_AFTER_DELAY, index);
  }
  object->SetHideDelay(static_cast<uint32_t>(duration.integer));
  object->SetTriggerName(trigger.view());
  e.runtime().pages.SetObjectShown(index, mode);
}

void ObjFlags(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  const auto found = FirstObject(e, call, name);
  if (!found) return;
  int32_t value = 0;
  if (!e.ReadIntegerArgument(call.cursor, value)) return;
  auto object = ObjectAt(e, found->index);
  if (!object) return;
  if (object->Has(object_flag::TRIGGERED)) {
    const bool hidden = object->timedState() == kTimedHidden;
    if (value == -1) object->SetTimedState(hidden ? kTimedJustShown : kTimedHidden);
    else if (value == 0 && !hidden) object->SetTimedState(kTimedHidden);
    else if (value == 1 && hidden) object->SetTimedState(kTimedJustShown);
    return;
  }
  const bool on = object->Has(object_flag::DRAWN) && !object->Has(object_flag::CLOSED);
  if (value == 1 && !on) {
    object->SetFlag(object_flag::DRAWN, true);
    object->SetFlag(object_flag::CLOSED, false);
  } else if ((value == 0 || value == -1) && on) {
    object->SetFlags(object->flags() | object_flag::DRAWN | object_flag::CLOSED);
  }
}

void InvalidateStrip(Runtime& r, int left, int top, int right, int bottom) {
  const Rect strip{left, top, right, bottom};
  if (!strip.empty()) r.shell.window().InvalidatePage(strip, false);
}

void ObjAdj(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  const auto found = FirstObject(e, call, name);
  if (!found) return;
  auto object = ObjectAt(e, found->index);
  if (!object) return;
  const auto old = object->box();
  if (!old) return;  // an object without a box has nothing to move
  TitleBox box = *old;
  if (!AdjustBox(e, call.cursor, box)) return;
  if (SameBox(box, *old)) return;
  object->SetBox(box);
  if (object->WaitingForTrigger() || e.DrawingDeferred()) return;
  RedrawFrom(e, box, found->index);
  Runtime& r = e.runtime();
  const Rect o = PagePixels(*old), n = PagePixels(box);
  InvalidateStrip(r, o.left, o.top, std::min(n.left, o.right), o.bottom);
  InvalidateStrip(r, std::max(n.right, o.left), o.top, o.right, o.bottom);
  InvalidateStrip(r, o.left, o.top, o.right, std::min(n.top, o.bottom));
  InvalidateStrip(r, o.left, std::max(n.bottom, o.top), o.right, o.bottom);
  r.shell.PaintNow();
}

void Render(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  const auto found = FirstObject(e, call, name);
  if (!found) return;
  auto object = ObjectAt(e, found->index);
  if (!object) return;
  const auto old = object->box();
  if (!old) return;
  TitleBox box = *old;
  if (!AdjustBox(e, call.cursor, box)) return;
  RedrawFrom(e, box, found->index);
}

void Redraw(ScriptEngine& e, CommandCall& call) {
  TitleBox box{0, 0, 638, 478};
  if (!(call.kind == ArgumentKind::StringConstant && call.first.view() == "\"\"")) {
    ScriptText name;
    const auto found = FirstObject(e, call, name);
    if (!found) return;
    auto object = ObjectAt(e, found->index);
    if (!object || !object->box()) return;
    box = *object->box();
  }
  if (!AdjustBox(e, call.cursor, box)) return;
  e.runtime().pages.RedrawBox(PagePixels(box));
}

void SetAttrib(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  const auto found = FirstObject(e, call, name);
  if (!found) return;
  auto object = ObjectAt(e, found->index);
  const uint32_t type = object ? object->type() : kNone;
  if (type != object_type::RECTANGLE && type != object_type::TEXT &&
      type != object_type::STYLED_TEXT) {
    e.ReportScriptDiagnostic("scerr55", name.str());
    return;
  }
  ScriptText which;
  if (!e.ReadStringArgument(call.cursor, which)) return;
  int32_t rgb[3] = {0, 0, 0};
  for (int32_t& c : rgb) {
    if (!e.ReadIntegerArgument(call.cursor, c)) return;
    if (c < 0 || c > 255) {
      e.ReportScriptDiagnostic("scerr54");
      return;
    }
  }
  const uint32_t colour = (static_cast<uint32_t>(rgb[2]) << 24) |
                          (static_cast<uint32_t>(rgb[1]) << 16) |
                          (static_cast<uint32_t>(rgb[0]) << 8);
  if (type == object_type::RECTANGLE) object->SetColour(colour);
  else if (which == "fg") object->SetTextColour(colour);
  else object->SetTextBackground(colour);
  if (!e.runtime().pages.scriptRunning()) {
    if (auto box = object->box()) RedrawFrom(e, *box, found->index);
  }
}

// --- Programs ------------------------------------------------------------------------------

void RunExe(ScriptEngine& e, CommandCall& call) {
  ScriptText text;
  if (!e.StringFromWord(call.first, call.kind, text)) return;
  e.programs().Run(e, text.view());
}

}  // namespace

const PageCommands kPageCommands = {
    RunExe,  Write,     EventTrig, ShowHide, ToOverview, ToFilePage, HotspotTrig,
    MakeTimer, MakeEvent, ObjAdj,  ObjFlags, Render,     Redraw,     SetAttrib,
};

}  // namespace zd::script
