#include "platform/sdl/sdl_platform.h"

#include <imgui.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "base/cp1253.h"
#include "platform/backend_common.h"
#include "platform/local_time.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_menus.h"
#include "platform/sdl/sdl_platform_impl.h"
#include "platform/sdl/sdl_list_controls.h"
#include "platform/sdl/sdl_tool_windows.h"
#include "platform/print/cups_print_service.h"
#include "platform/print/headless_print_service.h"

namespace zd::platform {

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options, const Trace& trace,
                                          EventScriptDriver* driver, std::string& error) {
  auto window = sdl::SdlWindow::Create(options.screen, error);
  if (!window) return nullptr;
  trace.Line(TraceCategory::Window, std::string("window backend sdl driver ") +
                                        window->driverName() + " renderer " +
                                        window->rendererName() + " scale " +
                                        std::to_string(window->windowScale()));
  return std::make_unique<sdl::SdlPlatform>(options, trace, driver, std::move(window));
}

namespace sdl {
namespace {

uint32_t RegisteredWakeEvent() {
  const Uint32 type = SDL_RegisterEvents(1);
  return type == Uint32(-1) ? Uint32(SDL_USEREVENT) : type;
}

}  // namespace

SdlPlatform::SdlPlatform(const SdlOptions& options, const Trace& trace, EventScriptDriver* driver,
                         std::unique_ptr<SdlWindow> window)
    : options_(options),
      trace_(trace),
      driver_(driver),
      window_(std::move(window)),
      clockAtStart_(options.clock ? *options.clock : CurrentLocalTime()),
      audio_(MakeSdlAudioOutput()),
      media_(MakeFfmpegMediaLibrary(*audio_)),
      saves_(options.saveFolders ? *options.saveFolders : SaveFoldersFromEnvironment(std::getenv),
             &trace),
      wakeEventType_(RegisteredWakeEvent()),
      tasks_([type = wakeEventType_] {
        SDL_Event wake{};
        wake.type = type;
        SDL_PushEvent(&wake);  // safe from any thread
      }) {
  // A run driven by an event script is one a test may compare with a headless one: its
  // printers, too, come from the environment rather than the machine.
  printing_ = driver_ ? MakeHeadlessPrintService(trace_, std::getenv)
                      : MakeCupsPrintService(SystemCupsCalls(), CurrentLocaleFacts());
  if (driver_) {
    driver_->SetKeySink([this](InputContext context, const Event& event) {
      return TakeScriptKey(context, event);
    });
  }
}

SdlPlatform::~SdlPlatform() {
  if (driver_) driver_->SetKeySink(nullptr);
}

uint32_t SdlPlatform::TickCount() { return SDL_GetTicks() + options_.startTicks; }

LocalTime SdlPlatform::Now() {
  if (!options_.clock) return CurrentLocalTime();
  return AddSeconds(clockAtStart_, static_cast<int64_t>(SDL_GetTicks() / 1000));
}

ScreenInfo SdlPlatform::Screen() { return window_->Screen(); }

bool SdlPlatform::OpenWindow(const WindowSpec& request) {
  open_ = true;
  Place(request, "open");
  return true;
}

void SdlPlatform::SetWindow(const WindowSpec& request) { Place(request, "change"); }

void SdlPlatform::Place(const WindowSpec& request, const char* verb) {
  menuBar_ = request.style == WindowStyle::Captioned ? request.menuBar : std::vector<Menu>{};
  if (window_->Place(request.style, request.clientWidth, request.clientHeight, Cp1253ToUtf8(request.caption),
                     !menuBar_.empty(), request.resizable, request.windowWidth,
                     request.windowHeight)) {
    cursors_.Rescale(window_->scale());
  }
  lastMouseX_ = lastMouseY_ = INT32_MIN;
  TraceWindow(trace_, verb, request, window_->clientWidth(), window_->clientHeight());
  RenderNow();
}

// The runtime hears of the client area's size (its page origin follows it); the pointer is
// placed afresh at its next move.
void SdlPlatform::PushResized() {
  lastMouseX_ = lastMouseY_ = INT32_MIN;
  Event resized;
  resized.type = EventType::Resized;
  resized.width = window_->clientWidth();
  resized.height = window_->clientHeight();
  Push(resized);
}

void SdlPlatform::CloseWindow() {
  if (open_) trace_.Line(TraceCategory::Window, "window closed");
  open_ = false;
  menuBar_.clear();
  window_->Hide();
}

void SdlPlatform::ClientSize(int& width, int& height) {
  width = open_ ? window_->clientWidth() : 0;
  height = open_ ? window_->clientHeight() : 0;
}

void SdlPlatform::WindowSize(int& width, int& height) {
  width = height = 0;
  if (open_) window_->WindowSize(width, height);
}

void SdlPlatform::SetScaling(Scaling scaling) {
  Platform::SetScaling(scaling);
  TraceScaling(trace_, scaling);
  // In full screen the client area may change size (the page alone, or the whole screen); the
  // runtime hears of it as a resize and places its page again.
  if (window_->SetScaling(scaling) && open_) PushResized();
  lastMouseX_ = lastMouseY_ = INT32_MIN;
  RenderNow();
}

void SdlPlatform::Present(const Frame& frame) {
  window_->SetFrame(frame);
  RenderNow();
}

std::optional<RgbImage> SdlPlatform::WindowPicture() {
  const PresentedFrame& frame = window_->frame();
  if (frame.empty()) return std::nullopt;
  // The same picture of the child lists as a headless run's, so both screenshots agree.
  RgbImage picture = frame.Compose(window_->clientWidth(), window_->clientHeight());
  listPainter_.Draw(frame.lists(), frame.originX(), frame.originY(), picture);
  toolPainter_.Draw(frame.tools(), frame.originX(), frame.originY(), picture);
  return picture;
}

CursorHandle SdlPlatform::CreateCursor(const CursorImage& image) {
  return cursors_.Create(image, window_->scale());
}

CursorHandle SdlPlatform::LoadSystemCursor(SystemCursor which) { return cursors_.System(which); }

void SdlPlatform::SetCursor(CursorHandle cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  const std::string name = cursors_.Name(cursor);
  if (!name.empty()) trace_.Line(TraceCategory::Cursor, "cursor " + name);
  UpdateCursor();
}

void SdlPlatform::UpdateCursor() {
  if (!window_->shown()) return;
  const bool overMenuBar = !menuBar_.empty() && mouseWindowY_ >= 0 &&
                           mouseWindowY_ < window_->menuBarHeight();
  if (!views_.empty() || popupOpen_ || overMenuBar) {
    cursors_.ShowArrow();
  } else {
    cursors_.Show(cursor_);
  }
}

bool SdlPlatform::OverlayShown() const { return !menuBar_.empty() || !views_.empty() || popupOpen_; }

void SdlPlatform::RenderNow() {
  needRender_ = false;
  ++renders_;
  window_->Render([this] { DrawOverlay(); });
  UpdateCursor();
}

void SdlPlatform::KeepRendering() { settleUntil_ = SDL_GetTicks() + kSettleMs; }

bool SdlPlatform::Settling() {
  if (!settleUntil_) return false;
  if (TickBefore(SDL_GetTicks(), *settleUntil_)) return true;
  settleUntil_.reset();
  return false;
}

bool SdlPlatform::SdlEventsWaiting() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

void SdlPlatform::DrawOverlay() {
  NoteScriptKeyDrawn();
  // The page's child lists lie under the menu bar and the dialogs.
  const PresentedFrame& frame = window_->frame();
  DrawListControls(frame.lists(), frame.originX(), frame.originY(), window_->Placement());
  DrawToolWindows(frame.tools(), frame.originX(), frame.originY(), window_->Placement());
  if (!menuBar_.empty()) {
    // Dialogs are modal: the menu bar stays in view but takes no clicks under them.
    const bool openFirst = openFileMenu_;
    openFileMenu_ = false;
    if (const int command = DrawMenuBar(menuBar_, views_.empty(), openFirst)) {
      Event e;
      e.type = EventType::MenuCommand;
      e.command = command;
      Push(e);
    }
  }
  const bool popupMenuUp = std::any_of(views_.begin(), views_.end(), [](ModalView* v) {
    return dynamic_cast<PopupMenuView*>(v) != nullptr;
  });
  if (!popupMenuUp) CloseAbandonedPopupMenu();
  ViewContext context;
  window_->WindowSize(context.windowWidth, context.windowHeight);
  context.client = window_->Placement();
  for (size_t i = 0; i < views_.size(); ++i) {
    context.active = i + 1 == views_.size();
    views_[i]->Draw(context);
  }
  popupOpen_ = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel);
  UpdateKeyboardNavigation();
}

void SdlPlatform::Push(EventType type) {
  Event e;
  e.type = type;
  Push(e);
}

void SdlPlatform::Push(Event event) {
  event.time = TickCount();
  pending_.push_back(event);
}

bool SdlPlatform::PopPending(Event& event) {
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

bool SdlPlatform::ScriptWaiting() {
  if (ScriptKeysInFlight()) return true;  // keys on their way through ImGui come first
  if (!waitUntil_) return false;
  if (TickBefore(SDL_GetTicks(), *waitUntil_)) return true;
  waitUntil_.reset();
  return false;
}

void SdlPlatform::TakeScriptStep() {
  if (!driver_ || ScriptWaiting()) return;
  if (!driver_->ended()) {
    const DriverStep step = driver_->Next(InputContext::Window, *this, host_);
    if (step.kind == DriverStep::Kind::Event) {
      Push(step.event);
      return;
    }
    if (step.kind == DriverStep::Kind::Wait) {
      waitUntil_ = SDL_GetTicks() + step.ms;
      return;
    }
  }
  // A script played to its end hands the window to the user, who closes it; a failed one
  // ends the run, as it does headless.
  if (driver_->failed()) Push(EventType::ScriptEnded);
}

void SdlPlatform::SleepUntilEvent(uint32_t ms) {
  if (ms == UINT32_MAX) {
    SDL_WaitEvent(nullptr);
  } else if (ms > 0) {
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(ms, INT_MAX)));
  }
}

bool SdlPlatform::PollEvent(Event& event) {
  PumpEvents(false);
  if (pending_.empty()) TakeScriptStep();
  return PopPending(event);
}

void SdlPlatform::DiscardPendingClicks() {
  PumpEvents(false);
  std::erase_if(pending_, [](const Event& e) {
    return (e.type == EventType::ButtonDown || e.type == EventType::ButtonUp) &&
           e.button == MouseButton::Left;
  });
}

std::optional<uint32_t> SdlPlatform::TimerDeadline() const {
  const std::optional<uint32_t> due = host_ ? host_->NextTimerDue() : std::nullopt;
  // A timer that can change nothing wakes the player a few times a second rather than a
  // hundred: each wake costs SDL a round of the display connection.
  if (due && host_->TimersMayWait()) return *due + kRestingTimerSlackMs;
  return due;
}

bool SdlPlatform::WaitEvent(Event& event, std::optional<uint32_t> deadline) {
  if (deadline && host_ && host_->TimersMayWait()) *deadline += kRestingTimerSlackMs;
  for (;;) {
    const uint64_t rendersBefore = renders_;
    PumpEvents(false);
    // Events over the menu bar draw a frame as they come (PumpEvents); ImGui needs a few more.
    if (OverlayShown() && renders_ != rendersBefore) KeepRendering();
    if (pending_.empty()) TakeScriptStep();
    if (PopPending(event)) return true;
    if (tasks_.HasPending()) return false;
    const bool settling = OverlayShown() && Settling();
    if (settling && renders_ == rendersBefore) RenderNow();
    const uint32_t now = TickCount();
    if (deadline && !TickBefore(now, *deadline)) return false;
    uint32_t sleep = deadline ? *deadline - now : UINT32_MAX;
    if (waitUntil_) sleep = std::min(sleep, TicksUntil(SDL_GetTicks(), *waitUntil_));
    if (settling) sleep = std::min(sleep, kFrameMs);
    SleepUntilEvent(sleep);
  }
}

}  // namespace sdl
}  // namespace zd::platform
