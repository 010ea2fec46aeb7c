#include "shell/message_queue.h"

#include <algorithm>

namespace zd {
void MessageQueue::Post(Msg id, int64_t wParam, int64_t lParam) {
  WindowMessage m;
  m.id = id;
  m.wParam = wParam;
  m.lParam = lParam;
  posted_.push_back(m);
}

void MessageQueue::SetTimer(int id, uint32_t intervalMs) {
  KillTimer(id);
  timers_.push_back({id, intervalMs, platform_.TickCount() + intervalMs});
}

void MessageQueue::KillTimer(int id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [id](const Timer& t) { return t.id == id; }),
                timers_.end());
}

std::optional<uint32_t> MessageQueue::NextTimerDue() const {
  std::optional<uint32_t> soonest;
  for (const Timer& t : timers_) {
    if (!soonest || platform::TickBefore(t.due, *soonest)) soonest = t.due;
  }
  return soonest;
}

bool MessageQueue::Peek(WindowMessage& message) {
  RunPostedTasks();
  return TakePosted(message) || TakeInput(message, true) || TakePaint(message) ||
         TakeTimer(message);
}

bool MessageQueue::PeekBackground(WindowMessage& message) {
  RunPostedTasks();
  return TakePosted(message) || TakePaint(message) || TakeTimer(message);
}

void MessageQueue::RunPostedTasks() {
  platform::MainLoopTasks& tasks = platform_.Tasks();
  if (tasks.HasPending()) tasks.RunPending();
}

void MessageQueue::Wait() {
  if (!input_.empty() || !posted_.empty() || invalid_ || platform_.Tasks().HasPending()) return;
  platform::Event event;
  if (platform_.WaitEvent(event, NextTimerDue())) {
    WindowMessage m;
    if (Translate(event, m)) input_.push_back(m);
  }
}

void MessageQueue::DiscardClicks() {
  platform_.DiscardPendingClicks();
  std::erase_if(input_, [](const WindowMessage& m) {
    return m.id == Msg::LButtonDown || m.id == Msg::LButtonUp;
  });
}

bool MessageQueue::TakePosted(WindowMessage& message) {
  if (posted_.empty()) return false;
  message = posted_.front();
  posted_.pop_front();
  message.time = platform_.TickCount();
  return true;
}

bool MessageQueue::TakeInput(WindowMessage& message, bool poll) {
  if (input_.empty() && poll) {
    platform::Event event;
    while (input_.empty() && platform_.PollEvent(event)) {
      WindowMessage m;
      if (Translate(event, m)) input_.push_back(m);
    }
  }
  if (input_.empty()) return false;
  message = input_.front();
  input_.pop_front();
  return true;
}

bool MessageQueue::TakePaint(WindowMessage& message) {
  if (!invalid_) return false;
  invalid_ = false;
  message = WindowMessage{};
  message.id = Msg::Paint;
  message.time = platform_.TickCount();
  return true;
}

bool MessageQueue::TakeTimer(WindowMessage& message) {
  const uint32_t now = platform_.TickCount();
  for (Timer& t : timers_) {
    if (!platform::TickBefore(now, t.due)) {
      // One timer message at a time, however late: the next falls due an interval from now.
      t.due = now + t.interval;
      message = WindowMessage{};
      message.id = Msg::Timer;
      message.wParam = t.id;
      message.time = now;
      return true;
    }
  }
  return false;
}

bool MessageQueue::Translate(const platform::Event& event, WindowMessage& m) {
  using platform::EventType;
  m = WindowMessage{};
  m.time = event.time;
  m.x = event.x;
  m.y = event.y;
  m.modifiers = event.modifiers;
  switch (event.type) {
    case EventType::MouseMove: m.id = Msg::MouseMove; return true;
    case EventType::ButtonDown:
      if (event.button == platform::MouseButton::Left) m.id = Msg::LButtonDown;
      else if (event.button == platform::MouseButton::Right) m.id = Msg::RButtonDown;
      else return false;
      return true;
    case EventType::Wheel:
      m.id = Msg::MouseWheel;
      m.wParam = event.repeat;
      return true;
    case EventType::ButtonUp:
      if (event.button != platform::MouseButton::Left) return false;
      m.id = Msg::LButtonUp;
      return true;
    case EventType::KeyDown:
      m.id = Msg::KeyDown;
      m.wParam = event.key;
      m.lParam = event.repeat;
      return true;
    case EventType::KeyUp:
      m.id = Msg::KeyUp;
      m.wParam = event.key;
      return true;
    case EventType::Char:
      m.id = Msg::Char;
      m.wParam = event.character;
      return true;
    case EventType::Close: m.id = Msg::Close; return true;
    case EventType::FocusGained: m.id = Msg::SetFocus; return true;
    case EventType::FocusLost: m.id = Msg::KillFocus; return true;
    case EventType::Minimised:
      m.id = Msg::Size;
      m.wParam = SIZE_MINIMIZED;
      return true;
    case EventType::Restored:
    case EventType::Resized:
      m.id = Msg::Size;
      m.wParam = SIZE_RESTORED;
      platform_.ClientSize(m.x, m.y);
      return true;
    case EventType::Exposed:
      invalid_ = true;
      return false;
    case EventType::MenuCommand:
      m.id = Msg::Command;
      m.wParam = event.command;
      return true;
    case EventType::ScriptEnded: m.id = Msg::EventsEnded; return true;
    case EventType::Drop:
      m.id = Msg::DropFiles;
      m.text = event.text;
      return true;
  }
  return false;
}

}  // namespace zd
