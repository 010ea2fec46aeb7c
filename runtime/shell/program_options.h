// zd32's own options (--headless, --events, ...) and the original single-letter command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/language.h"
#include "platform/types.h"

namespace zd {

// The options zd32 and zdinst32 read alike: headless runs and their automation, the language,
// help and version.
struct RunOptions {
  bool headless = false;
  std::string eventsPath;
  uint32_t traceMask = 0;            // 0: no trace
  std::optional<platform::ScreenInfo> screen;
  bool startPrograms = false;        // --start-programs: headless, really start programs
  std::optional<Language> language;  // --lang; the environment's when absent
  bool help = false;
  bool version = false;
};

// The value of option `name` at argv[i]: "--name=VALUE", or "--name VALUE" (i then moves to
// the value). False when argv[i] is not that option with a value.
bool OptionValue(int argc, const char* const* argv, int& i, std::string_view name,
                 std::string& value);

// Reads argv[i] when it is one of the shared options (moving i past a value given as the next
// word): nullopt when it is none of them, otherwise an error text, empty when it was read.
std::optional<std::string> TakeRunOption(int argc, const char* const* argv, int& i,
                                         RunOptions& options);

struct ProgramOptions : RunOptions {
  std::optional<platform::LocalTime> clock;
  uint32_t startTicks = 0;
  std::string messagesPath;        // empty: MESSAGES.TXT beside the program
  std::string commandLine;         // the original command line, code page 1253
  std::string titlePathWithBlanks; // its last word when that was one argument holding blanks
  bool endsWithQuotedValue = false; // its last word is a quoted -E value holding blanks
  std::string runScriptPath;       // --run-script: run this script file and exit
  std::string audioOutPath;        // --audio-out: headless, the sound kept as a WAV file
  bool testAsserts = false;        // --test-asserts: the script file may use "assert"
  std::optional<bool> windowed;      // --window / --fullscreen; the remembered choice when absent
};

// Parses argv. Our options start with "--"; every other word belongs to the original command
// line, which is rebuilt with single blanks (a word that holds blanks keeps them, so odd
// spacing can be given in one quoted argument). "--" ends our options. Returns an error text,
// or an empty string.
std::string ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options);

// The --help text in the player's language.
std::string ProgramUsage(Language language);
std::string ProgramVersion();

// "WxH" or "WxHxBITS", each a positive number within what a screen can be (zd32's and
// zdinst32's --screen). False, leaving `screen` as it was, for anything else.
bool ParseScreen(std::string_view text, platform::ScreenInfo& screen);

}  // namespace zd
