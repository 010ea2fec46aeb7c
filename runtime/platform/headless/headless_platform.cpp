#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "platform/audio/clocked_audio_output.h"
#include "platform/backend_common.h"
#include "platform/form_dialog_answers.h"
#include "platform/list_control_painter.h"
#include "platform/local_time.h"
#include "platform/modal_answers.h"
#include "platform/print/headless_print_service.h"
#include "platform/print/print_dialog_answers.h"
#include "platform/tool_window_painter.h"

namespace zd::platform {
namespace {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform(const HeadlessOptions& options, const Trace& trace, EventScriptDriver* driver)
      : options_(options),
        trace_(trace),
        driver_(driver),
        now_(options.startTicks),
        clockAtStart_(options.clock ? *options.clock : CurrentLocalTime()),
        saves_(options.saveFolders ? *options.saveFolders
                                   : SaveFoldersFromEnvironment(std::getenv),
               &trace) {}

  // Sound is placed on the virtual clock: sample n plays n/44100 s after the run's start.
  bool StartAudio(std::string& error) {
    audio_ = MakeRecordingAudioOutput([this] { return uint64_t(uint32_t(now_ - options_.startTicks)); },
                                      options_.audioOutPath, &trace_, error);
    if (audio_) media_ = MakeFfmpegMediaLibrary(*audio_);
    return audio_ != nullptr;
  }

  AudioOutput& Audio() override { return *audio_; }
  MediaLibrary& Media() override { return *media_; }
  MainLoopTasks& Tasks() override { return tasks_; }
  SaveStore& Saves() override { return saves_; }
  PrintService& Printing() override { return *printing_; }

  // The print dialog answers its defaults unless the script changes them or cancels it.
  std::optional<PrintChoice> PrintDialog(const PrintDialogSpec& request) override {
    TracePrintDialog(trace_, request);
    PrintChoice choice = DefaultPrintChoice(request);
    const int result = RunModal(InputContext::PrintDialog, TraceCategory::Dialog, answer::OK,
                                [&](const DriverStep& step, int& answered) {
                                  return TakePrintDialogStep(step, request, *driver_, choice, answered);
                                });
    std::optional<PrintChoice> chosen;
    if (result == answer::OK) chosen = choice;
    TracePrintChoice(trace_, request, chosen);
    return chosen;
  }

  std::optional<PageSetup> PageSetupDialog(const PageSetupSpec& request) override {
    TracePageSetupDialog(trace_, request);
    PageSetup setup = request.current;
    const int result = RunModal(InputContext::PageSetupDialog, TraceCategory::Dialog, answer::OK,
                                [&](const DriverStep& step, int& answered) {
                                  return TakePageSetupStep(step, *driver_, setup, answered);
                                });
    std::optional<PageSetup> chosen;
    if (result == answer::OK) chosen = setup;
    TracePageSetupChoice(trace_, chosen);
    return chosen;
  }

  const char* Name() const override { return "headless"; }
  void SetHost(Host* host) override { host_ = host; }

  uint32_t TickCount() override { return now_; }
  LocalTime Now() override {
    return AddSeconds(clockAtStart_, static_cast<int64_t>((now_ - options_.startTicks) / 1000));
  }

  ScreenInfo Screen() override { return options_.screen; }

  bool OpenWindow(const WindowSpec& request) override {
    open_ = true;
    Place(request, "open");
    return true;
  }
  void SetWindow(const WindowSpec& request) override { Place(request, "change"); }
  void CloseWindow() override {
    if (open_) trace_.Line(TraceCategory::Window, "window closed");
    open_ = false;
  }
  void ClientSize(int& width, int& height) override {
    width = clientWidth_;
    height = clientHeight_;
  }
  void Present(const Frame& frame) override { frame_.Store(frame); }
  std::optional<RgbImage> WindowPicture() override {
    if (frame_.empty()) return std::nullopt;
    RgbImage picture = frame_.Compose(clientWidth_, clientHeight_);
    lists_.Draw(frame_.lists(), frame_.originX(), frame_.originY(), picture);
    tools_.Draw(frame_.tools(), frame_.originX(), frame_.originY(), picture);
    return picture;
  }
  int DoubleClickTime() override { return 500; }

  // Full screen gives the title the whole screen when the page is sharp, the page alone when it
  // is smoothed or stretched to fill it; the runtime hears of a change as a resize.
  void SetScaling(Scaling scaling) override {
    Platform::SetScaling(scaling);
    TraceScaling(trace_, scaling);
    if (!open_ || style_ != WindowStyle::FullScreen) return;
    const int width = clientWidth_, height = clientHeight_;
    FullScreenClient();
    if (width == clientWidth_ && height == clientHeight_) return;
    Event resized;
    resized.type = EventType::Resized;
    resized.width = clientWidth_;
    resized.height = clientHeight_;
    resized.time = now_;
    pending_.push_back(resized);
  }

  bool PollEvent(Event& event) override {
    if (PopPending(event)) return true;
    if (waitUntil_) return false;
    return TakeScriptInput(event);
  }

  // The virtual clock stands still while a page loads: no click can have been made meanwhile,
  // and the script's next clicks belong to the page it is about to see.
  void DiscardPendingClicks() override {}

  bool WaitEvent(Event& event, std::optional<uint32_t> deadline) override {
    for (;;) {
      // Posted work runs before any time passes, so a run plays the same every time.
      if (tasks_.HasPending()) return false;
      if (PopPending(event)) return true;
      if (waitUntil_) {
        const uint32_t target =
            deadline && TickBefore(*deadline, *waitUntil_) ? *deadline : *waitUntil_;
        if (TickBefore(now_, target)) SetTime(target);
        if (!TickBefore(now_, *waitUntil_)) waitUntil_.reset();
        if (deadline && !TickBefore(now_, *deadline)) return false;
        continue;
      }
      if (TakeScriptInput(event)) return true;
    }
  }

  CursorHandle CreateCursor(const CursorImage& image) override {
    cursorNames_.push_back(image.name ? image.name : "?");
    return static_cast<CursorHandle>(cursorNames_.size());
  }
  CursorHandle LoadSystemCursor(SystemCursor which) override {
    cursorNames_.push_back(which == SystemCursor::Wait ? "system wait" : "system arrow");
    return static_cast<CursorHandle>(cursorNames_.size());
  }
  void SetCursor(CursorHandle cursor) override {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (cursor > 0 && size_t(cursor) <= cursorNames_.size()) {
      trace_.Line(TraceCategory::Cursor, "cursor " + cursorNames_[size_t(cursor) - 1]);
    }
  }

  int MessageBox(const MessageBoxSpec& request) override {
    TraceMessageBox(trace_, request);
    if (driver_) driver_->RecordMessage(request.key, request.text);
    return RunModal(InputContext::MessageBox, TraceCategory::Message, MessageBoxDefault(request),
                    [&](const DriverStep& step, int& result) {
                      return TakeMessageBoxStep(step, request, *driver_, result);
                    });
  }

  int ButtonDialog(const ButtonDialogSpec& request) override {
    TraceButtonDialog(trace_, request);
    return RunModal(InputContext::ButtonDialog, TraceCategory::Dialog, request.defaultId,
                    [&](const DriverStep& step, int& result) {
                      return TakeButtonDialogStep(step, request, *driver_, result);
                    });
  }

  int PopupMenu(const PopupMenuSpec& request) override {
    TracePopupMenu(trace_, request);
    return RunModal(InputContext::PopupMenu, TraceCategory::Dialog, 0,
                    [&](const DriverStep& step, int& result) {
                      return TakePopupMenuStep(step, request, *driver_, result);
                    });
  }

  ProgramStart StartProgram(const std::vector<std::string>& arguments) override {
    if (options_.startPrograms) return Platform::StartProgram(arguments);
    ProgramStart recorded;
    recorded.outcome = ProgramStart::Outcome::Recorded;
    return recorded;
  }

  // The form starts as the request sets it; the script's settings change it until a button
  // is pressed (a run whose script ends presses the default button).
  FormAnswer FormDialog(const FormDialogSpec& request) override {
    TraceFormDialog(trace_, request);
    FormAnswer state = InitialFormAnswer(request);
    state.button = RunModal(InputContext::FormDialog, TraceCategory::Dialog, state.button,
                            [&](const DriverStep& step, int& result) {
                              return TakeFormDialogStep(step, request, *driver_, state, result);
                            });
    TraceFormAnswer(trace_, request, state);
    return state;
  }

  // A save dialog whose choice would replace a file asks first; No shows the dialog again.
  std::optional<FileChoice> FileDialog(const FileDialogSpec& request) override {
    for (;;) {
      TraceFileDialog(trace_, request);
      std::optional<FileChoice> chosen;
      RunModal(InputContext::FileDialog, TraceCategory::Dialog, 0,
               [&](const DriverStep& step, int& result) {
                 return TakeFileDialogStep(step, request, *driver_, chosen, result);
               });
      TraceFileChoice(trace_, chosen);
      if (!chosen || request.chooseFolder) return chosen;
      AddDefaultExtension(request, *chosen);
      const auto question = OverwriteQuestion(request, chosen->path);
      if (!question || MessageBox(*question) == answer::YES) return chosen;
    }
  }

 private:
  // The clock moves only here; the sound of the time that passed plays at once.
  void SetTime(uint32_t ticks) {
    now_ = ticks;
    audio_->CatchUp();
  }

  bool PopPending(Event& event) {
    if (pending_.empty()) return false;
    event = pending_.front();
    pending_.pop_front();
    return true;
  }

  void FullScreenClient() {
    const bool sharp = scaling_ == Scaling::Sharp;
    clientWidth_ = sharp ? options_.screen.width : 640;
    clientHeight_ = sharp ? options_.screen.height : 480;
  }

  void Place(const WindowSpec& request, const char* verb) {
    style_ = request.style;
    if (request.style == WindowStyle::FullScreen) {
      FullScreenClient();
    } else {
      clientWidth_ = request.clientWidth;
      clientHeight_ = request.clientHeight;
    }
    TraceWindow(trace_, verb, request, clientWidth_, clientHeight_);
  }

  bool TakeScriptInput(Event& event) {
    if (!driver_ || driver_->ended()) {
      event = Event{};
      event.type = EventType::ScriptEnded;
      event.time = now_;
      return true;
    }
    const DriverStep step = driver_->Next(InputContext::Window, *this, host_);
    switch (step.kind) {
      case DriverStep::Kind::Event:
        event = step.event;
        event.time = now_;
        return true;
      case DriverStep::Kind::Wait:
        waitUntil_ = now_ + step.ms;
        return false;
      default:
        event = Event{};
        event.type = EventType::ScriptEnded;
        event.time = now_;
        return true;
    }
  }

  // Lets virtual time pass inside a modal loop, running the runtime's timers as they fall due.
  void AdvanceModal(uint32_t ms) {
    const uint32_t target = now_ + ms;
    while (TickBefore(now_, target)) {
      const std::optional<uint32_t> due = host_ ? host_->NextTimerDue() : std::nullopt;
      if (due && !TickBefore(target, *due)) {
        if (TickBefore(now_, *due)) SetTime(*due);
        const uint32_t before = now_;
        host_->DispatchBackground();
        // A timer that stays due would stop time here; let a millisecond pass instead.
        const std::optional<uint32_t> again = host_->NextTimerDue();
        if (again && !TickBefore(before, *again)) SetTime(now_ + 1);
      } else {
        SetTime(target);
      }
    }
    if (host_) host_->DispatchBackground();
  }

  // The nested loop of every modal dialog: takes script steps until `accept` takes one.
  template <typename Accept>
  int RunModal(InputContext context, TraceCategory category, int fallback, Accept accept) {
    for (;;) {
      const DriverStep step = driver_ && !driver_->ended()
                                  ? driver_->Next(context, *this, host_)
                                  : DriverStep{};
      if (step.kind == DriverStep::Kind::End) {
        TraceModalResult(trace_, context, category, fallback, true);
        return fallback;
      }
      if (step.kind == DriverStep::Kind::Wait) {
        AdvanceModal(step.ms);
        continue;
      }
      int result = 0;
      if (accept(step, result)) {
        TraceModalResult(trace_, context, category, result, false);
        return result;
      }
    }
  }

  HeadlessOptions options_;
  const Trace& trace_;
  EventScriptDriver* driver_;
  Host* host_ = nullptr;
  uint32_t now_;
  LocalTime clockAtStart_;
  std::optional<uint32_t> waitUntil_;
  bool open_ = false;
  WindowStyle style_ = WindowStyle::Popup;
  int clientWidth_ = 0, clientHeight_ = 0;
  std::deque<Event> pending_;  // events of the window itself (a resize), before script input
  PresentedFrame frame_;
  ListControlPainter lists_;
  ToolWindowPainter tools_;
  std::unique_ptr<PrintService> printing_ = MakeHeadlessPrintService(trace_, std::getenv);
  MainLoopTasks tasks_;
  SaveStore saves_;
  std::unique_ptr<ClockedAudioOutput> audio_;
  std::unique_ptr<MediaLibrary> media_;  // its players sound through audio_
  std::vector<std::string> cursorNames_;
  CursorHandle cursor_ = 0;
};

}  // namespace

std::unique_ptr<Platform> MakeHeadlessPlatform(const HeadlessOptions& options, const Trace& trace,
                                               EventScriptDriver* driver, std::string& error) {
  auto platform = std::make_unique<HeadlessPlatform>(options, trace, driver);
  if (!platform->StartAudio(error)) {
    error = "--audio-out: " + error;
    return nullptr;
  }
  return platform;
}

std::unique_ptr<Platform> MakeHeadlessPlatform(const HeadlessOptions& options, const Trace& trace,
                                               EventScriptDriver* driver) {
  HeadlessOptions silent = options;
  silent.audioOutPath.clear();
  std::string error;
  return MakeHeadlessPlatform(silent, trace, driver, error);
}

}  // namespace zd::platform
