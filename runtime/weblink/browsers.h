// The user's web browsers: found once a run, described for the settings dialog, and the one
// chosen kept in the settings file ([Internet] "Browser Path" of zendral.ini).
//
// A browser here is either a desktop entry that opens web addresses (its path is the .desktop
// file's path and its command the entry's Exec line) or a program (the path of the program,
// started with the address as its one argument).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/language.h"
#include "base/trace.h"
#include "weblink/desktop_applications.h"

namespace zd {

struct BrowserEntry {
  std::string path;                  // UTF-8, as on disk
  // The words to start, before substitution: "%s" alone stands for the program's path, "%u"
  // for the address (a desktop entry's %u, %U, %f and %F become "%u" when it is read) and "%%"
  // for a percent sign.
  std::vector<std::string> command;
  // The program the command starts, symbolic links resolved: the same browser reached through
  // $BROWSER and through its desktop entry is listed once.
  std::string program;
  std::string description;           // code page 1253, at most 100 characters
  std::string details;               // code page 1253, at most 100 characters
  bool isDefault = false;
  bool userChosen = false;
  int dialogControl = 0;             // 101, 102, 104 for detected browsers, 105 for the chosen
};

// Where browsers are looked for; the environment of the run by default, temporary folders in
// tests.
struct BrowserSources {
  std::function<const char*(const char*)> environment;  // std::getenv in the player
  std::string settingsFile;  // $XDG_CONFIG_HOME/zendral/zendral.ini
};

class Browsers {
 public:
  Browsers(BrowserSources sources, Language language, const Trace& trace);

  // Fills the list: the desktop's default web browser, $BROWSER, the desktop entries that open
  // http or https addresses (at most three detected in all), then the browser the settings
  // file names. Runs once a run; later calls return at once.
  void DetectBrowsers();
  // Adds a browser (see the rules in browsers.cpp); false when it was ignored.
  bool AddBrowser(const std::string& path, bool isDefault, bool userChosen,
                  std::vector<std::string> command);
  // True when a usable browser is chosen; exactly one detected browser and no choice chooses
  // that one.
  bool HaveBrowserChoice();
  // The entry of the chosen browser, or null.
  const BrowserEntry* ChosenBrowser() const;
  // Makes `path` the chosen browser and writes it to the settings file (atomically, keeping
  // everything else the file holds). False when it could not be written (`error` says why).
  bool ChooseBrowser(const std::string& path, std::string& error);

  // The entry of `path`, or of the same program as `path` when it is a program; null if none.
  const BrowserEntry* EntryFor(const std::string& path) const;

  const std::vector<BrowserEntry>& entries() const { return entries_; }
  const std::string& chosenPath() const { return chosenPath_; }  // "NONE" when none
  // Forgets the list and the choice read (a new title starts).
  void Clear();

 private:
  BrowserSources sources_;
  Language language_;
  const Trace& trace_;
  void AddFromEnvironmentVariable();
  void AddDesktopDefault(const XdgFolders& folders, const std::vector<DesktopFile>& listed);
  void AddDesktopHandlers(const std::vector<DesktopFile>& listed);
  void ReadChosenPath();
  void Describe(BrowserEntry& entry) const;
  void NumberControls();

  bool detected_ = false;
  std::vector<BrowserEntry> entries_;
  std::string chosenPath_ = "NONE";
};

// The words to start for `entry` and `address`: "%s" becomes the entry's program path, "%u"
// inside a word the address (never inside the program's own word), by plain substitution (the address is never read as a format).
// "%%" is a percent sign. A command without "%u" gets the address as its last word. A bare
// program name first is looked up on PATH.
std::vector<std::string> BrowserCommand(const BrowserEntry& entry, std::string_view address);

}  // namespace zd
