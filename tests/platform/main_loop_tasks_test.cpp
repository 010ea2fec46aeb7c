// Work posted from other threads runs on the main loop's thread, at its next turn, in order;
// a headless loop runs it before letting any virtual time pass.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <variant>
#include <vector>

#include "platform/automation/event_script.h"
#include "platform/headless/headless_platform.h"
#include "shell/message_queue.h"

namespace zd {
namespace {

TEST(MainLoopTasks, WorkFromAnotherThreadRunsOnTheLoopThreadInOrderAndWakesIt) {
  std::atomic<int> nudges = 0;
  platform::MainLoopTasks tasks([&] { ++nudges; });
  std::vector<int> order;
  std::vector<std::thread::id> ranOn;
  std::thread decoder([&] {
    for (int i = 0; i < 3; ++i) {
      tasks.Post([&, i] {
        order.push_back(i);
        ranOn.push_back(std::this_thread::get_id());
      });
    }
    tasks.Wake();
  });
  decoder.join();
  EXPECT_EQ(nudges, 4) << "every post and wake nudges a sleeping loop";
  EXPECT_TRUE(order.empty()) << "nothing runs before the loop's turn";
  ASSERT_TRUE(tasks.HasPending());
  tasks.RunPending();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  for (auto id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
  EXPECT_FALSE(tasks.HasPending()) << "a wake is used up by the turn it caused";

  // Work posted by work waits for the next turn, so a task that posts itself cannot hold the
  // loop.
  int runs = 0;
  std::function<void()> again = [&] {
    ++runs;
    tasks.Post(again);
  };
  tasks.Post(again);
  tasks.RunPending();
  tasks.RunPending();
  EXPECT_EQ(runs, 2);
}

TEST(MainLoopTasks, HeadlessLoopRunsPostedWorkBeforeTimeMoves) {
  Trace trace;
  auto parsed = platform::ParseEventScript("wait 1000\n", "events");
  platform::EventScriptDriver driver(std::move(std::get<platform::EventScript>(parsed)), trace);
  auto platform = platform::MakeHeadlessPlatform({}, trace, &driver);
  MessageQueue queue(*platform);
  queue.SetTimer(1, 500);

  uint32_t ranAt = UINT32_MAX;
  std::thread([&] { platform->Tasks().Post([&] { ranAt = platform->TickCount(); }); }).join();
  queue.Wait();  // would sleep until the timer; the work is waiting instead
  EXPECT_EQ(platform->TickCount(), 0u);
  WindowMessage m;
  EXPECT_FALSE(queue.Peek(m)) << "no message: the work ran in the turn";
  EXPECT_EQ(ranAt, 0u);
  // With nothing posted the loop sleeps until the timer, as before.
  queue.Wait();
  ASSERT_TRUE(queue.Peek(m));
  EXPECT_EQ(m.id, Msg::Timer);
  EXPECT_EQ(platform->TickCount(), 500u);
}

}  // namespace
}  // namespace zd
