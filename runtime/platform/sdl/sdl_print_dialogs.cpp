// The print and page-setup dialogs of the SDL backend, drawn with Dear ImGui in the classic
// look: destination, copies, page range, paper and orientation, and a button that opens the
// page setup (paper, orientation, margins) over the print dialog. While an event script plays,
// its settings and answers decide, exactly as in headless runs.
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "base/cp1253.h"
#include "platform/print/print_dialog_answers.h"
#include "platform/sdl/imgui_style.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {
namespace {

constexpr float kFieldWidth = 220, kButtonWidth = 90, kButtonHeight = 24;
constexpr int kMaxCopies = 99;
constexpr double kMaxMarginMm = 100;

const ImGuiWindowFlags kDialogFlags = ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoResize |
                                      ImGuiWindowFlags_NoMove | ImGuiWindowFlags_AlwaysAutoResize |
                                      ImGuiWindowFlags_NoSavedSettings;

// A dialog window centred in the window, with an id of its own so that two never share one.
std::string WindowId(const std::string& caption, const void* owner) {
  char id[48];
  std::snprintf(id, sizeof id, "###print%p", owner);
  return (caption.empty() ? std::string(" ") : caption) + id;
}

void Centre(const ViewContext& context, bool active) {
  ImGui::SetNextWindowPos(ImVec2(context.windowWidth / 2.0f, context.windowHeight / 2.0f),
                          ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  if (active) ImGui::SetNextWindowFocus();
}

// A label on its own column, then the field.
void Label(const std::string& text) {
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(text.c_str());
  ImGui::SameLine(Scaled(130));
  ImGui::SetNextItemWidth(Scaled(kFieldWidth));
}

bool Combo(const char* id, const std::vector<std::string>& items, int& chosen) {
  bool changed = false;
  const char* shown = chosen >= 0 && chosen < int(items.size()) ? items[size_t(chosen)].c_str() : "";
  if (ImGui::BeginCombo(id, shown)) {
    for (size_t i = 0; i < items.size(); ++i) {
      const std::string label = items[i] + "##item" + std::to_string(i);
      if (ImGui::Selectable(label.c_str(), int(i) == chosen)) {
        chosen = int(i);
        changed = true;
      }
    }
    ImGui::EndCombo();
  }
  return changed;
}

// OK and Cancel at the bottom, and Return and Escape while no field holds the keyboard. True
// when one of them was chosen; `ok` says which.
bool OkCancelRow(const UiTexts& texts, bool active, bool& ok) {
  ImGui::Dummy(ImVec2(0, Scaled(4)));
  const float width = Scaled(kButtonWidth), gap = Scaled(8);
  const float contentWidth = ImGui::GetContentRegionAvail().x;
  ImGui::SetCursorPosX(ImGui::GetCursorPosX() + std::max(0.0f, contentWidth - 2 * width - gap));
  const ImVec2 size(width, Scaled(kButtonHeight));
  if (ClassicButton((texts.ok + "##ok").c_str(), size, true, false)) return ok = true, true;
  ImGui::SameLine(0, gap);
  if (ClassicButton((texts.cancel + "##cancel").c_str(), size, false, false)) return ok = false, true;
  if (!active || ImGui::IsAnyItemActive()) return false;
  if (ReturnPressed()) return ok = true, true;
  if (KeyPressed(ImGuiKey_Escape)) return ok = false, true;
  return false;
}

// Paper, orientation and margins: what the page-setup dialog shows, and the print dialog's
// paper and orientation too.
class SetupFields {
 public:
  SetupFields(const PageSetup& setup, const std::vector<Paper>& papers) : setup_(setup), papers_(papers) {
    if (std::find(papers_.begin(), papers_.end(), setup_.paper) == papers_.end()) {
      papers_.insert(papers_.begin(), setup_.paper);
    }
    for (const Paper& p : papers_) names_.push_back(Cp1253ToUtf8(p.name));
  }

  void DrawPaperAndOrientation(const UiTexts& texts) {
    int chosen = int(std::find(papers_.begin(), papers_.end(), setup_.paper) - papers_.begin());
    Label(texts.paperLabel);
    if (Combo("##paper", names_, chosen)) setup_.paper = papers_[size_t(chosen)];
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(texts.orientationLabel.c_str());
    ImGui::SameLine(Scaled(130));
    if (ImGui::RadioButton((texts.portrait + "##portrait").c_str(), !setup_.landscape)) {
      setup_.landscape = false;
    }
    ImGui::SameLine();
    if (ImGui::RadioButton((texts.landscape + "##landscape").c_str(), setup_.landscape)) {
      setup_.landscape = true;
    }
  }

  void DrawMargins(const UiTexts& texts) {
    ImGui::TextUnformatted(texts.marginsLabel.c_str());
    Margin(texts.marginLeft, "##left", setup_.leftMm);
    Margin(texts.marginRight, "##right", setup_.rightMm);
    Margin(texts.marginTop, "##top", setup_.topMm);
    Margin(texts.marginBottom, "##bottom", setup_.bottomMm);
  }

  const PageSetup& setup() const { return setup_; }
  void set(const PageSetup& setup) { setup_ = setup; }
  const std::vector<Paper>& papers() const { return papers_; }

 private:
  void Margin(const std::string& label, const char* id, double& mm) {
    Label(label);
    ImGui::SetNextItemWidth(Scaled(90));
    ImGui::InputDouble(id, &mm, 1, 5, "%.0f");
    mm = std::isfinite(mm) ? std::clamp(mm, 0.0, kMaxMarginMm) : 10;
  }

  PageSetup setup_;
  std::vector<Paper> papers_;
  std::vector<std::string> names_;
};

class PageSetupView final : public ModalView {
 public:
  PageSetupView(const PageSetupSpec& request, const UiTexts& texts)
      : texts_(texts),
        fields_(request.current, request.papers),
        title_(WindowId(request.caption.empty() ? texts.pageSetupCaption
                                                : Cp1253ToUtf8(request.caption), this)) {}

  void Draw(const ViewContext& context) override {
    Centre(context, context.active);
    bool open = true;
    BeginClassicWindow(title_.c_str(), &open, kDialogFlags);
    fields_.DrawPaperAndOrientation(texts_);
    ImGui::Separator();
    fields_.DrawMargins(texts_);
    bool ok = false;
    if (OkCancelRow(texts_, context.active, ok)) Finish(ok ? answer::OK : answer::CANCEL);
    EndClassicWindow();
    if (!open) Finish(answer::CANCEL);
  }
  PageSetup setup() const { return fields_.setup(); }

 private:
  const UiTexts& texts_;
  SetupFields fields_;
  std::string title_;
};

class PrintDialogView final : public ModalView {
 public:
  PrintDialogView(const PrintDialogSpec& request, const UiTexts& texts)
      : request_(SaneRequest(request)),
        texts_(texts),
        choice_(DefaultPrintChoice(request)),
        fields_(choice_.setup, request.papers),
        title_(WindowId(request.caption.empty() ? texts.printCaption : Cp1253ToUtf8(request.caption),
                        this)) {
    for (const std::string& d : request_.destinations) destinations_.push_back(Cp1253ToUtf8(d));
    someRange_ = choice_.fromPage > 0;
    from_ = someRange_ ? choice_.fromPage : 1;
    to_ = someRange_ ? choice_.toPage : std::max(1, request_.pageCount);
  }

  void Draw(const ViewContext& context) override {
    const bool active = context.active && !setup_;
    Centre(context, active);
    bool open = true;
    BeginClassicWindow(title_.c_str(), &open, kDialogFlags);
    if (!active) ImGui::BeginDisabled();
    DrawFields();
    bool ok = false;
    if (OkCancelRow(texts_, active, ok)) Answer(ok);
    if (!active) ImGui::EndDisabled();
    EndClassicWindow();
    if (!open && active) Answer(false);
    if (setup_) DrawPageSetup(context);
  }

  PrintChoice choice() const { return choice_; }

 private:
  void DrawFields() {
    Label(texts_.printerLabel);
    Combo("##destination", destinations_, choice_.destination);
    Label(texts_.copiesLabel);
    ImGui::SetNextItemWidth(Scaled(90));
    ImGui::InputInt("##copies", &choice_.copies);
    choice_.copies = std::clamp(choice_.copies, 1, kMaxCopies);
    if (request_.pageCount > 0) {
      ImGui::TextUnformatted(texts_.rangeLabel.c_str());
      if (ImGui::RadioButton((texts_.allPages + "##all").c_str(), !someRange_)) someRange_ = false;
      if (ImGui::RadioButton((texts_.pagesFrom + "##some").c_str(), someRange_)) someRange_ = true;
      ImGui::SameLine();
      ImGui::SetNextItemWidth(Scaled(80));
      if (ImGui::InputInt("##from", &from_)) someRange_ = true;
      ImGui::SameLine();
      ImGui::TextUnformatted(texts_.pagesTo.c_str());
      ImGui::SameLine();
      ImGui::SetNextItemWidth(Scaled(80));
      if (ImGui::InputInt("##to", &to_)) someRange_ = true;
      from_ = std::clamp(from_, 1, request_.pageCount);
      to_ = std::clamp(to_, from_, request_.pageCount);
    }
    ImGui::Separator();
    fields_.DrawPaperAndOrientation(texts_);
    if (ClassicButton((texts_.pageSetupButton + "##setup").c_str(),
                      ImVec2(Scaled(kFieldWidth), Scaled(kButtonHeight)), false, false)) {
      PageSetupSpec request;
      request.current = fields_.setup();
      request.papers = fields_.papers();
      setup_ = std::make_unique<PageSetupView>(request, texts_);
    }
  }

  void DrawPageSetup(const ViewContext& context) {
    ViewContext inner = context;
    setup_->Draw(inner);
    if (!setup_->finished()) return;
    if (setup_->result() == answer::OK) fields_.set(setup_->setup());
    setup_.reset();
  }

  void Answer(bool ok) {
    if (!ok) return Finish(answer::CANCEL);
    choice_.setup = fields_.setup();
    choice_.fromPage = someRange_ && request_.pageCount > 0 ? from_ : 0;
    choice_.toPage = someRange_ && request_.pageCount > 0 ? to_ : 0;
    Finish(answer::OK);
  }

  PrintDialogSpec request_;
  const UiTexts& texts_;
  PrintChoice choice_;
  SetupFields fields_;
  std::string title_;
  std::vector<std::string> destinations_;
  bool someRange_ = false;
  int from_ = 1, to_ = 1;
  std::unique_ptr<PageSetupView> setup_;  // the page setup opened from this dialog
};

}  // namespace

std::optional<PrintChoice> SdlPlatform::PrintDialog(const PrintDialogSpec& request) {
  TracePrintDialog(trace_, request);
  PrintDialogView view(request, options_.texts);
  PrintChoice scripted = DefaultPrintChoice(request);
  bool fromScript = false;
  const int result = RunModal(InputContext::PrintDialog, TraceCategory::Dialog, answer::OK, view,
                              request.caption, [&](const DriverStep& step, int& answered) {
                                fromScript = TakePrintDialogStep(step, request, *driver_, scripted,
                                                                 answered);
                                return fromScript;
                              });
  std::optional<PrintChoice> chosen;
  if (result == answer::OK) chosen = fromScript || !view.finished() ? scripted : view.choice();
  TracePrintChoice(trace_, request, chosen);
  return chosen;
}

std::optional<PageSetup> SdlPlatform::PageSetupDialog(const PageSetupSpec& request) {
  TracePageSetupDialog(trace_, request);
  PageSetupView view(request, options_.texts);
  PageSetup scripted = request.current;
  bool fromScript = false;
  const int result = RunModal(InputContext::PageSetupDialog, TraceCategory::Dialog, answer::OK,
                              view, request.caption, [&](const DriverStep& step, int& answered) {
                                fromScript = TakePageSetupStep(step, *driver_, scripted, answered);
                                return fromScript;
                              });
  std::optional<PageSetup> chosen;
  if (result == answer::OK) chosen = fromScript || !view.finished() ? scripted : view.setup();
  TracePageSetupChoice(trace_, chosen);
  return chosen;
}

}  // namespace zd::platform::sdl
