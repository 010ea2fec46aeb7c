// The run's trace: one line per event on a stream (standard error for zd32), by category.
// End-to-end tests read it, so its line formats are documented in docs/automation.md.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zd {

enum class TraceCategory : uint32_t {
  Page = 1u << 0,        // page shown
  Message = 1u << 1,     // message boxes (keyed or not) and their answers
  Dialog = 1u << 2,      // other dialogs, popup menus, file dialogs
  Script = 1u << 3,      // each script line run
  Start = 1u << 4,       // processes and browsers started
  File = 1u << 5,        // files written
  Window = 1u << 6,      // window creation, menus and modes
  Cursor = 1u << 7,      // pointer shape changes
  Seam = 1u << 8,        // calls into parts of the player not built yet
  Event = 1u << 9,       // event-script progress (answers taken, screenshots)
  Run = 1u << 10,        // start-up and shutdown milestones
  Lifecycle = 1u << 11,  // each start-up and shutdown step, pauses around modal interface
  Media = 1u << 12,      // movies and sound clips opened, started, paused, stopped and ended
  Data = 1u << 13,       // databases opened, refused and closed; keyword conditions
  Tool = 1u << 14,       // tool windows and child controls opened and closed, their state
};

constexpr uint32_t TraceBit(TraceCategory c) { return static_cast<uint32_t>(c); }

class Trace {
 public:
  // What --trace shows: every category but the chatty ones (script lines, cursors, seams,
  // lifecycle steps).
  static constexpr uint32_t kDefault =
      TraceBit(TraceCategory::Page) | TraceBit(TraceCategory::Message) | TraceBit(TraceCategory::Dialog) |
      TraceBit(TraceCategory::Start) | TraceBit(TraceCategory::File) | TraceBit(TraceCategory::Window) |
      TraceBit(TraceCategory::Event) | TraceBit(TraceCategory::Run) | TraceBit(TraceCategory::Media) |
      TraceBit(TraceCategory::Data) | TraceBit(TraceCategory::Tool);
  static constexpr uint32_t kAll = (TraceBit(TraceCategory::Tool) << 1) - 1;

  Trace() = default;
  Trace(std::ostream* out, uint32_t mask) : out_(out), mask_(out ? mask : 0) {}

  bool Enabled(TraceCategory c) const { return (mask_ & static_cast<uint32_t>(c)) != 0; }

  // Writes one line. `text` is code page 1253 (the runtime's text); it is written as UTF-8,
  // with line breaks shown as \n so that every event stays on one line.
  void Line(TraceCategory c, std::string_view text) const;

  // Parses the value of --trace=LIST: comma-separated category names, "default" or "all".
  // Named categories are added to the default set. Returns nullopt for an unknown name.
  static std::optional<uint32_t> ParseCategories(std::string_view list);
  static const char* CategoryNames();  // for --help

 private:
  std::ostream* out_ = nullptr;
  uint32_t mask_ = 0;
};

// The Start line for a program started with `words` (UTF-8, the program first): "start" and
// each word, quoted when it holds blanks or is empty, in code page 1253 so that Trace::Line
// shows Greek paths as they are on disk.
std::string StartTraceLine(const std::vector<std::string>& words);

}  // namespace zd
