// The one main window: the splash, then the page area (full screen or a 640x480 window). Its
// procedure handles the window messages, the menus and the shell's private messages.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "shell/choice_list_window.h"
#include "shell/keyboard_focus.h"
#include "shell/tool_windows.h"
#include "shell/update_region.h"
#include "shell/window_messages.h"

namespace zd {

class Runtime;

constexpr int kSchedulerTimerId = 1;
constexpr uint32_t kSchedulerIntervalMs = 10;

class MainWindow {
 public:
  explicit MainWindow(Runtime& runtime)
      : runtime_(runtime), choiceList_(runtime, focus_), toolWindows_(runtime, focus_) {}

  // Opens the splash-sized window and runs its creation handling: the display check, the
  // pointer table and the scheduler timer. False when creation failed (the run is over).
  bool Create();
  // No title: a captioned window with the File menu, its client area the splash's size.
  void ShowFileMenu();

  void Dispatch(const WindowMessage& message);  // the window procedure
  void InvalidateAll(bool erase);
  void InvalidatePage(const Rect& rect, bool erase);  // page pixels

  // Page pixel (0,0) in client pixels; may be negative while the splash is smaller than a page.
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  bool exists() const { return exists_; }
  bool fullScreen() const { return mode_ == Mode::FullScreen; }

  // The child controls over the page and which part of the window takes the keys.
  ChoiceListWindow& choiceList() { return choiceList_; }
  ToolWindows& toolWindows() { return toolWindows_; }
  KeyboardFocus& focus() { return focus_; }

 private:
  enum class Mode { Splash, FileMenu, FullScreen, Windowed };

  bool OnCreate();
  void OnClose();
  void OnDestroy();
  void OnSize(const WindowMessage& message);
  void OnPaint();
  void OnKeyDown(const WindowMessage& message);
  void OnLeftButtonDown(const WindowMessage& message);
  void OnMouseWheel(const WindowMessage& message);
  void OnCommand(int id);
  void OnMouseMove(int x, int y);
  void OnRightButtonDown(int x, int y);
  void OnLeftButtonUp(const WindowMessage& message);
  // The toolbox icon was clicked: its menu, with the clock and the movies paused around it.
  void ShowToolMenu();
  void OnStartTitle();
  void OnShowFirstPage();
  void ToggleWindowMode();
  void OpenTitleFromDialog();
  void ResumeAfterPopup();
  // The page clock and the movies stand still around modal interface; pauses nest.
  void PauseMedia();
  void ResumeMedia();
  void ApplyMode(Mode mode);
  void RecomputeOrigin();
  void RememberWindowState();

  // The player's own commands (player_commands.cpp).
  bool OnPlayerChord(int key);  // Alt+key; false for chords that mean nothing
  void SetScaling(platform::Scaling scaling);
  void SaveScreenshot();
  void ShowPlayerMessage(const std::string& text);  // code page 1253
  bool OpenChosenTitle(const std::string& path1253);
  void OnDrop(const std::string& pathUtf8);
  void OpenRecentTitle(size_t index);
  std::vector<std::string> RecentTitleMenuTexts() const;
  void AddRecentListView(std::vector<platform::ListControlView>& lists) const;
  std::optional<size_t> RecentTitleAt(int x, int y) const;  // splash pixels
  std::string PageWindowCaption() const;

  Runtime& runtime_;
  Mode mode_ = Mode::Splash;
  platform::IndexedImage splash_;
  bool splashShown_ = false;
  bool exists_ = false;
  bool minimised_ = false;
  bool tracking_ = false;
  bool swallowRelease_ = false;  // the last left press was taken by a movie
  bool pressOnIcon_ = false;     // the last left press was on the toolbox icon
  int originX_ = 0, originY_ = 0;
  int popupPageX_ = 0, popupPageY_ = 0;
  UpdateRegion region_;  // where the last popup menu was asked for, page pixels
  KeyboardFocus focus_;  // before the controls that hold it
  ChoiceListWindow choiceList_;
  ToolWindows toolWindows_;  // the calculator and the notepad, over everything on the page
};

}  // namespace zd
