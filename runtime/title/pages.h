// Pages: the open-page stack, page changes, drawing the page's objects and the page's input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zd {

class Runtime;

class Pages {
 public:
  explicit Pages(Runtime& runtime) : runtime_(runtime) {}

  void ShowFirstSection();            // a new title's first page
  void ClosePage(int closeMode);      // leaving pages (17: all open pages, resources freed)
  void CloseAllPages();               // before another title is opened in this one's place
  void StartTitleAt(uint32_t section); // a linked title starts at a section (0: its first)
  void PaintPage();                   // draws the open pages into the page canvas
  void KeyDown(int virtualKey, int repeat);
  void LeftButtonUp(int pageX, int pageY);
  bool HasObjectToSaveAt(int pageX, int pageY);
  // The object under the pointer (page pixels): its page-order index, or -1.
  int ObjectAt(int pageX, int pageY);
  std::string ObjectName(int index);
  std::optional<std::string> CurrentPageName() const;

 private:
  Runtime& runtime_;
};

}  // namespace zd
