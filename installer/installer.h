// What zdinst32 does to a machine, without its dialogs: where the title's CD folder is, what
// the install list asks for, and the installation itself. A title's "Start menu" becomes desktop
// entries in a menu folder of the group's name, its shortcuts launchers of zd32, its uninstall
// entry a record of every file written, below the user's XDG folders.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/language.h"
#include "base/trace.h"
#include "installer/install_list.h"

namespace zd::install {

// Where the installer's work goes and where the player is. Paths are UTF-8, without a trailing
// "/".
struct InstallerSetup {
  std::string programDirectory;  // zdinst32's own folder
  std::string playerPath;        // the zd32 the launchers start
  std::string home;              // $HOME (empty when unknown); never an install folder
  std::string dataHome;          // $XDG_DATA_HOME (~/.local/share when unset or relative)
  std::string configHome;        // $XDG_CONFIG_HOME (~/.config when unset or relative)
  std::string installerPath;     // the zdinst32 the uninstall entry starts (found as zd32 is)
  Language language = Language::Greek;  // of the reasons put into messages
};

// The folders from the environment (`lookup` reads a variable: std::getenv in zdinst32); the
// player is the zd32 beside zdinst32, else the one on PATH, else "zd32".
InstallerSetup InstallerSetupFromEnvironment(const std::function<const char*(const char*)>& lookup,
                                             const std::string& programDirectory);

// The title's CD folder holding PCINST: `given` when the command line named one (a folder that
// holds PCINST, or a CD root whose "PC" folder does), else the program's own folder when its
// name is "PC" (any case), else its "PC" subfolder. nullopt when none holds a PCINST.
std::optional<std::string> FindSourceDirectory(const std::optional<std::string>& given,
                                               const std::string& programDirectory);

// A message for the user: an id of the installer's text table and what fills its "%s".
struct InstallerMessage {
  int id = 0;
  std::string argument;  // UTF-8
};

// The installer's message ids (installer_texts.cpp holds the texts).
namespace message {
constexpr int LIST_UNREADABLE = 606;
constexpr int LIST_EMPTY = 607;
constexpr int LIST_MALFORMED = 608;     // what is wrong with the list (argument: the reason)
constexpr int GROUP_MISSING = 617;
constexpr int CANNOT_MAKE_FOLDER = 604; // argument: the folder and the reason
constexpr int CANNOT_WRITE = 605;       // a file could not be written (argument: file, reason)
constexpr int BAD_NAME = 609;           // an icon, read-me or sheet name that is not a bare name
constexpr int NOT_INSTALLED = 610;      // --uninstall of a title with no record
constexpr int REFUSED_OPTION = 618;     // a word of the list's command left out (argument: it)
constexpr int FILE_IN_THE_WAY = 619;    // a file of someone else's in the install folder, kept
constexpr int BAD_FOLDER = 620;         // an install folder that cannot be one (argument: it)
constexpr int RECORD_REFUSED = 621;     // the record names something not removed (argument:
                                        // the place and why)
}  // namespace message

// Why an install list is refused, for message 608's "%s".
std::string ListProblemText(ListProblem problem, int block, Language language);

struct InstallChoices {
  std::string installDirectory;  // UTF-8
  bool saveAndResume = true;
};

// What an installation left on the machine, kept as JSON in
// $XDG_DATA_HOME/zendral/installed/TITLE.json.
struct UninstallRecord {
  std::string title;             // "Mossgate"
  std::string group;             // the menu folder's name (UTF-8)
  std::string installDirectory;
  std::string sourceDirectory;
  bool saveAndResume = false;
  std::vector<std::string> files;    // every file written, in order
  std::vector<std::string> folders;  // every folder made, in order (removed when left empty)
};

struct DesktopEntry;

class Installer {
 public:
  Installer(InstallerSetup setup, const Trace& trace);

  // Reads PCINST in `sourceDirectory`. nullopt when it can be installed; otherwise the message
  // (unreadable, malformed, empty).
  std::optional<InstallerMessage> Open(const std::string& sourceDirectory);

  const std::string& sourceDirectory() const { return sourceDirectory_; }
  const InstallList& list() const { return list_; }
  // The first block's group (UTF-8), or "Brackmoor" when it has none or an empty one (then
  // groupMissing()).
  std::string group() const;
  bool groupMissing() const;
  static std::string TitleName() { return "Mossgate"; }
  // $XDG_DATA_HOME/zendral/programs/Mossgate
  std::string DefaultInstallDirectory() const;

  // The record of an earlier installation of the title, when there is one.
  std::optional<UninstallRecord> InstalledRecord() const;
  // Whether the learner has saves in `installDirectory` (its scripts/status0 folder).
  bool HasSavedFiles(const std::string& installDirectory) const;

  // Installation: Begin, then InstallNextBlock until it returns false. Begin makes the install
  // (or status) folder first; only when that worked does it remove what the record of an
  // earlier installation lists (and, when `removeSaves`, the learner's saves in the status
  // folder) and write the first block's entries. A failure is returned as its message and
  // nothing more is done; a failure to make the folder leaves the earlier installation and its
  // record as they were.
  std::optional<InstallerMessage> Begin(const InstallChoices& choices, bool removeSaves);
  // Installs the next block after the first (icons and title launchers). False when no block
  // is left. A failure to write is returned in `failure` and the installation goes on.
  bool InstallNextBlock(std::optional<InstallerMessage>& failure);
  // The record as it stands (written to disk after every step).
  const UninstallRecord& record() const { return record_; }
  // What went wrong without stopping the installation (a bad or missing icon, read-me or
  // sheet name; a file that could not be copied), since Begin, in order.
  const std::vector<InstallerMessage>& problems() const { return problems_; }
  // Where the menu folder's files go: the slug of the group in file and category names.
  std::string GroupSlugName() const;

  // The title's launcher command (zd32 first, then each argument) for Run in the start dialog,
  // from the recorded installation; nullopt when there is none.
  std::optional<std::vector<std::string>> RunCommand() const;
  // The viewer installer on the CD ("..\shared\weblinks\Html0\viewer\Setup.exe" beside the
  // source folder), started through wine; nullopt when it or wine is missing.
  std::optional<std::vector<std::string>> ViewerInstallerCommand() const;

 private:
  InstallerSetup setup_;
  const Trace& trace_;
  std::string sourceDirectory_;
  InstallList list_;
  UninstallRecord record_;
  size_t nextBlock_ = 0;
  bool begun_ = false;
  std::vector<InstallerMessage> problems_;
  // The earlier installation's files: the only ones in the install folder a copy may replace.
  std::vector<std::string> previousFiles_;
  // Each icon name is installed once; later blocks naming it get the same theme name.
  std::map<std::string, std::optional<std::string>> iconResults_;

  std::optional<InstallerMessage> WriteMenuFolder();
  std::optional<InstallerMessage> WriteFirstBlockEntries(const InstallBlock& block);
  std::optional<InstallerMessage> InstallBlockFiles(const InstallBlock& block);
  std::optional<std::string> InstallIcon(std::string_view name1253);
  std::optional<std::string> InstallIconOnce(std::string_view name1253);
  bool CopyIntoInstallFolder(const std::string& source, const std::string& diskName);
  std::optional<std::string> SourceFile(std::string_view name1253) const;
  std::optional<InstallerMessage> WriteEntry(std::string_view name, const DesktopEntry& entry);
  void Problem(int id, std::string argument);
  std::optional<InstallerMessage> SaveRecord();
};

// zdinst32 --uninstall TITLE: removes exactly the files the title's record lists, then the
// folders it made that are left empty, then the record. A message when nothing is installed
// under that name or something could not be removed.
std::optional<InstallerMessage> Uninstall(const InstallerSetup& setup, std::string_view title,
                                          const Trace& trace);

}  // namespace zd::install
