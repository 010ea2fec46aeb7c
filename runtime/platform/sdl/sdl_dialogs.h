// The message box and the button dialog of the SDL backend: a caption, an optional icon, a
// wrapped text and a row of buttons, drawn with Dear ImGui in the classic look.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sdl/modal_view.h"
#include "platform/ui_texts.h"

namespace zd::platform::sdl {

// A caption, a text and a row of buttons: what both dialogs are. Texts are UTF-8 here.
class ButtonRowView : public ModalView {
 public:
  struct Button {
    std::string label;
    int result = 0;
  };
  ButtonRowView(std::string caption, std::string text, MessageIcon icon,
                std::vector<Button> buttons, int defaultIndex, std::optional<int> escapeResult);
  void Draw(const ViewContext& context) override;

 private:
  void HandleKeys();

  std::string title_;  // caption with a stable ImGui id
  std::string text_;
  MessageIcon icon_;
  std::vector<Button> buttons_;
  int defaultIndex_;
  int focus_;
  std::optional<int> escapeResult_;  // Escape and the close box; none: both do nothing
};

// "OK", or "Yes" and "No": the buttons of a message box, in the player's language (`texts`).
ButtonRowView MakeMessageBoxView(const MessageBoxSpec& request, const UiTexts& texts);
ButtonRowView MakeButtonDialogView(const ButtonDialogSpec& request);

}  // namespace zd::platform::sdl
