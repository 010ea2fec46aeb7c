#include "platform/sdl/sdl_menus.h"

#include <imgui.h>
#include <imgui_internal.h>

#include "base/cp1253.h"
#include "platform/sdl/dialog_text.h"
#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace {

constexpr const char* kPopupId = "##popup-menu";

// Return chooses the entry the keyboard has highlighted; ImGui's own key for it is Space.
bool ChosenByReturn() {
  return ImGui::IsItemFocused() && !GImGui->NavDisableHighlight &&
         ReturnPressed();
}

// One entry of a menu; returns its id when chosen.
int MenuEntry(const MenuItem& item, const std::string& label, const std::string& shortcut,
              bool enabled, bool returnChooses = true) {
  if (item.id == 0) {
    ImGui::Separator();
    return 0;
  }
  const std::string shown = label + "##" + std::to_string(item.id);
  if (ImGui::MenuItem(shown.c_str(), shortcut.empty() ? nullptr : shortcut.c_str(), item.checked,
                      enabled)) {
    return item.id;
  }
  if (enabled && returnChooses && ChosenByReturn()) {
    ImGui::CloseCurrentPopup();
    return item.id;
  }
  return 0;
}

}  // namespace

int DrawMenuBar(const std::vector<Menu>& menus, bool enabled, bool openFirst) {
  int chosen = 0;
  if (!ImGui::BeginMainMenuBar()) return 0;
  if (!enabled) ImGui::BeginDisabled();
  for (size_t m = 0; m < menus.size(); ++m) {
    ImGui::PushID(static_cast<int>(m));
    const std::string title = Cp1253ToUtf8(StripAccelerator(menus[m].title));
    if (m == 0 && openFirst && enabled) {
      // Opened from the keyboard: the menu's first entry shows highlighted at once.
      ImGui::OpenPopup(title.c_str());
      GImGui->NavDisableHighlight = false;
      GImGui->NavDisableMouseHover = true;
    }
    if (ImGui::BeginMenu(title.c_str())) {
      FrameCurrentWindow();
      for (const MenuItem& item : menus[m].items) {
        std::string label, shortcut = item.shortcut;
        SplitMenuText(item.text, label, shortcut);
        const int id = MenuEntry(item, Cp1253ToUtf8(label), Cp1253ToUtf8(shortcut), item.enabled);
        if (id) chosen = id;
      }
      ImGui::EndMenu();
    }
    ImGui::PopID();
  }
  if (!enabled) ImGui::EndDisabled();
  ImGui::EndMainMenuBar();
  return chosen;
}

void CloseAbandonedPopupMenu() {
  ImGuiContext& g = *GImGui;
  const ImGuiID id = ImGui::GetID(kPopupId);
  for (int level = 0; level < g.OpenPopupStack.Size; ++level) {
    if (g.OpenPopupStack[level].PopupId == id) {
      ImGui::ClosePopupToLevel(level, true);
      return;
    }
  }
}

PopupMenuView::PopupMenuView(const PopupMenuSpec& request) : x_(request.x), y_(request.y) {
  for (const MenuItem& item : request.items) {
    Entry e;
    e.item = item;
    std::string label, shortcut = item.shortcut;
    SplitMenuText(item.text, label, shortcut);
    e.label = Cp1253ToUtf8(label);
    e.shortcut = Cp1253ToUtf8(shortcut);
    entries_.push_back(std::move(e));
  }
}

// The entry the arrow keys move the highlight to: the next one that can be chosen in `step`'s
// direction, round the end; from no highlight, the first (or the last).
int PopupMenuView::NextEntry(int from, int step) const {
  const int n = static_cast<int>(entries_.size());
  int i = from < 0 ? (step > 0 ? -1 : n) : from;
  for (int tries = 0; tries < n; ++tries) {
    i = ((i + step) % n + n) % n;
    if (entries_[size_t(i)].item.id != 0 && entries_[size_t(i)].item.enabled) return i;
  }
  return from;
}

void PopupMenuView::Draw(const ViewContext& context) {
  // The popup opens one frame late: the right click that asked for it may still be in this
  // frame's input, and ImGui closes popups on a click at the end of the frame it sees it in.
  if (frames_++ == 1) {
    ImVec2 at;
    ClientToWindow(context.client, x_, y_, at.x, at.y);
    ImGui::SetNextWindowPos(at);
    ImGui::OpenPopup(kPopupId);
  }
  if (frames_ <= 1) return;
  // The keys are the menu's own: opened by the mouse it has no highlight until an arrow key
  // asks for one, and then it starts from the first entry, as a menu of the original did.
  if (!ImGui::BeginPopup(kPopupId, ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoNavInputs)) {
    Finish(0);
    return;
  }
  FrameCurrentWindow();
  int moved = -1;
  if (context.active && !entries_.empty()) {
    if (KeyPressed(ImGuiKey_DownArrow)) moved = NextEntry(highlight_, 1);
    if (KeyPressed(ImGuiKey_UpArrow)) moved = NextEntry(highlight_, -1);
    if (KeyPressed(ImGuiKey_Home)) moved = NextEntry(-1, 1);
    if (KeyPressed(ImGuiKey_End)) moved = NextEntry(-1, -1);
  }
  if (moved >= 0) highlight_ = moved;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const bool lit = highlight_ == int(i);
    if (lit) {
      // The keys' highlight, drawn as the pointer's would be.
      const ImGuiStyle& style = ImGui::GetStyle();
      const ImVec2 at = ImGui::GetCursorScreenPos();
      const ImVec2 from(at.x - style.ItemSpacing.x / 2, at.y - style.ItemSpacing.y / 2);
      const ImVec2 to(at.x + ImGui::GetContentRegionAvail().x + style.ItemSpacing.x / 2,
                      at.y + ImGui::GetTextLineHeight() + style.ItemSpacing.y / 2);
      ImGui::GetWindowDrawList()->AddRectFilled(from, to, ImGui::GetColorU32(ImGuiCol_HeaderHovered));
    }
    const int id = MenuEntry(e.item, e.label, e.shortcut, e.item.enabled && context.active,
                             false);
    // The pointer moving over an entry that can be chosen takes the highlight there (not over
    // a separator or a grey entry, where Return would choose nothing).
    const bool choosable = e.item.id != 0 && e.item.enabled;
    if (choosable && ImGui::IsItemHovered() &&
        (ImGui::GetIO().MouseDelta.x != 0 || ImGui::GetIO().MouseDelta.y != 0)) {
      highlight_ = static_cast<int>(i);
    }
    if (id) {
      Finish(id);
      ImGui::CloseCurrentPopup();
    }
  }
  if (context.active && highlight_ >= 0 &&
      ReturnPressed()) {
    Finish(entries_[size_t(highlight_)].item.id);
    ImGui::CloseCurrentPopup();
  }
  if (context.active && KeyPressed(ImGuiKey_Escape)) {
    Finish(0);
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace zd::platform::sdl
