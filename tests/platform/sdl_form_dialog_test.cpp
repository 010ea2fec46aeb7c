// The windowed backend's form and folder dialogs on SDL's off-screen video driver, played by an
// event script: the same steps give the same answers as headless, and Return in a folder
// dialog (a key that goes through Dear ImGui) chooses the folder shown.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

#include "platform/automation/event_script.h"
#include "platform/sdl/sdl_platform.h"
#include "support/test_support.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace zd::platform {
namespace {

class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedVariable() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct WindowedRun {
  explicit WindowedRun(const std::string& script) {
    auto parsed = ParseEventScript(script, "s");
    EXPECT_TRUE(std::holds_alternative<EventScript>(parsed));
    driver = std::make_unique<EventScriptDriver>(std::get<EventScript>(std::move(parsed)), trace);
    platform = MakeSdlPlatform({}, trace, driver.get(), error);
  }
  ScopedVariable video{"SDL_VIDEODRIVER", "offscreen"};
  ScopedVariable sound{"SDL_AUDIODRIVER", "dummy"};
  std::ostringstream out;
  Trace trace{&out, Trace::kDefault};
  std::string error;
  std::unique_ptr<EventScriptDriver> driver;
  std::unique_ptr<Platform> platform;
};

TEST(SdlFormDialog, ScriptedLikeHeadless) {
#if defined(__SANITIZE_ADDRESS__)
  __lsan::ScopedDisabler systemLibrariesKeepTheirMemory;
#endif
  WindowedRun run("check 102\nuncheck 201\nedit Ζενδράλ\ntype 1\nanswer 12\nkey Escape\n");
  if (!run.platform) GTEST_SKIP() << "no off-screen SDL here: " << run.error;
  FormDialogSpec request;
  request.name = "IDD_Folder";
  request.text = "Choose";
  request.radios = {{101, "Firefox", "/usr/bin/firefox %s", true}, {102, "Chromium", "", false}};
  request.checks = {{201, "Icons", "", true}};
  request.edit = FormEdit{301, "Folder", "/opt/zd"};
  request.buttons = {{3, "&Back", false}, {12, "&Next", true}, {2, "Cancel", true}};
  request.defaultId = 12;
  request.closeId = 2;
  const FormAnswer answer = run.platform->FormDialog(request);
  EXPECT_EQ(answer.button, 12);
  EXPECT_EQ(answer.checked, std::vector<int>{102});
  EXPECT_EQ(answer.editText, "\xC6\xE5\xED\xE4\xF1\xDC\xEB" "1");  // code page 1253
  EXPECT_EQ(run.platform->FormDialog(request).button, 2);
  EXPECT_FALSE(run.driver->failed());
  EXPECT_NE(run.out.str().find("form IDD_Folder: checked 102; edit"), std::string::npos)
      << run.out.str();
}

TEST(SdlFolderDialog, ListsFoldersOnlyAndReturnChoosesTheFolderShown) {
#if defined(__SANITIZE_ADDRESS__)
  __lsan::ScopedDisabler systemLibrariesKeepTheirMemory;
#endif
  test::TempDir dir;
  ::mkdir(dir.File("titles").c_str(), 0755);
  ::mkdir(dir.File("titles/moss").c_str(), 0755);
  dir.Write("titles/zz.txt", "");
  // Down three times stops on the last entry: "moss", when the file is not listed. Return
  // opens it, and Return again chooses it.
  WindowedRun run("key Return\nkey Down\nkey Down\nkey Down\nkey Return\nkey Return\nfile -\n");
  if (!run.platform) GTEST_SKIP() << "no off-screen SDL here: " << run.error;
  FileDialogSpec request;
  request.chooseFolder = true;
  request.initialDirectory = dir.File("titles");
  const auto chosen = run.platform->FileDialog(request);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->path, dir.File("titles"));
  const auto inner = run.platform->FileDialog(request);
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->path, dir.File("titles/moss"));
  EXPECT_FALSE(run.platform->FileDialog(request));
  EXPECT_FALSE(run.driver->failed());
}

}  // namespace
}  // namespace zd::platform
