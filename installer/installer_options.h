// zdinst32's command line: the title's CD folder, --uninstall, and the automation options it
// shares with zd32 (--headless, --events, --trace, --screen, --lang).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/language.h"
#include "platform/types.h"
#include "shell/program_options.h"

namespace zd::install {

struct InstallerOptions : RunOptions {
  std::optional<std::string> source;          // the CD folder given on the command line
  std::optional<std::string> uninstallTitle;  // --uninstall TITLE
};

// Parses argv. Returns an error text (in English, as zd32's are), or an empty string.
std::string ParseInstallerOptions(int argc, const char* const* argv, InstallerOptions& options);

// The --help text in the installer's language (UTF-8).
std::string InstallerUsage(Language language);
std::string InstallerVersion();

}  // namespace zd::install
