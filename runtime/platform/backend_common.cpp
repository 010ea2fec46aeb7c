#include "platform/backend_common.h"

#include <algorithm>
#include <cstring>

#include "base/message_format.h"
#include "platform/files.h"

namespace zd::platform {
namespace {

const char* StyleName(WindowStyle style) {
  switch (style) {
    case WindowStyle::Popup: return "popup";
    case WindowStyle::Captioned: return "captioned";
    case WindowStyle::FullScreen: return "fullscreen";
  }
  return "?";
}

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return "none";
    case MessageIcon::Information: return "information";
    case MessageIcon::Question: return "question";
    case MessageIcon::Warning: return "warning";
  }
  return "?";
}

std::string ItemList(const std::vector<MenuItem>& items) {
  std::string out;
  for (const auto& item : items) {
    if (item.id == 0) continue;
    if (!out.empty()) out += ", ";
    out += std::to_string(item.id) + " \"" + item.text + "\"";
    if (!item.enabled) out += " (grey)";
  }
  return out;
}

}  // namespace

void TraceWindow(const Trace& trace, const char* verb, const WindowSpec& request, int clientWidth,
                 int clientHeight) {
  if (!trace.Enabled(TraceCategory::Window)) return;
  std::string line = std::string("window ") + verb + " " + StyleName(request.style) + " " +
                     std::to_string(clientWidth) + "x" + std::to_string(clientHeight);
  if (!request.caption.empty()) line += " \"" + request.caption + "\"";
  for (const auto& menu : request.menuBar) {
    line += " menu \"" + menu.title + "\": " + ItemList(menu.items);
  }
  trace.Line(TraceCategory::Window, line);
}

const char* ScalingName(Scaling scaling) {
  switch (scaling) {
    case Scaling::Sharp: return "sharp";
    case Scaling::Smooth: return "smooth";
    case Scaling::Stretch: return "stretch";
  }
  return "?";
}

void TraceScaling(const Trace& trace, Scaling scaling) {
  trace.Line(TraceCategory::Window, std::string("window scaling ") + ScalingName(scaling));
}

void TraceMessageBox(const Trace& trace, const MessageBoxSpec& request) {
  const std::string buttons = request.buttons == MessageButtons::YesNo ? "yes/no" : "ok";
  const std::string head = request.key.empty() ? "message: " : "message " + request.key + ": ";
  const std::string caption =
      request.titleCaption ? "" : " captioned \"" + request.caption + "\"";
  trace.Line(TraceCategory::Message, head + request.text + " [" + buttons + ", " +
                                         IconName(request.icon) + "]" + caption);
}

void TraceButtonDialog(const Trace& trace, const ButtonDialogSpec& request) {
  std::string line = "dialog " + request.name + ": " + request.text + " [";
  for (size_t i = 0; i < request.buttons.size(); ++i) {
    if (i) line += ", ";
    line += std::to_string(request.buttons[i].id) + " \"" + request.buttons[i].label + "\"";
  }
  line += "]";
  if (!request.caption.empty()) line += " captioned \"" + request.caption + "\"";
  trace.Line(TraceCategory::Dialog, line);
}

void TracePopupMenu(const Trace& trace, const PopupMenuSpec& request) {
  trace.Line(TraceCategory::Dialog, "dialog popup-menu at " + std::to_string(request.x) + "," +
                                        std::to_string(request.y) + ": " + ItemList(request.items));
}

void TraceFileDialog(const Trace& trace, const FileDialogSpec& request) {
  const char* kind = request.chooseFolder ? "open-folder" : request.save ? "save-file" : "open-file";
  std::string line = std::string("dialog ") + kind;
  if (!request.title.empty()) line += " \"" + request.title + "\"";
  if (request.chooseFolder && !request.initialDirectory.empty()) {
    line += " in " + request.initialDirectory;
  }
  if (!request.chooseFolder) {
    for (const auto& f : request.filters) line += " [" + f.label + "]";
  }
  if (!request.defaultName.empty()) line += " name " + request.defaultName;
  trace.Line(TraceCategory::Dialog, line);
}

void AddDefaultExtension(const FileDialogSpec& request, FileChoice& choice) {
  if (request.chooseFolder || request.defaultExtension.empty() || choice.filter != 0 ||
      choice.path.empty()) {
    return;
  }
  const size_t name = choice.path.find_last_of("\\/");
  const std::string last = name == std::string::npos ? choice.path : choice.path.substr(name + 1);
  const size_t dot = last.find_last_of('.');
  if (last.empty() || (dot != std::string::npos && dot > 0)) return;
  choice.path += request.defaultExtension;
}

std::optional<MessageBoxSpec> OverwriteQuestion(const FileDialogSpec& request,
                                                const std::string& chosen1253) {
  if (!request.save || !request.askOverwrite || request.chooseFolder) return std::nullopt;
  const auto existing = ResolvePath(chosen1253);
  if (!existing || IsDirectory(*existing)) return std::nullopt;
  MessageBoxSpec box;
  box.caption = request.title;
  box.titleCaption = request.title.empty();
  box.text = FormatMessageText(request.overwriteQuestion.empty() ? std::string("\"%s\"?")
                                                                 : request.overwriteQuestion,
                               chosen1253);
  box.icon = MessageIcon::Warning;
  box.buttons = MessageButtons::YesNo;
  box.defaultAnswer = answer::YES;
  return box;
}

void TraceAnswer(const Trace& trace, TraceCategory category, const std::string& what,
                 bool byDefault) {
  trace.Line(category, "answer " + what + (byDefault ? " (default)" : ""));
}

std::vector<int> MessageBoxAnswers(const MessageBoxSpec& request) {
  if (request.buttons == MessageButtons::YesNo) return {answer::YES, answer::NO};
  return {answer::OK};
}

int MessageBoxDefault(const MessageBoxSpec& request) {
  const auto answers = MessageBoxAnswers(request);
  if (std::find(answers.begin(), answers.end(), request.defaultAnswer) != answers.end()) {
    return request.defaultAnswer;
  }
  return answers.front();
}

const char* AnswerName(int a) {
  switch (a) {
    case answer::OK: return "ok";
    case answer::CANCEL: return "cancel";
    case answer::YES: return "yes";
    case answer::NO: return "no";
    default: return nullptr;
  }
}

}  // namespace zd::platform
