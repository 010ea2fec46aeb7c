// Where the runtime's client area sits in the window, and how big: the runtime works in logical
// pixels (a 640x480 page), the window shows them scaled as the chosen Scaling says. The
// placement is made in the renderer's output pixels, which are the screen's physical pixels
// and may be denser than the window's own coordinates (a high-density screen), so that a sharp
// page is a whole number of physical pixels a logical pixel. Plain arithmetic, so it can be
// checked without a display.
#pragma once

#include "platform/types.h"

namespace zd::platform::sdl {

constexpr int kPageWidth = 640, kPageHeight = 480;

// Scale of a window on a desktop: as large as fits in nine tenths of it, at least 1.
int WindowScale(int desktopWidth, int desktopHeight);
// Scale in full screen: as large as lets a whole page fit, at least 1.
int FullScreenScale(int screenWidth, int screenHeight);
// Scale of a simulated screen shown as a window: the window scale, made smaller when the
// screen would not fit on the desktop at it.
int SimulatedScreenScale(int desktopWidth, int desktopHeight, int screenWidth, int screenHeight);

// The client area in the renderer's output pixels: below the menu bar, centred in what remains
// (the black bands of a window or screen larger than the page).
struct ClientPlacement {
  int x = 0, y = 0;                        // output pixels
  int width = 0, height = 0;               // output pixels the whole client area covers
  int clientWidth = 1, clientHeight = 1;   // logical pixels
  double density = 1;                      // output pixels a window pixel
};

// `outputWidth` x `outputHeight`: the renderer's output; `menuBarHeight` in output pixels.
// Sharp: the largest whole number of output pixels a logical pixel that fits, at least 1 (a
// window smaller than the page keeps the page's top-left corner in view). Smooth and Stretch:
// as large as fits with the client's shape kept.
ClientPlacement PlaceClient(int outputWidth, int outputHeight, int clientWidth, int clientHeight,
                            Scaling scaling, int menuBarHeight, double density);

// The output pixel where logical column `clientX` (row `clientY`) starts; edges of neighbouring
// pixels meet, so a page drawn between its edges has no gaps.
int ClientEdgeX(const ClientPlacement& placement, int clientX);
int ClientEdgeY(const ClientPlacement& placement, int clientY);

// A rectangle of logical pixels in output pixels, from edge to edge.
struct OutputRect {
  int x = 0, y = 0, w = 0, h = 0;
};
OutputRect ClientRectToOutput(const ClientPlacement& placement, int x, int y, int w, int h);

// A window pixel (pointer coordinates) as a logical client pixel: the one under the window
// pixel's centre. Points left of or above the client area give negative coordinates.
void WindowToClient(const ClientPlacement& placement, int windowX, int windowY, int& clientX,
                    int& clientY);
// The top-left corner of a logical pixel in window coordinates (where ImGui draws).
void ClientToWindow(const ClientPlacement& placement, int clientX, int clientY, float& windowX,
                    float& windowY);
// Window pixels a logical pixel spans (ImGui's lines and frames over the page).
float ClientScaleInWindow(const ClientPlacement& placement);

// The size to open a window at, in window coordinates, when the user has chosen none: the
// client area at the window scale of a desktop of `desktopWidth` x `desktopHeight` physical
// pixels, below a menu bar of `menuBarHeight` window pixels; on a dense screen a little larger,
// so that a sharp page fills it.
void DefaultWindowSize(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                       int menuBarHeight, double density, int& width, int& height);

}  // namespace zd::platform::sdl
