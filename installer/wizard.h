// The installer's wizard (dialog IDD_MAIN): welcome, options, install folder, the installation
// itself, what this system does not need, the web viewer, and the end. Each page is one form
// dialog; the steps are numbered 0..7 as the installer always numbered them.
#pragma once

#include <optional>
#include <string>

#include "base/trace.h"
#include "installer/installer.h"
#include "installer/installer_texts.h"
#include "platform/platform.h"

namespace zd::install {

// Controls of IDD_MAIN.
namespace control {
constexpr int NEXT = 1;
constexpr int CANCEL = 2;
constexpr int QUICKTIME = 105;
constexpr int BACK = 107;
constexpr int SAVE_AND_RESUME = 109;
constexpr int INSTALL_DIRECTORY = 113;
constexpr int VIEWER = 777;
}  // namespace control

enum class WizardEnd {
  Finished,   // installed, and the last page closed
  Cancelled,  // the user cancelled (nothing more was done)
  Failed,     // the installation stopped on a failure the user was told about
};

class Wizard {
 public:
  Wizard(platform::Platform& platform, Installer& installer, const InstallerTexts& texts,
         const Trace& trace);

  WizardEnd Run();

  int step() const { return step_; }

 private:
  platform::FormDialogSpec Page() const;
  std::string PageText() const;
  // Takes the answer of the page shown; returns the end when the wizard is over.
  std::optional<WizardEnd> Answer(const platform::FormAnswer& answer);
  std::optional<WizardEnd> Next();
  std::optional<WizardEnd> Install();
  void InstallViewer();
  void Tell(const InstallerMessage& message);
  int Ask(int id);

  platform::Platform& platform_;
  Installer& installer_;
  const InstallerTexts& texts_;
  const Trace& trace_;
  int step_ = 0;
  bool saveAndResume_ = true;
  std::string installDirectory_;  // UTF-8
  // The page's box came back with letters it could not hold (UTF-8, as it came back): the
  // folder cannot be told, and Next says so instead of installing.
  std::optional<std::string> folderLost_;
};

}  // namespace zd::install
