#include "platform/sdl/window_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zd::platform::sdl {
namespace {

// Division that rounds towards minus infinity, so that the pixel just left of the client
// area maps to -1 and not to 0.
int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

double Density(const ClientPlacement& p) { return p.density > 0 ? p.density : 1.0; }

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

ClientPlacement PlaceClient(int outputWidth, int outputHeight, int clientWidth, int clientHeight,
                            Scaling scaling, int menuBarHeight, double density) {
  ClientPlacement p;
  p.clientWidth = std::max(1, clientWidth);
  p.clientHeight = std::max(1, clientHeight);
  p.density = density > 0 ? density : 1.0;
  menuBarHeight = std::max(0, menuBarHeight);
  const int64_t availableWidth = std::max(0, outputWidth);
  const int64_t availableHeight = std::max(0, outputHeight - menuBarHeight);
  if (scaling == Scaling::Sharp) {
    const int64_t scale = std::max<int64_t>(
        1, std::min(availableWidth / p.clientWidth, availableHeight / p.clientHeight));
    p.width = static_cast<int>(p.clientWidth * scale);
    p.height = static_cast<int>(p.clientHeight * scale);
  } else if (availableWidth * p.clientHeight <= availableHeight * p.clientWidth) {
    // Width is the narrower fit: the full width, the height that keeps the shape.
    p.width = static_cast<int>(availableWidth);
    p.height = static_cast<int>(availableWidth * p.clientHeight / p.clientWidth);
  } else {
    p.height = static_cast<int>(availableHeight);
    p.width = static_cast<int>(availableHeight * p.clientWidth / p.clientHeight);
  }
  p.width = std::max(1, p.width);
  p.height = std::max(1, p.height);
  // A window smaller than the page keeps the client's top-left corner in view rather than
  // centring it out of sight.
  p.x = static_cast<int>(std::max<int64_t>(0, (availableWidth - p.width) / 2));
  p.y = menuBarHeight + static_cast<int>(std::max<int64_t>(0, (availableHeight - p.height) / 2));
  return p;
}

int ClientEdgeX(const ClientPlacement& p, int clientX) {
  return p.x + static_cast<int>(FloorDiv(int64_t(clientX) * p.width, p.clientWidth));
}

int ClientEdgeY(const ClientPlacement& p, int clientY) {
  return p.y + static_cast<int>(FloorDiv(int64_t(clientY) * p.height, p.clientHeight));
}

OutputRect ClientRectToOutput(const ClientPlacement& p, int x, int y, int w, int h) {
  OutputRect r;
  r.x = ClientEdgeX(p, x);
  r.y = ClientEdgeY(p, y);
  r.w = ClientEdgeX(p, x + w) - r.x;
  r.h = ClientEdgeY(p, y + h) - r.y;
  return r;
}

void WindowToClient(const ClientPlacement& p, int windowX, int windowY, int& clientX,
                    int& clientY) {
  // The output pixel under the point, then the client pixel drawn over it: column c covers the
  // output pixels from ClientEdgeX(c) up to ClientEdgeX(c + 1), edges rounded down, so the
  // pointer lands on the pixel the eye sees there in every scaling.
  const double d = Density(p);
  const int64_t outputX = static_cast<int64_t>(std::floor((windowX + 0.5) * d)) - p.x;
  const int64_t outputY = static_cast<int64_t>(std::floor((windowY + 0.5) * d)) - p.y;
  clientX = static_cast<int>(FloorDiv((outputX + 1) * p.clientWidth - 1, std::max(1, p.width)));
  clientY = static_cast<int>(FloorDiv((outputY + 1) * p.clientHeight - 1, std::max(1, p.height)));
}

void ClientToWindow(const ClientPlacement& p, int clientX, int clientY, float& windowX,
                    float& windowY) {
  const double d = Density(p);
  windowX = static_cast<float>((p.x + double(clientX) * p.width / p.clientWidth) / d);
  windowY = static_cast<float>((p.y + double(clientY) * p.height / p.clientHeight) / d);
}

float ClientScaleInWindow(const ClientPlacement& p) {
  return static_cast<float>(double(p.width) / p.clientWidth / Density(p));
}

void DefaultWindowSize(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                       int menuBarHeight, double density, int& width, int& height) {
  const double d = density > 0 ? density : 1.0;
  const int scale = WindowScale(desktopWidth, desktopHeight);
  const int menuBarOutput = static_cast<int>(std::ceil(menuBarHeight * d));
  width = static_cast<int>(std::ceil(clientWidth * scale / d));
  height = static_cast<int>(std::ceil((clientHeight * scale + menuBarOutput) / d));
}

}  // namespace zd::platform::sdl
