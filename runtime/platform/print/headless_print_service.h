// Printing in headless runs: no real printer is ever used. The printers are the names listed in
// ZD_HEADLESS_PRINTERS (comma-separated; none when it is unset or empty), so that end-to-end
// tests can have some; a job handed to one prints nothing and leaves the trace line
// `print PRINTER copies N`. PDF files are written for real; the paper is always A4, so that
// runs are alike on every machine.
#pragma once

#include <functional>
#include <memory>

#include "base/trace.h"
#include "platform/print/print_service.h"

namespace zd::platform {

constexpr const char* kHeadlessPrintersVariable = "ZD_HEADLESS_PRINTERS";

// `environment` reads a variable (nullptr when unset), as std::getenv does.
std::unique_ptr<PrintService> MakeHeadlessPrintService(
    const Trace& trace, std::function<const char*(const char*)> environment);

}  // namespace zd::platform
