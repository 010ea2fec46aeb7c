#include "toolbox/toolbox.h"

#include "platform/data_files.h"
#include "platform/files.h"
#include "resources/string_table.h"
#include "runtime.h"

namespace zd {
namespace {

// Icon files larger than this are no icon pictures; they are not read.
constexpr uint64_t kMaxIconFileBytes = 4u << 20;

}  // namespace

Toolbox::Toolbox(Runtime& runtime) : runtime_(runtime), calculator_(runtime), notepad_(runtime) {}

void Toolbox::ClearToolboxTables() {
  allowed_.fill(false);
  menuTextsLoaded_ = false;
  iconRect_.reset();
  notepad_.ResetNotepad();
}

void Toolbox::OfferNotepadSave() { notepad_.OfferNotepadSave(); }

void Toolbox::Command(int id) {
  // Tools belong to a running title's pages, not to the splash and its File menu; a choice
  // that arrives after the page changed, or a command the menu never offers, does nothing.
  if (id < 0 || id >= kToolCount || !runtime_.shell.titleRunning()) return;
  if (ToolOffered(id) && PageOffersTool(id)) OpenTool(id);
}

std::optional<ToolboxSet> Toolbox::SetOf(const PageRef& page, bool report) const {
  const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
  if (!image) return std::nullopt;
  const uint32_t offset = image->U32Or(page.offset + page_record::kToolboxSet, 0);
  if (offset == 0) return std::nullopt;
  const auto record = image->view().Sub(page.offset, page.length);
  if (!record) return std::nullopt;
  std::string why;
  auto set = ReadToolboxSet(*record, offset, &why);
  if (!set && report) {
    runtime_.trace.Line(TraceCategory::Tool, "tool toolbox refused: " + why);
  }
  return set;
}

std::optional<ToolboxSet> Toolbox::CurrentSet() const {
  const auto page = runtime_.pages.currentPage();
  return page ? SetOf(*page) : std::nullopt;
}

bool Toolbox::PageOffersTool(int tool) const {
  const auto set = CurrentSet();
  return set && set->Holds(tool);
}

void Toolbox::SwitchToolboxSet(const std::optional<PageRef>& page) {
  // Tools can only be open when the toolbox was used since the last page without tools.
  if (!menuTextsLoaded_) return;
  menuTextsLoaded_ = false;
  allowed_.fill(false);
  if (const auto set = page ? SetOf(*page) : std::nullopt) {
    for (const int tool : set->tools) allowed_[size_t(tool)] = true;
    if (!set->tools.empty()) menuTextsLoaded_ = true;
  }
  CloseToolWindows(nullptr);
}

bool Toolbox::ToolWindowOpen(int tool) const {
  if (tool == tool::CALCULATOR) return calculator_.isOpen();
  if (tool == tool::NOTEPAD) return notepad_.isOpen();
  return false;
}

void Toolbox::CloseToolWindows(const ToolWindow* window) {
  const auto closeIf = [&](auto& toolWindow, int tool) {
    if (!toolWindow.isOpen()) return;
    const bool close = window ? window == &toolWindow : !allowed_[size_t(tool)];
    if (!close) return;
    toolWindow.Close();
    // The page under the window is untouched; the window is shown again without it.
    runtime_.shell.queue().Invalidate();
  };
  closeIf(calculator_, tool::CALCULATOR);
  closeIf(notepad_, tool::NOTEPAD);
}

void Toolbox::OpenTool(int tool) {
  switch (tool) {
    case tool::CALCULATOR:
      if (calculator_.isOpen()) {
        CloseToolWindows(&calculator_);
      } else {
        calculator_.Open();
      }
      break;
    case tool::NOTEPAD:
      // Closing by the tool is the notepad's own close command, which tells the scripts.
      if (notepad_.isOpen()) {
        notepad_.CloseCommand();
      } else {
        notepad_.Open();
      }
      break;
    case tool::PRINT_PAGE: runtime_.printing.PrintPage(); break;
    default:
      // The stopwatch, tape, compass and find-text tools have no window; the run still shows
      // that the learner asked for one.
      if (!ToolLinkName(tool).empty()) {
        runtime_.trace.Line(TraceCategory::Tool, "tool " + std::string(ToolLinkName(tool)) + " has no action");
      }
      break;
  }
}

void Toolbox::ActivateToolByName(const std::string& name) {
  const int tool = FindToolByName(name);
  if (tool < 0 || !PageOffersTool(tool)) return;
  LoadMenuTexts();
  OpenTool(tool);
}

void Toolbox::OpenFindText() {
  if (PageOffersTool(tool::FIND_TEXT)) OpenTool(tool::FIND_TEXT);
}

void Toolbox::LoadMenuTexts() {
  if (menuTextsLoaded_) return;
  for (int t = 0; t < kToolCount; ++t) {
    menuTexts_[size_t(t)] = LoadString(strings::TOOL_MENU_FIRST + t, runtime_.config.language);
  }
  menuTextsLoaded_ = true;
}

std::optional<platform::PopupMenuSpec> Toolbox::ToolMenu(int originX, int originY) {
  const auto set = CurrentSet();
  if (!set) return std::nullopt;
  LoadMenuTexts();
  std::array<bool, kToolCount> open{};
  for (int t = 0; t < kToolCount; ++t) open[size_t(t)] = ToolWindowOpen(t);
  platform::PopupMenuSpec menu = BuildToolMenu(*set, menuTexts_, open, originX, originY);
  runtime_.trace.Line(TraceCategory::Tool, "tool toolbox menu");
  return menu;
}

void Toolbox::MenuChosen(int menuCommand) {
  const int tool = ToolOfMenuCommand(menuCommand);
  if (tool >= 0) runtime_.shell.queue().Post(Msg::Command, tool);
}

void Toolbox::LoadIconPicture() {
  if (!iconFileRead_) {
    iconFileRead_ = true;
    // Beside the program, then in the installed data folder.
    if (const auto place = platform::FindDataFile("TOOLICON.PNT")) {
      const auto size = platform::FileSize(*place);
      if (size && *size <= kMaxIconFileBytes) iconFile_ = platform::ReadWholeFile(*place);
    }
  }
  // Drawn afresh each time it appears: the title's colours may have changed.
  if (iconFile_) fileIcon_ = IconFromSpriteFile(ByteView(*iconFile_), runtime_.graphics.colourMatcher());
  if (iconFile_ && !fileIcon_) {
    runtime_.trace.Line(TraceCategory::Tool, "tool toolbox icon: TOOLICON.PNT cannot be drawn");
  }
  iconPixels_ = fileIcon_ ? *fileIcon_ : BuiltInToolboxIcon();
}

void Toolbox::ShowToolboxIcon() {
  const auto page = runtime_.pages.currentPage();
  const auto set = page ? SetOf(*page, true) : std::nullopt;
  std::optional<Rect> place;
  if (set && set->showsIcon()) place = ToolboxIconRect(set->box);
  if (place == iconRect_) return;
  InvalidateIcon();
  if (place && !iconRect_) LoadIconPicture();
  iconRect_ = place;
  InvalidateIcon();
}

void Toolbox::InvalidateIcon() {
  if (iconRect_) runtime_.shell.window().InvalidatePage(*iconRect_, false);
}

void Toolbox::AddIconOverlay(std::vector<platform::OverlayImage>& overlays) const {
  if (!iconRect_ || iconPixels_.size() != size_t(kToolboxIconSide) * kToolboxIconSide * 4) return;
  platform::OverlayImage overlay;
  overlay.pixels = iconPixels_.data();
  overlay.width = overlay.height = kToolboxIconSide;
  overlay.pitch = kToolboxIconSide * 4;
  overlay.hasAlpha = true;
  overlay.x = iconRect_->left;
  overlay.y = iconRect_->top;
  overlay.w = overlay.h = kToolboxIconSide;
  overlays.push_back(overlay);
}

void Toolbox::TitleEnded() {
  if (calculator_.isOpen()) calculator_.Close();
  if (notepad_.isOpen()) notepad_.Close();
  InvalidateIcon();
  iconRect_.reset();
}

}  // namespace zd
