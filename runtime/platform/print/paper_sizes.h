// Paper sizes by name: the sizes every dialog offers when a printer names none, and the
// readable name and size of a media name of the print system ("iso_a4_210x297mm").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"

namespace zd::platform {

// A4, Letter, Legal, A5, A3, B5 (the usual sizes, A4 first).
std::vector<Paper> StandardPapers();
// The standard size of that name ("A4", "letter"; case does not matter), or nullopt.
std::optional<Paper> StandardPaper(std::string_view name);
// A PWG self-describing media name ("iso_a4_210x297mm", "na_letter_8.5x11in",
// "custom_foo_100x150mm"): a known size by its usual name, another by its own name and
// dimensions. Nullopt when the name is not of that form or its size is not sensible.
std::optional<Paper> PaperFromMediaName(std::string_view pwgName);

// Sheet sizes in points (1/72 inch), turned when `landscape`.
double MmToPt(double mm);
void SheetSizePt(const PageSetup& setup, double& widthPt, double& heightPt);

}  // namespace zd::platform
