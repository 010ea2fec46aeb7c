#include "shell/message_queue.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <variant>

#include "platform/automation/event_script.h"
#include "platform/headless/headless_platform.h"

namespace zd {
namespace {

struct Queue {
  explicit Queue(const std::string& events) {
    auto parsed = platform::ParseEventScript(events, "events");
    driver = std::make_unique<platform::EventScriptDriver>(
        std::move(std::get<platform::EventScript>(parsed)), trace);
    platform = platform::MakeHeadlessPlatform({}, trace, driver.get());
    queue = std::make_unique<MessageQueue>(*platform);
  }
  Trace trace;
  std::unique_ptr<platform::EventScriptDriver> driver;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<MessageQueue> queue;
};

TEST(MessageQueue, PostedThenInputThenPaintThenTimers) {
  Queue q("key A\nwait 1000\n");
  q.queue->SetTimer(1, 0);  // due at once, and again at once after each message
  q.queue->Invalidate();
  q.queue->Post(Msg::StartTitle);
  std::vector<Msg> order;
  WindowMessage m;
  while (order.size() < 6 && q.queue->Peek(m)) order.push_back(m.id);
  // The key comes as key down, character and key up.
  const std::vector<Msg> expected = {Msg::StartTitle, Msg::KeyDown, Msg::Char,
                                     Msg::KeyUp,      Msg::Paint,   Msg::Timer};
  EXPECT_EQ(order, expected);
}

TEST(MessageQueue, PaintAndTimersComeOnlyWhenNothingElseWaits) {
  Queue q("wait 1000\n");
  q.queue->SetTimer(1, 10);
  q.queue->Invalidate();
  WindowMessage m;
  ASSERT_TRUE(q.queue->Peek(m));
  EXPECT_EQ(m.id, Msg::Paint);
  EXPECT_FALSE(q.queue->Peek(m)) << "one paint per invalidation, and no timer due yet";
  // Waiting through 100 ms of virtual time gives exactly one timer message every 10 ms.
  int ticks = 0;
  while (q.platform->TickCount() < 100) {
    q.queue->Wait();
    while (q.queue->Peek(m)) {
      if (m.id == Msg::Timer) {
        EXPECT_EQ(m.time % 10, 0u);
        ++ticks;
      }
    }
  }
  EXPECT_EQ(ticks, 10);
}

TEST(MessageQueue, ALateTimerGivesOneMessageNotAPile) {
  Queue q("wait 1000\n");
  q.queue->SetTimer(7, 10);
  q.queue->KillTimer(7);
  EXPECT_FALSE(q.queue->NextTimerDue());
  q.queue->SetTimer(1, 10);
  platform::Event e;
  q.platform->PollEvent(e);  // starts the script's wait
  q.platform->WaitEvent(e, 95);
  WindowMessage m;
  int timers = 0;
  while (q.queue->Peek(m)) timers += m.id == Msg::Timer;
  EXPECT_EQ(timers, 1);
  EXPECT_EQ(q.queue->NextTimerDue(), 105u);
}

TEST(MessageQueue, ClicksWaitingWhenAPageHasLoadedAreDropped) {
  Queue q("down 5 5\nup 5 5\nkey A\nwait 1000\n");
  WindowMessage m;
  ASSERT_TRUE(q.queue->Peek(m));
  EXPECT_EQ(m.id, Msg::MouseMove);
  q.queue->Wait();  // the press is taken from the platform and waits in the queue
  q.queue->DiscardClicks();
  std::vector<Msg> rest;
  while (q.queue->Peek(m)) rest.push_back(m.id);
  // The release came later than the load and stays; pointer moves and keys always stay.
  const std::vector<Msg> expected = {Msg::MouseMove, Msg::LButtonUp, Msg::KeyDown, Msg::Char,
                                     Msg::KeyUp};
  EXPECT_EQ(rest, expected);
}

TEST(MessageQueue, OnlyClicksAreDroppedFromWhatWaitsInTheQueue) {
  const auto rest = [](Queue& q) {
    WindowMessage m;
    std::vector<Msg> ids;
    while (q.queue->Peek(m)) ids.push_back(m.id);
    return ids;
  };
  {
    Queue q("key A\nwait 1000\n");
    q.queue->Wait();  // the key press waits in the queue
    q.queue->DiscardClicks();
    const std::vector<Msg> expected = {Msg::KeyDown, Msg::Char, Msg::KeyUp};
    EXPECT_EQ(rest(q), expected);
  }
  {
    Queue q("up 5 5\nwait 1000\n");
    WindowMessage m;
    ASSERT_TRUE(q.queue->Peek(m));
    EXPECT_EQ(m.id, Msg::MouseMove);
    q.queue->Wait();  // the release waits in the queue
    q.queue->DiscardClicks();
    EXPECT_TRUE(rest(q).empty());
  }
}

TEST(MessageQueue, WorkPostedFromOtherThreadsRunsWhileADialogWaitsToo) {
  Queue q("wait 1000\n");
  int ran = 0;
  q.platform->Tasks().Post([&] { ++ran; });
  WindowMessage m;
  q.queue->PeekBackground(m);  // what a dialog's loop asks for
  EXPECT_EQ(ran, 1);
  q.platform->Tasks().Post([&] { ++ran; });
  q.queue->Peek(m);
  EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace zd
