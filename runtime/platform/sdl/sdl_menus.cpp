#include "platform/sdl/sdl_menus.h"

#include <imgui.h>

#include "base/cp1253.h"
#include "platform/sdl/dialog_text.h"
#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace {

constexpr const char* kPopupId = "##popup-menu";

// One entry of a menu; returns its id when chosen.
int MenuEntry(int id, const std::string& label, const std::string& shortcut, bool enabled) {
  if (id == 0) {
    ImGui::Separator();
    return 0;
  }
  const std::string shown = label + "##" + std::to_string(id);
  return ImGui::MenuItem(shown.c_str(), shortcut.empty() ? nullptr : shortcut.c_str(), false,
                         enabled)
             ? id
             : 0;
}

}  // namespace

int DrawMenuBar(const std::vector<Menu>& menus, bool enabled) {
  int chosen = 0;
  if (!ImGui::BeginMainMenuBar()) return 0;
  if (!enabled) ImGui::BeginDisabled();
  for (size_t m = 0; m < menus.size(); ++m) {
    ImGui::PushID(static_cast<int>(m));
    const std::string title = Cp1253ToUtf8(StripAccelerator(menus[m].title));
    if (ImGui::BeginMenu(title.c_str())) {
      FrameCurrentWindow();
      for (const MenuItem& item : menus[m].items) {
        std::string label, shortcut = item.shortcut;
        SplitMenuText(item.text, label, shortcut);
        const int id = MenuEntry(item.id, Cp1253ToUtf8(label), Cp1253ToUtf8(shortcut), item.enabled);
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

PopupMenuView::PopupMenuView(const PopupMenuSpec& request) : x_(request.x), y_(request.y) {
  for (const MenuItem& item : request.items) {
    Entry e;
    e.id = item.id;
    e.enabled = item.enabled;
    std::string label, shortcut = item.shortcut;
    SplitMenuText(item.text, label, shortcut);
    e.label = Cp1253ToUtf8(label);
    e.shortcut = Cp1253ToUtf8(shortcut);
    entries_.push_back(std::move(e));
  }
}

void PopupMenuView::Draw(const ViewContext& context) {
  // The popup opens one frame late: the right click that asked for it may still be in this
  // frame's input, and ImGui closes popups on a click at the end of the frame it sees it in.
  if (frames_++ == 1) {
    int wx = 0, wy = 0;
    ClientToWindow(context.client, x_, y_, wx, wy);
    ImGui::SetNextWindowPos(ImVec2(static_cast<float>(wx), static_cast<float>(wy)));
    ImGui::OpenPopup(kPopupId);
  }
  if (frames_ <= 1) return;
  if (!ImGui::BeginPopup(kPopupId, ImGuiWindowFlags_NoMove)) {
    Finish(0);
    return;
  }
  FrameCurrentWindow();
  for (const Entry& e : entries_) {
    const int id = MenuEntry(e.id, e.label, e.shortcut, e.enabled && context.active);
    if (id) {
      Finish(id);
      ImGui::CloseCurrentPopup();
    }
  }
  if (context.active && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape))) {
    Finish(0);
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace zd::platform::sdl
