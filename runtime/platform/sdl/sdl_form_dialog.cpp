// The form dialog of the SDL backend (the browser settings, the installer's pages), drawn with
// Dear ImGui in the classic look: the text, a group box of radios (each with its details on a
// dimmer line under it) and check boxes, an edit field, and a row of buttons. The user and an
// event script change one and the same state, under the rules the headless backend follows.
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>

#include "base/cp1253.h"
#include "platform/form_dialog_answers.h"
#include "platform/sdl/dialog_text.h"
#include "platform/sdl/imgui_style.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {
namespace {

constexpr float kMaxTextWidth = 440, kButtonWidth = 84, kButtonHeight = 24, kEditWidth = 360;
// The edit field keeps to what the original control held.
constexpr size_t kMaxEditBytes = 1024;

// Only characters the title's code page can hold reach the edit field, so what the user sees
// is what the installer or the browser settings get.
int KeepCodePageCharacters(ImGuiInputTextCallbackData* data) {
  const char32_t c = data->EventChar;
  return c != U'?' && UnicodeToCp1253(c) == '?' ? 1 : 0;
}

class FormDialogView final : public ModalView {
 public:
  explicit FormDialogView(const FormDialogSpec& request)
      : request_(request), state_(InitialFormAnswer(request)) {
    char id[48];
    std::snprintf(id, sizeof id, "###form%p", static_cast<void*>(this));
    const std::string caption = Cp1253ToUtf8(request.caption);
    title_ = (caption.empty() ? std::string(" ") : caption) + id;
    text_ = Cp1253ToUtf8(request.text);
    optionsLabel_ = Cp1253ToUtf8(request.optionsLabel);
    if (request.edit) editLabel_ = Cp1253ToUtf8(request.edit->label);
    for (const FormButton& b : request.buttons) {
      buttons_.push_back(Cp1253ToUtf8(StripAccelerator(b.label)));
    }
  }

  // The state the script's steps change too.
  FormAnswer& state() { return state_; }

  void Draw(const ViewContext& context) override {
    ++frames_;
    ImGui::SetNextWindowPos(ImVec2(context.windowWidth / 2.0f, context.windowHeight / 2.0f),
                            ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    if (context.active) ImGui::SetNextWindowFocus();
    bool open = true;
    const bool closable = FormKeyAnswerUsable(request_, request_.closeId);
    BeginClassicWindow(title_.c_str(), closable ? &open : nullptr,
                       ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoResize |
                           ImGuiWindowFlags_NoMove | ImGuiWindowFlags_AlwaysAutoResize |
                           ImGuiWindowFlags_NoSavedSettings);
    if (!context.active) ImGui::BeginDisabled();
    DrawText();
    DrawOptions();
    DrawEdit(context);
    DrawButtons();
    if (context.active) HandleKeys();
    if (!context.active) ImGui::EndDisabled();
    EndClassicWindow();
    if (!open) Press(request_.closeId);
  }

 private:
  // A button of the row, or the default or close answer that Return, Escape and the close box
  // give.
  void Press(int id) {
    if (!FormKeyAnswerUsable(request_, id)) return;
    state_.button = id;
    Finish(id);
  }

  void DrawText() {
    if (text_.empty()) return;
    const float width = std::min(ImGui::CalcTextSize(text_.c_str()).x, Scaled(kMaxTextWidth));
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + width + 1);
    ImGui::TextUnformatted(text_.c_str());
    ImGui::PopTextWrapPos();
    ImGui::Dummy(ImVec2(0, Scaled(4)));
  }

  // The radios and check boxes in an etched group box under its caption.
  void DrawOptions() {
    if (request_.radios.empty() && request_.checks.empty()) return;
    if (!optionsLabel_.empty()) ImGui::TextUnformatted(optionsLabel_.c_str());
    const float pad = Scaled(8);
    const ImVec2 boxStart = ImGui::GetCursorScreenPos();
    ImGui::SetCursorScreenPos(ImVec2(boxStart.x + pad, boxStart.y + pad));
    ImGui::BeginGroup();
    for (const FormOption& radio : request_.radios) {
      const std::string label = Cp1253ToUtf8(radio.label) + "##radio" + std::to_string(radio.id);
      if (ImGui::RadioButton(label.c_str(), state_.Checked(radio.id))) {
        SetFormOption(request_, state_, radio.id, true);
      }
      if (!radio.detail.empty()) DrawDetail(radio.detail);
    }
    for (const FormOption& check : request_.checks) {
      const std::string label = Cp1253ToUtf8(check.label) + "##check" + std::to_string(check.id);
      bool checked = state_.Checked(check.id);
      if (ImGui::Checkbox(label.c_str(), &checked)) {
        SetFormOption(request_, state_, check.id, checked);
      }
    }
    ImGui::EndGroup();
    const ImVec2 groupEnd = ImGui::GetItemRectMax();
    const float right = std::max(groupEnd.x + pad, boxStart.x + Scaled(kEditWidth));
    const ImVec2 boxEnd(right, groupEnd.y + pad);
    // An etched frame: a shadow line with a highlight beside it.
    ImDrawList* list = ImGui::GetWindowDrawList();
    list->AddRect(boxStart, boxEnd, colours::kShadow);
    list->AddRect(ImVec2(boxStart.x + 1, boxStart.y + 1), ImVec2(boxEnd.x + 1, boxEnd.y + 1),
                  colours::kHighlight);
    ImGui::SetCursorScreenPos(ImVec2(boxStart.x, boxEnd.y + Scaled(2)));
    ImGui::Dummy(ImVec2(right - boxStart.x, Scaled(4)));
  }

  // A radio's details (a browser's program and arguments) under its label, dimmer and wrapped.
  void DrawDetail(const std::string& detail) {
    const float indent = ImGui::GetFrameHeight() + ImGui::GetStyle().ItemInnerSpacing.x;
    ImGui::Indent(indent);
    ImGui::PushStyleColor(ImGuiCol_Text, colours::kGreyText);
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + Scaled(kMaxTextWidth) - indent);
    ImGui::TextUnformatted(Cp1253ToUtf8(detail).c_str());
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
    ImGui::Unindent(indent);
  }

  void DrawEdit(const ViewContext& context) {
    if (!request_.edit) return;
    // A script's `edit` or typing changed the text: the field shows it.
    if (state_.editText != editShown_) {
      editShown_ = state_.editText;
      editUtf8_ = Cp1253ToUtf8(editShown_);
      // A field being edited keeps its own copy of the text; let it take the new one.
      if (ImGui::GetActiveID() == ImGui::GetID("##edit")) ImGui::ClearActiveID();
    }
    if (!editLabel_.empty()) ImGui::TextUnformatted(editLabel_.c_str());
    ImGui::SetNextItemWidth(Scaled(kEditWidth));
    if (frames_ == 1 && context.active && request_.radios.empty() && request_.checks.empty()) {
      ImGui::SetKeyboardFocusHere();
    }
    const ImGuiInputTextFlags flags =
        ImGuiInputTextFlags_EnterReturnsTrue | ImGuiInputTextFlags_CallbackCharFilter;
    const bool entered = ImGui::InputText("##edit", &editUtf8_, flags, KeepCodePageCharacters);
    std::string text = Utf8ToCp1253(editUtf8_);
    if (text.size() > kMaxEditBytes) text.resize(kMaxEditBytes);
    if (text != editShown_) {
      state_.editText = editShown_ = text;
    }
    // Return in the field presses the default button, as in the dialogs of the original.
    if (entered) Press(request_.defaultId);
    ImGui::Dummy(ImVec2(0, Scaled(4)));
  }

  void DrawButtons() {
    const float gap = Scaled(8);
    std::vector<float> widths;
    float total = 0;
    for (const std::string& label : buttons_) {
      widths.push_back(std::max(Scaled(kButtonWidth), ImGui::CalcTextSize(label.c_str()).x + Scaled(24)));
      total += widths.back();
    }
    total += gap * float(std::max<size_t>(1, buttons_.size()) - 1);
    const float available = ImGui::GetContentRegionAvail().x;
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + std::max(0.0f, available - total));
    for (size_t i = 0; i < buttons_.size(); ++i) {
      const FormButton& button = request_.buttons[i];
      if (i) ImGui::SameLine(0, gap);
      const std::string id = buttons_[i] + "##button" + std::to_string(i);
      if (ClassicButton(id.c_str(), ImVec2(widths[i], Scaled(kButtonHeight)),
                        button.id == request_.defaultId, false, button.enabled)) {
        Press(button.id);
      }
    }
  }

  void HandleKeys() {
    // Escape leaves even the edit field; Return there was the field's own (DrawEdit).
    if (KeyPressed(ImGuiKey_Escape)) return Press(request_.closeId);
    if (!ImGui::IsAnyItemActive() && ReturnPressed()) Press(request_.defaultId);
  }

  const FormDialogSpec& request_;
  FormAnswer state_;
  std::string title_, text_, optionsLabel_, editLabel_;
  std::vector<std::string> buttons_;
  std::string editUtf8_, editShown_;
  int frames_ = 0;
};

}  // namespace

FormAnswer SdlPlatform::FormDialog(const FormDialogSpec& request) {
  TraceFormDialog(trace_, request);
  FormDialogView view(request);
  const int fallback = view.state().button;
  view.state().button = RunModal(InputContext::FormDialog, TraceCategory::Dialog, fallback, view,
                                 request.caption, [&](const DriverStep& step, int& result) {
                                   return TakeFormDialogStep(step, request, *driver_,
                                                             view.state(), result);
                                 });
  TraceFormAnswer(trace_, request, view.state());
  return view.state();
}

}  // namespace zd::platform::sdl
