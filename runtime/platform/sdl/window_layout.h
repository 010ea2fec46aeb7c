// Integer scaling of the window: the runtime works in logical pixels (a 640x480 page), and the
// window shows each logical pixel as a square block of screen pixels. Plain arithmetic, so it
// can be checked without a display.
#pragma once

namespace zd::platform::sdl {

constexpr int kPageWidth = 640, kPageHeight = 480;

// Scale of a window on a desktop: as large as fits in nine tenths of it, at least 1.
int WindowScale(int desktopWidth, int desktopHeight);
// Scale in full screen: as large as lets a whole page fit, at least 1.
int FullScreenScale(int screenWidth, int screenHeight);
// Scale of a simulated screen shown as a window: the window scale, made smaller when the
// screen would not fit on the desktop at it.
int SimulatedScreenScale(int desktopWidth, int desktopHeight, int screenWidth, int screenHeight);

// Where the client area sits in the window, in window pixels: below the menu bar, centred in
// what remains (the black border of a full screen whose size is no multiple of the scale).
struct ClientPlacement {
  int x = 0, y = 0;
  int width = 0, height = 0;  // window pixels: logical size times the scale
  int scale = 1;
};

ClientPlacement PlaceClient(int windowWidth, int windowHeight, int clientWidth, int clientHeight,
                            int scale, int menuBarHeight);

// A window pixel as a logical client pixel; points left of or above the client area give
// negative coordinates.
void WindowToClient(const ClientPlacement& placement, int windowX, int windowY, int& clientX,
                    int& clientY);
void ClientToWindow(const ClientPlacement& placement, int clientX, int clientY, int& windowX,
                    int& windowY);

}  // namespace zd::platform::sdl
