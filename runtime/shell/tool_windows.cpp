#include "shell/tool_windows.h"

#include <algorithm>

namespace zd {

// Placeholder until the tool window routing lands.
void ToolWindows::Open(ToolWindow& window) { open_.push_back(&window); }
void ToolWindows::Close(ToolWindow& window) {
  open_.erase(std::remove(open_.begin(), open_.end(), &window), open_.end());
  focus_.Forget(&window);
}
bool ToolWindows::IsOpen(const ToolWindow& window) const {
  return std::find(open_.begin(), open_.end(), &window) != open_.end();
}
bool ToolWindows::Contains(int, int) const { return false; }
bool ToolWindows::Press(int, int) { return false; }
bool ToolWindows::Release(int, int) { return false; }
bool ToolWindows::Drag(int, int) { return false; }
void ToolWindows::AddViews(std::vector<platform::ToolWindowView>&) const {}
void ToolWindows::Repaint() {}

}  // namespace zd
