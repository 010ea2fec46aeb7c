#include "platform/modal_answers.h"

#include <algorithm>

#include "platform/backend_common.h"

namespace zd::platform {
namespace {

// Return and Escape in a dialog: the default answer, and the close answer when there is one.
bool KeyAnswer(const DriverStep& step, int defaultAnswer, int closeAnswer, int& result) {
  if (step.kind != DriverStep::Kind::Event || step.event.type != EventType::KeyDown) return false;
  if (step.event.key == vk::RETURN) {
    result = defaultAnswer;
    return true;
  }
  if (step.event.key == vk::ESCAPE && closeAnswer != 0) {
    result = closeAnswer;
    return true;
  }
  return false;
}

}  // namespace

std::string AnswerText(int number) {
  const char* name = AnswerName(number);
  return name ? name : std::to_string(number);
}

bool TakeMessageBoxStep(const DriverStep& step, const MessageBoxSpec& request,
                        EventScriptDriver& driver, int& result) {
  if (step.kind == DriverStep::Kind::Answer) {
    const auto answers = MessageBoxAnswers(request);
    if (std::find(answers.begin(), answers.end(), step.number) == answers.end()) {
      driver.Fail(step.line, "event script: the message box offers no '" +
                                 AnswerText(step.number) + "' answer");
      return false;
    }
    result = step.number;
    return true;
  }
  // Escape answers a question No (the close question keeps the run going), and closes a box
  // with a lone OK.
  return KeyAnswer(step, MessageBoxDefault(request),
                   request.buttons == MessageButtons::Ok ? answer::OK : answer::NO, result);
}

bool TakeButtonDialogStep(const DriverStep& step, const ButtonDialogSpec& request,
                          EventScriptDriver& driver, int& result) {
  if (step.kind == DriverStep::Kind::Answer) {
    for (const auto& b : request.buttons) {
      if (b.id == step.number) {
        result = b.id;
        return true;
      }
    }
    if (step.number == answer::CANCEL || step.number == answer::OK) {
      result = step.number == answer::OK ? request.defaultId : request.closeId;
      return true;
    }
    driver.Fail(step.line, "event script: dialog " + request.name + " has no button " +
                               std::to_string(step.number));
    return false;
  }
  return KeyAnswer(step, request.defaultId, request.closeId, result);
}

bool TakePopupMenuStep(const DriverStep& step, const PopupMenuSpec& request,
                       EventScriptDriver& driver, int& result) {
  // Escape closes the menu with nothing chosen; other keys have no entry to move to here.
  if (step.kind == DriverStep::Kind::Event && step.event.type == EventType::KeyDown &&
      step.event.key == vk::ESCAPE) {
    result = 0;
    return true;
  }
  if (step.kind != DriverStep::Kind::Menu) return false;
  if (step.number == 0) {
    result = 0;
    return true;
  }
  for (const auto& item : request.items) {
    if (item.id == step.number && item.enabled) {
      result = item.id;
      return true;
    }
  }
  driver.Fail(step.line, "event script: the popup menu has no enabled entry " +
                             std::to_string(step.number));
  return false;
}

bool TakeFileDialogStep(const DriverStep& step, const FileDialogSpec& request,
                        EventScriptDriver& driver, std::optional<FileChoice>& chosen,
                        int& result) {
  if (step.kind == DriverStep::Kind::File) {
    // A dialog without a list of types still has the one type "every file".
    const int types = std::max<int>(1, int(request.filters.size()));
    if (step.file && (step.number < 0 || step.number >= types)) {
      driver.Fail(step.line, "event script: the file dialog lists no file type " +
                                 std::to_string(step.number + 1));
      return false;
    }
    chosen.reset();
    if (step.file) chosen = FileChoice{*step.file, step.number};
    result = chosen ? answer::OK : answer::CANCEL;
    return true;
  }
  if (step.kind == DriverStep::Kind::Event && step.event.type == EventType::KeyDown &&
      step.event.key == vk::ESCAPE) {
    chosen.reset();
    result = answer::CANCEL;
    return true;
  }
  return false;
}

void TraceModalResult(const Trace& trace, InputContext context, TraceCategory category,
                      int result, bool byDefault) {
  if (context == InputContext::FileDialog) return;
  if (context == InputContext::PopupMenu) {
    trace.Line(category, "menu " + (result ? std::to_string(result) : std::string("none")) +
                             (byDefault ? " (default)" : ""));
    return;
  }
  TraceAnswer(trace, category, AnswerText(result), byDefault);
}

void TraceFileChoice(const Trace& trace, const std::optional<FileChoice>& chosen) {
  if (!chosen) {
    trace.Line(TraceCategory::Dialog, "file cancelled");
    return;
  }
  std::string line = "file " + chosen->path;
  if (chosen->filter != 0) line += " (type " + std::to_string(chosen->filter + 1) + ")";
  trace.Line(TraceCategory::Dialog, line);
}

}  // namespace zd::platform
