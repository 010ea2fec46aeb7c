// The main window's message queue: posted messages, input from the platform, painting and
// timers, taken in that order as the original platform's queue handed them out.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "shell/window_messages.h"

namespace zd {

class MessageQueue {
 public:
  explicit MessageQueue(platform::Platform& platform) : platform_(platform) {}

  void Post(Msg id, int64_t wParam = 0, int64_t lParam = 0);
  void PostQuit(int value) { Post(Msg::Quit, value); }
  void SetTimer(int id, uint32_t intervalMs);
  void KillTimer(int id);
  // Marks the whole window for repainting; the paint message comes when nothing else waits.
  void Invalidate() { invalid_ = true; }
  bool invalid() const { return invalid_; }
  void Validate() { invalid_ = false; }
  // Drops the left-button messages waiting, here and in the platform: clicks made while a page
  // loaded.
  void DiscardClicks();

  // Takes the next message without blocking. Work other threads posted to the platform's
  // main-loop tasks runs first.
  bool Peek(WindowMessage& message);
  // The same without input, for modal loops that take the input themselves.
  bool PeekBackground(WindowMessage& message);
  // Blocks until input arrives, a timer falls due or work is posted.
  void Wait();
  std::optional<uint32_t> NextTimerDue() const;

 private:
  void RunPostedTasks();
  bool TakePosted(WindowMessage& message);
  bool TakeInput(WindowMessage& message, bool poll);
  bool TakePaint(WindowMessage& message);
  bool TakeTimer(WindowMessage& message);
  bool Translate(const platform::Event& event, WindowMessage& message);

  struct Timer {
    int id;
    uint32_t interval;
    uint32_t due;
  };

  platform::Platform& platform_;
  std::deque<WindowMessage> posted_;
  std::deque<WindowMessage> input_;
  std::vector<Timer> timers_;
  bool invalid_ = false;
};

}  // namespace zd
