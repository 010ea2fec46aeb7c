#include "print/printing_progress.h"

#include "base/trace.h"
#include "print/print_texts.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "shell/message_queue.h"
#include "shell/window_messages.h"

namespace zd {
namespace {

constexpr int kWidth = 260, kHeight = 96, kCaptionHeight = 18;
constexpr int kButtonWidth = 80, kButtonHeight = 22;

}  // namespace

PrintingProgress::PrintingProgress(Runtime& runtime)
    : runtime_(runtime),
      text_(PrintingText(PrintText::ProgressFirstSheet, runtime.config.language)) {
  // Centred on the page.
  x = (640 - kWidth) / 2;
  y = (480 - kHeight) / 2;
}

PrintingProgress::~PrintingProgress() { Close(); }

platform::ToolWindowView PrintingProgress::View() const {
  const Language language = runtime_.config.language;
  platform::ToolWindowView view;
  view.name = "IDD_Printing";
  view.caption = PrintingText(PrintText::ProgressCaption, language);
  view.x = x;
  view.y = y;
  view.w = kWidth;
  view.h = kHeight;
  view.captionHeight = kCaptionHeight;
  view.active = true;
  view.closeBox = false;
  platform::ToolControlView text;
  text.id = kTextId;
  text.kind = platform::ToolControlKind::Label;
  text.x = x + 16;
  text.y = y + kCaptionHeight + 14;
  text.w = kWidth - 32;
  text.h = 16;
  text.text = text_;
  platform::ToolControlView cancel;
  cancel.id = kCancelId;
  cancel.kind = platform::ToolControlKind::Button;
  cancel.x = x + (kWidth - kButtonWidth) / 2;
  cancel.y = y + kHeight - kButtonHeight - 12;
  cancel.w = kButtonWidth;
  cancel.h = kButtonHeight;
  cancel.text = PrintingText(PrintText::ProgressCancel, language);
  cancel.pressed = pressedControl_ == kCancelId;
  view.controls = {text, cancel};
  return view;
}

void PrintingProgress::Show() {
  if (shown_) return;
  shown_ = true;
  stopped_ = false;
  runtime_.trace.Line(TraceCategory::Tool, "tool IDD_Printing open");
  focusBefore_ = runtime_.shell.window().focus().holder();
  runtime_.shell.window().toolWindows().Open(*this);
  Present();
}

void PrintingProgress::Close() {
  if (!shown_) return;
  shown_ = false;
  runtime_.trace.Line(TraceCategory::Tool, "tool IDD_Printing close");
  runtime_.shell.window().toolWindows().Close(*this);
  // The part of the window that had the keys before the job has them again (the notepad,
  // when it printed); nothing could close it meanwhile, since all input was dropped.
  runtime_.shell.window().focus().Give(focusBefore_);
  // The page is shown again without the box.
  runtime_.shell.PaintNow();  HandBackKeptEvents();
}

bool PrintingProgress::NextSheet(int sheet) {
  if (!shown_) return !stopped_;
  TakePendingInput();
  if (stopped_) return false;
  text_ = FormatMessageText(LoadString(strings::PRINTING_PAGE, runtime_.config.language), sheet);
  runtime_.trace.Line(TraceCategory::Tool, "tool IDD_Printing page " + std::to_string(sheet));
  Present();
  return true;
}

void PrintingProgress::Clicked(int controlId) {
  if (controlId == kCancelId) stopped_ = true;
}

void PrintingProgress::KeyDown(int virtualKey, int) {
  if (virtualKey == platform::vk::ESCAPE) stopped_ = true;
}

int PrintingProgress::ControlAt(int pageX, int pageY) const {
  for (const auto& control : View().controls) {
    if (pageX >= control.x && pageX < control.x + control.w && pageY >= control.y &&
        pageY < control.y + control.h) {
      return control.id;
    }
  }
  return 0;
}

// Only the box's button and Escape mean anything while sheets are drawn; other input is
// dropped. What is not input (the close box, the window's size and focus, menu commands) is kept
// and handed to the window once the job is over, as is the release of a press the box never saw
// (a tool window may hold that press). The close box also stops the job; after it, or after the
// end of an event script, input is not looked at again, so that the main loop still sees them.
void PrintingProgress::TakePendingInput() {
  if (inputOver_) return;
  platform::Event event;
  const int originX = runtime_.shell.window().originX();
  const int originY = runtime_.shell.window().originY();
  while (!stopped_ && runtime_.platform.PollEvent(event)) {
    switch (event.type) {
      case platform::EventType::ButtonDown:
        if (event.button == platform::MouseButton::Left) {
          pressedControl_ = ControlAt(event.x - originX, event.y - originY);
        }
        break;
      case platform::EventType::ButtonUp:
        if (event.button != platform::MouseButton::Left) break;
        if (pressedControl_ < 0) {
          kept_.push_back(event);
          break;
        }
        if (pressedControl_ > 0 &&
            ControlAt(event.x - originX, event.y - originY) == pressedControl_) {
          Clicked(pressedControl_);
        }
        pressedControl_ = -1;
        break;
      case platform::EventType::KeyDown:
        KeyDown(event.key, event.repeat);
        break;
      case platform::EventType::Close:
        kept_.push_back(event);
        inputOver_ = true;
        stopped_ = true;
        return;
      case platform::EventType::ScriptEnded:
        inputOver_ = true;
        return;
      case platform::EventType::Resized:
      case platform::EventType::Restored:
      case platform::EventType::Minimised:
      case platform::EventType::FocusLost:
      case platform::EventType::FocusGained:
      case platform::EventType::Exposed:
      case platform::EventType::Drop:
      case platform::EventType::MenuCommand:
        kept_.push_back(event);
        break;
      default:
        break;
    }
  }
}

// The kept events go to the window's queue in the order they came; they were taken before
// anything still waiting in the platform, and posted messages are handed out first.
void PrintingProgress::HandBackKeptEvents() {
  MessageQueue& queue = runtime_.shell.queue();
  for (const platform::Event& event : kept_) {
    switch (event.type) {
      case platform::EventType::Close: queue.Post(Msg::Close); break;
      case platform::EventType::FocusGained: queue.Post(Msg::SetFocus); break;
      case platform::EventType::FocusLost: queue.Post(Msg::KillFocus); break;
      case platform::EventType::Minimised: queue.Post(Msg::Size, SIZE_MINIMIZED); break;
      case platform::EventType::Resized:
      case platform::EventType::Restored: queue.Post(Msg::Size, SIZE_RESTORED); break;
      case platform::EventType::Exposed: queue.Invalidate(); break;
      case platform::EventType::MenuCommand: queue.Post(Msg::Command, event.command); break;
      // A posted message carries no position or path: the release ends a held press away from
      // everything, and a dropped file is not opened.
      case platform::EventType::ButtonUp: queue.Post(Msg::LButtonUp); break;
      default: break;
    }
  }
  kept_.clear();
}

// The window at once, the box over the page: the main loop does not run while sheets are drawn.
void PrintingProgress::Present() { runtime_.shell.PaintNow(); }

}  // namespace zd
