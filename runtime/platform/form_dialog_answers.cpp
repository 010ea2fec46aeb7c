#include "platform/form_dialog_answers.h"

#include <algorithm>

#include "platform/events.h"

namespace zd::platform {
namespace {

// An edit field holds one line of a path or a name; a script or a user cannot grow it beyond
// what the original control took.
constexpr size_t kMaxEditText = 1024;

const FormOption* FindOption(const std::vector<FormOption>& options, int id) {
  for (const auto& option : options) {
    if (option.id == id) return &option;
  }
  return nullptr;
}

// The ids checked, in the order the dialog shows its controls (radios, then check boxes),
// so that an answer reads the same however the user or the script got there.
void SetChecked(const FormDialogSpec& request, FormAnswer& state, int id, bool check) {
  std::vector<int> checked;
  const auto keep = [&](const std::vector<FormOption>& options) {
    for (const auto& option : options) {
      const bool on = option.id == id ? check : state.Checked(option.id);
      if (on && std::find(checked.begin(), checked.end(), option.id) == checked.end()) {
        checked.push_back(option.id);
      }
    }
  };
  keep(request.radios);
  keep(request.checks);
  state.checked = std::move(checked);
}

// One line of trace for a text that may hold line breaks.
std::string OneLine(std::string text) {
  for (size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos;) {
    const size_t end = text.find_first_not_of("\r\n", at);
    text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
    ++at;
  }
  return text;
}

bool IsKeyDown(const DriverStep& step, uint16_t key) {
  return step.kind == DriverStep::Kind::Event && step.event.type == EventType::KeyDown &&
         step.event.key == key;
}

std::string OptionList(const std::vector<FormOption>& options, const FormAnswer& state) {
  std::string out;
  for (const auto& option : options) {
    if (!out.empty()) out += ", ";
    out += std::to_string(option.id) + " \"" + option.label + "\"";
    if (state.Checked(option.id)) out += " (checked)";
  }
  return out;
}

bool Press(const FormDialogSpec& request, int id, FormAnswer& state, int& result) {
  if (!FormKeyAnswerUsable(request, id)) return false;
  state.button = id;
  result = id;
  return true;
}

}  // namespace

FormAnswer InitialFormAnswer(const FormDialogSpec& request) {
  FormAnswer state;
  state.button = FormFallbackButton(request);
  for (const auto& radio : request.radios) {
    if (radio.checked) {
      state.checked.push_back(radio.id);
      break;
    }
  }
  for (const auto& check : request.checks) {
    if (check.checked && !state.Checked(check.id)) state.checked.push_back(check.id);
  }
  if (request.edit) state.editText = request.edit->text.substr(0, kMaxEditText);
  return state;
}

bool FormButtonEnabled(const FormDialogSpec& request, int id) {
  for (const auto& button : request.buttons) {
    if (button.id == id) return button.enabled;
  }
  return false;
}

bool FormKeyAnswerUsable(const FormDialogSpec& request, int id) {
  if (id == 0) return false;
  for (const auto& button : request.buttons) {
    if (button.id == id && !button.enabled) return false;
  }
  return true;
}

int FormFallbackButton(const FormDialogSpec& request) {
  return FormKeyAnswerUsable(request, request.defaultId) ? request.defaultId : request.closeId;
}

bool IsFormRadio(const FormDialogSpec& request, int id) {
  return FindOption(request.radios, id) != nullptr;
}

bool IsFormCheck(const FormDialogSpec& request, int id) {
  return FindOption(request.checks, id) != nullptr;
}

bool SetFormOption(const FormDialogSpec& request, FormAnswer& state, int id, bool check) {
  if (IsFormRadio(request, id)) {
    if (!check) return false;  // a radio goes off only when another of its group goes on
    for (const auto& radio : request.radios) {
      if (radio.id != id) SetChecked(request, state, radio.id, false);
    }
    SetChecked(request, state, id, true);
    return true;
  }
  if (!IsFormCheck(request, id)) return false;
  SetChecked(request, state, id, check);
  return true;
}

bool TakeFormDialogStep(const DriverStep& step, const FormDialogSpec& request,
                        EventScriptDriver& driver, FormAnswer& state, int& result) {
  if (step.kind == DriverStep::Kind::Setting) {
    const ScriptCommand& setting = step.setting;
    switch (setting.kind) {
      case ScriptCommandKind::Check:
      case ScriptCommandKind::Uncheck: {
        const bool check = setting.kind == ScriptCommandKind::Check;
        if (!SetFormOption(request, state, setting.number, check)) {
          const std::string what = !check && IsFormRadio(request, setting.number)
                                       ? " cannot uncheck radio "
                                       : " has no radio or check box ";
          driver.Fail(step.line, "event script: dialog " + request.name + what +
                                     std::to_string(setting.number));
        }
        return false;
      }
      case ScriptCommandKind::Edit:
        if (!request.edit) {
          driver.Fail(step.line, "event script: dialog " + request.name + " has no edit field");
          return false;
        }
        state.editText = setting.text.substr(0, kMaxEditText);
        return false;
      default:
        return false;
    }
  }
  if (step.kind == DriverStep::Kind::Answer) {
    if (FormButtonEnabled(request, step.number)) return Press(request, step.number, state, result);
    const bool shown = std::any_of(request.buttons.begin(), request.buttons.end(),
                                   [&](const FormButton& b) { return b.id == step.number; });
    driver.Fail(step.line, "event script: dialog " + request.name +
                               (shown ? " shows button " + std::to_string(step.number) +
                                            " greyed"
                                      : " has no button " + std::to_string(step.number)));
    return false;
  }
  if (IsKeyDown(step, vk::RETURN)) return Press(request, request.defaultId, state, result);
  if (IsKeyDown(step, vk::ESCAPE)) return Press(request, request.closeId, state, result);
  // Typing goes to the edit field, the only control that takes characters.
  if (request.edit && step.kind == DriverStep::Kind::Event) {
    if (step.event.type == EventType::KeyDown && step.event.key == vk::BACK) {
      if (!state.editText.empty()) state.editText.pop_back();
    } else if (step.event.type == EventType::Char && step.event.character >= 0x20 &&
               step.event.character != 0x7F && state.editText.size() < kMaxEditText) {
      state.editText += char(step.event.character);
    }
  }
  return false;
}

void TraceFormDialog(const Trace& trace, const FormDialogSpec& request) {
  if (!trace.Enabled(TraceCategory::Dialog)) return;
  const FormAnswer state = InitialFormAnswer(request);
  std::string line = "dialog " + request.name + ": " + OneLine(request.text);
  if (!request.radios.empty()) {
    line += "; options";
    if (!request.optionsLabel.empty()) line += " \"" + request.optionsLabel + "\"";
    line += ": " + OptionList(request.radios, state);
  }
  if (!request.checks.empty()) line += "; checks: " + OptionList(request.checks, state);
  if (request.edit) {
    line += "; edit " + std::to_string(request.edit->id);
    if (!request.edit->label.empty()) line += " \"" + request.edit->label + "\"";
    line += ": \"" + OneLine(state.editText) + "\"";
  }
  line += " [";
  for (size_t i = 0; i < request.buttons.size(); ++i) {
    if (i) line += ", ";
    line += std::to_string(request.buttons[i].id) + " \"" + request.buttons[i].label + "\"";
    if (!request.buttons[i].enabled) line += " (grey)";
  }
  line += "]";
  if (!request.caption.empty()) line += " captioned \"" + request.caption + "\"";
  trace.Line(TraceCategory::Dialog, line);
}

void TraceFormAnswer(const Trace& trace, const FormDialogSpec& request, const FormAnswer& state) {
  std::string line = "form " + request.name + ": checked ";
  if (state.checked.empty()) line += "none";
  for (size_t i = 0; i < state.checked.size(); ++i) {
    if (i) line += ", ";
    line += std::to_string(state.checked[i]);
  }
  if (request.edit) line += "; edit \"" + OneLine(state.editText) + "\"";
  trace.Line(TraceCategory::Dialog, line);
}

}  // namespace zd::platform
