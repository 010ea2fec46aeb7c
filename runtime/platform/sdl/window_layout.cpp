#include "platform/sdl/window_layout.h"

#include <algorithm>

namespace zd::platform::sdl {
namespace {

// Division that rounds towards minus infinity, so that the pixel just left of the client
// area maps to -1 and not to 0.
int FloorDiv(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int WindowScale(int desktopWidth, int desktopHeight) {
  // Nine tenths, in integers: floor(w * 0.9 / 640) == floor(w * 9 / 6400).
  const int byWidth = desktopWidth * 9 / (kPageWidth * 10);
  const int byHeight = desktopHeight * 9 / (kPageHeight * 10);
  return std::max(1, std::min(byWidth, byHeight));
}

int FullScreenScale(int screenWidth, int screenHeight) {
  return std::max(1, std::min(screenWidth / kPageWidth, screenHeight / kPageHeight));
}

int SimulatedScreenScale(int desktopWidth, int desktopHeight, int screenWidth, int screenHeight) {
  int scale = WindowScale(desktopWidth, desktopHeight);
  if (screenWidth > 0 && screenHeight > 0) {
    scale = std::min(scale, std::min(desktopWidth / screenWidth, desktopHeight / screenHeight));
  }
  return std::max(1, scale);
}

ClientPlacement PlaceClient(int windowWidth, int windowHeight, int clientWidth, int clientHeight,
                            int scale, int menuBarHeight) {
  ClientPlacement p;
  p.scale = std::max(1, scale);
  p.width = std::max(0, clientWidth) * p.scale;
  p.height = std::max(0, clientHeight) * p.scale;
  // A window smaller than asked for (a window manager's limit) keeps the client's top-left
  // corner in view rather than centring it out of sight.
  p.x = std::max(0, (windowWidth - p.width) / 2);
  p.y = menuBarHeight + std::max(0, (windowHeight - menuBarHeight - p.height) / 2);
  return p;
}

void WindowToClient(const ClientPlacement& placement, int windowX, int windowY, int& clientX,
                    int& clientY) {
  clientX = FloorDiv(windowX - placement.x, placement.scale);
  clientY = FloorDiv(windowY - placement.y, placement.scale);
}

void ClientToWindow(const ClientPlacement& placement, int clientX, int clientY, int& windowX,
                    int& windowY) {
  windowX = placement.x + clientX * placement.scale;
  windowY = placement.y + clientY * placement.scale;
}

}  // namespace zd::platform::sdl
