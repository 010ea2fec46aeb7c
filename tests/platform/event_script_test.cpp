#include "platform/automation/event_script.h"

#include <gtest/gtest.h>

#include "base/cp1253.h"
#include "platform/automation/event_script_driver.h"
#include "platform/headless/headless_platform.h"

namespace zd::platform {
namespace {

EventScript Parse(const std::string& text) {
  auto parsed = ParseEventScript(text, "s");
  EXPECT_TRUE(std::holds_alternative<EventScript>(parsed)) << std::get<std::string>(parsed);
  return std::get<EventScript>(parsed);
}

std::string Error(const std::string& text) {
  auto parsed = ParseEventScript(text, "s");
  return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
}

TEST(EventScript, ReadsEveryCommand) {
  const EventScript s = Parse(
      "# a comment\n\n  wait 250\r\nmove 1 2\nclick 3 4\nrclick 5 6\ndown 7 8\nup 9 10\n"
      "key Return\nkey Ctrl+O\nkey F12\nkey α\ntype Γειά σου\nanswer yes\nanswer 103\n"
      "file /tmp/x y\nfile -\nmenu 112\nmenu -\ncommand 101\nscreenshot a.png\n"
      "expect page Intro\nexpect var Name$ two words\nexpect var Empty$\n"
      "expect message crierr5\nquit\n");
  ASSERT_EQ(s.commands.size(), 24u);
  EXPECT_EQ(s.commands[0].ms, 250u);
  EXPECT_EQ(s.commands[0].line, 3);
  EXPECT_EQ(s.commands[2].kind, ScriptCommandKind::Click);
  EXPECT_EQ(s.commands[2].y, 4);
  EXPECT_EQ(s.commands[6].key, vk::RETURN);
  EXPECT_EQ(s.commands[7].key, 'O');
  EXPECT_EQ(s.commands[7].modifiers, modifier::CTRL);
  EXPECT_EQ(s.commands[8].key, vk::F12);
  EXPECT_EQ(static_cast<uint8_t>(s.commands[9].character), 0xE1);  // Greek alpha, code page 1253
  EXPECT_EQ(s.commands[10].text, Utf8ToCp1253("Γειά σου"));
  EXPECT_EQ(s.commands[11].number, answer::YES);
  EXPECT_EQ(s.commands[12].number, 103);
  EXPECT_EQ(s.commands[13].text, "/tmp/x y");
  EXPECT_TRUE(s.commands[14].cancel);
  EXPECT_TRUE(s.commands[16].cancel);
  EXPECT_EQ(s.commands[17].kind, ScriptCommandKind::Command);
  EXPECT_EQ(s.commands[20].name, "Name$");
  EXPECT_EQ(s.commands[20].text, "two words");
  EXPECT_EQ(s.commands[21].text, "");
}

TEST(EventScript, AByteOrderMarkIsNoCommand) {
  EXPECT_EQ(Parse("\xEF\xBB\xBFwait 5\n").commands.size(), 1u);
}

TEST(EventScript, RefusesMalformedLinesWithTheirNumbers) {
  const std::string waitNeeds = "'wait' needs a number of milliseconds (at most 2147483647)";
  EXPECT_EQ(Error("wait\n"), "s:1: " + waitNeeds);
  EXPECT_EQ(Error("wait 10\nwait -5\n"), "s:2: " + waitNeeds);
  EXPECT_EQ(Error("wait 2147483648\n"), "s:1: " + waitNeeds);  // would wrap the clock
  EXPECT_EQ(Error("click -2147483648 0\n"), "s:1: 'click' needs X and Y within 100000 of the page");
  EXPECT_EQ(Error("move 1\n"), "s:1: 'move' needs two whole numbers X Y");
  EXPECT_EQ(Error("click 1 2 3\n"), "s:1: 'click' needs two whole numbers X Y");
  EXPECT_EQ(Error("key\n"), "s:1: unknown key ''");
  EXPECT_EQ(Error("key F13\n"), "s:1: unknown key 'F13'");
  EXPECT_EQ(Error("answer maybe\n"), "s:1: 'answer' needs ok, cancel, yes, no or a button number");
  EXPECT_EQ(Error("menu 0\n"), "s:1: 'menu' needs a command number or -");
  EXPECT_EQ(Error("file\n"), "s:1: 'file' needs a path, or - to cancel");
  EXPECT_EQ(Error("expect nothing\n"), "s:1: 'expect' needs page, var or message, not 'nothing'");
  EXPECT_EQ(Error("quit now\n"), "s:1: 'quit' takes nothing");
  const std::string wheelNeeds = "s:1: 'wheel' needs X Y and a number of lines from -100 to 100, not 0";
  EXPECT_EQ(Error("wheel 1 2 0\n"), wheelNeeds);
  EXPECT_EQ(Error("wheel 1 2 101\n"), wheelNeeds);
  EXPECT_EQ(Error("wheel 1 2\n"), "s:1: 'wheel' needs two whole numbers X Y");
  const EventScript wheel = Parse("wheel 5 6 -3\n");
  ASSERT_EQ(wheel.commands.size(), 1u);
  EXPECT_EQ(wheel.commands[0].kind, ScriptCommandKind::Wheel);
  EXPECT_EQ(wheel.commands[0].y, 6);
  EXPECT_EQ(wheel.commands[0].number, -3);
  EXPECT_EQ(Error("\n\n\nfly 1 2\n"), "s:4: unknown command 'fly'");
  EXPECT_EQ(Error(std::string(100000, 'x') + "\n"),
            "s:1: unknown command '" + std::string(100000, 'x') + "'");
}

TEST(EventScriptDriver, AnswersWaitForTheirDialogAndPointerCommandsWaitForTheWindow) {
  Trace trace;
  EventScriptDriver driver(Parse("answer no\nfile /a\nclick 5 5\nmenu 119\n"), trace);
  auto platform = MakeHeadlessPlatform({}, trace, &driver);
  // Early answers are kept for their dialogs; the click is the window's.
  DriverStep step = driver.Next(InputContext::Window, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Event);
  EXPECT_EQ(step.event.type, EventType::MouseMove);
  EXPECT_EQ(driver.Next(InputContext::Window, *platform, nullptr).event.type,
            EventType::ButtonDown);
  EXPECT_EQ(driver.Next(InputContext::Window, *platform, nullptr).event.type, EventType::ButtonUp);
  step = driver.Next(InputContext::FileDialog, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::File);
  EXPECT_EQ(step.file, "/a");
  step = driver.Next(InputContext::MessageBox, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Answer);
  EXPECT_EQ(step.number, answer::NO);
  step = driver.Next(InputContext::PopupMenu, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Menu);
  EXPECT_EQ(step.number, 119);
  EXPECT_EQ(driver.Next(InputContext::Window, *platform, nullptr).kind, DriverStep::Kind::End);
  EXPECT_FALSE(driver.failed());

  EventScriptDriver refusing(Parse("click 1 1\n"), trace);
  EXPECT_EQ(refusing.Next(InputContext::MessageBox, *platform, nullptr).kind,
            DriverStep::Kind::End);
  EXPECT_TRUE(refusing.failed());
}

TEST(HeadlessPlatform, TheVirtualClockMovesOnlyWhenTheScriptWaits) {
  Trace trace;
  EventScriptDriver driver(Parse("wait 35\nkey Space\n"), trace);
  HeadlessOptions options;
  options.startTicks = 1000;
  options.clock = LocalTime{2001, 2, 28, 23, 59, 59};
  auto platform = MakeHeadlessPlatform(options, trace, &driver);
  EXPECT_EQ(platform->TickCount(), 1000u);
  Event e;
  EXPECT_FALSE(platform->PollEvent(e));
  EXPECT_EQ(platform->TickCount(), 1000u);
  EXPECT_FALSE(platform->WaitEvent(e, 1010));  // a timer deadline comes first
  EXPECT_EQ(platform->TickCount(), 1010u);
  EXPECT_TRUE(platform->WaitEvent(e, std::nullopt));
  EXPECT_EQ(platform->TickCount(), 1035u);
  EXPECT_EQ(e.type, EventType::KeyDown);
  EXPECT_EQ(e.time, 1035u);
  const LocalTime now = platform->Now();
  EXPECT_EQ(now.month, 2);
  EXPECT_EQ(now.second, 59);
}

}  // namespace
}  // namespace zd::platform
