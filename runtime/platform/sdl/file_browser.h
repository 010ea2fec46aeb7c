// The open and save file dialog of the SDL backend: a file browser drawn with Dear ImGui inside
// the window (so it works in full screen too), in the classic look. As a folder dialog it lists
// folders only and answers the folder selected, or the one shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/modal_view.h"
#include "platform/ui_texts.h"

namespace zd::platform::sdl {

class FileBrowserView : public ModalView {
 public:
  // `texts`: its captions, labels, buttons and errors in the player's language.
  FileBrowserView(const FileDialogSpec& request, const UiTexts& texts);
  void Draw(const ViewContext& context) override;
  bool ready() const override { return frames_ > 1; }
  // The accepted path in code page 1253 and the file type shown; nullopt when cancelled.
  const std::optional<FileChoice>& chosen() const { return chosen_; }

 private:
  struct Entry {
    std::string name;  // UTF-8, as on disk
    bool directory = false;
  };
  struct Filter {
    std::string label, patterns;  // UTF-8
  };

  void Navigate(const std::filesystem::path& directory);
  void Refresh();
  // What Return or the OK button does with a typed text: go to a folder, list by a pattern,
  // or accept a file.
  void Accept(const std::string& typed);
  void Cancel();
  // The folder dialog's OK: the selected folder, or the one shown.
  void AcceptFolder();
  void OpenEntry(int index);
  // Up, Down, Home and End move the highlight through the list; Return then opens the
  // highlighted folder or accepts the highlighted file. True when Return was taken so.
  bool HandleListKeys();
  void DrawList(float height);
  void DrawFields(const ViewContext& context);
  const std::string& Patterns() const;

  UiTexts texts_;
  bool save_;
  bool folders_;  // a folder dialog
  bool mustExist_;
  std::string title_;
  std::vector<Filter> filters_;
  int filter_ = 0;
  std::string typedPattern_;  // a pattern typed into the name field replaces the filter's
  std::filesystem::path directory_;
  std::vector<Entry> entries_;
  int selected_ = -1;
  bool focusName_ = false;  // typing after the list's keys goes back to the name field
  bool listKeys_ = false;          // the keyboard moves through the list (not a text field)
  bool scrollToSelected_ = false;
  bool returnTaken_ = false;       // this frame's Return opened the list's entry
  std::string pathField_, nameField_;
  std::string error_;
  int frames_ = 0;
  std::optional<FileChoice> chosen_;
};

}  // namespace zd::platform::sdl
