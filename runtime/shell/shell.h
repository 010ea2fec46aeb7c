// The application shell: start-up, the main loop and shutdown, with the state they share (the
// command line, the window title, the running title), the keyed reporter and the pointers.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/keyed_messages.h"
#include "shell/main_window.h"
#include "shell/message_queue.h"
#include "shell/player_settings.h"
#include "shell/pointers.h"
#include "title/title_files.h"

namespace zd {

class Runtime;

class Shell final : public platform::Host {
 public:
  explicit Shell(Runtime& runtime);

  // The program: start-up, the main loop until the quit message, and its value.
  int Run();
  // Start-up alone, up to the main loop; false when the run is over before it began.
  bool StartUp();
  // Start-up step 2 on its own: reads the command line of the run's configuration.
  void ReadCommandLine();
  // What a run does before a title's first page, without a window, a loop or anything of the
  // title running: the palette, the command line, the title's fonts and the authorfile at
  // `path` (code page 1253; blanks are part of it). For pictures of pages drawn outside a run.
  // False when the title cannot be opened.
  bool OpenTitleForPictures(const std::string& path);

  // A player text (menus, questions) in the run's language.
  std::string Text(int id) const;
  // What went wrong with the title at `path` (code page 1253), in one sentence.
  std::string TitleProblemText(TitleProblem problem, const std::string& path) const;
  // A title's first page was shown: the run played a title, and it heads the recent titles.
  void NoteTitleStarted();

  // The player's settings (zendral.ini in the user's settings folder): read at start-up,
  // written when the run ends if anything in them changed, over what the file holds then.
  PlayerSettings& settings() { return settings_; }
  void WriteSettings();
  // Tells the person running the player something that is not worth a box (a damaged
  // settings file): the run's note sink, and the trace.
  void Note(const std::string& text);

  // Ends the run: stores the exit code and closes the main window at once.
  // 1 popup Exit, 2 File Exit, 3 after a fatal failure or a refused question, 4 a page's quit.
  void QuitTitle(int exitCode);
  int exitCode() const { return exitCode_; }
  void SetExitCode(int code) { exitCode_ = code; }

  const CommandLine& commandLine() const { return commandLine_; }
  const std::string& windowTitle() const { return windowTitle_; }
  const std::string& applicationName() const { return applicationName_; }
  // A title opened after start-up (the File menu, a recent title, a drop) names the
  // application as the command line would have, so its saves are its own.
  void NameApplicationAfterTitle(std::string_view titleDirectory1253);
  bool titleRunning() const { return titleRunning_; }
  void SetTitleRunning(bool running) { titleRunning_ = running; }
  bool IsSchedulerIdle() const;

  Reporter& reporter() { return reporter_; }
  Pointers& pointers() { return pointers_; }
  MainWindow& window() { return window_; }
  MessageQueue& queue() { return queue_; }
  // The popup menu as it stands now (the scaling mode in use checked).
  std::vector<platform::MenuItem> popupMenu() const;

  // platform::Host
  std::optional<uint32_t> NextTimerDue() override;
  bool TimersMayWait() override;
  void DispatchBackground() override;
  void PaintNow() override;
  void PageOrigin(int& x, int& y) override;
  std::optional<std::string> CurrentPageName() override;
  std::optional<platform::ProbedVariable> Variable(const std::string& name) override;

 private:
  void InitialiseSubsystems();
  void ReadSettings();
  bool AskQuitAfterFailedStart(TitleProblem problem, const std::string& path);
  int MessageLoop();
  int FinishRun(int quitValue);

  Runtime& runtime_;
  CommandLine commandLine_;
  std::string windowTitle_;
  std::string applicationName_ = "!generic";
  bool titleRunning_ = false;
  bool commandLineTitleFailed_ = false;  // the title of the command line could not be opened
  bool anyTitleStarted_ = false;
  int exitCode_ = 0;
  PlayerSettings settings_;
  PlayerSettings settingsAsRead_;          // as the file held them (or as last written)
  std::vector<std::string> titlesStarted_;  // this run's, in the order they started
  Reporter reporter_;
  Pointers pointers_;
  MessageQueue queue_;
  MainWindow window_;
};

}  // namespace zd
