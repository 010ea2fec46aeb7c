// The per-page toolbox: the tools a page offers (its toolbox set), the icon that opens the
// tool menu, the "~" link names and F2 that open tools directly, and the tool windows (the
// calculator and the notepad), which stay open while the pages shown allow them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "graphics/rect.h"
#include "platform/dialogs.h"
#include "platform/types.h"
#include "shell/window_messages.h"
#include "title/authorfile.h"
#include "toolbox/calculator_window.h"
#include "toolbox/notepad_window.h"
#include "toolbox/tool_menu.h"
#include "toolbox/tool_table.h"
#include "toolbox/toolbox_icon.h"
#include "toolbox/toolbox_set.h"

namespace zd {

class Runtime;

class Toolbox {
 public:
  explicit Toolbox(Runtime& runtime);

  // Start-up: the calculator's keys reach it through the keyboard focus while it has it (not
  // whenever it is open, so that the notepad and the page keep their keys), so nothing is loaded.
  void LoadCalculatorAccelerators() {}
  // Start-up: no tool windows, nothing allowed, the notepad empty.
  void ClearToolboxTables();
  // The end of the title: the notepad offers to save its pages.
  void OfferNotepadSave();
  // The main window's commands: 0-8 open tools.
  void Command(int id);

  // The current page is about to change to `page` (nullopt: a page without a set): tool
  // windows the new page's set does not allow are closed.
  void SwitchToolboxSet(const std::optional<PageRef>& page);
  // The current page was shown: its icon appears, moves or goes.
  void ShowToolboxIcon();
  // A trigger or link named "~tool": opens the tool when the page's set holds it.
  void ActivateToolByName(const std::string& name);
  // F2: the find-text tool, when the page's set holds it.
  void OpenFindText();

  // The tool's action: 0 toggles the calculator, 3 the notepad, 7 prints the page.
  void OpenTool(int tool);
  // With a window: closes it. With nullptr: closes every tool window the current set does
  // not allow.
  void CloseToolWindows(const ToolWindow* window);
  // Whether the current page's toolbox set holds the tool.
  bool PageOffersTool(int tool) const;

  // The icon, in page pixels, while it is shown.
  std::optional<Rect> iconRect() const { return iconRect_; }
  bool IconContains(int pageX, int pageY) const { return iconRect_ && iconRect_->Contains(pageX, pageY); }
  void AddIconOverlay(std::vector<platform::OverlayImage>& overlays) const;
  // The tool menu for the current page, at the set box's corner plus the page origin; traces
  // "tool toolbox menu". nullopt when the page has no set.
  std::optional<platform::PopupMenuSpec> ToolMenu(int originX, int originY);
  // The menu's answer (a menu command or 0): a chosen tool arrives as the window's command.
  void MenuChosen(int menuCommand);
  // The title is over or the window closes: the tool windows and the icon go.
  void TitleEnded();

  bool calculatorOpen() const { return calculator_.isOpen(); }
  bool notepadOpen() const { return notepad_.isOpen(); }

 private:
  // A set that cannot be read is no set; `report` traces why.
  std::optional<ToolboxSet> SetOf(const PageRef& page, bool report = false) const;
  std::optional<ToolboxSet> CurrentSet() const;
  void LoadMenuTexts();
  void LoadIconPicture();
  void InvalidateIcon();
  bool ToolWindowOpen(int tool) const;

  Runtime& runtime_;
  CalculatorWindow calculator_;
  NotepadWindow notepad_;
  std::array<bool, kToolCount> allowed_{};
  std::array<std::string, kToolCount> menuTexts_;
  bool menuTextsLoaded_ = false;  // the toolbox was used since the last page without tools
  std::optional<Rect> iconRect_;
  std::optional<IconPixels> fileIcon_;  // from "TOOLICON.PNT", in the title's colours
  bool iconFileRead_ = false;
  std::optional<std::string> iconFile_;
  IconPixels iconPixels_;
};

}  // namespace zd
