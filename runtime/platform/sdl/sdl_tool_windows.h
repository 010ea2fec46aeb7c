// Tool windows (calculator, notepad, the printing progress box) drawn with Dear ImGui over the
// page and its child lists, on ImGui's background draw list: under menus and dialogs, and
// taking no input, since the runtime hit-tests them itself from the page's mouse events.
#pragma once

#include <vector>

#include "platform/sdl/window_layout.h"
#include "platform/types.h"

namespace zd::platform::sdl {

// `originX`, `originY`: page pixel (0,0) in client pixels. Bottom first, the last on top.
void DrawToolWindows(const std::vector<ToolWindowView>& tools, int originX, int originY,
                     const ClientPlacement& client);

}  // namespace zd::platform::sdl
