#include "platform/print/print_dialog_answers.h"

#include <algorithm>
#include <cmath>

#include "platform/events.h"

namespace zd::platform {
namespace {

constexpr int kMaxCopies = 99;
constexpr int kMaxPages = 9999;

bool IsKey(const DriverStep& step, uint16_t key) {
  return step.kind == DriverStep::Kind::Event && step.event.type == EventType::KeyDown &&
         step.event.key == key;
}

// Return takes the dialog as it stands, Escape cancels it; `answer` says the same.
bool TakeAnswer(const DriverStep& step, const char* dialog, EventScriptDriver& driver,
                int& result) {
  if (IsKey(step, vk::RETURN)) {
    result = answer::OK;
    return true;
  }
  if (IsKey(step, vk::ESCAPE)) {
    result = answer::CANCEL;
    return true;
  }
  if (step.kind != DriverStep::Kind::Answer) return false;
  if (step.number != answer::OK && step.number != answer::CANCEL) {
    driver.Fail(step.line, std::string("event script: the ") + dialog +
                               " dialog is answered ok or cancel, not " +
                               std::to_string(step.number));
    return false;
  }
  result = step.number;
  return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Millimetres(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", std::round(mm * 10) / 10);
  return text;
}

}  // namespace

PrintDialogSpec SaneRequest(const PrintDialogSpec& request) {
  PrintDialogSpec sane = request;
  if (sane.defaultDestination < 0 || sane.defaultDestination >= int(sane.destinations.size())) {
    sane.defaultDestination = sane.destinations.empty() ? 0 : int(sane.destinations.size()) - 1;
  }
  sane.copies = std::clamp(sane.copies, 1, kMaxCopies);
  sane.pageCount = std::clamp(sane.pageCount, 0, kMaxPages);
  const bool proposed = sane.rangeFrom >= 1 && sane.rangeFrom <= sane.rangeTo &&
                        sane.rangeTo <= sane.pageCount;
  if (!proposed) sane.rangeFrom = sane.rangeTo = 0;
  return sane;
}

PrintChoice DefaultPrintChoice(const PrintDialogSpec& request) {
  const PrintDialogSpec sane = SaneRequest(request);
  PrintChoice choice;
  choice.destination = sane.defaultDestination;
  choice.copies = sane.copies;
  choice.fromPage = sane.rangeFrom;
  choice.toPage = sane.rangeTo;
  choice.setup = sane.setup;
  return choice;
}

bool TakePrintDialogStep(const DriverStep& step, const PrintDialogSpec& request,
                         EventScriptDriver& driver, PrintChoice& choice, int& result) {
  if (step.kind != DriverStep::Kind::Setting) return TakeAnswer(step, "print", driver, result);
  const ScriptCommand& setting = step.setting;
  switch (setting.kind) {
    case ScriptCommandKind::Printer: {
      const auto& names = request.destinations;
      const auto it = std::find(names.begin(), names.end(), setting.text);
      if (it == names.end()) {
        driver.Fail(step.line, "event script: the print dialog offers no destination \"" +
                                   setting.text + "\"");
        return false;
      }
      choice.destination = int(it - names.begin());
      return false;
    }
    case ScriptCommandKind::Pages: {
      const int count = SaneRequest(request).pageCount;
      if (count == 0 || setting.y > count) {
        driver.Fail(step.line, "event script: the print dialog offers " +
                                   (count == 0 ? std::string("no page range")
                                               : "pages 1-" + std::to_string(count)));
        return false;
      }
      choice.fromPage = setting.x;
      choice.toPage = setting.y;
      return false;
    }
    case ScriptCommandKind::Copies:
      choice.copies = std::clamp(setting.number, 1, kMaxCopies);
      return false;
    case ScriptCommandKind::Orientation:
      choice.setup.landscape = setting.number != 0;
      return false;
    default:
      return false;
  }
}

bool TakePageSetupStep(const DriverStep& step, EventScriptDriver& driver, PageSetup& setup,
                       int& result) {
  if (step.kind == DriverStep::Kind::Setting) {
    if (step.setting.kind == ScriptCommandKind::Orientation) {
      setup.landscape = step.setting.number != 0;
    }
    return false;
  }
  return TakeAnswer(step, "page-setup", driver, result);
}

std::string SetupText(const PageSetup& setup) {
  return setup.paper.name + (setup.landscape ? " landscape" : " portrait");
}

void TracePrintDialog(const Trace& trace, const PrintDialogSpec& request) {
  const PrintDialogSpec sane = SaneRequest(request);
  std::string line = "dialog print: ";
  for (size_t i = 0; i < sane.destinations.size(); ++i) {
    if (i) line += ", ";
    line += Quoted(sane.destinations[i]);
  }
  if (!sane.destinations.empty()) {
    line += "; default " + Quoted(sane.destinations[size_t(sane.defaultDestination)]);
  }
  if (sane.pageCount > 0) {
    line += "; pages 1-" + std::to_string(sane.pageCount);
    if (sane.rangeFrom > 0) {
      line += ", proposed " + std::to_string(sane.rangeFrom) + "-" + std::to_string(sane.rangeTo);
    }
  }
  trace.Line(TraceCategory::Dialog, line);
}

void TracePrintChoice(const Trace& trace, const PrintDialogSpec& request,
                      const std::optional<PrintChoice>& choice) {
  if (!choice) return;
  std::string line = "print to ";
  if (choice->destination >= 0 && choice->destination < int(request.destinations.size())) {
    line += Quoted(request.destinations[size_t(choice->destination)]);
  } else {
    line += "nothing";
  }
  line += ", copies " + std::to_string(choice->copies) + ", pages ";
  line += choice->fromPage > 0
              ? std::to_string(choice->fromPage) + "-" + std::to_string(choice->toPage)
              : std::string("all");
  line += ", " + SetupText(choice->setup);
  trace.Line(TraceCategory::Dialog, line);
}

void TracePageSetupDialog(const Trace& trace, const PageSetupSpec& request) {
  trace.Line(TraceCategory::Dialog, "dialog page-setup: " + SetupText(request.current));
}

void TracePageSetupChoice(const Trace& trace, const std::optional<PageSetup>& setup) {
  if (!setup) return;
  trace.Line(TraceCategory::Dialog, "page setup " + SetupText(*setup) + ", margins " +
                                        Millimetres(setup->leftMm) + " " +
                                        Millimetres(setup->topMm) + " " +
                                        Millimetres(setup->rightMm) + " " +
                                        Millimetres(setup->bottomMm) + " mm");
}

}  // namespace zd::platform
