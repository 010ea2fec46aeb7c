// zd32: the Zendral title player. Parses its options, makes the platform, runs the title.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <variant>

#include "base/cp1253.h"
#include "platform/automation/event_script_driver.h"
#include "platform/data_files.h"
#include "platform/files.h"
#include "platform/platform_factory.h"
#include "resources/ui_texts.h"
#include "runtime.h"
#include "shell/program_options.h"

int main(int argc, char** argv) {
  using namespace zd;
  ProgramOptions options;
  if (const std::string error = ParseProgramOptions(argc, argv, options); !error.empty()) {
    std::cerr << "zd32: " << error << "\n";
    return 2;
  }
  const Language language =
      options.language ? *options.language : LanguageFromEnvironment(std::getenv);
  if (options.help) {
    std::cout << ProgramUsage(language);
    return 0;
  }
  if (options.version) {
    std::cout << ProgramVersion() << "\n";
    return 0;
  }

  // A script run alone has no window; its messages are what it shows, so they are traced.
  const bool scriptOnly = !options.runScriptPath.empty();
  if (scriptOnly) {
    options.headless = true;
    options.traceMask |= TraceBit(TraceCategory::Message);
  }
  Trace trace(options.traceMask ? &std::cerr : nullptr, options.traceMask);

  std::unique_ptr<platform::EventScriptDriver> driver;
  if (!options.eventsPath.empty()) {
    auto loaded = platform::LoadEventScript(options.eventsPath);
    if (auto* error = std::get_if<std::string>(&loaded)) {
      std::cerr << "zd32: " << *error << "\n";
      return 2;
    }
    driver = std::make_unique<platform::EventScriptDriver>(
        std::move(std::get<platform::EventScript>(loaded)), trace);
  }

  platform::PlatformOptions platformOptions;
  platformOptions.headless = options.headless;
  platformOptions.screen = options.screen;
  platformOptions.startTicks = options.startTicks;
  platformOptions.clock = options.clock;
  platformOptions.audioOutPath = options.audioOutPath;
  platformOptions.startPrograms = options.startPrograms;
  platformOptions.texts = UiTextsFor(language);
  std::string error;
  auto platform = platform::MakePlatform(platformOptions, trace, driver.get(), error);
  if (!platform) {
    std::cerr << "zd32: " << error << "\n";
    return 2;
  }

  RuntimeConfig config;
  config.commandLine = options.commandLine;
  config.titlePathWithBlanks = options.titlePathWithBlanks;
  config.endsWithQuotedValue = options.endsWithQuotedValue;
  config.language = language;
  config.windowed = options.windowed;
  config.note = [](const std::string& text) { std::cerr << "zd32: " << text << "\n"; };
  if (!options.messagesPath.empty()) {
    config.messagesPath = options.messagesPath;
  } else {
    // In English the failure messages come from the English file, so that every box speaks one
    // language; without it, from the one the program shipped with. Each is looked for beside
    // the program and then in the installed data folder.
    std::optional<std::string> found;
    if (language == Language::English) found = platform::FindDataFile("MESSAGES.EN.TXT");
    if (!found) found = platform::FindDataFile("MESSAGES.TXT");
    config.messagesPath = found.value_or(platform::ProgramDirectory() + "MESSAGES.TXT");
  }

  // The sound of the run is complete (and a --audio-out file written) once the run is over.
  const auto finishAudio = [&]() {
    if (platform->Audio().Finish(error)) return true;
    std::cerr << "zd32: cannot write the sound: " << error << "\n";
    return false;
  };

  Runtime runtime(*platform, trace, std::move(config));
  if (scriptOnly) {
    runtime.shell.ReadCommandLine();
    if (options.testAsserts) {
      runtime.script.EnableTestAsserts([&](int32_t line, std::string_view text) {
        std::cerr << options.runScriptPath << ":" << line
                  << ": assert failed: " << Cp1253ToUtf8(text) << "\n";
      });
    }
    if (!runtime.script.RunScriptFile(options.runScriptPath)) {
      std::cerr << "zd32: cannot read " << options.runScriptPath << "\n";
      return 2;
    }
    const bool audioWritten = finishAudio();
    if (runtime.script.testAsserts().failures > 0) return 1;
    if (!audioWritten) return 2;
    return driver && driver->failed() ? 1 : 0;
  }
  const int result = runtime.Run();
  if (!finishAudio()) return 2;
  if (driver && driver->failed()) return 1;
  return result;
}
