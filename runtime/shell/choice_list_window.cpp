#include "shell/choice_list_window.h"

#include <string>

#include "database/record_list.h"
#include "runtime.h"

namespace zd {

bool ChoiceListWindow::OpenIfDrawn() {
  Pages& pages = runtime_.pages;
  if (list_ || !runtime_.shell.titleRunning() || pages.closing()) return false;
  for (size_t i = 0; i < pages.objects().size(); ++i) {
    const auto object = pages.Object(static_cast<int>(i));
    if (!object) return false;  // the title ended meanwhile
    // Drawn: the paint found it visible (by its flag, or shown by a script or its timing).
    if (object->type() != object_type::CHOICE_LIST || !object->Has(object_flag::DRAWN)) continue;
    const auto box = object->pixelBox();
    if (!box || box->empty()) continue;
    Open(*box, !object->Has(object_flag::CHOICE_LIST_UNFILLED));
    return true;
  }
  return false;
}

void ChoiceListWindow::Open(const Rect& box, bool fill) {
  Close();
  list_.emplace(box);
  focus_.Give(this);
  const Trace& trace = runtime_.trace;
  trace.Line(TraceCategory::Tool, "tool list open");
  // Without a database the list opens empty, as it does when the page asks it to stay so.
  if (fill && runtime_.database.IsOpen()) {
    std::vector<ChoiceLine> lines =
        ListRecords(runtime_.database, runtime_.database.listField, runtime_.shell.reporter());
    if (!list_) return;  // closed by what the report led to
    list_->SetLines(std::move(lines));
    trace.Line(TraceCategory::Tool, "list fill " + std::to_string(list_->count()));
    TraceSelected();
  }
  Repaint();
}

void ChoiceListWindow::Close() {
  if (!list_) return;
  list_.reset();
  focus_.Forget(this);
  runtime_.trace.Line(TraceCategory::Tool, "tool list close");
  Repaint();
}

void ChoiceListWindow::KeyDown(int virtualKey, int) {
  if (!list_) return;
  switch (list_->KeyDown(virtualKey)) {
    case ChoiceList::Outcome::Moved:
      TraceSelected();
      Repaint();
      break;
    case ChoiceList::Outcome::Follow:
      TraceSelected();
      FollowSelected();
      break;
    default: break;
  }
}

void ChoiceListWindow::Character(uint8_t character) {
  if (!list_) return;
  if (list_->TypeCharacter(character) == ChoiceList::Outcome::Moved) {
    TraceSelected();
    Repaint();
  }
}

bool ChoiceListWindow::Press(int x, int y) {
  if (!list_ || !list_->box().Contains(x, y)) return false;
  focus_.Give(this);
  switch (list_->Press(x, y)) {
    case ChoiceList::Outcome::Follow:
      TraceSelected();
      FollowSelected();
      break;
    case ChoiceList::Outcome::Scrolled:
    default: Repaint(); break;  // the focus frame, at least
  }
  return true;
}

bool ChoiceListWindow::Wheel(int x, int y, int lines) {
  if (!list_ || !list_->box().Contains(x, y)) return false;
  constexpr int kLinesPerNotch = 3;
  if (list_->ScrollBy(-lines * kLinesPerNotch)) Repaint();
  return true;
}

void ChoiceListWindow::TraceSelected() const {
  if (!list_ || list_->selected() < 0) return;
  runtime_.trace.Line(TraceCategory::Tool,
                      "list select " + std::to_string(list_->selected()) + " " +
                          std::to_string(list_->line(list_->selected()).record));
}

void ChoiceListWindow::FollowSelected() {
  if (!list_ || list_->selected() < 0) return;
  const int32_t record = list_->line(list_->selected()).record;
  const bool changed = runtime_.database.currentRecord != record;
  runtime_.database.currentRecord = record;
  Repaint();
  // Showing the companion page leaves this one, and the list closes with it. Without a record
  // the page stays, and field displays beside the list show that nothing is picked.
  if (record != -1) {
    runtime_.pages.FlipCompanion();
  } else if (changed && runtime_.shell.window().exists()) {
    runtime_.shell.window().InvalidateAll(false);
  }
}

void ChoiceListWindow::Repaint() {
  // The page under the list is as it was: the window is presented again, nothing redrawn.
  if (runtime_.shell.window().exists()) runtime_.shell.queue().Invalidate();
}

void ChoiceListWindow::AddView(std::vector<platform::ListControlView>& views) const {
  if (!list_) return;
  const ChoiceList& list = *list_;
  platform::ListControlView view;
  const Rect& box = list.box();
  view.x = box.left;
  view.y = box.top;
  view.w = box.width();
  view.h = box.height();
  view.lineHeight = kChoiceLineHeight;
  view.topLine = list.top();
  view.selectedLine = list.selected();
  view.lineCount = list.count();
  view.focused = focus_.Has(this);
  if (list.hasScrollBar()) {
    view.scrollBarWidth = list.scrollBarWidth();
    list.Thumb(view.thumbTop, view.thumbHeight);
  }
  const int end = std::min(list.count(), list.top() + list.visibleLines());
  for (int line = list.top(); line < end; ++line) view.lines.push_back(list.line(line).text);
  views.push_back(std::move(view));
}

}  // namespace zd
