// How dialogs take an event script's answers: one set of rules for the window and headless
// backends, so a script that answers a dialog in one answers it the same way in the other.
#include "platform/modal_answers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zd::platform {
namespace {

DriverStep Answer(int number) {
  DriverStep step;
  step.kind = DriverStep::Kind::Answer;
  step.number = number;
  return step;
}

DriverStep Key(uint16_t key) {
  DriverStep step;
  step.kind = DriverStep::Kind::Event;
  step.event.type = EventType::KeyDown;
  step.event.key = key;
  return step;
}

DriverStep MenuChoice(int id) {
  DriverStep step;
  step.kind = DriverStep::Kind::Menu;
  step.number = id;
  return step;
}

struct Script {
  Trace trace;
  EventScriptDriver driver{EventScript{}, trace};
};

TEST(ModalAnswers, MessageBoxesTakeOnlyTheAnswersTheyOffer) {
  MessageBoxSpec question;
  question.buttons = MessageButtons::YesNo;
  question.defaultAnswer = answer::NO;
  Script s;
  int result = 0;
  EXPECT_TRUE(TakeMessageBoxStep(Answer(answer::YES), question, s.driver, result));
  EXPECT_EQ(result, answer::YES);
  // Return gives the default; Escape answers a question No, whatever its default.
  EXPECT_TRUE(TakeMessageBoxStep(Key(vk::RETURN), question, s.driver, result));
  EXPECT_EQ(result, answer::NO);
  question.defaultAnswer = answer::YES;
  EXPECT_TRUE(TakeMessageBoxStep(Key(vk::RETURN), question, s.driver, result));
  EXPECT_EQ(result, answer::YES);
  EXPECT_TRUE(TakeMessageBoxStep(Key(vk::ESCAPE), question, s.driver, result));
  EXPECT_EQ(result, answer::NO);
  EXPECT_FALSE(TakeMessageBoxStep(Key('Y'), question, s.driver, result));
  EXPECT_FALSE(s.driver.failed());
  // An answer the box lacks fails the script.
  EXPECT_FALSE(TakeMessageBoxStep(Answer(answer::OK), question, s.driver, result));
  EXPECT_TRUE(s.driver.failed());

  MessageBoxSpec notice;  // a lone OK: Escape dismisses it
  Script t;
  EXPECT_TRUE(TakeMessageBoxStep(Key(vk::ESCAPE), notice, t.driver, result));
  EXPECT_EQ(result, answer::OK);
  EXPECT_FALSE(TakeMessageBoxStep(Answer(answer::YES), notice, t.driver, result));
  EXPECT_TRUE(t.driver.failed());
}

TEST(ModalAnswers, ButtonDialogsMapOkAndCancelToTheirDefaultAndCloseButtons) {
  ButtonDialogSpec resume;
  resume.name = "IDD_Resume";
  resume.buttons = {{10, "&Yes"}, {11, "&No"}};
  resume.defaultId = 10;
  resume.closeId = 11;
  Script s;
  int result = 0;
  EXPECT_TRUE(TakeButtonDialogStep(Answer(11), resume, s.driver, result));
  EXPECT_EQ(result, 11);
  EXPECT_TRUE(TakeButtonDialogStep(Answer(answer::OK), resume, s.driver, result));
  EXPECT_EQ(result, 10);
  EXPECT_TRUE(TakeButtonDialogStep(Answer(answer::CANCEL), resume, s.driver, result));
  EXPECT_EQ(result, 11);
  EXPECT_TRUE(TakeButtonDialogStep(Key(vk::ESCAPE), resume, s.driver, result));
  EXPECT_EQ(result, 11);
  EXPECT_FALSE(s.driver.failed());
  EXPECT_FALSE(TakeButtonDialogStep(Answer(12), resume, s.driver, result));
  EXPECT_TRUE(s.driver.failed());

  resume.closeId = 0;  // nothing to close with: Escape does nothing
  Script t;
  EXPECT_FALSE(TakeButtonDialogStep(Key(vk::ESCAPE), resume, t.driver, result));
  EXPECT_FALSE(t.driver.failed());
}

TEST(ModalAnswers, PopupMenusTakeEnabledEntriesOrNothing) {
  PopupMenuSpec menu;
  menu.items = {{112, "Save object", "", false}, {0, "", "", true}, {118, "Exit", "", true}};
  Script s;
  int result = -1;
  EXPECT_TRUE(TakePopupMenuStep(MenuChoice(118), menu, s.driver, result));
  EXPECT_EQ(result, 118);
  EXPECT_TRUE(TakePopupMenuStep(MenuChoice(0), menu, s.driver, result));
  EXPECT_EQ(result, 0);
  // Without a highlight to move, Return chooses nothing here; Escape closes with nothing.
  EXPECT_FALSE(TakePopupMenuStep(Key(vk::RETURN), menu, s.driver, result));
  result = -1;
  EXPECT_TRUE(TakePopupMenuStep(Key(vk::ESCAPE), menu, s.driver, result));
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(s.driver.failed());
  EXPECT_FALSE(TakePopupMenuStep(MenuChoice(112), menu, s.driver, result));  // greyed
  EXPECT_TRUE(s.driver.failed());
}

TEST(ModalAnswers, FileDialogsTakeAPathOfATypeTheyListOrACancel) {
  Script s;
  FileDialogSpec dialog;
  dialog.filters = {{"Status files (*.ZDS)", "*.ZDS"}, {"All files (*.*)", "*.*"}};
  std::optional<FileChoice> chosen;
  int result = 0;
  DriverStep file;
  file.kind = DriverStep::Kind::File;
  file.file = "/titles/moss/authorfi";
  EXPECT_TRUE(TakeFileDialogStep(file, dialog, s.driver, chosen, result));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->path, "/titles/moss/authorfi");
  EXPECT_EQ(chosen->filter, 0);
  EXPECT_EQ(result, answer::OK);
  file.number = 1;  // the second type listed
  EXPECT_TRUE(TakeFileDialogStep(file, dialog, s.driver, chosen, result));
  EXPECT_EQ(chosen->filter, 1);
  EXPECT_TRUE(TakeFileDialogStep(Key(vk::ESCAPE), dialog, s.driver, chosen, result));
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_EQ(result, answer::CANCEL);
  file.file.reset();
  chosen = FileChoice{"stale"};
  EXPECT_TRUE(TakeFileDialogStep(file, dialog, s.driver, chosen, result));
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_FALSE(TakeFileDialogStep(Answer(answer::OK), dialog, s.driver, chosen, result));
  EXPECT_FALSE(s.driver.failed());
  // A third type is not listed: the script is wrong, not the dialog.
  file.file = "/a";
  file.number = 2;
  EXPECT_FALSE(TakeFileDialogStep(file, dialog, s.driver, chosen, result));
  EXPECT_TRUE(s.driver.failed());
}

TEST(ModalAnswers, OutcomesAreTracedByKind) {
  std::ostringstream out;
  Trace trace(&out, Trace::kAll);
  TraceModalResult(trace, InputContext::MessageBox, TraceCategory::Message, answer::YES, false);
  TraceModalResult(trace, InputContext::ButtonDialog, TraceCategory::Dialog, 10, true);
  TraceModalResult(trace, InputContext::PopupMenu, TraceCategory::Dialog, 0, true);
  TraceModalResult(trace, InputContext::PopupMenu, TraceCategory::Dialog, 117, false);
  TraceModalResult(trace, InputContext::FileDialog, TraceCategory::Dialog, answer::OK, false);
  TraceFileChoice(trace, std::nullopt);
  TraceFileChoice(trace, FileChoice{"/a/b"});
  TraceFileChoice(trace, FileChoice{"/a/c", 1});
  EXPECT_EQ(out.str(),
            "answer yes\nanswer 10 (default)\nmenu none (default)\nmenu 117\n"
            "file cancelled\nfile /a/b\nfile /a/c (type 2)\n");
}

}  // namespace
}  // namespace zd::platform
