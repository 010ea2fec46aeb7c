#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend_common.h"
#include "platform/local_time.h"

namespace zd::platform {
namespace {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform(const HeadlessOptions& options, const Trace& trace, EventScriptDriver* driver)
      : options_(options),
        trace_(trace),
        driver_(driver),
        now_(options.startTicks),
        clockAtStart_(options.clock ? *options.clock : CurrentLocalTime()) {}

  const char* Name() const override { return "headless"; }
  void SetHost(Host* host) override { host_ = host; }

  uint32_t TickCount() override { return now_; }
  LocalTime Now() override {
    return AddSeconds(clockAtStart_, static_cast<int64_t>((now_ - options_.startTicks) / 1000));
  }

  ScreenInfo Screen() override { return options_.screen; }

  bool OpenWindow(const WindowSpec& spec) override {
    open_ = true;
    Place(spec, "open");
    return true;
  }
  void SetWindow(const WindowSpec& spec) override { Place(spec, "change"); }
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
    return frame_.Compose(clientWidth_, clientHeight_);
  }
  int DoubleClickTime() override { return 500; }

  bool PollEvent(Event& event) override {
    if (waitUntil_) return false;
    return TakeScriptInput(event);
  }

  bool WaitEvent(Event& event, uint32_t deadline) override {
    for (;;) {
      if (waitUntil_) {
        const uint32_t target = std::min(*waitUntil_, deadline);
        if (Before(now_, target)) now_ = target;
        if (!Before(now_, *waitUntil_)) waitUntil_.reset();
        if (!Before(now_, deadline)) return false;
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

  int MessageBox(const MessageBoxSpec& spec) override {
    TraceMessageBox(trace_, spec);
    if (driver_) driver_->RecordMessage(spec.key, spec.text);
    const auto answers = MessageBoxAnswers(spec);
    const int fallback = MessageBoxDefault(spec);
    return RunModal(InputContext::MessageBox, TraceCategory::Message, fallback,
                    [&](const DriverStep& step, int& result) {
                      if (step.kind == DriverStep::Kind::Answer) {
                        if (std::find(answers.begin(), answers.end(), step.number) ==
                            answers.end()) {
                          driver_->Fail(step.line, "event script: the message box offers no '" +
                                                       AnswerText(step.number) + "' answer");
                          return false;
                        }
                        result = step.number;
                        return true;
                      }
                      return KeyAnswer(step, fallback,
                                       spec.buttons == MessageButtons::Ok ? answer::OK : 0,
                                       result);
                    });
  }

  int ButtonDialog(const ButtonDialogSpec& spec) override {
    TraceButtonDialog(trace_, spec);
    return RunModal(InputContext::ButtonDialog, TraceCategory::Dialog, spec.defaultId,
                    [&](const DriverStep& step, int& result) {
                      if (step.kind == DriverStep::Kind::Answer) {
                        for (const auto& b : spec.buttons) {
                          if (b.id == step.number) {
                            result = b.id;
                            return true;
                          }
                        }
                        if (step.number == answer::CANCEL || step.number == answer::OK) {
                          result = step.number == answer::OK ? spec.defaultId : spec.closeId;
                          return true;
                        }
                        driver_->Fail(step.line, "event script: dialog " + spec.name +
                                                     " has no button " +
                                                     std::to_string(step.number));
                        return false;
                      }
                      return KeyAnswer(step, spec.defaultId, spec.closeId, result);
                    });
  }

  int PopupMenu(const PopupMenuSpec& spec) override {
    TracePopupMenu(trace_, spec);
    return RunModal(InputContext::PopupMenu, TraceCategory::Dialog, 0,
                    [&](const DriverStep& step, int& result) {
                      if (step.kind != DriverStep::Kind::Menu) return false;
                      if (step.number == 0) {
                        result = 0;
                        return true;
                      }
                      for (const auto& item : spec.items) {
                        if (item.id == step.number && item.enabled) {
                          result = item.id;
                          return true;
                        }
                      }
                      driver_->Fail(step.line, "event script: the popup menu has no enabled entry " +
                                                   std::to_string(step.number));
                      return false;
                    });
  }

  std::optional<std::string> FileDialog(const FileDialogSpec& spec) override {
    TraceFileDialog(trace_, spec);
    std::optional<std::string> chosen;
    RunModal(InputContext::FileDialog, TraceCategory::Dialog, 0,
             [&](const DriverStep& step, int& result) {
               if (step.kind == DriverStep::Kind::File) {
                 chosen = step.file;
                 result = chosen ? answer::OK : answer::CANCEL;
                 return true;
               }
               if (step.kind == DriverStep::Kind::Event && step.event.type == EventType::KeyDown &&
                   step.event.key == vk::ESCAPE) {
                 result = answer::CANCEL;
                 return true;
               }
               return false;
             });
    trace_.Line(TraceCategory::Dialog, chosen ? "file " + *chosen : std::string("file cancelled"));
    return chosen;
  }

 private:
  static bool Before(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

  static std::string AnswerText(int number) {
    const char* name = AnswerName(number);
    return name ? name : std::to_string(number);
  }

  void Place(const WindowSpec& spec, const char* verb) {
    if (spec.style == WindowStyle::FullScreen) {
      clientWidth_ = options_.screen.width;
      clientHeight_ = options_.screen.height;
    } else {
      clientWidth_ = spec.clientWidth;
      clientHeight_ = spec.clientHeight;
    }
    TraceWindow(trace_, verb, spec, clientWidth_, clientHeight_);
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

  // Return and Escape in a dialog: the default answer, and the close answer when there is one.
  static bool KeyAnswer(const DriverStep& step, int defaultAnswer, int closeAnswer, int& result) {
    if (step.kind != DriverStep::Kind::Event || step.event.type != EventType::KeyDown) return false;
    if (step.event.key == vk::RETURN) {
      result = defaultAnswer;
      return true;
    }
    if (step.event.key == vk::ESCAPE && closeAnswer != 0) {
      result = closeAnswer;
      return true;
    }
    return false;
  }

  // Lets virtual time pass inside a modal loop, running the runtime's timers as they fall due.
  void AdvanceModal(uint32_t ms) {
    const uint32_t target = now_ + ms;
    while (Before(now_, target)) {
      const uint32_t due = host_ ? host_->NextTimerDue() : kNoDeadline;
      if (due != kNoDeadline && !Before(target, due)) {
        if (Before(now_, due)) now_ = due;
        const uint32_t before = now_;
        host_->DispatchBackground();
        // A timer that stays due would stop time here; let a millisecond pass instead.
        const uint32_t again = host_->NextTimerDue();
        if (again != kNoDeadline && !Before(before, again)) ++now_;
      } else {
        now_ = target;
      }
    }
    if (host_) host_->DispatchBackground();
  }

  void TraceResult(InputContext context, TraceCategory category, int result, bool byDefault) {
    if (context == InputContext::FileDialog) return;  // traced with the chosen path
    if (context == InputContext::PopupMenu) {
      trace_.Line(category, "menu " + (result ? std::to_string(result) : std::string("none")) +
                                (byDefault ? " (default)" : ""));
      return;
    }
    TraceAnswer(trace_, category, AnswerText(result), byDefault);
  }

  // The nested loop of every modal dialog: takes script steps until `accept` takes one.
  template <typename Accept>
  int RunModal(InputContext context, TraceCategory category, int fallback, Accept accept) {
    for (;;) {
      const DriverStep step = driver_ && !driver_->ended()
                                  ? driver_->Next(context, *this, host_)
                                  : DriverStep{};
      if (step.kind == DriverStep::Kind::End) {
        TraceResult(context, category, fallback, true);
        return fallback;
      }
      if (step.kind == DriverStep::Kind::Wait) {
        AdvanceModal(step.ms);
        continue;
      }
      int result = 0;
      if (accept(step, result)) {
        TraceResult(context, category, result, false);
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
  int clientWidth_ = 0, clientHeight_ = 0;
  PresentedFrame frame_;
  std::vector<std::string> cursorNames_;
  CursorHandle cursor_ = 0;
};

}  // namespace

std::unique_ptr<Platform> MakeHeadlessPlatform(const HeadlessOptions& options, const Trace& trace,
                                               EventScriptDriver* driver) {
  return std::make_unique<HeadlessPlatform>(options, trace, driver);
}

}  // namespace zd::platform
