// zdinst32: installs a Zendral title from its CD folder onto the desktop. Parses its options,
// makes the platform (a window, or a headless run driven by an event script), shows the CD's
// background, then the start dialog when the title is installed and the wizard.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <variant>

#include "base/cp1253.h"
#include "installer/background.h"
#include "installer/installer.h"
#include "installer/installer_host.h"
#include "installer/installer_options.h"
#include "installer/installer_texts.h"
#include "installer/start_dialog.h"
#include "installer/wizard.h"
#include "platform/automation/event_script_driver.h"
#include "platform/files.h"
#include "platform/platform_factory.h"
#include "resources/ui_texts.h"

namespace {

using namespace zd;
using namespace zd::install;

constexpr int kDone = 0;     // installed, run, uninstalled or cancelled by the user
constexpr int kFailed = 2;   // a usage error or a failure the user was told about

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const auto whole = std::filesystem::absolute(std::filesystem::path(path), ec);
  if (ec) return WithoutTrailingSlash(path);
  return WithoutTrailingSlash(whole.lexically_normal().string());
}

int UninstallTitle(const InstallerSetup& setup, const std::string& title,
                   const InstallerTexts& texts, const Trace& trace) {
  if (auto failure = Uninstall(setup, title, trace)) {
    std::cerr << "zdinst32: " << Cp1253ToUtf8(texts.Format(failure->id, {failure->argument}))
              << "\n";
    return kFailed;
  }
  std::cout << Cp1253ToUtf8(texts.Format(text::UNINSTALLED, {title})) << "\n";
  return kDone;
}

// The CD folder: the one given, else the one beside the program, else the one the user picks.
// nullopt with `cancelled` when the user chose none.
std::optional<std::string> ChooseSource(platform::Platform& platform, const InstallerTexts& texts,
                                        const std::optional<std::string>& given,
                                        const std::string& programDirectory, bool& cancelled) {
  cancelled = false;
  // Launchers made from the CD folder must work from anywhere, so a relative one is made whole.
  if (given) return FindSourceDirectory(Absolute(*given), programDirectory);
  if (auto found = FindSourceDirectory(std::nullopt, programDirectory)) return found;
  platform::FileDialogSpec request;
  request.chooseFolder = true;
  request.title = texts.Get(text::CHOOSE_SOURCE);
  const auto chosen = platform.FileDialog(request);
  if (!chosen) {
    cancelled = true;
    return std::nullopt;
  }
  return FindSourceDirectory(Absolute(Cp1253ToUtf8(chosen->path)), programDirectory);
}

int Install(platform::Platform& platform, const InstallerOptions& options,
            const InstallerSetup& setup, const InstallerTexts& texts, const Trace& trace) {
  const auto tell = [&](int id, const std::string& argument) {
    platform.MessageBox(InstallerMessageBox(texts, id, {argument}, MessageKind::Warning));
  };

  platform::WindowSpec window;
  window.style = platform::WindowStyle::Captioned;
  window.clientWidth = 640;
  window.clientHeight = 480;
  window.caption = texts.Get(301);
  window.resizable = true;  // the user may make it cover the screen, as it once did
  if (!platform.OpenWindow(window)) {
    std::cerr << "zdinst32: cannot open the window\n";
    return kFailed;
  }

  // The window stands (plain) behind the folder dialog; the CD's picture follows once the CD
  // is known, before any other box, so that the boxes stand on it.
  InstallerHost host(platform, std::nullopt);
  platform.SetHost(&host);
  struct HostUntilReturn {
    platform::Platform& platform;
    ~HostUntilReturn() { platform.SetHost(nullptr); }
  } hostUntilReturn{platform};
  host.PaintNow();
  bool cancelled = false;
  const auto source =
      ChooseSource(platform, texts, options.source, setup.programDirectory, cancelled);
  if (cancelled) return kDone;
  if (!source) {
    tell(message::LIST_UNREADABLE, options.source.value_or(setup.programDirectory));
    return kFailed;
  }
  host.SetBackground(LoadBackground(*source));

  Installer installer(setup, trace);
  if (auto failure = installer.Open(*source)) {
    tell(failure->id, failure->argument);
    return kFailed;
  }
  if (installer.groupMissing()) tell(message::GROUP_MISSING, installer.group());

  if (installer.InstalledRecord()) {
    switch (AskStartDialog(platform, texts)) {
      case StartChoice::Run:
        return RunInstalledTitle(platform, installer, texts, trace) ? kDone : kFailed;
      case StartChoice::Cancel:
        return kDone;
      case StartChoice::Reinstall:
        break;
    }
  }
  Wizard wizard(platform, installer, texts, trace);
  return wizard.Run() == WizardEnd::Failed ? kFailed : kDone;
}

}  // namespace

int main(int argc, char** argv) {
  InstallerOptions options;
  if (const std::string error = ParseInstallerOptions(argc, argv, options); !error.empty()) {
    std::cerr << "zdinst32: " << error << "\n";
    return kFailed;
  }
  const Language language =
      options.language ? *options.language : LanguageFromEnvironment(std::getenv);
  if (options.help) {
    std::cout << InstallerUsage(language);
    return kDone;
  }
  if (options.version) {
    std::cout << InstallerVersion() << "\n";
    return kDone;
  }
  const InstallerTexts texts(language);
  Trace trace(options.traceMask ? &std::cerr : nullptr, options.traceMask);
  std::string programDirectory = platform::ProgramDirectory();
  const InstallerSetup setup =
      InstallerSetupFromEnvironment(std::getenv, WithoutTrailingSlash(programDirectory));

  if (options.uninstallTitle) return UninstallTitle(setup, *options.uninstallTitle, texts, trace);

  std::unique_ptr<platform::EventScriptDriver> driver;
  if (!options.eventsPath.empty()) {
    auto loaded = platform::LoadEventScript(options.eventsPath);
    if (auto* error = std::get_if<std::string>(&loaded)) {
      std::cerr << "zdinst32: " << *error << "\n";
      return kFailed;
    }
    driver = std::make_unique<platform::EventScriptDriver>(
        std::move(std::get<platform::EventScript>(loaded)), trace);
  }
  platform::PlatformOptions platformOptions;
  platformOptions.headless = options.headless;
  platformOptions.screen = options.screen;
  platformOptions.startPrograms = options.startPrograms;
  platformOptions.texts = UiTextsFor(language);
  std::string error;
  auto platform = platform::MakePlatform(platformOptions, trace, driver.get(), error);
  if (!platform) {
    std::cerr << "zdinst32: " << error << "\n";
    return kFailed;
  }
  const int result = Install(*platform, options, setup, texts, trace);
  platform->CloseWindow();
  if (driver && driver->failed()) return 1;
  return result;
}
