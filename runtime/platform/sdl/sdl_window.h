// The one SDL window of the SDL backend and what it shows: the last presented frame, scaled as
// the scaling mode says and placed below the menu bar, with Dear ImGui's overlay drawn over it.
// Also owns SDL's video subsystem and the ImGui context, which live as long as the window.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend_common.h"
#include "platform/types.h"
#include "platform/sdl/imgui_style.h"
#include "platform/sdl/window_layout.h"

namespace zd::platform::sdl {

class SdlWindow {
 public:
  // nullptr with `error` set when SDL video cannot start (no display, for instance).
  static std::unique_ptr<SdlWindow> Create(const std::optional<ScreenInfo>& simulatedScreen,
                                           std::string& error);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // The screen the runtime sees, in logical pixels (the simulated one when given).
  ScreenInfo Screen() const;

  // Shows the window in a style; `menuBar` reserves room for a menu bar above the client area.
  // A `resizable` captioned window opens at `windowWidth` x `windowHeight` (window coordinates,
  // kept within the desktop) when they are given. Returns true when the scale of dialogs and
  // pointers changed (pointer images must follow).
  bool Place(WindowStyle style, int clientWidth, int clientHeight, const std::string& captionUtf8,
             bool menuBar, bool resizable = false, int windowWidth = 0, int windowHeight = 0);
  // The scaling mode of every later placement. Returns true when it changed the client size
  // (a full screen, whose client area is the page itself unless the page is sharp).
  bool SetScaling(Scaling scaling);
  void Hide();
  bool shown() const { return shown_; }

  // The whole scale of dialogs, the menu bar and pointer images, in window pixels.
  int scale() const { return scale_; }
  int windowScale() const { return windowScale_; }
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  int menuBarHeight() const { return menuBarHeight_; }  // window pixels
  void WindowSize(int& width, int& height) const;    // window coordinates
  // Where the client area is now, in the renderer's output pixels.
  ClientPlacement Placement() const;
  // The mode the page is drawn in: the chosen one in full screen and in a resizable window,
  // sharp in the fixed windows (the splash, the File menu, dialogs alone).
  Scaling EffectiveScaling() const;

  void SetFrame(const Frame& frame);
  const PresentedFrame& frame() const { return frame_; }
  // Sends the kept frame to the renderer again (after the renderer lost its textures).
  void UploadFrame();

  // Draws the frame and an ImGui frame whose content `overlay` makes, and shows the result.
  // Ignored while a render is already running (a present made from inside the overlay).
  void Render(const std::function<void()>& overlay);

  const char* driverName() const;
  const char* rendererName() const { return rendererName_.c_str(); }
  SDL_Window* sdlWindow() const { return window_; }

 private:
  SdlWindow() = default;
  void DesktopSize(int& width, int& height) const;
  void UsableDesktopSize(int& width, int& height) const;
  double Density() const;  // output pixels a window pixel
  void FullScreenClient(int desktopWidth, int desktopHeight);
  void SetScale(int scale);
  void ApplyTextureScaling();
  void UploadOverlays();
  void DropOverlayTextures();

  std::optional<ScreenInfo> simulatedScreen_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0, textureHeight_ = 0;
  std::vector<SDL_Texture*> overlayTextures_;  // one for each kept overlay, in order
  bool imguiReady_ = false;
  std::string rendererName_;
  int windowScale_ = 1;
  int scale_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;
  int menuBarHeight_ = 0;
  WindowStyle style_ = WindowStyle::Popup;
  bool resizable_ = false;
  Scaling scaling_ = Scaling::Sharp;
  bool shown_ = false;
  bool rendering_ = false;
  PresentedFrame frame_;
  std::vector<uint32_t> rgba_;
  DialogFont dialogFont_;
};

}  // namespace zd::platform::sdl
