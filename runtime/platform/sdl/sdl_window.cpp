#include "platform/sdl/sdl_window.h"

#include <imgui.h>
#include <backends/imgui_impl_sdl.h>
#include <backends/imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace {

// A resizable window is never made smaller than this (window coordinates): a quarter of the
// page each way, where its pictures can still be told apart, and the same bound the settings
// file keeps for a remembered size.
constexpr int kMinimumWindowWidth = 160, kMinimumWindowHeight = 120;

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::Create(const std::optional<ScreenInfo>& simulatedScreen,
                                             std::string& error) {
  // Ctrl+C in a terminal ends the player as it ends any program, rather than arriving as a
  // quit request that would ask the learner whether to quit.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // whole-pixel blocks, no smoothing
  // The full-screen page stays up when another window takes the focus, as the original did.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return nullptr;
  }
  // Without a display SDL falls back to drivers that show nothing; a window nobody can see
  // would wait forever for answers, so those are taken only when asked for by name.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if ((driver == "offscreen" || driver == "dummy") && !std::getenv("SDL_VIDEODRIVER")) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    error = "no display to open a window on (run with --headless)";
    return nullptr;
  }
  // The screen saver must not start while a title plays. SDL keeps it off while its video
  // runs unless SDL_HINT_VIDEO_ALLOW_SCREENSAVER asks otherwise; say so explicitly.
  SDL_DisableScreenSaver();

  std::unique_ptr<SdlWindow> w(new SdlWindow);
  w->simulatedScreen_ = simulatedScreen;
  int desktopWidth = 0, desktopHeight = 0;
  w->DesktopSize(desktopWidth, desktopHeight);
  w->windowScale_ = WindowScale(desktopWidth, desktopHeight);

  w->window_ = SDL_CreateWindow("Zendral", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kPageWidth * w->windowScale_, kPageHeight * w->windowScale_,
                                SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!w->window_) {
    error = std::string("cannot open a window: ") + SDL_GetError();
    return nullptr;
  }
  SDL_SetWindowMinimumSize(w->window_, kMinimumWindowWidth, kMinimumWindowHeight);
  // A file dropped on the window opens it (as a title).
  SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
  SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);  // only files and folders are titles
  // A virtual display (or a machine without a GPU) has no accelerated renderer.
  w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_ACCELERATED);
  if (!w->renderer_) w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
  if (!w->renderer_) {
    error = std::string("cannot draw in the window: ") + SDL_GetError();
    return nullptr;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(w->renderer_, &info);
  w->rendererName_ = info.name ? info.name : "?";

  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing of the dialogs is remembered between runs
  io.LogFilename = nullptr;
  // The pointer over the page is the title's; the backend chooses it, not ImGui.
  io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
  ImGui_ImplSDL2_InitForSDLRenderer(w->window_);
  ImGui_ImplSDLRenderer_Init(w->renderer_);
  w->imguiReady_ = true;
  w->SetScale(w->windowScale_);
  return w;
}

SdlWindow::~SdlWindow() {
  if (imguiReady_) {
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  DropOverlayTextures();
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // SDL_Quit also closes what SDL opened for itself (its D-Bus connection); only once no other
  // part of the player still uses SDL.
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

const char* SdlWindow::driverName() const {
  const char* name = SDL_GetCurrentVideoDriver();
  return name ? name : "?";
}

void SdlWindow::DesktopSize(int& width, int& height) const {
  const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(display, &mode) != 0 || mode.w <= 0 || mode.h <= 0) {
    mode.w = kPageWidth;
    mode.h = kPageHeight;
  }
  width = mode.w;
  height = mode.h;
}

ScreenInfo SdlWindow::Screen() const {
  if (simulatedScreen_) return *simulatedScreen_;
  int width = 0, height = 0;
  DesktopSize(width, height);
  const int s = FullScreenScale(width, height);
  ScreenInfo screen;
  screen.width = width / s;
  screen.height = height / s;
  const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(display, &mode) == 0) {
    screen.bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  }
  screen.reservedColours = 0;
  return screen;
}

void SdlWindow::SetScale(int scale) {
  if (scale == scale_) return;
  scale_ = scale;
  ImGui_ImplSDLRenderer_DestroyFontsTexture();  // remade at the next frame from the new atlas
  ApplyClassicStyle(scale);
  if (dialogFont_.path.empty() && dialogFont_.data.empty()) ReadDialogFont(dialogFont_);
  LoadDialogFont(scale, dialogFont_);
  menuBarHeight_ = MenuBarHeight();
}

double SdlWindow::Density() const {
  int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  if (windowWidth <= 0 || SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0 ||
      outputWidth <= 0) {
    return 1.0;
  }
  return double(outputWidth) / double(windowWidth);
}

void SdlWindow::UsableDesktopSize(int& width, int& height) const {
  const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    width = usable.w;
    height = usable.h;
  } else {
    DesktopSize(width, height);
  }
}

Scaling SdlWindow::EffectiveScaling() const {
  return style_ == WindowStyle::FullScreen || resizable_ ? scaling_ : Scaling::Sharp;
}

// A full screen shows the page alone when it is smoothed or stretched to fill the screen; a
// sharp one gives the title the whole screen at the whole scale, the page centred on it.
void SdlWindow::FullScreenClient(int screenWidth, int screenHeight) {
  if (scaling_ != Scaling::Sharp) {
    clientWidth_ = kPageWidth;
    clientHeight_ = kPageHeight;
  } else if (simulatedScreen_) {
    clientWidth_ = simulatedScreen_->width;
    clientHeight_ = simulatedScreen_->height;
  } else {
    const int s = FullScreenScale(screenWidth, screenHeight);
    clientWidth_ = screenWidth / s;
    clientHeight_ = screenHeight / s;
  }
}

bool SdlWindow::SetScaling(Scaling scaling) {
  scaling_ = scaling;
  if (!shown_ || style_ != WindowStyle::FullScreen) return false;
  const int width = clientWidth_, height = clientHeight_;
  int desktopWidth = 0, desktopHeight = 0;
  DesktopSize(desktopWidth, desktopHeight);
  FullScreenClient(desktopWidth, desktopHeight);
  return width != clientWidth_ || height != clientHeight_;
}

bool SdlWindow::Place(WindowStyle style, int clientWidth, int clientHeight,
                      const std::string& captionUtf8, bool menuBar, bool resizable,
                      int windowWidth, int windowHeight) {
  const int before = scale_;
  style_ = style;
  resizable_ = resizable && style == WindowStyle::Captioned;
  int desktopWidth = 0, desktopHeight = 0;
  DesktopSize(desktopWidth, desktopHeight);
  SDL_SetWindowTitle(window_, captionUtf8.c_str());
  if (style == WindowStyle::FullScreen && !simulatedScreen_) {
    SetScale(FullScreenScale(desktopWidth, desktopHeight));
    FullScreenClient(desktopWidth, desktopHeight);
    menuBarHeight_ = 0;
    SDL_SetWindowResizable(window_, SDL_FALSE);
    // Covering the desktop first keeps the page whole where no window manager carries out the
    // full-screen request (a bare X server).
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowSize(window_, desktopWidth, desktopHeight);
    SDL_SetWindowPosition(window_, 0, 0);
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    int s = windowScale_;
    if (style == WindowStyle::FullScreen) {
      // A simulated screen is a borderless window of its size, standing in for the monitor.
      s = SimulatedScreenScale(desktopWidth, desktopHeight, simulatedScreen_->width,
                               simulatedScreen_->height);
    }
    if (clientWidth <= 0 || clientHeight <= 0) {
      clientWidth = kPageWidth;
      clientHeight = kPageHeight;
    }
    SetScale(s);
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    if (style == WindowStyle::FullScreen) FullScreenClient(desktopWidth, desktopHeight);
    menuBarHeight_ = menuBar && style == WindowStyle::Captioned ? MenuBarHeight() : 0;
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, style == WindowStyle::Captioned ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(window_, resizable_ ? SDL_TRUE : SDL_FALSE);
    const double density = Density();
    int width = 0, height = 0;
    if (style == WindowStyle::FullScreen) {
      width = simulatedScreen_->width * s;
      height = simulatedScreen_->height * s;
    } else if (resizable_ && windowWidth > 0 && windowHeight > 0) {
      // The size the user gave the window before, as long as the desktop still holds it.
      int usableWidth = 0, usableHeight = 0;
      UsableDesktopSize(usableWidth, usableHeight);
      width = std::clamp(windowWidth, kMinimumWindowWidth, std::max(kMinimumWindowWidth, usableWidth));
      height = std::clamp(windowHeight, kMinimumWindowHeight, std::max(kMinimumWindowHeight, usableHeight));
    } else if (density == 1.0) {
      width = clientWidth_ * s;
      height = clientHeight_ * s + menuBarHeight_;
    } else {
      DefaultWindowSize(int(desktopWidth * density), int(desktopHeight * density), clientWidth_,
                        clientHeight_, menuBarHeight_, density, width, height);
    }
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  if (!shown_) SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  shown_ = true;
  return scale_ != before;
}

void SdlWindow::Hide() {
  if (!shown_) return;
  SDL_SetWindowFullscreen(window_, 0);
  SDL_HideWindow(window_);
  shown_ = false;
}

void SdlWindow::WindowSize(int& width, int& height) const { SDL_GetWindowSize(window_, &width, &height); }

ClientPlacement SdlWindow::Placement() const {
  int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
  WindowSize(windowWidth, windowHeight);
  if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0 || outputWidth <= 0 ||
      outputHeight <= 0) {
    outputWidth = windowWidth;
    outputHeight = windowHeight;
  }
  const double density = windowWidth > 0 ? double(outputWidth) / double(windowWidth) : 1.0;
  const int menuBar = static_cast<int>(std::ceil(menuBarHeight_ * density));
  return PlaceClient(outputWidth, outputHeight, clientWidth_, clientHeight_, EffectiveScaling(),
                     menuBar, density);
}

void SdlWindow::SetFrame(const Frame& frame) {
  frame_.Store(frame);
  UploadFrame();
}

void SdlWindow::UploadFrame() {
  if (frame_.empty()) return;
  if (!texture_ || textureWidth_ != frame_.width() || textureHeight_ != frame_.height()) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING,
                                 frame_.width(), frame_.height());
    textureWidth_ = frame_.width();
    textureHeight_ = frame_.height();
    if (!texture_) return;
  }
  frame_.ToRgba(rgba_);
  SDL_UpdateTexture(texture_, nullptr, rgba_.data(), frame_.width() * 4);
  UploadOverlays();
}

void SdlWindow::DropOverlayTextures() {
  for (SDL_Texture* t : overlayTextures_) {
    if (t) SDL_DestroyTexture(t);
  }
  overlayTextures_.clear();
}

// Movie frames change every time; a texture of the right size is kept and filled again.
void SdlWindow::UploadOverlays() {
  const auto& overlays = frame_.overlays();
  for (size_t i = overlays.size(); i < overlayTextures_.size(); ++i) {
    if (overlayTextures_[i]) SDL_DestroyTexture(overlayTextures_[i]);
  }
  overlayTextures_.resize(overlays.size(), nullptr);
  for (size_t i = 0; i < overlays.size(); ++i) {
    const KeptOverlay& o = overlays[i];
    SDL_Texture*& t = overlayTextures_[i];
    int w = 0, h = 0;
    if (t && (SDL_QueryTexture(t, nullptr, nullptr, &w, &h) != 0 || w != o.width || h != o.height)) {
      SDL_DestroyTexture(t);
      t = nullptr;
    }
    if (!t) {
      t = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING, o.width,
                            o.height);
      if (!t) continue;
      SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    }
    SDL_UpdateTexture(t, nullptr, o.rgba.data(), o.width * 4);
  }
}

// Smooth scaling filters the page and the movie frames over it; the other modes show each
// pixel as a block.
void SdlWindow::ApplyTextureScaling() {
  const SDL_ScaleMode mode =
      EffectiveScaling() == Scaling::Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
  if (texture_) SDL_SetTextureScaleMode(texture_, mode);
  for (SDL_Texture* t : overlayTextures_) {
    if (t) SDL_SetTextureScaleMode(t, mode);
  }
}

void SdlWindow::Render(const std::function<void()>& overlay) {
  if (rendering_ || !shown_) return;
  rendering_ = true;
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  if (overlay) overlay();
  ImGui::Render();

  SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  // Placed in the renderer's output pixels, which may be denser than the window's (high DPI).
  const ClientPlacement p = Placement();
  ApplyTextureScaling();
  const SDL_Rect client{p.x, p.y, p.width, p.height};
  const Rgb bg = frame_.background();
  SDL_SetRenderDrawColor(renderer_, bg.r, bg.g, bg.b, 255);
  SDL_RenderFillRect(renderer_, &client);
  if (texture_ && !frame_.empty()) {
    const auto toOutput = [&](int x, int y, int w, int h) {
      const OutputRect r = ClientRectToOutput(p, x, y, w, h);
      return SDL_Rect{r.x, r.y, r.w, r.h};
    };
    // The picture may reach past the client area (a page on a screen smaller than it).
    SDL_RenderSetClipRect(renderer_, &client);
    const SDL_Rect picture = toOutput(frame_.originX(), frame_.originY(), frame_.width(), frame_.height());
    SDL_RenderCopy(renderer_, texture_, nullptr, &picture);
    // Overlays are cut to the page as well as to the client area.
    SDL_Rect pageInClient{};
    if (SDL_IntersectRect(&client, &picture, &pageInClient)) {
      SDL_RenderSetClipRect(renderer_, &pageInClient);
      const auto& overlays = frame_.overlays();
      for (size_t i = 0; i < overlays.size() && i < overlayTextures_.size(); ++i) {
        if (!overlayTextures_[i]) continue;
        const KeptOverlay& o = overlays[i];
        const SDL_Rect at = toOutput(frame_.originX() + o.x, frame_.originY() + o.y, o.w, o.h);
        SDL_RenderCopy(renderer_, overlayTextures_[i], nullptr, &at);
      }
    }
    SDL_RenderSetClipRect(renderer_, nullptr);
  }
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer_);
  rendering_ = false;
}

}  // namespace zd::platform::sdl
