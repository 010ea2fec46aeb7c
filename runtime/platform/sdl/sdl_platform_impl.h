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
#include "platform/tool_window_painter.h"
#include "platform/platform.h"
#include "platform/sdl/modal_view.h"
#include "platform/sdl/sdl_cursors.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_window.h"

namespace zd::platform::sdl {

// Frames are drawn when something changed: an event, a new picture of the page, a step of the
// event script. Over the menu bar and dialogs ImGui needs a few frames more after each change (a
// popup opens a frame late, windows size themselves over two or three frames, a modal's shade
// fades in): they come at this pace for this long, and then the player sleeps.
constexpr uint32_t kFrameMs = 30;
constexpr uint32_t kSettleMs = 300;  // ten frames: a popup's late opening and a fade need fewer
// How late a timer may come while the runtime says nothing it drives can change: a few
// wake-ups a second, still quicker than a person notices a menu's answer.
constexpr uint32_t kRestingTimerSlackMs = 190;

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
  void SetScaling(Scaling scaling) override;
  void WindowSize(int& width, int& height) override;
  bool PollEvent(Event& event) override;
  void DiscardPendingClicks() override;
  bool WaitEvent(Event& event, std::optional<uint32_t> deadline) override;
  CursorHandle CreateCursor(const CursorImage& image) override;
  CursorHandle LoadSystemCursor(SystemCursor which) override;
  void SetCursor(CursorHandle cursor) override;
  int MessageBox(const MessageBoxSpec& request) override;
  int ButtonDialog(const ButtonDialogSpec& request) override;
  int PopupMenu(const PopupMenuSpec& request) override;
  std::optional<FileChoice> FileDialog(const FileDialogSpec& request) override;
  AudioOutput& Audio() override { return *audio_; }
  MediaLibrary& Media() override { return *media_; }
  MainLoopTasks& Tasks() override { return tasks_; }
  SaveStore& Saves() override { return saves_; }
  // Printers through CUPS, documents through cairo (sdl_print_dialogs.cpp for the dialogs).
  std::optional<PrintChoice> PrintDialog(const PrintDialogSpec& request) override;
  std::optional<PageSetup> PageSetupDialog(const PageSetupSpec& request) override;
  PrintService& Printing() override { return *printing_; }
  // The browser settings and the installer's pages (sdl_form_dialog.cpp).
  FormAnswer FormDialog(const FormDialogSpec& request) override;

 private:
  using Accept = std::function<bool(const DriverStep& step, int& result)>;

  // sdl_platform.cpp
  void Place(const WindowSpec& request, const char* verb);
  void RenderNow();
  void DrawOverlay();
  bool OverlayShown() const;
  void UpdateCursor();
  void TakeScriptStep();
  bool ScriptWaiting();
  // The event script's key presses that belong to ImGui (a menu or the file browser is up):
  // pushed into SDL's queue as real key presses. True when the key was taken so.
  bool TakeScriptKey(InputContext context, const Event& event);

  // sdl_script_keys.cpp
  void QueueScriptKey(const SDL_Event& event);
  void FeedScriptKey();
  void NoteScriptKeySeen(const SDL_Event& event);
  void NoteScriptKeyDrawn();
  bool ScriptKeysInFlight() const;
  void Push(EventType type);
  void Push(Event event);
  void PushResized();
  bool PopPending(Event& event);
  void KeepRendering();  // after a change: frames for ImGui to settle
  bool Settling();
  static bool SdlEventsWaiting();  // SDL holds events not handled yet (pumps first)
  // Sleeps until an SDL event arrives or `ms` pass (UINT32_MAX: no limit).
  static void SleepUntilEvent(uint32_t ms);

  // sdl_events.cpp
  void PumpEvents(bool modal);
  void HandleEvent(const SDL_Event& e, bool modal);
  void HandleWindowEvent(const SDL_WindowEvent& e, bool modal);
  void HandleKey(const SDL_KeyboardEvent& e, bool modal);
  bool ImGuiTakesMouse(int windowY) const;
  bool ImGuiTakesKeyboard() const;
  void UpdateKeyboardNavigation();

  std::optional<uint32_t> TimerDeadline() const;

  // sdl_modal.cpp
  int RunModal(InputContext context, TraceCategory category, int fallback, ModalView& view,
               const std::string& caption, const Accept& accept);
  uint32_t ModalSleep();

  SdlOptions options_;
  const Trace& trace_;
  EventScriptDriver* driver_;
  Host* host_ = nullptr;
  std::unique_ptr<SdlWindow> window_;
  CursorSet cursors_;
  ListControlPainter listPainter_;  // the child lists in window pictures
  ToolWindowPainter toolPainter_;   // and the tool windows
  std::unique_ptr<PrintService> printing_;
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
  bool openFileMenu_ = false;      // F10: open the menu bar's first menu at the next frame
  // The event script's keys for ImGui, fed to SDL one at a time: each must go through ImGui's
  // event handling and then a frame before the next (ImGui misses a press and release that
  // fall between two frames). The script waits meanwhile.
  enum class ScriptKeyStage { Idle, Pushed, Seen };
  std::deque<SDL_Event> scriptKeyEvents_;
  ScriptKeyStage scriptKeyStage_ = ScriptKeyStage::Idle;
  SDL_Event scriptKeyInFlight_{};
  std::array<bool, 256> scriptKeysTaken_{};  // pressed through ImGui: their release goes too
  bool lastKeyTaken_ = false;  // the script's last key press went to ImGui (and its character)
  bool needRender_ = false;
  uint64_t renders_ = 0;                 // frames drawn so far
  std::optional<uint32_t> settleUntil_;  // SDL ticks until which ImGui gets frames
  bool focusLostInModal_ = false;

  std::deque<Event> pending_;
  std::optional<uint32_t> waitUntil_;  // SDL ticks at which a script "wait" ends
  int lastMouseX_ = INT32_MIN, lastMouseY_ = INT32_MIN;  // client pixels last delivered
  int mouseWindowY_ = -1;
  uint8_t buttonsDelivered_ = 0;  // buttons whose press the runtime saw
  std::array<int, 256> keyRepeat_{};
};

}  // namespace zd::platform::sdl
