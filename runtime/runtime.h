// The Runtime context: one running player, owning every subsystem. Nothing lives outside it,
// so a test can make as many independent runtimes as it likes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/language.h"

#include "base/trace.h"
#include "database/database.h"
#include "graphics/graphics.h"
#include "movie/movies.h"
#include "platform/platform.h"
#include "print/printing.h"
#include "script/script_engine.h"
#include "script/status/status_files.h"
#include "shell/shell.h"
#include "title/export/object_export.h"
#include "title/pages.h"
#include "title/scheduler.h"
#include "title/title_files.h"
#include "toolbox/toolbox.h"
#include "weblink/web_links.h"

namespace zd {

struct RuntimeConfig {
  // The command line as the original program received it: options and the authorfile path in
  // one line (code page 1253), without the program's name.
  std::string commandLine;
  // The authorfile's path when it was given as one argument holding blanks: the last part of
  // commandLine, taken whole rather than from its last blank (code page 1253).
  std::string titlePathWithBlanks;
  // The line ends with a quoted "-E " value holding blanks (and no title path after it).
  bool endsWithQuotedValue = false;
  // Where MESSAGES.TXT is read from (a path on disk).
  std::string messagesPath;
  // The language of the player's own texts.
  Language language = Language::Greek;
  // How a title's pages start: in a window, full screen, or (nullopt) as the settings say.
  std::optional<bool> windowed;
  // Where notes for the person running the player go (standard error in zd32); may be empty.
  std::function<void(const std::string&)> note;
};

class Runtime {
 public:
  Runtime(platform::Platform& platform, const Trace& trace, RuntimeConfig config);
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // The program: start-up, main loop, shutdown. Returns the quit value (0).
  int Run() { return shell.Run(); }

  platform::Platform& platform;
  const Trace& trace;
  const RuntimeConfig config;

  // Subsystems, in the order they are made.
  Graphics graphics;
  TitleFiles titleFiles;
  Pages pages;
  Scheduler scheduler;
  ScriptEngine script;
  StatusFiles status;
  Movies movies;
  Database database;
  WebLinks webLinks;
  Toolbox toolbox;
  Printing printing;
  ObjectExport objectExport;
  Shell shell;
};

}  // namespace zd
