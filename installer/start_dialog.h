// The start dialog (IDD_START) shown when the title is installed already: Run starts the
// installed title, Reinstall (asked twice) goes on to the wizard, Cancel leaves. And the one
// way the installer starts programs, with its trace line.
#pragma once

#include <string>
#include <vector>

#include "base/trace.h"
#include "installer/installer.h"
#include "installer/installer_texts.h"
#include "platform/platform.h"

namespace zd::install {

enum class StartChoice { Run, Reinstall, Cancel };

// Buttons of IDD_START.
namespace start_button {
constexpr int RUN = 1;
constexpr int CANCEL = 2;
constexpr int REINSTALL = 9;
}  // namespace start_button

// Shows IDD_START; a first Reinstall shows it once more, and only a second one reinstalls.
StartChoice AskStartDialog(platform::Platform& platform, const InstallerTexts& texts);

// Starts the installed title as its launcher does. False (after telling the user) when the
// record holds no launcher or the player could not be started.
bool RunInstalledTitle(platform::Platform& platform, const Installer& installer,
                       const InstallerTexts& texts, const Trace& trace);

// Starts `arguments` (program first, UTF-8) and writes "start PROGRAM ARG..." to the trace.
// False when it could not be started.
bool StartTraced(platform::Platform& platform, const Trace& trace,
                 const std::vector<std::string>& arguments);

}  // namespace zd::install
