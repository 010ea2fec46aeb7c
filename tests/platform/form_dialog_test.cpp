// Form dialogs and folder dialogs of a headless run, answered by an event script as an
// end-to-end test answers them: what the dialog hands back, what the trace shows, and the
// answers that fail the script.
#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "platform/automation/event_script.h"
#include "platform/headless/headless_platform.h"

namespace zd::platform {
namespace {

struct ScriptedRun {
  explicit ScriptedRun(const std::string& script) {
    auto parsed = ParseEventScript(script, "s");
    EXPECT_TRUE(std::holds_alternative<EventScript>(parsed)) << std::get<std::string>(parsed);
    driver = std::make_unique<EventScriptDriver>(std::get<EventScript>(std::move(parsed)), trace);
    platform = MakeHeadlessPlatform({}, trace, driver.get());
  }
  std::string Trace() const { return out.str(); }
  std::ostringstream out;
  zd::Trace trace{&out, zd::Trace::kDefault};
  std::unique_ptr<EventScriptDriver> driver;
  std::unique_ptr<Platform> platform;
};

// Shaped like the installer's folder page and the browser settings together: two radios,
// a check box, an edit field, a greyed Back button.
FormDialogSpec SetupForm() {
  FormDialogSpec request;
  request.name = "IDD_Folder";
  request.caption = "Setup";
  request.text = "Choose";
  request.optionsLabel = "Browser";
  request.radios = {{101, "Firefox", "/usr/bin/firefox", true}, {102, "Chromium", "", false}};
  request.checks = {{201, "Icons", "", true}, {202, "Readme", "", false}};
  request.edit = FormEdit{301, "Folder", "/opt/zd"};
  request.buttons = {{3, "Back", false}, {12, "Next", true}, {2, "Cancel", true}};
  request.defaultId = 12;
  request.closeId = 2;
  return request;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(HeadlessFormDialog, ScriptChangesTheFormThenPressesAButton) {
  ScriptedRun run("check 102\ncheck 202\nuncheck 201\nedit /home/me/Zendral Titles\nanswer 12\n");
  const FormAnswer answer = run.platform->FormDialog(SetupForm());
  EXPECT_EQ(answer.button, 12);
  EXPECT_TRUE(answer.Checked(102));
  EXPECT_FALSE(answer.Checked(101)) << "radios are one group";
  EXPECT_TRUE(answer.Checked(202));
  EXPECT_FALSE(answer.Checked(201));
  EXPECT_EQ(answer.editText, "/home/me/Zendral Titles");
  EXPECT_FALSE(run.driver->failed());
  const std::string trace = run.Trace();
  EXPECT_TRUE(Has(trace, "dialog IDD_Folder: Choose; options \"Browser\": 101 \"Firefox\" "
                         "(checked), 102 \"Chromium\"; checks: 201 \"Icons\" (checked), "
                         "202 \"Readme\"; edit 301 \"Folder\": \"/opt/zd\" [3 \"Back\" (grey), "
                         "12 \"Next\", 2 \"Cancel\"] captioned \"Setup\"\n")) << trace;
  EXPECT_TRUE(Has(trace, "answer 12\n")) << trace;
  EXPECT_TRUE(Has(trace, "form IDD_Folder: checked 102, 202; edit \"/home/me/Zendral Titles\"\n"))
      << trace;

  // The ids come in the order the controls are shown, however they were checked; a text of
  // two lines is traced on one.
  ScriptedRun reordered("check 202\nuncheck 201\ncheck 201\nanswer 2\n");
  FormDialogSpec twoLines = SetupForm();
  twoLines.text = "First\r\nSecond";
  EXPECT_EQ(reordered.platform->FormDialog(twoLines).checked, (std::vector<int>{101, 201, 202}));
  EXPECT_TRUE(Has(reordered.Trace(), "dialog IDD_Folder: First Second; options")) << reordered.Trace();

  // Typing goes into the edit field; Backspace takes the last character off.
  ScriptedRun typed("edit\ntype ab\nkey Backspace\ntype c\nkey Return\n");
  EXPECT_EQ(typed.platform->FormDialog(SetupForm()).editText, "ac");
}

TEST(HeadlessFormDialog, ReturnEscapeAndTheEndOfTheScript) {
  ScriptedRun run("key Return\nkey Escape\n");
  const FormAnswer first = run.platform->FormDialog(SetupForm());
  EXPECT_EQ(first.button, 12);
  EXPECT_TRUE(first.Checked(101));
  EXPECT_TRUE(first.Checked(201));
  EXPECT_EQ(first.editText, "/opt/zd");
  EXPECT_EQ(run.platform->FormDialog(SetupForm()).button, 2);
  // With the script over the default button is pressed; when it is greyed, the close one.
  EXPECT_EQ(run.platform->FormDialog(SetupForm()).button, 12);
  FormDialogSpec finished = SetupForm();
  finished.buttons[1].enabled = false;
  EXPECT_EQ(run.platform->FormDialog(finished).button, 2);
  EXPECT_TRUE(Has(run.Trace(), "answer cancel (default)\n")) << run.Trace();
  EXPECT_FALSE(run.driver->failed());

  // Return does nothing while the default button is greyed, nor Escape while the close
  // button is: the script's next answer counts. A close answer without a button still closes.
  ScriptedRun greyKeys("key Return\nanswer 2\nkey Escape\nanswer 12\nkey Escape\n");
  EXPECT_EQ(greyKeys.platform->FormDialog(finished).button, 2);
  FormDialogSpec busy = SetupForm();
  busy.buttons[2].enabled = false;
  EXPECT_EQ(greyKeys.platform->FormDialog(busy).button, 12);
  FormDialogSpec noCancel = SetupForm();
  noCancel.buttons.pop_back();
  EXPECT_EQ(greyKeys.platform->FormDialog(noCancel).button, 2);
  EXPECT_FALSE(greyKeys.driver->failed());
}

TEST(HeadlessFormDialog, AnswersTheDialogCannotTakeFailTheScript) {
  const char* bad[] = {"answer 3\n",       // shown, but greyed
                       "answer 99\n",      // not shown
                       "check 301\n",      // the edit field is no option
                       "uncheck 101\n"};   // a radio goes off only by checking another
  for (const char* script : bad) {
    ScriptedRun run(script);
    const FormAnswer answer = run.platform->FormDialog(SetupForm());
    EXPECT_TRUE(run.driver->failed()) << script;
    EXPECT_NE(answer.button, 3) << script;
  }
  FormDialogSpec noEdit = SetupForm();
  noEdit.edit.reset();
  ScriptedRun run("edit text\n");
  run.platform->FormDialog(noEdit);
  EXPECT_TRUE(run.driver->failed());
}

TEST(HeadlessFormDialog, EarlySettingsWaitForTheNextFormDialog) {
  // The settings come before the page's message box is answered; they wait for the form.
  ScriptedRun run("check 102\nedit C:\\ZD\nanswer ok\nanswer 2\n");
  MessageBoxSpec box;
  box.text = "Hello";
  EXPECT_EQ(run.platform->MessageBox(box), answer::OK);
  const FormAnswer answer = run.platform->FormDialog(SetupForm());
  EXPECT_EQ(answer.button, 2);
  EXPECT_TRUE(answer.Checked(102));
  EXPECT_EQ(answer.editText, "C:\\ZD");
  EXPECT_FALSE(run.driver->failed());

  EXPECT_TRUE(std::holds_alternative<std::string>(ParseEventScript("check\n", "s")));
  EXPECT_TRUE(std::holds_alternative<std::string>(ParseEventScript("uncheck 1 2\n", "s")));
}

TEST(HeadlessFolderDialog, AnsweredWithAPathOrCancelled) {
  ScriptedRun run("file /tmp/titles\nfile -\n");
  FileDialogSpec request;
  request.chooseFolder = true;
  request.title = "Install to";
  request.initialDirectory = "/tmp";
  request.defaultExtension = ".ZDS";  // never added to a folder
  const auto chosen = run.platform->FileDialog(request);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->path, "/tmp/titles");
  EXPECT_FALSE(run.platform->FileDialog(request));
  const std::string trace = run.Trace();
  EXPECT_TRUE(Has(trace, "dialog open-folder \"Install to\" in /tmp\n")) << trace;
  EXPECT_TRUE(Has(trace, "file /tmp/titles\n")) << trace;
  EXPECT_TRUE(Has(trace, "file cancelled\n")) << trace;
}

}  // namespace
}  // namespace zd::platform
