#include "installer/installer.h"

namespace zd::install {

InstallerSetup InstallerSetupFromEnvironment(const std::function<const char*(const char*)>&,
                                             const std::string& programDirectory) {
  InstallerSetup setup;
  setup.programDirectory = programDirectory;
  return setup;
}

std::optional<std::string> FindSourceDirectory(const std::optional<std::string>& given,
                                               const std::string&) {
  return given;
}

Installer::Installer(InstallerSetup setup, const Trace& trace)
    : setup_(std::move(setup)), trace_(trace) {}

std::optional<InstallerMessage> Installer::Open(const std::string& sourceDirectory) {
  sourceDirectory_ = sourceDirectory;
  return InstallerMessage{message::LIST_UNREADABLE, sourceDirectory};
}

std::string Installer::group() const { return "Brackmoor"; }
bool Installer::groupMissing() const { return true; }
std::string Installer::DefaultInstallDirectory() const {
  return setup_.dataHome + "/zendral/programs/" + TitleName();
}
std::optional<UninstallRecord> Installer::InstalledRecord() const { return std::nullopt; }
bool Installer::HasSavedFiles(const std::string&) const { return false; }
std::optional<InstallerMessage> Installer::Begin(const InstallChoices&, bool) {
  return std::nullopt;
}
bool Installer::InstallNextBlock(std::optional<InstallerMessage>&) { return false; }
std::optional<std::vector<std::string>> Installer::RunCommand() const { return std::nullopt; }
std::optional<std::vector<std::string>> Installer::ViewerInstallerCommand() const {
  return std::nullopt;
}

std::optional<InstallerMessage> Uninstall(const InstallerSetup&, std::string_view title,
                                          const Trace&) {
  return InstallerMessage{message::NOT_INSTALLED, std::string(title)};
}

}  // namespace zd::install
