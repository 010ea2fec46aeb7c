#include "platform/sdl/file_browser.h"

#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdlib>

#include "base/cp1253.h"
#include "platform/files.h"
#include "platform/sdl/file_dialog_rules.h"
#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace fs = std::filesystem;
namespace {

constexpr float kWidth = 560, kHeight = 400, kButtonWidth = 96, kButtonHeight = 24;

// A small manila folder in front of folder names.
void DrawFolderIcon(ImDrawList* list, ImVec2 at, float size) {
  const float u = size / 16.0f;
  const ImU32 yellow = IM_COL32(255, 255, 128, 255), outline = IM_COL32(128, 128, 0, 255);
  list->AddRectFilled(ImVec2(at.x + 1 * u, at.y + 3 * u), ImVec2(at.x + 7 * u, at.y + 6 * u), yellow);
  list->AddRect(ImVec2(at.x + 1 * u, at.y + 3 * u), ImVec2(at.x + 7 * u, at.y + 6 * u), outline);
  list->AddRectFilled(ImVec2(at.x + 1 * u, at.y + 5 * u), ImVec2(at.x + 15 * u, at.y + 14 * u), yellow);
  list->AddRect(ImVec2(at.x + 1 * u, at.y + 5 * u), ImVec2(at.x + 15 * u, at.y + 14 * u), outline);
}

// A text with one %s (a file or folder name) filled in; a text without one is shown as it is.
std::string WithName(const std::string& text, const std::string& name) {
  const size_t at = text.find("%s");
  if (at == std::string::npos) return text;
  return text.substr(0, at) + name + text.substr(at + 2);
}

std::string Home() {
  const char* home = std::getenv("HOME");
  return home ? home : "";
}

}  // namespace

FileBrowserView::FileBrowserView(const FileDialogSpec& request, const UiTexts& texts)
    : texts_(texts),
      save_(request.save && !request.chooseFolder),
      folders_(request.chooseFolder),
      mustExist_(request.mustExist && !save_) {
  title_ = Cp1253ToUtf8(request.title);
  if (title_.empty()) title_ = save_ ? texts_.saveCaption : texts_.openCaption;
  title_ += "###file-dialog";
  for (const FileFilter& f : request.filters) {
    filters_.push_back({Cp1253ToUtf8(f.label), Cp1253ToUtf8(f.pattern)});
  }
  if (filters_.empty()) filters_.push_back({"*.*", "*.*"});
  nameField_ = Cp1253ToUtf8(request.defaultName);

  std::error_code ec;
  fs::path start = fs::current_path(ec);
  if (!request.initialDirectory.empty()) {
    // Title paths may be written with "\" and in any letter case.
    if (const auto resolved = ResolvePath(request.initialDirectory); resolved && IsDirectory(*resolved)) {
      start = fs::absolute(*resolved, ec);
    }
  }
  Navigate(start);
}

const std::string& FileBrowserView::Patterns() const {
  return typedPattern_.empty() ? filters_[size_t(filter_)].patterns : typedPattern_;
}

void FileBrowserView::Navigate(const fs::path& directory) {
  directory_ = directory.lexically_normal();
  pathField_ = directory_.string();
  selected_ = -1;
  error_.clear();
  Refresh();
}

void FileBrowserView::Refresh() {
  entries_.clear();
  selected_ = -1;  // the highlight belonged to the old list
  std::vector<Entry> folders, files;
  std::error_code ec;
  for (fs::directory_iterator it(directory_, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden files, as a desktop hides them
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back({name, true});
    } else if (!folders_ && MatchesFilter(name, Patterns())) {
      files.push_back({name, false});
    }
  }
  const auto byName = [](const Entry& a, const Entry& b) { return NameLess(a.name, b.name); };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  if (directory_.has_parent_path() && directory_ != directory_.root_path()) {
    entries_.push_back({"..", true});
  }
  entries_.insert(entries_.end(), folders.begin(), folders.end());
  entries_.insert(entries_.end(), files.begin(), files.end());
}

void FileBrowserView::Accept(const std::string& typed) {
  if (typed.empty()) return;
  if (folders_) {
    // A folder dialog goes to the folder typed; it is chosen with OK.
    const fs::path path = EnteredPath(directory_, typed, Home());
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      Navigate(path);
    } else {
      error_ = WithName(texts_.noSuchFolder, path.string());
    }
    return;
  }
  if (IsPattern(typed)) {
    typedPattern_ = typed;
    nameField_.clear();
    Refresh();
    return;
  }
  const fs::path path = EnteredPath(directory_, typed, Home());
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    Navigate(path);
    nameField_.clear();
    return;
  }
  if (mustExist_ && !fs::exists(path, ec)) {
    error_ = WithName(texts_.noSuchFile, path.filename().string());
    return;
  }
  if (!fs::is_directory(path.parent_path(), ec)) {
    error_ = WithName(texts_.noSuchFolder, path.parent_path().string());
    return;
  }
  chosen_ = FileChoice{Utf8ToCp1253(path.string()), filter_};
  Finish(answer::OK);
}

void FileBrowserView::AcceptFolder() {
  const bool selected = selected_ >= 0 && size_t(selected_) < entries_.size();
  const fs::path folder = ChosenFolder(directory_, selected ? entries_[size_t(selected_)].name : "");
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error_ = WithName(texts_.noSuchFolder, folder.string());  // gone since it was listed
    return;
  }
  chosen_ = FileChoice{Utf8ToCp1253(folder.string()), 0};
  Finish(answer::OK);
}

void FileBrowserView::Cancel() {
  chosen_.reset();
  Finish(answer::CANCEL);
}

void FileBrowserView::OpenEntry(int index) {
  if (index < 0 || size_t(index) >= entries_.size()) return;
  const Entry e = entries_[size_t(index)];
  if (e.directory) {
    Navigate(e.name == ".." ? directory_.parent_path() : directory_ / e.name);
  } else {
    Accept(e.name);
  }
}

bool FileBrowserView::HandleListKeys() {
  const ImGuiIO& io = ImGui::GetIO();
  // Typing or a click gives the keyboard back to the text fields.
  if (io.InputQueueCharacters.Size > 0 || ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
    // What is typed after moving through the list starts a new name in the name field.
    if (listKeys_ && io.InputQueueCharacters.Size > 0) {
      nameField_.clear();
      for (const ImWchar c : io.InputQueueCharacters) {
        char utf8[5];
        nameField_ += ImTextCharToUtf8(utf8, c);
      }
      focusName_ = true;
    }
    listKeys_ = false;
  }
  if (entries_.empty()) return false;
  const int last = static_cast<int>(entries_.size()) - 1;
  // Home and End move the cursor of a text field being edited.
  const bool editing = ImGui::IsAnyItemActive() && !listKeys_;
  int next = -2;
  if (KeyPressed(ImGuiKey_DownArrow)) next = selected_ < 0 ? 0 : std::min(last, selected_ + 1);
  if (KeyPressed(ImGuiKey_UpArrow)) next = selected_ < 0 ? 0 : std::max(0, selected_ - 1);
  if (!editing && KeyPressed(ImGuiKey_Home)) next = 0;
  if (!editing && KeyPressed(ImGuiKey_End)) next = last;
  if (next >= 0) {
    selected_ = next;
    listKeys_ = true;
    scrollToSelected_ = true;
    if (!entries_[size_t(next)].directory) nameField_ = entries_[size_t(next)].name;
    // The name field shows the highlighted file only when it is not being edited.
    ImGui::ClearActiveID();
    return false;
  }
  if (listKeys_ && selected_ >= 0 &&
      ReturnPressed()) {
    OpenEntry(selected_);
    return true;
  }
  return false;
}

void FileBrowserView::DrawList(float height) {
  ImGui::PushStyleColor(ImGuiCol_ChildBg, IM_COL32(255, 255, 255, 255));
  ImGui::BeginChild("##entries", ImVec2(-1, height), true);
  const float line = ImGui::GetTextLineHeight();
  int open = -1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const ImVec2 at = ImGui::GetCursorScreenPos();
    const std::string id = "##entry" + std::to_string(i);
    if (ImGui::Selectable(id.c_str(), selected_ == int(i), ImGuiSelectableFlags_AllowDoubleClick,
                          ImVec2(0, line))) {
      selected_ = static_cast<int>(i);
      if (!e.directory) nameField_ = e.name;
      if (ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) open = static_cast<int>(i);
    }
    if (scrollToSelected_ && selected_ == int(i)) {
      ImGui::SetScrollHereY();
      scrollToSelected_ = false;
    }
    ImDrawList* list = ImGui::GetWindowDrawList();
    if (e.directory) DrawFolderIcon(list, at, line);
    list->AddText(ImVec2(at.x + line + Scaled(4), at.y), colours::kText, e.name.c_str());
  }
  ImGui::EndChild();
  ImGui::PopStyleColor();
  if (open >= 0) OpenEntry(open);
}

void FileBrowserView::DrawFields(const ViewContext& context) {
  const float labelWidth = Scaled(120);
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(texts_.fileNameLabel.c_str());
  ImGui::SameLine(labelWidth);
  ImGui::SetNextItemWidth(-1);
  if ((frames_ == 1 || focusName_) && context.active) {
    ImGui::SetKeyboardFocusHere();
    focusName_ = false;
  }
  if (ImGui::InputText("##name", &nameField_, ImGuiInputTextFlags_EnterReturnsTrue) &&
      !returnTaken_) {
    Accept(nameField_);
  }
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(texts_.fileTypeLabel.c_str());
  ImGui::SameLine(labelWidth);
  ImGui::SetNextItemWidth(-1);
  if (filters_.size() > 1) {
    if (ImGui::BeginCombo("##filter", filters_[size_t(filter_)].label.c_str())) {
      for (size_t i = 0; i < filters_.size(); ++i) {
        if (ImGui::Selectable(filters_[i].label.c_str(), int(i) == filter_)) {
          filter_ = static_cast<int>(i);
          typedPattern_.clear();
          Refresh();
        }
      }
      ImGui::EndCombo();
    }
  } else {
    ImGui::TextUnformatted(filters_.front().label.c_str());
  }
}

void FileBrowserView::Draw(const ViewContext& context) {
  ++frames_;
  const float width = std::min(Scaled(kWidth), context.windowWidth - Scaled(16));
  const float height = std::min(Scaled(kHeight), context.windowHeight - Scaled(16));
  ImGui::SetNextWindowPos(ImVec2(context.windowWidth / 2.0f, context.windowHeight / 2.0f),
                          ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(width, height), ImGuiCond_Always);
  if (context.active && frames_ == 1) ImGui::SetNextWindowFocus();
  bool open = true;
  // The list's keys are the browser's own (HandleListKeys), not ImGui's navigation.
  BeginClassicWindow(title_.c_str(), &open,
                     ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoResize |
                         ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                         ImGuiWindowFlags_NoNavInputs);
  if (!context.active) ImGui::BeginDisabled();
  returnTaken_ = context.active && HandleListKeys();

  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(texts_.folderLabel.c_str());
  ImGui::SameLine();
  ImGui::SetNextItemWidth(-1);
  const bool pathEntered =
      ImGui::InputText("##path", &pathField_, ImGuiInputTextFlags_EnterReturnsTrue);
  if (pathEntered && !returnTaken_) Accept(pathField_);

  const ImGuiStyle& style = ImGui::GetStyle();
  const float below = ImGui::GetFrameHeightWithSpacing() * 2 + ImGui::GetTextLineHeightWithSpacing() +
                      Scaled(kButtonHeight) + style.ItemSpacing.y * 2 + style.WindowPadding.y;
  // A folder dialog has no name or type to give: its list reaches down to the buttons.
  const float fields = folders_ ? ImGui::GetFrameHeightWithSpacing() * 2 : 0;
  DrawList(std::max(Scaled(60), ImGui::GetContentRegionAvail().y - below + fields));
  if (!folders_) DrawFields(context);
  ImGui::TextUnformatted(error_.empty() ? " " : error_.c_str());

  const float gap = Scaled(8), buttonWidth = Scaled(kButtonWidth);
  ImGui::SetCursorPosX(ImGui::GetWindowWidth() - style.WindowPadding.x - 2 * buttonWidth - gap);
  const std::string okLabel =
      (folders_ ? texts_.ok : save_ ? texts_.saveButton : texts_.openButton) + "##ok";
  // Return goes to the folder typed in the path field; elsewhere it accepts, as OK does.
  const bool folderReturn = folders_ && context.active && !returnTaken_ && !pathEntered &&
                            !ImGui::IsAnyItemActive() && ReturnPressed();
  if (ClassicButton(okLabel.c_str(), ImVec2(buttonWidth, Scaled(kButtonHeight)), true, false) ||
      folderReturn) {
    if (folders_) {
      AcceptFolder();
    } else if (!nameField_.empty()) {
      Accept(nameField_);
    } else if (selected_ >= 0 && entries_[size_t(selected_)].directory) {
      const std::string name = entries_[size_t(selected_)].name;
      Navigate(name == ".." ? directory_.parent_path() : directory_ / name);
    }
  }
  ImGui::SameLine(0, gap);
  const std::string cancelLabel = texts_.cancel + "##cancel";
  if (ClassicButton(cancelLabel.c_str(), ImVec2(buttonWidth, Scaled(kButtonHeight)), false, false)) {
    Cancel();
  }
  // Escape cancels even from a text field, which ImGui would otherwise only leave.
  if (context.active && KeyPressed(ImGuiKey_Escape)) Cancel();
  if (!context.active) ImGui::EndDisabled();
  EndClassicWindow();
  if (!open) Cancel();
}

}  // namespace zd::platform::sdl
