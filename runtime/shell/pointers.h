// Mouse pointers: the table of named shapes a title chooses from, the busy pointer during
// loading, and tracking of the pointer and of the page object under it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/cursor_image.h"

namespace zd {

class Runtime;

constexpr int MOUSE_MAX_NPOINTERS = 32;
constexpr size_t kPointerNameLength = 11;

class Pointers {
 public:
  explicit Pointers(Runtime& runtime) : runtime_(runtime) {}

  // Fills the table with the program's 32 shapes, in their fixed order (window creation).
  void BuildTable();
  // Appends an entry: `resource` names a cursor image of the program, or (fromProgram false)
  // the platform's standard arrow.
  void RegisterPointer(const std::string& name, const char* resource, bool fromProgram);

  // The busy pointer: Push shows `cursor` and returns the cursor it replaced; Pop restores it,
  // or, when a shape was chosen by name meanwhile, shows that one once the last level ends.
  platform::CursorHandle PushPointer(platform::CursorHandle cursor);
  void PopPointer(platform::CursorHandle previous);
  platform::CursorHandle WaitCursor();

  // A script chose a shape by name (exact, case-sensitive).
  void SelectPointer(const std::string& name);

  // The pointer moved to (x, y) in page pixels.
  void TrackPointer(int x, int y);
  // The pointer is over a child control (the choice list): the platform's arrow, whatever the
  // page chose; the page's objects do not hear of it.
  void OverChildControl();
  // The pointer's capture (held while a button is down over a movie) ends with the window.
  void ReleaseCapture();
  // Finds the object under the pointer again (after page changes, shows and hides).
  void UpdateObjectUnderPointer();

  // Title units: across from the left, upward from the bottom of the page.
  int MouseX() const { return x_ * 2; }
  int MouseY() const { return (480 - y_) * 2; }
  std::string MouseOver() const;
  const std::string& PointerName() const { return currentName_; }
  int tableSize() const { return static_cast<int>(table_.size()); }
  platform::CursorHandle current() const { return current_; }

 private:
  struct Entry {
    std::string name;
    platform::CursorHandle cursor = 0;  // 0: did not load
  };

  Runtime& runtime_;
  std::vector<Entry> table_;
  platform::CursorHandle current_ = 0;
  std::string currentName_ = "DEFAULT";
  int busy_ = 0;
  std::optional<platform::CursorHandle> deferred_;
  platform::CursorHandle waitCursor_ = 0;
  platform::CursorHandle arrowCursor_ = 0;
  int x_ = 0, y_ = 0;
  bool tracked_ = false;
  int objectUnder_ = -1;
};

}  // namespace zd
