#include "platform/automation/event_script_driver.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "base/cp1253.h"
#include "platform/png_codec.h"

namespace zd::platform {
namespace {

const char* ContextName(InputContext context) {
  switch (context) {
    case InputContext::Window: return "the window";
    case InputContext::MessageBox: return "a message box";
    case InputContext::ButtonDialog: return "a dialog";
    case InputContext::FileDialog: return "a file dialog";
    case InputContext::PopupMenu: return "a popup menu";
    case InputContext::PrintDialog: return "the print dialog";
    case InputContext::PageSetupDialog: return "the page-setup dialog";
    case InputContext::FormDialog: return "a dialog";
  }
  return "?";
}

bool Fits(const ScriptCommand& cmd, InputContext context) {
  switch (cmd.kind) {
    case ScriptCommandKind::Answer:
      return context == InputContext::MessageBox || context == InputContext::ButtonDialog ||
             context == InputContext::PrintDialog || context == InputContext::PageSetupDialog ||
             context == InputContext::FormDialog;
    case ScriptCommandKind::Check:
    case ScriptCommandKind::Uncheck:
    case ScriptCommandKind::Edit: return context == InputContext::FormDialog;
    case ScriptCommandKind::Printer:
    case ScriptCommandKind::Pages:
    case ScriptCommandKind::Copies: return context == InputContext::PrintDialog;
    case ScriptCommandKind::Orientation:
      return context == InputContext::PrintDialog || context == InputContext::PageSetupDialog;
    case ScriptCommandKind::File: return context == InputContext::FileDialog;
    case ScriptCommandKind::Menu: return context == InputContext::PopupMenu;
    default: return false;
  }
}

DriverStep AnswerStep(const ScriptCommand& cmd) {
  DriverStep step;
  step.line = cmd.line;
  switch (cmd.kind) {
    case ScriptCommandKind::Answer:
      step.kind = DriverStep::Kind::Answer;
      step.number = cmd.number;
      break;
    case ScriptCommandKind::File:
      step.kind = DriverStep::Kind::File;
      step.number = cmd.number;
      if (!cmd.cancel) step.file = Utf8ToCp1253(cmd.text);
      break;
    case ScriptCommandKind::Printer:
    case ScriptCommandKind::Pages:
    case ScriptCommandKind::Copies:
    case ScriptCommandKind::Orientation:
    case ScriptCommandKind::Check:
    case ScriptCommandKind::Uncheck:
    case ScriptCommandKind::Edit:
      step.kind = DriverStep::Kind::Setting;
      step.setting = cmd;
      break;
    default:
      step.kind = DriverStep::Kind::Menu;
      step.number = cmd.cancel ? 0 : cmd.number;
      break;
  }
  return step;
}

}  // namespace

EventScriptDriver::EventScriptDriver(EventScript script, const Trace& trace)
    : script_(std::move(script)), trace_(trace) {}

std::string EventScriptDriver::Where(int line) const {
  return script_.fileName + ":" + std::to_string(line);
}

void EventScriptDriver::Fail(int line, const std::string& message) {
  if (!failed_) std::cerr << message << " (" << Where(line) << ")" << std::endl;
  failed_ = true;
  ended_ = true;
}

void EventScriptDriver::RecordMessage(const std::string& key, const std::string& text) {
  messages_.push_back({key, text});
}

DriverStep EventScriptDriver::TakeQueued(InputContext context) {
  for (auto it = queuedAnswers_.begin(); it != queuedAnswers_.end(); ++it) {
    if (Fits(*it, context)) {
      DriverStep step = AnswerStep(*it);
      queuedAnswers_.erase(it);
      return step;
    }
  }
  return DriverStep{};
}

DriverStep EventScriptDriver::EventStep(InputContext context, const Event& event, int line) {
  DriverStep step;
  step.line = line;
  const bool keyboard = event.type == EventType::KeyDown || event.type == EventType::KeyUp ||
                        event.type == EventType::Char;
  if (keyboard && keySink_ && keySink_(context, event)) {
    step.kind = DriverStep::Kind::Wait;
    step.ms = 0;
    return step;
  }
  step.kind = DriverStep::Kind::Event;
  step.event = event;
  return step;
}

DriverStep EventScriptDriver::Next(InputContext context, Platform& platform, Host* host) {
  if (ended_) return DriverStep{};
  if (!pendingEvents_.empty() && context != pendingContext_) {
    // The command's first event opened or closed a dialog. The rest of a key press is dropped
    // (the dialog took the key); pointer events cannot go on into a dialog.
    const EventType type = pendingEvents_.front().type;
    if (context != InputContext::Window &&
        (type == EventType::ButtonDown || type == EventType::ButtonUp ||
         type == EventType::MouseMove)) {
      Fail(pendingLine_, "event script: '" + pendingWord_ + "' cannot be taken while " +
                             ContextName(context) + " waits for an answer");
      return DriverStep{};
    }
    pendingEvents_.clear();
  }
  if (!pendingEvents_.empty()) {
    const Event event = pendingEvents_.front();
    pendingEvents_.pop_front();
    return EventStep(context, event, pendingLine_);
  }
  if (context != InputContext::Window) {
    DriverStep queued = TakeQueued(context);
    if (queued.kind != DriverStep::Kind::End) return queued;
  }

  while (next_ < script_.commands.size()) {
    const ScriptCommand& cmd = script_.commands[next_++];
    const auto refuse = [&]() {
      Fail(cmd.line, "event script: '" + cmd.word + "' cannot be taken while " +
                         ContextName(context) + " waits for an answer");
      return DriverStep{};
    };
    const auto emit = [&](Event event) {
      pendingEvents_.push_back(event);
      pendingContext_ = context;
      pendingLine_ = cmd.line;
      pendingWord_ = cmd.word;
    };
    const auto pointerEvent = [&](EventType type, MouseButton button) {
      int ox = 0, oy = 0;
      if (host) host->PageOrigin(ox, oy);
      Event e;
      e.type = type;
      e.button = button;
      e.x = cmd.x + ox;
      e.y = cmd.y + oy;
      emit(e);
    };

    switch (cmd.kind) {
      case ScriptCommandKind::Wait: {
        DriverStep step;
        step.kind = DriverStep::Kind::Wait;
        step.ms = cmd.ms;
        step.line = cmd.line;
        return step;
      }
      case ScriptCommandKind::Move:
      case ScriptCommandKind::Click:
      case ScriptCommandKind::RightClick:
      case ScriptCommandKind::Down:
      case ScriptCommandKind::Up:
        if (context != InputContext::Window) return refuse();
        // The pointer moves to the point first, as a real mouse would.
        pointerEvent(EventType::MouseMove, MouseButton::Left);
        if (cmd.kind == ScriptCommandKind::Click || cmd.kind == ScriptCommandKind::Down) {
          pointerEvent(EventType::ButtonDown, MouseButton::Left);
        }
        if (cmd.kind == ScriptCommandKind::Click || cmd.kind == ScriptCommandKind::Up) {
          pointerEvent(EventType::ButtonUp, MouseButton::Left);
        }
        if (cmd.kind == ScriptCommandKind::RightClick) {
          pointerEvent(EventType::ButtonDown, MouseButton::Right);
        }
        break;
      case ScriptCommandKind::Wheel:
        if (context != InputContext::Window) return refuse();
        pointerEvent(EventType::MouseMove, MouseButton::Left);
        pointerEvent(EventType::Wheel, MouseButton::Left);
        pendingEvents_.back().repeat = cmd.number;
        break;
      case ScriptCommandKind::Key: {
        Event e;
        e.type = EventType::KeyDown;
        e.key = cmd.key;
        e.modifiers = cmd.modifiers;
        if (cmd.key != 0) emit(e);
        if (cmd.character != 0 && !(cmd.modifiers & (modifier::CTRL | modifier::ALT))) {
          Event c;
          c.type = EventType::Char;
          c.character = cmd.character;
          emit(c);
        }
        e.type = EventType::KeyUp;
        if (cmd.key != 0) emit(e);
        break;
      }
      case ScriptCommandKind::Type:
        if (context == InputContext::PopupMenu) return refuse();
        for (char ch : cmd.text) {
          Event c;
          c.type = EventType::Char;
          c.character = static_cast<uint8_t>(ch);
          emit(c);
        }
        break;
      case ScriptCommandKind::Answer:
      case ScriptCommandKind::File:
      case ScriptCommandKind::Menu:
      case ScriptCommandKind::Printer:
      case ScriptCommandKind::Pages:
      case ScriptCommandKind::Copies:
      case ScriptCommandKind::Orientation:
      case ScriptCommandKind::Check:
      case ScriptCommandKind::Uncheck:
      case ScriptCommandKind::Edit:
        if (Fits(cmd, context)) return AnswerStep(cmd);
        queuedAnswers_.push_back(cmd);
        break;
      case ScriptCommandKind::Command: {
        if (context != InputContext::Window) return refuse();
        Event e;
        e.type = EventType::MenuCommand;
        e.command = cmd.number;
        emit(e);
        break;
      }
      case ScriptCommandKind::Screenshot:
        if (!Screenshot(cmd, platform, host)) return DriverStep{};
        break;
      case ScriptCommandKind::ExpectPage:
      case ScriptCommandKind::ExpectVar:
      case ScriptCommandKind::ExpectMessage:
        if (!Expect(cmd, host)) return DriverStep{};
        break;
      case ScriptCommandKind::Quit: {
        if (context != InputContext::Window) return refuse();
        Event e;
        e.type = EventType::Close;
        emit(e);
        break;
      }
      case ScriptCommandKind::Drop: {
        if (context != InputContext::Window) return refuse();
        Event e;
        e.type = EventType::Drop;
        e.text = cmd.text;
        emit(e);
        break;
      }
    }
    if (!pendingEvents_.empty()) {
      const Event event = pendingEvents_.front();
      pendingEvents_.pop_front();
      return EventStep(context, event, cmd.line);
    }
  }
  ended_ = true;
  trace_.Line(TraceCategory::Event, "events ended");
  for (const ScriptCommand& unused : queuedAnswers_) {
    std::cerr << "event script: the '" << unused.word << "' of " << Where(unused.line)
              << " was never taken by a dialog\n";
  }
  queuedAnswers_.clear();
  return DriverStep{};
}

bool EventScriptDriver::Screenshot(const ScriptCommand& cmd, Platform& platform, Host* host) {
  if (host) host->PaintNow();
  const auto picture = platform.WindowPicture();
  if (!picture) {
    Fail(cmd.line, "screenshot: nothing has been shown yet");
    return false;
  }
  std::string error;
  if (!WritePngRgb(cmd.text, *picture, error)) {
    Fail(cmd.line, "screenshot: " + error);
    return false;
  }
  trace_.Line(TraceCategory::File, "file written " + Utf8ToCp1253(cmd.text));
  return true;
}

bool EventScriptDriver::Expect(const ScriptCommand& cmd, Host* host) {
  const auto failWith = [&](const std::string& what) {
    Fail(cmd.line, "expect failed: " + Cp1253ToUtf8(what));
    return false;
  };
  switch (cmd.kind) {
    case ScriptCommandKind::ExpectPage: {
      const auto page = host ? host->CurrentPageName() : std::nullopt;
      if (!page) return failWith("page " + cmd.text + ": no page is shown");
      if (*page != cmd.text) return failWith("page " + cmd.text + ": the page is " + *page);
      return true;
    }
    case ScriptCommandKind::ExpectVar: {
      const auto value = host ? host->Variable(cmd.name) : std::nullopt;
      if (!value) return failWith("var " + cmd.name + ": no such variable");
      if (value->kind == ProbedVariable::Kind::Text) {
        if (value->text != cmd.text) {
          return failWith("var " + cmd.name + " is \"" + value->text + "\", not \"" + cmd.text +
                          "\"");
        }
        return true;
      }
      char* end = nullptr;
      const double wanted = std::strtod(cmd.text.c_str(), &end);
      if (cmd.text.empty() || *end != '\0') {
        return failWith("var " + cmd.name + ": '" + cmd.text + "' is not a number");
      }
      const double tolerance = 1e-9 * std::max(1.0, std::fabs(wanted));
      if (std::fabs(value->number - wanted) > tolerance) {
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.10g", value->number);
        return failWith("var " + cmd.name + " is " + shown + ", not " + cmd.text);
      }
      return true;
    }
    default: {
      bool found = false;
      for (const auto& m : messages_) {
        if (m.key.find(cmd.text) != std::string::npos ||
            m.text.find(cmd.text) != std::string::npos) {
          found = true;
        }
      }
      messages_.clear();
      if (!found) return failWith("message " + cmd.text + ": no such message was shown");
      return true;
    }
  }
}

}  // namespace zd::platform
