#include "platform/sdl/sdl_dialogs.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>

#include "base/cp1253.h"
#include "platform/backend_common.h"
#include "platform/sdl/dialog_text.h"
#include "platform/sdl/imgui_style.h"

namespace zd::platform::sdl {
namespace {

constexpr float kIconSize = 32, kMaxTextWidth = 420, kButtonWidth = 80, kButtonHeight = 24;

const std::string& AnswerLabel(int answer, const UiTexts& texts) {
  switch (answer) {
    case answer::YES: return texts.yes;
    case answer::NO: return texts.no;
    case answer::CANCEL: return texts.cancel;
    default: return texts.ok;
  }
}

void DrawIcon(MessageIcon icon, ImVec2 at) {
  ImDrawList* list = ImGui::GetWindowDrawList();
  const float size = Scaled(kIconSize), unit = size / 32.0f;
  const ImVec2 centre(at.x + size / 2, at.y + size / 2);
  const ImU32 white = IM_COL32(255, 255, 255, 255), black = IM_COL32(0, 0, 0, 255);
  const auto rect = [&](float x0, float y0, float x1, float y1, ImU32 colour) {
    list->AddRectFilled(ImVec2(at.x + x0 * unit, at.y + y0 * unit),
                        ImVec2(at.x + x1 * unit, at.y + y1 * unit), colour);
  };
  switch (icon) {
    case MessageIcon::Information:
      list->AddCircleFilled(centre, size / 2, black, 32);
      list->AddCircleFilled(centre, size / 2 - unit, IM_COL32(0, 0, 255, 255), 32);
      rect(14, 7, 18, 11, white);   // the dot of the "i"
      rect(14, 13, 18, 25, white);  // its stem
      break;
    case MessageIcon::Question: {
      list->AddCircleFilled(centre, size / 2, black, 32);
      list->AddCircleFilled(centre, size / 2 - unit, IM_COL32(0, 0, 255, 255), 32);
      const float fontSize = size * 0.8f;
      const ImVec2 glyph = ImGui::GetFont()->CalcTextSizeA(fontSize, FLT_MAX, 0, "?");
      list->AddText(ImGui::GetFont(), fontSize,
                    ImVec2(centre.x - glyph.x / 2, centre.y - glyph.y / 2), white, "?");
      break;
    }
    case MessageIcon::Warning: {
      const ImVec2 top(centre.x, at.y + unit), left(at.x + unit, at.y + size - 2 * unit),
          right(at.x + size - unit, at.y + size - 2 * unit);
      list->AddTriangleFilled(top, left, right, IM_COL32(255, 255, 0, 255));
      list->AddTriangle(top, left, right, black, std::max(1.0f, unit * 1.5f));
      rect(14.5f, 10, 17.5f, 21, black);  // the bar of the "!"
      rect(14.5f, 23, 17.5f, 26, black);  // its dot
      break;
    }
    case MessageIcon::None: break;
  }
}

}  // namespace

ButtonRowView::ButtonRowView(std::string caption, std::string text, MessageIcon icon,
                             std::vector<Button> buttons, int defaultIndex,
                             std::optional<int> escapeResult)
    : text_(std::move(text)),
      icon_(icon),
      buttons_(std::move(buttons)),
      defaultIndex_(std::clamp(defaultIndex, 0, std::max(0, int(buttons_.size()) - 1))),
      focus_(defaultIndex_),
      escapeResult_(escapeResult) {
  // "###" keeps the window's identity apart from its caption, and apart from a dialog that
  // opens on top of this one.
  char id[48];
  std::snprintf(id, sizeof id, "###dialog%p", static_cast<void*>(this));
  title_ = (caption.empty() ? std::string(" ") : caption) + id;
}

void ButtonRowView::HandleKeys() {
  // A text field that has the keyboard keeps Return and Escape for itself.
  if (ImGui::IsAnyItemActive() || buttons_.empty()) return;
  const int n = static_cast<int>(buttons_.size());
  if (ReturnPressed() ||
      KeyPressed(ImGuiKey_Space)) {
    Finish(buttons_[size_t(focus_)].result);
  } else if (KeyPressed(ImGuiKey_Escape)) {
    if (escapeResult_) Finish(*escapeResult_);
  } else if (KeyPressed(ImGuiKey_Tab)) {
    focus_ = ImGui::GetIO().KeyShift ? (focus_ + n - 1) % n : (focus_ + 1) % n;
  } else if (KeyPressed(ImGuiKey_RightArrow) || KeyPressed(ImGuiKey_DownArrow)) {
    focus_ = (focus_ + 1) % n;
  } else if (KeyPressed(ImGuiKey_LeftArrow) || KeyPressed(ImGuiKey_UpArrow)) {
    focus_ = (focus_ + n - 1) % n;
  }
}

void ButtonRowView::Draw(const ViewContext& context) {
  ImGui::SetNextWindowPos(ImVec2(context.windowWidth / 2.0f, context.windowHeight / 2.0f),
                          ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  if (context.active) ImGui::SetNextWindowFocus();
  bool open = true;
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoResize |
                                 ImGuiWindowFlags_NoMove | ImGuiWindowFlags_AlwaysAutoResize |
                                 ImGuiWindowFlags_NoSavedSettings |
                                 // The row's own focus answers the keys; ImGui's would move
                                 // beside it and answer Space for another button.
                                 ImGuiWindowFlags_NoNavInputs;
  BeginClassicWindow(title_.c_str(), escapeResult_ ? &open : nullptr, flags);
  if (!context.active) ImGui::BeginDisabled();

  const float iconSize = Scaled(kIconSize);
  if (icon_ != MessageIcon::None) {
    DrawIcon(icon_, ImGui::GetCursorScreenPos());
    ImGui::Dummy(ImVec2(iconSize, iconSize));
    ImGui::SameLine(0, Scaled(14));
  }
  const float textWidth = std::min(ImGui::CalcTextSize(text_.c_str()).x, Scaled(kMaxTextWidth));
  ImGui::BeginGroup();
  // Short texts sit level with the middle of the icon.
  const float textHeight = ImGui::CalcTextSize(text_.c_str(), nullptr, false, textWidth).y;
  if (icon_ != MessageIcon::None && textHeight < iconSize) {
    ImGui::SetCursorPosY(ImGui::GetCursorPosY() + (iconSize - textHeight) / 2);
  }
  ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + textWidth + 1);
  ImGui::TextUnformatted(text_.c_str());
  ImGui::PopTextWrapPos();
  ImGui::EndGroup();

  // The row of buttons, centred under the text; the window is never narrower than its caption.
  const ImGuiStyle& style = ImGui::GetStyle();
  const float gap = Scaled(8);
  std::vector<float> widths;
  float total = 0;
  for (const Button& b : buttons_) {
    widths.push_back(std::max(Scaled(kButtonWidth), ImGui::CalcTextSize(b.label.c_str()).x + Scaled(24)));
    total += widths.back();
  }
  total += gap * static_cast<float>(std::max<size_t>(1, buttons_.size()) - 1);
  const size_t idEnd = title_.find("###");
  const float captionWidth = ImGui::CalcTextSize(title_.c_str(), title_.c_str() + idEnd).x + Scaled(48);
  ImGui::Dummy(ImVec2(std::max(total, captionWidth), Scaled(6)));
  const float contentWidth = ImGui::GetWindowWidth() - style.WindowPadding.x * 2;
  ImGui::SetCursorPosX(style.WindowPadding.x + std::max(0.0f, (contentWidth - total) / 2));
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (i) ImGui::SameLine(0, gap);
    const std::string id = buttons_[i].label + "##button" + std::to_string(i);
    if (ClassicButton(id.c_str(), ImVec2(widths[i], Scaled(kButtonHeight)),
                      int(i) == defaultIndex_, int(i) == focus_ && context.active)) {
      Finish(buttons_[i].result);
    }
  }
  if (context.active) HandleKeys();
  if (!context.active) ImGui::EndDisabled();
  EndClassicWindow();
  if (!open && escapeResult_) Finish(*escapeResult_);
}

ButtonRowView MakeMessageBoxView(const MessageBoxSpec& request, const UiTexts& texts) {
  std::vector<ButtonRowView::Button> buttons;
  int defaultIndex = 0;
  const int fallback = MessageBoxDefault(request);
  for (int a : MessageBoxAnswers(request)) {
    if (a == fallback) defaultIndex = static_cast<int>(buttons.size());
    buttons.push_back({AnswerLabel(a, texts), a});
  }
  // Escape (and the close box) dismisses a box with a lone OK and answers a question No.
  const std::optional<int> escape =
      request.buttons == MessageButtons::Ok ? answer::OK : answer::NO;
  return ButtonRowView(Cp1253ToUtf8(request.caption), Cp1253ToUtf8(request.text), request.icon,
                       std::move(buttons), defaultIndex, escape);
}

ButtonRowView MakeButtonDialogView(const ButtonDialogSpec& request) {
  std::vector<ButtonRowView::Button> buttons;
  int defaultIndex = 0;
  for (const DialogButton& b : request.buttons) {
    if (b.id == request.defaultId) defaultIndex = static_cast<int>(buttons.size());
    buttons.push_back({Cp1253ToUtf8(StripAccelerator(b.label)), b.id});
  }
  const std::optional<int> escape = request.closeId != 0 ? std::optional<int>(request.closeId)
                                                      : std::nullopt;
  return ButtonRowView(Cp1253ToUtf8(request.caption), Cp1253ToUtf8(request.text), MessageIcon::None,
                       std::move(buttons), defaultIndex, escape);
}

}  // namespace zd::platform::sdl
