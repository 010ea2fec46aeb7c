#include "shell/pointers.h"

#include "base/seam.h"
#include "platform/platform.h"
#include "resources/cursor_images.h"
#include "runtime.h"

namespace zd {
namespace {

struct PointerResource {
  const char* name;
  const char* resource;  // nullptr: the platform's standard arrow
};

// The table's order is part of the program: scripts see the names, and the build limit counts
// the entries.
constexpr PointerResource kPointerTable[] = {
    {"DEFAULT", nullptr},
    {"FWDARROW", "IDC_ARROWFORWARD"},
    {"UPARROW", "IDC_ARROWUP"},
    {"DOWNARROW", "IDC_ARROWDOWN"},
    {"", "IDC_TRANS2"},
    {"HAND", "IDC_HANDPOINT"},
    {"QUESTION", "IDC_QUESTION2"},
    {"LEFTARROW", "IDC_ARROWLEFT"},
    {"RIGHTARROW", "IDC_ARROWRIGHT"},
    {"NO", "IDC_NOWAY3"},
    {"CROSSHAIR", "IDC_CROSSHAIR"},
    {"GRABOPEN", "IDC_HANDGRABOPEN"},
    {"GRABCLOSE", "IDC_HANDGRABCLOSE"},
    {"ERASER", "IDC_ERASER"},
    {"THUMBUP", "IDC_HANDTHUMBUP"},
    {"THUMBDOWN", "IDC_HANDTHUMBDOWN"},
    {"ZOOMIN", "IDC_ZOOMIN"},
    {"ZOOMOUT", "IDC_ZOOMOUT"},
    {"ZOOMAREA", "IDC_ZOOMAREA"},
    {"MOVE", "IDC_MOVE"},
    {"CENTRE", "IDC_CENTRE"},
    {"POINT", "IDC_POINT"},
    {"POINTADD", "IDC_POINTADD"},
    {"POINTMINUS", "IDC_POINTMINUS"},
    {"GROUP", "IDC_GROUP"},
    {"GROUPADD", "IDC_GROUPADD"},
    {"GROUPMINUS", "IDC_GROUPMINUS"},
    {"MEASURE", "IDC_MEASURE"},
    {"ARROWQUEST", "IDC_ARROWQUESTION"},
    {"MOVE2", "IDC_MOVE2"},
    {"WALK", "IDC_WALK"},
    {"TILT", "IDC_TILT"},
};
static_assert(sizeof kPointerTable / sizeof kPointerTable[0] == MOUSE_MAX_NPOINTERS);

}  // namespace

void Pointers::BuildTable() {
  table_.clear();
  for (const auto& p : kPointerTable) RegisterPointer(p.name, p.resource, p.resource != nullptr);
  current_ = table_.empty() ? 0 : table_.front().cursor;
  currentName_ = "DEFAULT";
  runtime_.platform.SetCursor(current_);
}

void Pointers::RegisterPointer(const std::string& name, const char* resource, bool fromProgram) {
  if (table_.size() >= MOUSE_MAX_NPOINTERS) {
    platform::MessageBoxSpec box;
    box.caption = "Zendral";
    box.text = "BUILD ERROR: Please recompile with MOUSE_MAX_NPOINTERS increased.";
    box.icon = platform::MessageIcon::None;
    runtime_.platform.MessageBox(box);
    return;
  }
  Entry entry;
  entry.name = name.substr(0, kPointerNameLength);
  if (!fromProgram) {
    entry.cursor = runtime_.platform.LoadSystemCursor(platform::SystemCursor::Arrow);
  } else if (const platform::CursorImage* image = FindCursorImage(resource ? resource : "")) {
    entry.cursor = runtime_.platform.CreateCursor(*image);
  }
  if (entry.cursor == 0) runtime_.shell.reporter().ReportDiagnostic("mserr2", entry.name);
  table_.push_back(std::move(entry));
}

platform::CursorHandle Pointers::WaitCursor() {
  if (waitCursor_ == 0) waitCursor_ = runtime_.platform.LoadSystemCursor(platform::SystemCursor::Wait);
  return waitCursor_;
}

platform::CursorHandle Pointers::PushPointer(platform::CursorHandle cursor) {
  const platform::CursorHandle previous = current_;
  current_ = cursor;
  runtime_.platform.SetCursor(cursor);
  ++busy_;
  return previous;
}

void Pointers::PopPointer(platform::CursorHandle previous) {
  if (busy_ > 0) --busy_;
  if (busy_ == 0 && deferred_) {
    current_ = *deferred_;
    deferred_.reset();
  } else {
    current_ = previous;
  }
  runtime_.platform.SetCursor(current_);
}

void Pointers::SelectPointer(const std::string& name) {
  const Entry* found = nullptr;
  for (const Entry& e : table_) {
    if (e.name == name) {
      found = &e;
      break;
    }
  }
  if (!found) {
    runtime_.script.ReportScriptError("mserr1", name);
    return;
  }
  if (busy_ > 0) {
    if (found->cursor) deferred_ = found->cursor;
  } else if (found->cursor) {
    current_ = found->cursor;
    runtime_.platform.SetCursor(current_);
  }
  currentName_ = name;
}

void Pointers::TrackPointer(int x, int y) {
  runtime_.platform.SetCursor(current_);
  if (tracked_ && x == x_ && y == y_) return;
  tracked_ = true;
  x_ = x;
  y_ = y;
  runtime_.script.RunMouseMoveHandlers();
  UpdateObjectUnderPointer();
}

void Pointers::OverChildControl() {
  if (arrowCursor_ == 0) arrowCursor_ = runtime_.platform.LoadSystemCursor(platform::SystemCursor::Arrow);
  runtime_.platform.SetCursor(arrowCursor_);
}

void Pointers::UpdateObjectUnderPointer() {
  int under = -1;
  if (runtime_.shell.titleRunning()) under = runtime_.pages.ObjectAt(x_, y_);
  if (under == objectUnder_) return;
  const int left = objectUnder_;
  objectUnder_ = under;
  runtime_.script.RunEnterLeaveHandlers(left, under);
}

void Pointers::ReleaseCapture() { TraceSeam(runtime_.trace, "pointers.release-capture"); }

std::string Pointers::MouseOver() const {
  return objectUnder_ < 0 ? std::string() : runtime_.pages.ObjectName(objectUnder_);
}

}  // namespace zd
