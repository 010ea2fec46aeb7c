#include "platform/automation/event_script.h"

#include <gtest/gtest.h>

#include <sstream>

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
      "expect message crierr5\nquit\ndrop /home/ann/Τίτλοι/moss dir/AUTHORFI \n");
  ASSERT_EQ(s.commands.size(), 25u);
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
  // A dropped path is kept as written (UTF-8), inner blanks and all.
  EXPECT_EQ(s.commands[24].kind, ScriptCommandKind::Drop);
  EXPECT_EQ(s.commands[24].text, "/home/ann/Τίτλοι/moss dir/AUTHORFI");
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
  EXPECT_EQ(Error("drop\n"), "s:1: 'drop' needs a path");
  EXPECT_EQ(Error("drop   \n"), "s:1: 'drop' needs a path");
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

TEST(EventScript, AFileTypeGoesWithTheNextFileAnswerOnly) {
  const EventScript s = Parse("filetype 2\nwait 5\nfile /a/b\nfile /a/c\n");
  ASSERT_EQ(s.commands.size(), 3u);  // filetype is no step of its own
  EXPECT_EQ(s.commands[1].kind, ScriptCommandKind::File);
  EXPECT_EQ(s.commands[1].number, 1);  // counted from 0 inside, from 1 as written
  EXPECT_EQ(s.commands[2].number, 0);
  const std::string needs = "'filetype' needs a type number from 1 (the first type listed)";
  EXPECT_EQ(Error("filetype 0\nfile /a\n"), "s:1: " + needs);
  EXPECT_EQ(Error("filetype two\nfile /a\n"), "s:1: " + needs);
  EXPECT_EQ(Error("filetype 1 2\nfile /a\n"), "s:1: " + needs);
  EXPECT_EQ(Error("filetype 1\nfiletype 2\nfile /a\n"),
            "s:2: 'filetype' is already given for the next 'file'");
  EXPECT_EQ(Error("wait 1\nfiletype 2\nwait 1\n"), "s:2: 'filetype' needs a 'file' after it");

  Trace trace;
  EventScriptDriver driver(Parse("filetype 2\nfile /a\n"), trace);
  auto platform = MakeHeadlessPlatform({}, trace, &driver);
  const DriverStep step = driver.Next(InputContext::FileDialog, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::File);
  EXPECT_EQ(step.number, 1);
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

TEST(EventScriptDriver, KeysReachMenusAndABackendMayTakeThemForItsWidgets) {
  Trace trace;
  auto platform = MakeHeadlessPlatform({}, trace, nullptr);
  // Headless, a popup menu hears keys as steps (Escape closes it).
  EventScriptDriver plain(Parse("key Escape\ndrop /t/a\n"), trace);
  DriverStep step = plain.Next(InputContext::PopupMenu, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Event);
  EXPECT_EQ(step.event.key, vk::ESCAPE);
  EXPECT_FALSE(plain.failed());
  // A drop is the window's, not a dialog's.
  EXPECT_EQ(plain.Next(InputContext::MessageBox, *platform, nullptr).kind, DriverStep::Kind::End);
  EXPECT_TRUE(plain.failed());

  // A backend with widgets takes the keys it wants as real presses; the script then waits 0 ms
  // so that a frame is drawn between press and release.
  EventScriptDriver widgets(Parse("key Down\nkey Ctrl+O\ndrop /t/a b\n"), trace);
  std::vector<std::pair<InputContext, EventType>> taken;
  widgets.SetKeySink([&](InputContext context, const Event& event) {
    if (context != InputContext::FileDialog) return false;
    taken.emplace_back(context, event.type);
    return true;
  });
  step = widgets.Next(InputContext::FileDialog, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Wait);
  EXPECT_EQ(step.ms, 0u);
  EXPECT_EQ(widgets.Next(InputContext::FileDialog, *platform, nullptr).kind, DriverStep::Kind::Wait);
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].second, EventType::KeyDown);
  EXPECT_EQ(taken[1].second, EventType::KeyUp);
  // In the window the sink declines: the keys are the page's.
  step = widgets.Next(InputContext::Window, *platform, nullptr);
  EXPECT_EQ(step.kind, DriverStep::Kind::Event);
  EXPECT_EQ(step.event.key, 'O');
  EXPECT_EQ(step.event.modifiers, modifier::CTRL);
  EXPECT_EQ(widgets.Next(InputContext::Window, *platform, nullptr).event.type, EventType::KeyUp);
  step = widgets.Next(InputContext::Window, *platform, nullptr);
  EXPECT_EQ(step.event.type, EventType::Drop);
  EXPECT_EQ(step.event.text, "/t/a b");
  EXPECT_FALSE(widgets.failed());
}

TEST(HeadlessPlatform, FullScreenFollowsTheScalingModeAndTellsTheRuntime) {
  std::ostringstream out;
  Trace trace(&out, Trace::kAll);
  EventScriptDriver driver(Parse("drop /titles/moss/AUTHORFI\n"), trace);
  HeadlessOptions options;
  options.screen.width = 1024;
  options.screen.height = 768;
  auto platform = MakeHeadlessPlatform(options, trace, &driver);
  WindowSpec full;
  full.style = WindowStyle::FullScreen;
  platform->OpenWindow(full);
  int width = 0, height = 0;
  platform->ClientSize(width, height);
  EXPECT_EQ(width, 1024);
  // Smoothed, the page alone fills the screen: the client area becomes the page's size.
  platform->SetScaling(Scaling::Smooth);
  platform->ClientSize(width, height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  Event e;
  ASSERT_TRUE(platform->PollEvent(e));
  EXPECT_EQ(e.type, EventType::Resized);
  EXPECT_EQ(e.width, 640);
  EXPECT_EQ(e.height, 480);
  // Stretch keeps that size: nothing to tell. Back to sharp gives the whole screen again.
  platform->SetScaling(Scaling::Stretch);
  platform->SetScaling(Scaling::Sharp);
  ASSERT_TRUE(platform->PollEvent(e));
  EXPECT_EQ(e.type, EventType::Resized);
  EXPECT_EQ(e.width, 1024);
  EXPECT_EQ(e.height, 768);
  // A window keeps its client size whatever the mode; a later full screen follows the mode.
  WindowSpec window;
  window.style = WindowStyle::Captioned;
  platform->SetWindow(window);
  platform->SetScaling(Scaling::Stretch);
  platform->WindowSize(width, height);
  EXPECT_EQ(width, 640);
  platform->SetWindow(full);
  platform->ClientSize(width, height);
  EXPECT_EQ(width, 640);
  // The script's drop comes as the window's Drop event with its path.
  ASSERT_TRUE(platform->PollEvent(e));
  EXPECT_EQ(e.type, EventType::Drop);
  EXPECT_EQ(e.text, "/titles/moss/AUTHORFI");
  EXPECT_EQ(out.str(),
            "window open fullscreen 1024x768\n"
            "window scaling smooth\n"
            "window scaling stretch\n"
            "window scaling sharp\n"
            "window change captioned 640x480\n"
            "window scaling stretch\n"
            "window change fullscreen 640x480\n");
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
