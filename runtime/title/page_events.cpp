// A page's event table: the events that lead from the page to the children of its section.
#include <bit>

#include "runtime.h"
#include "title/pages.h"

namespace zd {
namespace {

namespace event_record {
constexpr size_t kKind = 0, kLength = 4, kActivity = 8, kOptions = 20, kMinimumLength = 12;
constexpr size_t kTableHeader = 12;
}  // namespace event_record

namespace key_option {
constexpr uint32_t SPACE = 1, RETURN = 2, ANY_KEY = 4;
}

namespace activity {
constexpr uint32_t RUNNING = 1, FINISHED = 2;
}

}  // namespace

const char* EventKindName(uint32_t kind) {
  static constexpr const char* kNames[] = {"KEYPRESS", "HOTSPOT", "TIMEOUT", "INSTANT",
                                           "ESCAPE",   "FINISH",  "SPECIAL"};
  return kind < 7 ? kNames[kind] : "KEYWORD";
}

uint32_t Pages::CountObjects(uint32_t type) {
  uint32_t count = 0;
  for (size_t i = 0; i < objects_.size(); ++i) {
    const auto object = Object(static_cast<int>(i));
    if (!object) break;
    count += object->type() == type;
  }
  return count;
}

std::optional<Pages::EventRecord> Pages::FindEventRecord(uint32_t kind, bool reportUnknown) {
  if (!current_ || !runtime_.titleFiles.loaded()) return std::nullopt;
  AuthorfileImage& image = runtime_.titleFiles.image();
  const uint32_t tableOffset = image.U32Or(current_->offset + page_record::kEventTable, 0);
  if (tableOffset == 0 || tableOffset >= current_->length) return std::nullopt;
  // Records are walked inside the page record; a record that would leave it ends the table.
  const size_t table = current_->offset + tableOffset;
  const size_t pageEnd = current_->offset + current_->length;
  const uint32_t count = image.U32Or(table, 0);
  size_t at = table + event_record::kTableHeader;
  uint32_t targets = 0;
  for (uint32_t n = 0; n < count; ++n) {
    const auto recordKind = image.U32(at + event_record::kKind);
    const auto length = image.U32(at + event_record::kLength);
    if (!recordKind || !length || *length < event_record::kMinimumLength ||
        at + *length > pageEnd) {
      break;
    }
    if (*recordKind > event_kind::KEYWORD) {
      if (reportUnknown) {
        runtime_.shell.reporter().ReportDiagnostic("crierr6", std::to_string(*recordKind));
        runtime_.shell.QuitTitle(3);
      }
      return std::nullopt;
    }
    if (*recordKind == kind) return EventRecord{at, *length, targets};
    switch (*recordKind) {
      case event_kind::KEYPRESS: {
        const uint32_t options = *length >= event_record::kOptions + 2
                                     ? image.U16(at + event_record::kOptions).value_or(0)
                                     : 0;
        targets += std::popcount(options & 7u);
        break;
      }
      case event_kind::HOTSPOT: targets += CountObjects(object_type::HOTSPOT); break;
      case event_kind::KEYWORD: targets += CountObjects(object_type::KEYWORD_HOTSPOT); break;
      default: targets += 1; break;
    }
    at += *length;
  }
  return std::nullopt;
}

bool Pages::HasEventRecord(uint32_t kind) { return FindEventRecord(kind, true).has_value(); }

uint32_t Pages::FireEvent(uint32_t kind, uint32_t argument) {
  // The page's record of this kind.
  const auto record = FindEventRecord(kind, true);
  if (!record) return kNone;
  AuthorfileImage& image = runtime_.titleFiles.image();
  const auto field16 = [&](size_t offset) {
    return record->length >= offset + 2 ? image.U16(record->offset + offset).value_or(0) : 0u;
  };
  const auto field32 = [&](size_t offset) {
    return record->length >= offset + 4 ? image.U32Or(record->offset + offset, 0) : 0u;
  };
  // Whether the record is active while the page runs, once it has finished, or always.
  const uint32_t active = field16(event_record::kActivity);
  bool isActive;
  switch (kind) {
    case event_kind::KEYPRESS:
    case event_kind::FINISH: isActive = true; break;
    case event_kind::HOTSPOT:
    case event_kind::ESCAPE:
      isActive = ((active & activity::RUNNING) && !finished_) ||
                 ((active & activity::FINISHED) && finished_);
      break;
    default: isActive = (active & activity::FINISHED) && finished_; break;
  }
  if (!isActive) return kNone;
  const uint32_t base = record->baseTarget;
  const uint32_t delay = field32(event_record::kOptions);

  // On the companion page events lead back to the section's first page.
  if (companionOffset_ != 0) {
    if (kind == event_kind::TIMEOUT && argument == 0) {
      runtime_.scheduler.QueueEvent(timed_event::TIMEOUT_FOR_REAL, -1, delay);
    } else {
      FlipCompanion();
    }
    return kNone;
  }

  // Where the event leads.
  const auto go = [&](uint32_t target) { return GotoTarget(target, kind) ? base : kNone; };
  switch (kind) {
    case event_kind::KEYPRESS: {
      const uint32_t options = field16(event_record::kOptions);
      const bool space = options & key_option::SPACE, ret = options & key_option::RETURN,
                 any = options & key_option::ANY_KEY;
      const uint32_t anyTarget = base + (space ? 1 : 0) + (ret ? 1 : 0);
      ScriptEngine& script = runtime_.script;
      if (argument == 0) {
        if (space) {
          script.SetExitCondition("space");
          return go(base);
        }
        if (any) return go(anyTarget);
      } else if (argument == 1) {
        if (ret) {
          script.SetExitCondition("return");
          return go(base + (space ? 1 : 0));
        }
        if (any) return go(anyTarget);
      } else {
        if (any) {
          script.SetExitCondition("anykey");
          return go(anyTarget);
        }
        script.SetExitCondition("");
      }
      return base;
    }
    case event_kind::HOTSPOT:
    case event_kind::KEYWORD:
      return base;
    case event_kind::TIMEOUT:
      if (argument == 0) {
        runtime_.scheduler.QueueEvent(timed_event::TIMEOUT_FOR_REAL, -1, delay);
        return base;
      }
      return go(base);
    case event_kind::FINISH:
      runtime_.shell.QuitTitle(4);
      return base;
    default:  // INSTANT, ESCAPE, SPECIAL
      return go(base);
  }
}

}  // namespace zd
