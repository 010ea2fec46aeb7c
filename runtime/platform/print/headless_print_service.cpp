#include "platform/print/headless_print_service.h"

#include "base/cp1253.h"
#include "platform/print/paper_sizes.h"
#include "platform/print/pdf_document.h"

namespace zd::platform {
namespace {

class HeadlessPrintService final : public PrintService {
 public:
  HeadlessPrintService(const Trace& trace, std::function<const char*(const char*)> environment)
      : trace_(trace), environment_(std::move(environment)) {}

  std::vector<PrinterInfo> Printers() override {
    std::vector<PrinterInfo> printers;
    const char* list = environment_ ? environment_(kHeadlessPrintersVariable) : nullptr;
    if (!list) return printers;
    std::string_view rest(list);
    while (!rest.empty()) {
      const size_t comma = rest.find(',');
      std::string name(rest.substr(0, comma));
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      while (!name.empty() && name.front() == ' ') name.erase(name.begin());
      while (!name.empty() && name.back() == ' ') name.pop_back();
      if (name.empty()) continue;
      PrinterInfo printer;
      printer.name = name;
      printer.description = name;
      printer.isDefault = printers.empty();  // the first listed is the default
      printers.push_back(std::move(printer));
    }
    return printers;
  }

  Paper LocalePaper() override { return *StandardPaper("A4"); }

  std::unique_ptr<PrintDocument> CreatePdf(const std::string& pathUtf8,
                                           const std::string& title1253) override {
    return MakePdfDocument(pathUtf8, title1253);
  }

  bool Submit(const std::string& printer, const std::string&, int copies, const std::string&,
              std::string& error) override {
    for (const PrinterInfo& known : Printers()) {
      if (known.name == printer) {
        trace_.Line(TraceCategory::Start,
                    "print " + Utf8ToCp1253(printer) + " copies " + std::to_string(copies));
        return true;
      }
    }
    error = "no printer \"" + printer + "\"";
    return false;
  }

 private:
  const Trace& trace_;
  std::function<const char*(const char*)> environment_;
};

}  // namespace

std::unique_ptr<PrintService> MakeHeadlessPrintService(
    const Trace& trace, std::function<const char*(const char*)> environment) {
  return std::make_unique<HeadlessPrintService>(trace, std::move(environment));
}

}  // namespace zd::platform
