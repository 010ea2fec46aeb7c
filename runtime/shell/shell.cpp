#include "shell/shell.h"

#include "base/lifecycle.h"
#include "base/text.h"
#include "platform/files.h"
#include "resources/menus.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {

Shell::Shell(Runtime& runtime)
    : runtime_(runtime),
      reporter_(runtime),
      pointers_(runtime),
      queue_(runtime.platform),
      window_(runtime) {}

int Shell::Run() {
  if (!StartUp()) return FinishRun(0);
  return MessageLoop();
}

bool Shell::StartUp() {
  runtime_.platform.SetHost(this);

  // The window title, then the palette every picture is drawn in.
  windowTitle_ = Text(strings::PRODUCT_NAME) + " - " + Text(strings::TITLE_NAME);
  runtime_.graphics.ResetSystemPalette();
  runtime_.graphics.CreateTitlePalette();
  runtime_.graphics.CreateColourHeaders();

  // The command line, and the settings of earlier runs.
  ReadCommandLine();
  ReadSettings();
  runtime_.platform.SetScaling(settings_.scaling);

  // (Window classes have no counterpart here: the platform layer has one window.)
  // The name the status files record.
  // A path that names the title's directory itself names the directory that holds its authorfile.
  const auto onDisk = platform::ResolvePath(commandLine_.titlePathAsGiven);
  applicationName_ = TitleApplicationName(onDisk && platform::IsDirectory(*onDisk)
                                              ? commandLine_.titlePath + "\\AUTHORFI"
                                              : commandLine_.titlePath);
  runtime_.trace.Line(TraceCategory::Run, "start \"" + runtime_.config.commandLine + "\" as " +
                                              applicationName_);

  // Movies; without them the title still runs.
  TraceLifecycle(runtime_.trace, "movies initialise");
  if (!runtime_.movies.InitialiseMovieSystem()) {
    platform::MessageBoxSpec box;
    box.caption = windowTitle_;
    box.text = reporter_.Lookup("crierr34");
    box.key = "crierr34";
    box.icon = platform::MessageIcon::None;  // a plain box
    runtime_.platform.MessageBox(box);
  }

  // The splash-sized window (display check, pointers, scheduler timer).
  TraceLifecycle(runtime_.trace, "window create");
  if (!window_.Create()) return false;

  // Every subsystem, in order.
  InitialiseSubsystems();


  // The title, or the question about one that cannot be started, and the File menu.
  if (!commandLine_.titlePath.empty()) {
    const TitleProblem problem = runtime_.titleFiles.OpenTitle(commandLine_.titlePathAsGiven);
    if (problem == TitleProblem::None) {
      queue_.Post(Msg::StartTitle);
      return true;
    }
    commandLineTitleFailed_ = true;
    if (AskQuitAfterFailedStart(problem, commandLine_.titlePathAsGiven)) {
      QuitTitle(3);
      return true;
    }
  }
  window_.ShowFileMenu();
  return true;  // the main loop follows
}

bool Shell::OpenTitleForPictures(const std::string& path) {
  runtime_.graphics.ResetSystemPalette();
  runtime_.graphics.CreateTitlePalette();
  runtime_.graphics.CreateColourHeaders();
  ReadCommandLine();
  runtime_.titleFiles.ClearResourceCache();
  runtime_.graphics.AddTitleFonts();
  return !path.empty() && runtime_.titleFiles.OpenTitle(path) == TitleProblem::None;
}

void Shell::ReadCommandLine() {
  titleRunning_ = false;
  const RuntimeConfig& config = runtime_.config;
  commandLine_ = ParseCommandLine(config.commandLine, config.titlePathWithBlanks,
                                  config.endsWithQuotedValue);
}

void Shell::InitialiseSubsystems() {
  const Trace& trace = runtime_.trace;
  TraceLifecycle(trace, "resource-cache clear");
  runtime_.titleFiles.ClearResourceCache();
  TraceLifecycle(trace, "calculator load-accelerators");
  runtime_.toolbox.LoadCalculatorAccelerators();
  TraceLifecycle(trace, "fonts add-title-fonts");
  runtime_.graphics.AddTitleFonts();
  // Floating-point exceptions are masked on this platform already: divisions by zero in the
  // picture arithmetic give infinities, as the pictures expect.
  TraceLifecycle(trace, "timed-events clear");
  runtime_.scheduler.ClearEventPool();
  TraceLifecycle(trace, "script system-variables");
  runtime_.script.SetUpSystemVariables();
  // Date names come from the built-in string table and the database's tables are built with
  // it, so these two steps have nothing left to do; their lines keep runs comparable.
  TraceLifecycle(trace, "database date-names");
  TraceLifecycle(trace, "database tables");
  TraceLifecycle(trace, "status clear");
  runtime_.status.ClearStatusState();
  TraceLifecycle(trace, "mouse-handlers register");
  runtime_.script.RegisterMouseHandlers();
  TraceLifecycle(trace, "browsers clear");
  runtime_.webLinks.ClearBrowserList();
  TraceLifecycle(trace, "toolbox clear-tables");
  runtime_.toolbox.ClearToolboxTables();
}

namespace {
constexpr const char* kSettingsFile = "zendral.ini";
}  // namespace

void Shell::ReadSettings() {
  platform::SaveStore& saves = runtime_.platform.Saves();
  const std::string text = saves.Read(saves.SettingsFolder(), kSettingsFile).value_or("");
  std::vector<std::string> notes;
  settings_ = ReadPlayerSettings(text, notes);
  settingsAsRead_ = settings_;
  for (const std::string& note : notes) {
    Note(std::string(kSettingsFile) + ": " + note);
  }
}

void Shell::WriteSettings() {
  // Nothing is written when nothing changed (a first run leaves no file behind).
  if (settings_ == settingsAsRead_) return;
  platform::SaveStore& saves = runtime_.platform.Saves();
  // Another player may have written the file since this one read it: the file is taken as it
  // is now, and only what this run changed is put over it.
  const std::string current = saves.Read(saves.SettingsFolder(), kSettingsFile).value_or("");
  std::vector<std::string> notedAtStart;
  PlayerSettings merged = ReadPlayerSettings(current, notedAtStart);
  if (settings_.windowed != settingsAsRead_.windowed) merged.windowed = settings_.windowed;
  if (settings_.windowWidth != settingsAsRead_.windowWidth ||
      settings_.windowHeight != settingsAsRead_.windowHeight) {
    merged.windowWidth = settings_.windowWidth;
    merged.windowHeight = settings_.windowHeight;
  }
  if (settings_.scaling != settingsAsRead_.scaling) merged.scaling = settings_.scaling;
  for (const std::string& path : titlesStarted_) AddRecentTitle(merged, path);

  const std::string text = WritePlayerSettings(merged, current);
  if (text == current) return;
  std::string error;
  if (!saves.Write(saves.SettingsFolder(), kSettingsFile, text, error)) {
    Note("cannot write the settings: " + error);
    return;
  }
  settings_ = settingsAsRead_ = merged;
  titlesStarted_.clear();
}

void Shell::Note(const std::string& text) {
  runtime_.trace.Line(TraceCategory::Run, "note " + text);
  if (runtime_.config.note) runtime_.config.note(text);
}

void Shell::NoteTitleStarted() {
  anyTitleStarted_ = true;
  const std::string& directory = runtime_.titleFiles.titleDirectory();
  if (const auto onDisk = platform::ResolvePath(directory)) {
    const std::string path = platform::AbsolutePath(*onDisk);
    AddRecentTitle(settings_, path);
    titlesStarted_.push_back(path);
  }
}

std::string Shell::Text(int id) const { return LoadString(id, runtime_.config.language); }

std::string Shell::TitleProblemText(TitleProblem problem, const std::string& path) const {
  int id = strings::START_MISSING;
  switch (problem) {
    case TitleProblem::None:  // never asked about; the plainest text if it were
    case TitleProblem::Missing: id = strings::START_MISSING; break;
    case TitleProblem::NoTitleInFolder: id = strings::START_NO_TITLE; break;
    case TitleProblem::NotAnAuthorfile: id = strings::START_NOT_AUTHORFILE; break;
    case TitleProblem::Unreadable: id = strings::START_UNREADABLE; break;
    case TitleProblem::Damaged: id = strings::START_DAMAGED; break;
    case TitleProblem::Declined: id = strings::START_DECLINED; break;
  }
  return FormatMessageText(Text(id), path, 511);
}

bool Shell::AskQuitAfterFailedStart(TitleProblem problem, const std::string& path) {
  platform::MessageBoxSpec box;
  box.caption = windowTitle_;
  box.text = TitleProblemText(problem, path) + "\n" + Text(strings::START_QUESTION);
  box.icon = platform::MessageIcon::Question;
  box.buttons = platform::MessageButtons::YesNo;
  return runtime_.platform.MessageBox(box) == platform::answer::YES;
}

int Shell::MessageLoop() {
  int quitValue = 0;
  for (;;) {
    runtime_.titleFiles.ReleaseRetiredImages();  // nothing holds records of them any more
    WindowMessage m;
    if (queue_.Peek(m)) {
      if (m.id == Msg::Quit) {
        quitValue = static_cast<int>(m.wParam);
        break;
      }
      window_.Dispatch(m);
      continue;
    }
    // While a tick runs, modal loops inside it take the timer messages themselves.
    if (IsSchedulerIdle()) queue_.Wait();
  }
  return FinishRun(quitValue);
}

int Shell::FinishRun(int quitValue) {
  TraceLifecycle(runtime_.trace, "movies shutdown");
  runtime_.movies.ShutdownMovieSystem();
  // The program's status says whether the title could be played: 3 when it ended on a fatal
  // failure or a refused question, or when the title it was started with never started.
  const bool failed = exitCode_ == 3 || (commandLineTitleFailed_ && !anyTitleStarted_);
  const int status = failed ? 3 : quitValue;
  runtime_.trace.Line(TraceCategory::Run, "end " + std::to_string(status));
  return status;
}

void Shell::QuitTitle(int exitCode) {
  exitCode_ = exitCode;
  window_.Dispatch(WindowMessage{Msg::Close});
}

std::vector<platform::MenuItem> Shell::popupMenu() const {
  // Saving and loading settings need a status tree: the -E folder or the title's saves folder.
  auto items = PopupMenuItems(runtime_.config.language, runtime_.platform.scaling());
  if (!runtime_.status.Root().set()) {
    for (auto& item : items) {
      if (item.id == menu_ids::SAVE_SETTINGS || item.id == menu_ids::LOAD_SETTINGS) {
        item.enabled = false;
      }
    }
  }
  return items;
}

void Shell::NameApplicationAfterTitle(std::string_view titleDirectory1253) {
  // The command line's path is upper-cased; so is this one, so that a title has one saves
  // folder however it was opened.
  applicationName_ = TitleApplicationName(ToUpper1253(titleDirectory1253) + "\\AUTHORFI");
  runtime_.trace.Line(TraceCategory::Run, "title opened as " + applicationName_);
}

bool Shell::IsSchedulerIdle() const { return runtime_.scheduler.IsIdle(); }

std::optional<uint32_t> Shell::NextTimerDue() { return queue_.NextTimerDue(); }

bool Shell::TimersMayWait() {
  const Scheduler& scheduler = runtime_.scheduler;
  const bool splashAtRest = !titleRunning_ && scheduler.queuedCount() == 0;
  const bool behindDialog = scheduler.clockPaused() && runtime_.movies.pauseDepth() > 0;
  return splashAtRest || behindDialog;
}

void Shell::DispatchBackground() {
  // Bounded, so that messages which keep posting one another cannot hold a dialog forever.
  for (int i = 0; i < 1000; ++i) {
    WindowMessage m;
    if (!queue_.PeekBackground(m)) return;
    if (m.id == Msg::Quit) {  // the main loop takes it once the dialog is gone
      queue_.PostQuit(static_cast<int>(m.wParam));
      return;
    }
    window_.Dispatch(m);
  }
}

void Shell::PaintNow() {
  // Playing movies show the frame of this moment, whenever the picture is asked for.
  if (runtime_.movies.RefreshFrames()) queue_.Invalidate();
  if (!queue_.invalid()) return;
  WindowMessage m;
  m.id = Msg::Paint;
  queue_.Validate();
  window_.Dispatch(m);
}

void Shell::PageOrigin(int& x, int& y) {
  x = window_.originX();
  y = window_.originY();
}

std::optional<std::string> Shell::CurrentPageName() { return runtime_.pages.CurrentPageName(); }

std::optional<platform::ProbedVariable> Shell::Variable(const std::string& name) {
  return runtime_.script.ProbeVariable(name);
}

}  // namespace zd
