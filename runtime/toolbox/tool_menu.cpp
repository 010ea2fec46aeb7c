#include "toolbox/tool_menu.h"

#include "toolbox/tool_table.h"

namespace zd {

platform::PopupMenuSpec BuildToolMenu(const ToolboxSet& set,
                                      const std::array<std::string, kToolCount>& texts,
                                      const std::array<bool, kToolCount>& windowOpen, int originX,
                                      int originY) {
  platform::PopupMenuSpec menu;
  for (const int tool : set.tools) {
    if (!ToolOffered(tool)) continue;
    platform::MenuItem item;
    item.id = kToolMenuCommandBase + tool;
    const std::string& text = texts[size_t(tool)];
    const size_t tab = text.find('\t');
    item.text = text.substr(0, tab);
    if (tab != std::string::npos) item.shortcut = text.substr(tab + 1);
    item.checked = windowOpen[size_t(tool)];
    menu.items.push_back(std::move(item));
  }
  const Rect box = PagePixels(set.box);
  menu.x = box.left + originX;
  menu.y = box.top + originY;
  return menu;
}

int ToolOfMenuCommand(int command) {
  const int tool = command - kToolMenuCommandBase;
  return tool >= 0 && tool < kToolCount ? tool : -1;
}

}  // namespace zd
