// The SDL backend's Platform, shared by its source files: sdl_platform.cpp (window, frames,
// clock, cursors, the event script in the window), sdl_events.cpp (SDL's events as the
// runtime's) and sdl_modal.cpp (the nested loops of dialogs and menus).
#pragma once

#include <SDL.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/list_control_painter.h"
#include "platform/platform.h"
#include "platform/sdl/modal_view.h"
#include "platform/sdl/sdl_cursors.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"

namespace zd::platform::sdl {

// While a menu or a dialog is up, frames keep coming at this pace so that ImGui can show
// hovering and the frames a new window needs to size itself.
constexpr uint32_t kFrameMs = 30;

// Tick counts wrap after 49 days; compare them by their difference.

class SdlPlatform final : public Platform {
 public:
  SdlPlatform(const SdlOptions& options, const Trace& trace, EventScriptDriver* driver,
              std::unique_ptr<SdlWindow> window);
  ~SdlPlatform() override;

  const char* Name() const override { return "sdl"; }
  void SetHost(Host* host) override { host_ = host; }
  uint32_t TickCount() override;
  LocalTime Now() override;
  ScreenInfo Screen() override;
  bool OpenWindow(const WindowSpec& request) override;
  void SetWindow(const WindowSpec& request) override;
  void CloseWindow() override;
  void ClientSize(int& width, int& height) override;
  void Present(const Frame& frame) override;
  std::optional<RgbImage> WindowPicture() override;
  int DoubleClickTime() override { return 500; }
  bool PollEvent(Event& event) override;
  void DiscardPendingClicks() override;
  bool WaitEvent(Event& event, std::optional<uint32_t> deadline) override;
  CursorHandle CreateCursor(const CursorImage& image) override;
  CursorHandle LoadSystemCursor(SystemCursor which) override;
  void SetCursor(CursorHandle cursor) override;
  int MessageBox(const MessageBoxSpec& request) override;
  int ButtonDialog(const ButtonDialogSpec& request) override;
  int PopupMenu(const PopupMenuSpec& request) override;
  std::optional<std::string> FileDialog(const FileDialogSpec& request) override;
  AudioOutput& Audio() override { return *audio_; }
  MediaLibrary& Media() override { return *media_; }
  MainLoopTasks& Tasks() override { return tasks_; }
  SaveStore& Saves() override { return saves_; }

 private:
  using Accept = std::function<bool(const DriverStep& step, int& result)>;

  // sdl_platform.cpp
  void Place(const WindowSpec& request, const char* verb);
  void RenderNow();
  void DrawOverlay();
  bool OverlayShown() const;
  bool OverlayAnimating() const;
  void UpdateCursor();
  void TakeScriptStep();
  bool ScriptWaiting();
  void Push(EventType type);
  void Push(Event event);
  bool PopPending(Event& event);
  // Sleeps until an SDL event arrives or `ms` pass (UINT32_MAX: no limit).
  static void SleepUntilEvent(uint32_t ms);

  // sdl_events.cpp
  void PumpEvents(bool modal);
  void HandleEvent(const SDL_Event& e, bool modal);
  void HandleWindowEvent(const SDL_WindowEvent& e, bool modal);
  void HandleKey(const SDL_KeyboardEvent& e, bool modal);
  bool ImGuiTakesMouse(int windowY) const;
  bool ImGuiTakesKeyboard() const;

  // sdl_modal.cpp
  int RunModal(InputContext context, TraceCategory category, int fallback, ModalView& view,
               const std::string& caption, const Accept& accept);

  SdlOptions options_;
  const Trace& trace_;
  EventScriptDriver* driver_;
  Host* host_ = nullptr;
  std::unique_ptr<SdlWindow> window_;
  CursorSet cursors_;
  ListControlPainter listPainter_;  // the child lists in window pictures
  CursorHandle cursor_ = 0;
  LocalTime clockAtStart_;
  std::unique_ptr<AudioOutput> audio_;
  std::unique_ptr<MediaLibrary> media_;  // its players sound through audio_
  SaveStore saves_;
  // Posted work wakes a loop asleep in SDL_WaitEvent with an event of its own.
  uint32_t wakeEventType_ = SDL_USEREVENT;
  MainLoopTasks tasks_;

  bool open_ = false;
  std::vector<Menu> menuBar_;
  std::vector<ModalView*> views_;  // dialogs up, innermost last
  bool popupOpen_ = false;         // an ImGui menu or popup is open
  bool needRender_ = false;
  bool focusLostInModal_ = false;

  std::deque<Event> pending_;
  std::optional<uint32_t> waitUntil_;  // SDL ticks at which a script "wait" ends
  int lastMouseX_ = INT32_MIN, lastMouseY_ = INT32_MIN;  // client pixels last delivered
  int mouseWindowY_ = -1;
  uint8_t buttonsDelivered_ = 0;  // buttons whose press the runtime saw
  std::array<int, 256> keyRepeat_{};
};

}  // namespace zd::platform::sdl
