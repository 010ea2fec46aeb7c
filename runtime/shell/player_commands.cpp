// The main window's own commands, which belong to the player rather than to the title: its
// Alt chords (titles never received Alt chords as key presses), the scaling of the page, the
// screenshot, opening a title chosen from the recent titles or dropped on the window, and the
// caption that names the title.
#include <algorithm>
#include <cstdio>

#include "base/cp1253.h"
#include "base/message_format.h"
#include "platform/files.h"
#include "platform/png_codec.h"
#include "resources/menus.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "shell/main_window.h"
#include "title/title_paths.h"

namespace zd {
namespace {

// The splash's list of recent titles: a heading line and a few entries over the hills, below the
// splash's own lines and clear of its version in the corner (the splash is 480x360).
constexpr int kRecentListX = 100, kRecentListY = 268, kRecentListWidth = 280;
constexpr int kRecentLineHeight = 13;
constexpr int kRecentOnSplash = 4;

// How a recent title is named on the splash: its folder and the folder above ("demo/_meadow").
std::string ShortTitleName(const std::string& pathUtf8) {
  const size_t last = pathUtf8.find_last_of('/');
  if (last == std::string::npos || last == 0) return pathUtf8;
  const size_t before = pathUtf8.find_last_of('/', last - 1);
  return before == std::string::npos ? pathUtf8 : pathUtf8.substr(before + 1);
}

// A long path in a menu keeps its end, where the title's own folders are.
std::string MenuPathText(const std::string& pathUtf8) {
  constexpr size_t kLongest = 60;
  if (pathUtf8.size() <= kLongest) return pathUtf8;
  size_t cut = pathUtf8.size() - kLongest;
  while (cut < pathUtf8.size() && (static_cast<unsigned char>(pathUtf8[cut]) & 0xC0) == 0x80) ++cut;
  return "..." + pathUtf8.substr(cut);
}

}  // namespace

bool MainWindow::OnPlayerChord(int key) {
  switch (key) {
    case platform::vk::RETURN:
      ToggleWindowMode();
      return true;
    case platform::vk::F4:
      // As the system's Alt+F4: the close box.
      Dispatch(WindowMessage{Msg::Close});
      return true;
    case 'S': SaveScreenshot(); return true;
    default:
      // Alt+1, Alt+2 and Alt+3 are the popup menu's three scalings, in its order.
      if (const auto scaling = ScalingOfCommand(menu_ids::SCALE_SHARP + key - '1')) {
        SetScaling(*scaling);
        return true;
      }
      return false;
  }
}

void MainWindow::SetScaling(platform::Scaling scaling) {
  runtime_.platform.SetScaling(scaling);
  runtime_.shell.settings().scaling = scaling;
  RecomputeOrigin();
  InvalidateAll(true);
}

void MainWindow::SaveScreenshot() {
  Shell& shell = runtime_.shell;
  const auto picture = runtime_.platform.WindowPicture();
  const std::string folder = runtime_.platform.Saves().PicturesFolder();
  const platform::LocalTime t = runtime_.platform.Now();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "zendral-%04d-%02d-%02d-%02d%02d%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  // A second screenshot within the same second gets a number rather than replacing the first.
  std::string path = folder + "/" + stamp + ".png";
  for (int n = 2; platform::FileSize(path) && n <= 100; ++n) {
    path = folder + "/" + stamp + "-" + std::to_string(n) + ".png";
  }
  std::string error = !picture                     ? "nothing is shown yet"
                      : platform::FileSize(path)   ? "too many screenshots in one second"
                                                   : "";
  if (error.empty() && platform::WritePngRgb(path, *picture, error)) {
    runtime_.trace.Line(TraceCategory::File, "file written " + path);
    ShowPlayerMessage(FormatMessageText(shell.Text(strings::SCREENSHOT_SAVED),
                                        Utf8ToCp1253(path), 511));
  } else {
    ShowPlayerMessage(FormatMessageText(shell.Text(strings::SCREENSHOT_FAILED),
                                        Utf8ToCp1253(error), 511));
  }
}

void MainWindow::ShowPlayerMessage(const std::string& text) {
  platform::MessageBoxSpec box;
  box.caption = runtime_.shell.windowTitle();
  box.text = text;
  box.icon = platform::MessageIcon::Information;
  const bool pages = mode_ == Mode::FullScreen || mode_ == Mode::Windowed;
  if (pages) PauseMedia();
  runtime_.platform.MessageBox(box);
  if (pages) ResumeMedia();
  InvalidateAll(true);
}

bool MainWindow::OpenChosenTitle(const std::string& path1253) {
  const TitleProblem problem = runtime_.titleFiles.OpenTitle(path1253);
  if (problem == TitleProblem::None) {
    runtime_.shell.NameApplicationAfterTitle(runtime_.titleFiles.titleDirectory());
    // Started as the command line's title is, so the learner is offered their saved place.
    runtime_.shell.queue().Post(Msg::StartTitle);
    return true;
  }
  // The person answered the newer-title question already; anything else is told.
  if (problem != TitleProblem::Declined) {
    ShowPlayerMessage(runtime_.shell.TitleProblemText(problem, path1253));
  }
  return false;
}

void MainWindow::OnDrop(const std::string& pathUtf8) {
  // A title is chosen only from the splash: a running title is not left by a stray drop.
  if (mode_ != Mode::FileMenu) {
    runtime_.trace.Line(TraceCategory::Run, "drop ignored \"" + pathUtf8 + "\" (a title is running)");
    return;
  }
  runtime_.trace.Line(TraceCategory::Run, "drop \"" + pathUtf8 + "\"");
  OpenChosenTitle(Utf8ToCp1253(pathUtf8));
}

void MainWindow::OpenRecentTitle(size_t index) {
  const auto& recent = runtime_.shell.settings().recentTitles;
  if (index >= recent.size()) return;
  OpenChosenTitle(Utf8ToCp1253(recent[index]));
}

std::vector<std::string> MainWindow::RecentTitleMenuTexts() const {
  std::vector<std::string> texts;
  for (const std::string& path : runtime_.shell.settings().recentTitles) {
    texts.push_back(Utf8ToCp1253(MenuPathText(path)));
  }
  return texts;
}

void MainWindow::AddRecentListView(std::vector<platform::ListControlView>& lists) const {
  const auto& recent = runtime_.shell.settings().recentTitles;
  if (mode_ != Mode::FileMenu || recent.empty()) return;
  platform::ListControlView view;
  view.lines.push_back(runtime_.shell.Text(strings::RECENT_TITLES));
  for (size_t i = 0; i < recent.size() && int(i) < kRecentOnSplash; ++i) {
    view.lines.push_back("  " + Utf8ToCp1253(ShortTitleName(recent[i])));
  }
  view.x = kRecentListX;
  view.y = kRecentListY;
  view.w = kRecentListWidth;
  view.lineHeight = kRecentLineHeight;
  view.h = int(view.lines.size()) * kRecentLineHeight + 2;
  view.lineCount = int(view.lines.size());
  view.selectedLine = -1;
  lists.push_back(std::move(view));
}

std::optional<size_t> MainWindow::RecentTitleAt(int x, int y) const {
  const auto& recent = runtime_.shell.settings().recentTitles;
  if (mode_ != Mode::FileMenu || recent.empty()) return std::nullopt;
  const int shown = std::min<int>(int(recent.size()), kRecentOnSplash);
  if (x <= kRecentListX || x >= kRecentListX + kRecentListWidth - 1) return std::nullopt;
  const int line = (y - kRecentListY - 1) >= 0 ? (y - kRecentListY - 1) / kRecentLineHeight : -1;
  if (line < 1 || line > shown) return std::nullopt;  // line 0 is the heading
  return size_t(line - 1);
}

std::string MainWindow::PageWindowCaption() const {
  const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
  std::string name;
  if (image) {
    if (const auto root = image->SectionEntry(0)) name = image->SectionName(*root);
  }
  if (name.empty()) name = std::string(LastComponent(runtime_.titleFiles.titleDirectory()));
  const std::string product = runtime_.shell.Text(strings::PRODUCT_NAME);
  return name.empty() ? product : product + " - " + name;
}

}  // namespace zd
