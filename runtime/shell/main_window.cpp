#include "shell/main_window.h"

#include <algorithm>

#include "base/lifecycle.h"
#include "platform/files.h"
#include "resources/menus.h"
#include "resources/splash.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {
namespace {

constexpr int kFallbackSplashWidth = 480, kFallbackSplashHeight = 360;

// wParam of the private messages that the popup menu posts: the handler resumes the clock and
// the movies the popup paused.
constexpr int64_t kFromPopup = 1;

}  // namespace

bool MainWindow::Create() {
  splash_ = LoadSplash(runtime_.config.language);
  if (splash_.width == 0) {
    splash_.width = kFallbackSplashWidth;
    splash_.height = kFallbackSplashHeight;
    splash_.pixels.assign(size_t(splash_.width) * splash_.height, 0);
  }
  splashShown_ = true;
  mode_ = Mode::Splash;
  platform::WindowSpec request;
  request.style = platform::WindowStyle::Popup;
  request.clientWidth = splash_.width;
  request.clientHeight = splash_.height;
  request.caption = runtime_.shell.windowTitle();
  if (!runtime_.platform.OpenWindow(request)) return false;
  exists_ = true;
  RecomputeOrigin();
  InvalidateAll(true);
  return OnCreate();
}

bool MainWindow::OnCreate() {
  const platform::ScreenInfo screen = runtime_.platform.Screen();
  if (screen.bitsPerPixel < 8 || screen.width < 640 || screen.height < 480) {
    platform::MessageBoxSpec box;
    box.caption = runtime_.shell.windowTitle();
    box.text = LoadString(strings::DISPLAY_DESIGNED, runtime_.config.language) +
               LoadString(strings::DISPLAY_CONTINUE, runtime_.config.language);
    box.icon = platform::MessageIcon::Question;
    box.buttons = platform::MessageButtons::YesNo;
    if (runtime_.platform.MessageBox(box) == platform::answer::NO) {
      runtime_.shell.QuitTitle(3);
      return false;
    }
  }
  runtime_.shell.pointers().BuildTable();
  runtime_.shell.queue().SetTimer(kSchedulerTimerId, kSchedulerIntervalMs);
  return exists_;
}

void MainWindow::ShowFileMenu() { ApplyMode(Mode::FileMenu); }

void MainWindow::ApplyMode(Mode mode) {
  mode_ = mode;
  platform::WindowSpec request;
  request.caption = runtime_.shell.windowTitle();
  switch (mode) {
    case Mode::Splash:
    case Mode::FileMenu:
      request.style = mode == Mode::Splash ? platform::WindowStyle::Popup
                                        : platform::WindowStyle::Captioned;
      request.clientWidth = splash_.width;
      request.clientHeight = splash_.height;
      if (mode == Mode::FileMenu) {
        request.menuBar = ZendralMenu(runtime_.config.language, RecentTitleMenuTexts());
      }
      break;
    case Mode::FullScreen:
      request.style = platform::WindowStyle::FullScreen;
      request.caption = PageWindowCaption();
      break;
    case Mode::Windowed:
      request.style = platform::WindowStyle::Captioned;
      request.clientWidth = 640;
      request.clientHeight = 480;
      request.caption = PageWindowCaption();
      request.resizable = true;
      request.windowWidth = runtime_.shell.settings().windowWidth;
      request.windowHeight = runtime_.shell.settings().windowHeight;
      break;
  }
  runtime_.platform.SetWindow(request);
  RecomputeOrigin();
  InvalidateAll(true);
}

void MainWindow::RecomputeOrigin() {
  int width = 0, height = 0;
  runtime_.platform.ClientSize(width, height);
  originX_ = (width - 640) / 2;
  originY_ = (height - 480) / 2;
}

void MainWindow::InvalidateAll(bool erase) {
  if (!exists_) return;
  region_.AddAll(erase);
  runtime_.shell.queue().Invalidate();
}

void MainWindow::InvalidatePage(const Rect& rect, bool erase) {
  if (!exists_) return;
  region_.Add(rect, erase);
  runtime_.shell.queue().Invalidate();
}

void MainWindow::Dispatch(const WindowMessage& m) {
  if (!exists_) return;
  Shell& shell = runtime_.shell;
  const bool running = shell.titleRunning();
  switch (m.id) {
    case Msg::Close: OnClose(); break;
    case Msg::Destroy: OnDestroy(); break;
    case Msg::Size: OnSize(m); break;
    case Msg::SetFocus:
      InvalidateAll(true);
      runtime_.shell.PaintNow();
      break;
    case Msg::Paint: OnPaint(); break;
    case Msg::KeyDown: OnKeyDown(m); break;
    case Msg::Command:
      OnCommand(static_cast<int>(m.wParam));
      if (exists_) runtime_.toolbox.Command(static_cast<int>(m.wParam));  // not after Exit
      break;
    case Msg::Timer:
      if (m.wParam == kSchedulerTimerId) {
        runtime_.movies.Tick();
        runtime_.scheduler.Tick();
      }
      break;
    case Msg::MouseMove:
      // A press taken by a tool window drags it (or stays its own) until the release.
      if (running && !toolWindows_.Drag(m.x - originX_, m.y - originY_)) OnMouseMove(m.x, m.y);
      break;
    case Msg::LButtonDown: OnLeftButtonDown(m); break;
    case Msg::MouseWheel: OnMouseWheel(m); break;
    case Msg::Char:
      // The page takes no characters; a child control with the focus may.
      if (running && focus_.holder()) focus_.holder()->Character(static_cast<uint8_t>(m.wParam));
      break;
    case Msg::DropFiles: OnDrop(m.text); break;
    case Msg::LButtonUp: OnLeftButtonUp(m); break;
    case Msg::RButtonDown:
      // A list box and a tool window take their own right presses: no popup menu over them.
      if (!choiceList_.Contains(m.x - originX_, m.y - originY_) &&
          !toolWindows_.Contains(m.x - originX_, m.y - originY_)) {
        OnRightButtonDown(m.x, m.y);
      }
      break;
    case Msg::SaveObject:
      runtime_.objectExport.SaveObjectAt(popupPageX_, popupPageY_);
      ResumeAfterPopup();
      break;
    case Msg::StartTitle: OnStartTitle(); break;
    case Msg::SaveSettings:
      TraceLifecycle(runtime_.trace, "save-status \"USER SAVE\"");
      runtime_.status.SaveStatusDialogFromMenu();
      ResumeAfterPopup();
      break;
    case Msg::LoadSettings:
      TraceLifecycle(runtime_.trace, "load-status");
      runtime_.status.LoadStatusDialogFromMenu();
      ResumeAfterPopup();
      break;
    case Msg::BrowserSetup: runtime_.webLinks.BrowserSetup(); break;
    case Msg::PrintSetup:
      runtime_.printing.PrintSetup();
      if (m.wParam == kFromPopup) ResumeAfterPopup();
      break;
    case Msg::ToggleWindowMode:
      ToggleWindowMode();
      if (m.wParam == kFromPopup) ResumeAfterPopup();
      break;
    case Msg::PrintScreen:
      runtime_.printing.PrintScreen();
      ResumeAfterPopup();
      break;
    case Msg::ShowFirstPage: OnShowFirstPage(); break;
    case Msg::EventsEnded:
      // A scripted run is over: show the last picture and end without questions.
      runtime_.trace.Line(TraceCategory::Run, "run ends with its events");
      runtime_.shell.PaintNow();
      shell.QuitTitle(2);
      break;
    default: break;
  }
}


void MainWindow::OnClose() {
  Shell& shell = runtime_.shell;
  const int code = shell.exitCode();
  if ((code == 0 || code == 1) && shell.titleRunning()) {
    TraceLifecycle(runtime_.trace, "save-status RESUME:0 \"FORCE QUIT\"");
    runtime_.status.SaveOnClose();
  }
  if (code == 0 || code == 1) {
    if (code != 1) PauseMedia();  // the popup menu has paused them already
    platform::MessageBoxSpec box;
    box.caption = shell.windowTitle();
    box.text = LoadString(strings::QUIT_QUESTION, runtime_.config.language);
    box.icon = platform::MessageIcon::Question;
    box.buttons = platform::MessageButtons::YesNo;
    box.systemModal = true;
    if (runtime_.platform.MessageBox(box) != platform::answer::YES) {
      ResumeMedia();
      // The refused request is over: a later close box must pause and ask afresh.
      shell.SetExitCode(0);
      return;
    }
  }
  TraceLifecycle(runtime_.trace, "movies release-port");
  runtime_.movies.ReleasePort();
  Dispatch(WindowMessage{Msg::Destroy});
}

void MainWindow::OnDestroy() {
  // Everything is released subsystem by subsystem, in the order that keeps each one's users
  // alive until it goes.
  const Trace& trace = runtime_.trace;
  TraceLifecycle(trace, "pages close-all");
  runtime_.pages.ClosePage(17);
  choiceList_.Close();
  runtime_.toolbox.TitleEnded();
  TraceLifecycle(trace, "movies release");
  runtime_.movies.ReleaseMovies();
  TraceLifecycle(trace, "scheduler stop-timer");
  runtime_.shell.queue().KillTimer(kSchedulerTimerId);
  TraceLifecycle(trace, "title free");
  runtime_.titleFiles.FreeTitleImage();
  TraceLifecycle(trace, "notepad offer-save");
  runtime_.toolbox.OfferNotepadSave();
  TraceLifecycle(trace, "database close");
  runtime_.database.CloseDatabase();
  runtime_.database.selection.Clear();
  TraceLifecycle(trace, "database release-keyword-conditions");
  runtime_.database.ResetKeywordConditions();
  TraceLifecycle(trace, "mouse-handlers release");
  runtime_.script.ReleaseHandlerTables();
  TraceLifecycle(trace, "script release-movie-slots");
  runtime_.script.ReleaseMovieSlots();
  TraceLifecycle(trace, "status release");
  runtime_.status.ReleaseStatusState();
  TraceLifecycle(trace, "browsers release");
  runtime_.webLinks.ReleaseBrowserList();
  TraceLifecycle(trace, "pointers release-capture");
  runtime_.shell.pointers().ReleaseCapture();
  TraceLifecycle(trace, "printing release");
  runtime_.printing.Release();
  TraceLifecycle(trace, "fonts remove-title-fonts");
  runtime_.graphics.RemoveTitleFonts();
  TraceLifecycle(trace, "palette release");
  runtime_.graphics.FreeColourHeaders();
  runtime_.graphics.DestroyTitlePalette();
  splash_ = platform::IndexedImage{};
  splashShown_ = false;
  RememberWindowState();
  runtime_.shell.WriteSettings();
  runtime_.platform.CloseWindow();
  exists_ = false;
  runtime_.shell.queue().PostQuit(0);
}

void MainWindow::OnSize(const WindowMessage& m) {
  if (m.wParam == SIZE_MINIMIZED) {
    if (!minimised_) {
      minimised_ = true;
      PauseMedia();
    }
    return;
  }
  if (minimised_) {
    minimised_ = false;
    ResumeMedia();
  }
  RecomputeOrigin();
  InvalidateAll(true);
}

void MainWindow::OnPaint() {
  platform::Frame frame;
  if (splashShown_) {
    frame.image = {splash_.pixels.data(), splash_.width, splash_.height, splash_.width};
    frame.palette = &splash_.palette;
    AddRecentListView(frame.lists);
  } else {
    Canvas& canvas = runtime_.graphics.pageCanvas();
    if (!region_.empty()) {
      runtime_.pages.PaintPage(canvas, region_.rects(), region_.erase());
    }
    frame.image = canvas.View();
    frame.palette = &runtime_.graphics.titleColours();
    frame.originX = originX_;
    frame.originY = originY_;
    runtime_.movies.AddOverlays(frame.overlays);
    runtime_.toolbox.AddIconOverlay(frame.overlays);
    choiceList_.AddView(frame.lists);
    toolWindows_.AddViews(frame.tools);
  }
  region_.Clear();
  runtime_.platform.Present(frame);
  // A choice list object drawn for the first time opens its list, which the next paint shows.
  if (!splashShown_) choiceList_.OpenIfDrawn();
}

void MainWindow::OnKeyDown(const WindowMessage& m) {
  const int key = static_cast<int>(m.wParam);
  // Alt chords are the player's: a title never received them as key presses. Ctrl with Alt is
  // AltGr on many keyboards, whose characters ('@', '€') stay the title's.
  if ((m.modifiers & platform::modifier::ALT) && !(m.modifiers & platform::modifier::CTRL)) {
    OnPlayerChord(key);
    return;
  }
  if (key == platform::vk::F4) {
    ToggleWindowMode();
    return;
  }
  if (mode_ == Mode::FileMenu && (m.modifiers & platform::modifier::CTRL)) {
    if (key == 'O') OnCommand(menu_ids::OPEN);
    if (key == 'R') OnCommand(menu_ids::RUN);
    return;
  }
  if (!runtime_.shell.titleRunning()) return;
  if (FocusTarget* control = focus_.holder()) {
    control->KeyDown(key, static_cast<int>(m.lParam));
  } else {
    runtime_.pages.KeyDown(key, static_cast<int>(m.lParam));
  }
}

void MainWindow::OnLeftButtonDown(const WindowMessage& m) {
  swallowRelease_ = false;
  pressOnIcon_ = false;
  if (!runtime_.shell.titleRunning()) return;
  const int x = m.x - originX_, y = m.y - originY_;
  // A press in a child control is the control's: the page sees neither it nor its release.
  // Tool windows lie over everything else; the toolbox icon over the page.
  pressOnIcon_ = runtime_.toolbox.IconContains(x, y);
  if (toolWindows_.Press(x, y) || pressOnIcon_ || choiceList_.Press(x, y)) {
    swallowRelease_ = true;
    return;
  }
  focus_.GiveToPage();
  // A double press on a movie enlarges it, or ends the enlargement.
  swallowRelease_ = runtime_.movies.PressOnMovie(x, y, m.time);
}

// The page itself has no use for the wheel; a list under the pointer scrolls.
void MainWindow::OnMouseWheel(const WindowMessage& m) {
  if (!runtime_.shell.titleRunning()) return;
  const auto lines = static_cast<int>(std::clamp<int64_t>(m.wParam, -100, 100));
  if (toolWindows_.Contains(m.x - originX_, m.y - originY_)) return;  // a tool window lies over it
  choiceList_.Wheel(m.x - originX_, m.y - originY_, lines);
}

void MainWindow::OnCommand(int id) {
  MessageQueue& queue = runtime_.shell.queue();
  switch (id) {
    case menu_ids::OPEN:
    case menu_ids::RUN: OpenTitleFromDialog(); break;
    case menu_ids::EXIT_FILE: runtime_.shell.QuitTitle(2); break;
    case menu_ids::SAVE_OBJECT: queue.Post(Msg::SaveObject); break;
    case menu_ids::PRINT_SCREEN: queue.Post(Msg::PrintScreen); break;
    case menu_ids::SAVE_SETTINGS: queue.Post(Msg::SaveSettings); break;
    case menu_ids::LOAD_SETTINGS: queue.Post(Msg::LoadSettings); break;
    case menu_ids::PRINT_SETUP: queue.Post(Msg::PrintSetup, kFromPopup); break;
    case menu_ids::TOGGLE_WINDOW: queue.Post(Msg::ToggleWindowMode, kFromPopup); break;
    case menu_ids::EXIT_POPUP: runtime_.shell.QuitTitle(1); break;
    default:
      if (const auto scaling = ScalingOfCommand(id)) {  // from the popup menu, which paused
        SetScaling(*scaling);
        ResumeAfterPopup();
      } else if (id >= menu_ids::RECENT_FIRST && id < menu_ids::RECENT_FIRST + menu_ids::kMaxRecentTitles) {
        OpenRecentTitle(size_t(id - menu_ids::RECENT_FIRST));
      }
      break;
  }
}

void MainWindow::OnMouseMove(int x, int y) {
  if (tracking_) return;
  // Over the choice list, a tool window or the toolbox icon the pointer is the arrow, as over
  // any child window.
  const int pageX = x - originX_, pageY = y - originY_;
  if (choiceList_.Contains(pageX, pageY) || toolWindows_.Contains(pageX, pageY) ||
      runtime_.toolbox.IconContains(pageX, pageY)) {
    runtime_.shell.pointers().OverChildControl();
    return;
  }
  tracking_ = true;
  runtime_.shell.pointers().TrackPointer(x - originX_, y - originY_);
  tracking_ = false;
}

void MainWindow::OnLeftButtonUp(const WindowMessage& m) {
  if (!runtime_.shell.titleRunning()) {
    if (const auto recent = RecentTitleAt(m.x, m.y)) {  // splash pixels
      OpenRecentTitle(*recent);
    }
    return;
  }
  const int x = m.x - originX_, y = m.y - originY_;
  // The release of a press a tool window took is the window's.
  if (toolWindows_.Release(x, y)) {
    swallowRelease_ = false;
    return;
  }
  // A release over the toolbox icon shows its menu; the page does not see the click. A press
  // that a control or a movie took keeps its release.
  if (runtime_.toolbox.IconContains(x, y) && (pressOnIcon_ || !swallowRelease_)) {
    swallowRelease_ = pressOnIcon_ = false;
    ShowToolMenu();
    return;
  }
  pressOnIcon_ = false;
  // While a movie is shown enlarged, the page underneath takes no clicks; nor does it
  // under a movie's controller bar.
  // A press a movie took (its controller, or the double press that enlarges or shrinks
  // it) is not a click on the page either.
  if (!swallowRelease_ && !runtime_.movies.EnlargedMovieShown() &&
      !runtime_.movies.OnController(x, y)) {
    runtime_.pages.LeftButtonUp(x, y);
  }
  swallowRelease_ = false;
}

void MainWindow::ShowToolMenu() {
  const auto menu = runtime_.toolbox.ToolMenu(originX_, originY_);
  if (!menu) return;
  PauseMedia();
  const int chosen = runtime_.platform.PopupMenu(*menu);
  ResumeMedia();
  runtime_.toolbox.MenuChosen(chosen);
}

void MainWindow::OnRightButtonDown(int x, int y) {
  popupPageX_ = x - originX_;
  popupPageY_ = y - originY_;
  platform::PopupMenuSpec popup;
  popup.items = runtime_.shell.popupMenu();
  for (auto& item : popup.items) {
    if (item.id == menu_ids::SAVE_OBJECT) {
      item.enabled = runtime_.objectExport.HasObjectAt(popupPageX_, popupPageY_);
    }
  }
  popup.x = x;
  popup.y = y;
  PauseMedia();
  const int chosen = runtime_.platform.PopupMenu(popup);
  if (chosen == 0) {
    ResumeAfterPopup();
    return;
  }
  runtime_.shell.queue().Post(Msg::Command, chosen);
}

void MainWindow::ResumeAfterPopup() { ResumeMedia(); }

void MainWindow::PauseMedia() {
  TraceLifecycle(runtime_.trace, "media pause");
  runtime_.scheduler.PauseClock();
  runtime_.movies.Pause();
}

void MainWindow::ResumeMedia() {
  TraceLifecycle(runtime_.trace, "media resume");
  runtime_.movies.Resume();
  runtime_.scheduler.ResumeClock();
}

void MainWindow::OpenTitleFromDialog() {
  platform::FileDialogSpec dialog;
  const std::string filter = runtime_.shell.Text(strings::AUTHORFILE_FILTER);
  dialog.filters = {{filter, "*.*"}};
  dialog.mustExist = true;
  for (;;) {
    const auto chosen = runtime_.platform.FileDialog(dialog);
    if (!chosen || OpenChosenTitle(chosen->path)) return;
  }
}

void MainWindow::OnStartTitle() {
  // The resume file of the -E folder, or of the title's saves folder without one.
  if (runtime_.status.ResumeFileExists()) {
    PauseMedia();
    TraceLifecycle(runtime_.trace, "status offer-resume");
    runtime_.status.OfferResume();
    ResumeMedia();
  }
  runtime_.scheduler.QueueEvent(1, -1, 1);
}

void MainWindow::OnShowFirstPage() {
  splash_ = platform::IndexedImage{};
  splashShown_ = false;
  // Full screen as the original, unless the command line or the last run's choice says window.
  const bool windowed =
      runtime_.config.windowed.value_or(runtime_.shell.settings().windowed.value_or(false));
  runtime_.shell.NoteTitleStarted();
  ApplyMode(windowed ? Mode::Windowed : Mode::FullScreen);
  runtime_.pages.ShowFirstSection();
}

void MainWindow::ToggleWindowMode() {
  if (mode_ != Mode::FullScreen && mode_ != Mode::Windowed) return;  // only pages change modes
  RememberWindowState();
  ApplyMode(mode_ == Mode::FullScreen ? Mode::Windowed : Mode::FullScreen);
  RememberWindowState();
}

// The next run starts as this one's pages are now, in a window of the size the person left it.
void MainWindow::RememberWindowState() {
  if (mode_ != Mode::Windowed && mode_ != Mode::FullScreen) return;
  PlayerSettings& settings = runtime_.shell.settings();
  settings.windowed = mode_ == Mode::Windowed;
  if (mode_ == Mode::Windowed) {
    runtime_.platform.WindowSize(settings.windowWidth, settings.windowHeight);
  }
}

}  // namespace zd
