// Documents drawn into PDF files with cairo: text stays text (in the installed faces the
// screen's fonts resolve to), pictures go in pixel for pixel, and the file takes its place only
// when the whole document was written.
#pragma once

#include <memory>
#include <string>

#include "platform/print/print_service.h"

namespace zd::platform {

// A document to be written to `pathUtf8` and titled `title1253`. It always comes back; when the
// file cannot be made there its Finish returns false with the reason, and nothing is left.
std::unique_ptr<PrintDocument> MakePdfDocument(const std::string& pathUtf8,
                                               const std::string& title1253);

}  // namespace zd::platform
