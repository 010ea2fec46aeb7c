// The window's child list boxes drawn with Dear ImGui over the page, on its background draw
// list: under every ImGui window, and taking no input (keys and clicks go to the runtime, which
// owns the list, so a windowed run behaves as a headless one).
#pragma once

#include <vector>

#include "platform/sdl/window_layout.h"
#include "platform/types.h"

namespace zd::platform::sdl {

// `originX`, `originY`: page pixel (0,0) in client pixels.
void DrawListControls(const std::vector<ListControlView>& lists, int originX, int originY,
                      const ClientPlacement& client);

}  // namespace zd::platform::sdl
