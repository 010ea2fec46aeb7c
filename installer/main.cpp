// zdinst32: installs a Zendral title from its CD folder onto the desktop. Parses its options,
// makes the platform (a window, or a headless run driven by an event script), shows the CD's
// background, then the start dialog when the title is installed and the wizard.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <variant>

#include "base/cp1253.h"
#include "installer/background.h"
#include "installer/installer.h"
#include "installer/installer_host.h"
#include "installer/installer_options.h"
#include "installer/installer_texts.h"
#include "installer/start_dialog.h"
#include "installer/typed_folder.h"
#include "installer/uninstall_record.h"
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

// Saves of a title started with -e INSTALL live here below the install folder.
constexpr const char* kSavesFolder = "Scripts\\Status0";

// The menu's Uninstall entry runs this with no terminal to read, so the question and the
// outcome are boxes; the printed lines are for those who run it from a shell. Without an
// answer (a headless run whose script gives none) the question takes No and nothing goes.
int UninstallTitle(platform::Platform& platform, const InstallerSetup& setup,
                   const std::string& title, const InstallerTexts& texts, const Trace& trace) {
  const std::optional<UninstallRecord> record = LoadRecord(setup.dataHome, title);
  // Nothing to ask about when nothing is installed: the failure below says so.
  if (record && platform.MessageBox(InstallerMessageBox(texts, text::UNINSTALL_QUESTION, {title},
                                                        MessageKind::Question)) !=
                    platform::answer::YES) {
    return kDone;
  }
  if (auto failure = Uninstall(setup, title, trace)) {
    std::cerr << "zdinst32: " << Cp1253ToUtf8(texts.Format(failure->id, {failure->argument}))
              << "\n";
    platform.MessageBox(
        InstallerMessageBox(texts, failure->id, {failure->argument}, MessageKind::Warning));
    return kFailed;
  }
  // The learner's saves are not the installation's: they stay, and the user hears where.
  std::string saves;
  if (record && !record->installDirectory.empty() && record->installDirectory.front() == '/') {
    const std::string status = platform::ResolveBelow(record->installDirectory, kSavesFolder);
    if (platform::IsDirectory(status)) saves = status;
  }
  const int id = saves.empty() ? text::UNINSTALLED : text::UNINSTALLED_SAVES_KEPT;
  std::cout << Cp1253ToUtf8(texts.Format(id, {title, saves})) << "\n";
  platform.MessageBox(InstallerMessageBox(texts, id, {title, saves}, MessageKind::Information));
  return kDone;
}

// The CD folder as found, and the folder that was tried (for the message when none was).
struct SourceChoice {
  std::optional<std::string> folder;
  std::string tried;
  bool cancelled = false;
};

// A folder dialog that keeps coming back with a name it cannot hold is given up after this
// many tries, so that a run whose script has ended cannot go round forever.
constexpr int kMaxFolderDialogs = 100;

// The CD folder: the one given, else the one beside the program, else the one the user picks.
SourceChoice ChooseSource(platform::Platform& platform, const InstallerTexts& texts,
                          const std::optional<std::string>& given,
                          const std::string& programDirectory) {
  // Launchers made from the CD folder must work from anywhere, so a relative one is made whole.
  if (given) {
    const std::string whole = Absolute(*given);
    return {FindSourceDirectory(whole, programDirectory), whole};
  }
  if (auto found = FindSourceDirectory(std::nullopt, programDirectory)) return {found, *found};
  platform::FileDialogSpec request;
  request.chooseFolder = true;
  request.title = texts.Get(text::CHOOSE_SOURCE);
  for (int asked = 0; asked < kMaxFolderDialogs; ++asked) {
    const auto chosen = platform.FileDialog(request);
    if (!chosen) break;
    // The dialog answers in code page 1253: letters it lacks are looked up on disk again.
    if (auto folder = FolderFromDialogPath(chosen->path)) {
      const std::string whole = Absolute(*folder);
      return {FindSourceDirectory(whole, programDirectory), whole};
    }
    platform.MessageBox(InstallerMessageBox(texts, text::FOLDER_NAME_LOST,
                                            {Cp1253ToUtf8(chosen->path)}, MessageKind::Warning));
  }
  SourceChoice none;
  none.cancelled = true;
  return none;
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
  const SourceChoice source =
      ChooseSource(platform, texts, options.source, setup.programDirectory);
  if (source.cancelled) return kDone;
  if (!source.folder) {
    tell(message::LIST_UNREADABLE, source.tried.empty() ? setup.programDirectory : source.tried);
    return kFailed;
  }
  host.SetBackground(LoadBackground(*source.folder));

  Installer installer(setup, trace);
  if (auto failure = installer.Open(*source.folder)) {
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
  const int result =
      options.uninstallTitle
          ? UninstallTitle(*platform, setup, *options.uninstallTitle, texts, trace)
          : Install(*platform, options, setup, texts, trace);
  platform->CloseWindow();
  if (driver && driver->failed()) return 1;
  return result;
}
