#include "weblink/browsers.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "base/cp1253.h"
#include "platform/atomic_file.h"
#include "platform/processes.h"
#include "platform/save_store.h"
#include "resources/string_table.h"
#include "shell/ini_file.h"
#include "weblink/browser_setting.h"
#include "weblink/desktop_applications.h"

namespace zd {
namespace {

// At most this many browsers are found by looking; the user's own choice comes on top.
constexpr size_t kMaxDetectedBrowsers = 3;
constexpr size_t kMaxBrowserText = 100;
constexpr int kDetectedControls[kMaxDetectedBrowsers] = {101, 102, 104};
constexpr int kChosenControl = 105;

constexpr std::string_view kHttpScheme = "x-scheme-handler/http";
constexpr std::string_view kHttpsScheme = "x-scheme-handler/https";
constexpr std::string_view kHtml = "text/html";

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsDesktopFile(std::string_view path) {
  constexpr std::string_view kEnd = ".desktop";
  if (path.size() < kEnd.size()) return false;
  const std::string_view end = path.substr(path.size() - kEnd.size());
  for (size_t i = 0; i < kEnd.size(); ++i) {
    const char c = end[i] >= 'A' && end[i] <= 'Z' ? char(end[i] - 'A' + 'a') : end[i];
    if (c != kEnd[i]) return false;
  }
  return true;
}

std::string Canonical(const std::string& path) {
  if (path.empty()) return {};
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Code page 1253 text of at most 100 characters; a longer one ends in "...".
std::string Cut(std::string text, size_t limit = kMaxBrowserText) {
  if (text.size() <= limit) return text;
  text.resize(limit - 3);
  return text + "...";
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The words of one $BROWSER element: blanks separate (no shell quoting: the variable is
// never given to a shell), "%s" marks the address.
std::vector<std::string> SplitBlanks(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

// "%s" of a $BROWSER word becomes the address's mark; "%%" stays a percent; any other "%" is
// literal and doubled so that it cannot become a mark.
std::string MarkAddress(std::string_view word, bool& marked) {
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
      out += "%u";
      marked = true;
      ++i;
    } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
      out += "%%";
      ++i;
    } else if (word[i] == '%') {
      out += "%%";
    } else {
      out += word[i];
    }
  }
  return out;
}

// A whole path in a folder other than "/": without HOME the settings folder is empty, and the
// file must not then land in the root folder or the current one.
bool UsableSettingsFile(const std::string& file) {
  const size_t slash = file.rfind('/');
  return !file.empty() && file.front() == '/' && slash != std::string::npos && slash > 0 &&
         slash + 1 < file.size();
}

// The same browser reached twice ($BROWSER and its desktop entry): the same program with the
// same arguments. Programs started through another (env, flatpak) differ in their arguments.
bool SameProgramAndArguments(const BrowserEntry& a, const BrowserEntry& b) {
  if (a.program != b.program || a.command.size() != b.command.size()) return false;
  for (size_t i = 1; i < a.command.size(); ++i) {
    if (a.command[i] != b.command[i]) return false;
  }
  return true;
}

}  // namespace

Browsers::Browsers(BrowserSources sources, Language language, const Trace& trace)
    : sources_(std::move(sources)), language_(language), trace_(trace) {}

void Browsers::DetectBrowsers() {
  if (detected_) return;
  detected_ = true;
  chosenPath_ = kNoBrowser;
  // The applications folders are walked once; the default's ids and the handlers share it.
  const XdgFolders folders = XdgFoldersFromEnvironment(sources_.environment);
  const std::vector<DesktopFile> listed = ListDesktopFiles(folders);
  AddDesktopDefault(folders, listed);
  AddFromEnvironmentVariable();
  AddDesktopHandlers(listed);
  ReadChosenPath();
}

void Browsers::AddDesktopDefault(const XdgFolders& folders, const std::vector<DesktopFile>& listed) {
  // The web scheme's handler first; a desktop that only names one for web pages is asked next.
  for (std::string_view mimeType : {kHttpScheme, kHtml}) {
    for (const std::string& id : DefaultApplicationIds(folders, mimeType)) {
      const std::optional<std::string> path = FindDesktopFile(folders, listed, id);
      if (path && AddBrowser(*path, true, false, {})) return;
    }
  }
}

void Browsers::AddFromEnvironmentVariable() {
  const char* value = sources_.environment ? sources_.environment("BROWSER") : nullptr;
  if (!value) return;
  std::string_view rest(value);
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::vector<std::string> words = SplitBlanks(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    if (words.empty()) continue;
    const std::string program = ResolveProgram(words.front());
    if (program.empty()) continue;
    std::vector<std::string> command = {"%s"};
    bool marked = false;
    for (size_t i = 1; i < words.size(); ++i) command.push_back(MarkAddress(words[i], marked));
    if (!marked) command.push_back("%u");
    AddBrowser(program, false, false, std::move(command));
  }
}

void Browsers::AddDesktopHandlers(const std::vector<DesktopFile>& listed) {
  for (const DesktopFile& file : listed) {
    size_t detected = 0;
    for (const BrowserEntry& entry : entries_) detected += entry.userChosen ? 0 : 1;
    if (detected >= kMaxDetectedBrowsers) return;
    const std::optional<DesktopEntry> entry = LoadStartableEntry(file.path);
    if (!entry || !(entry->HandlesMimeType(kHttpScheme) || entry->HandlesMimeType(kHttpsScheme))) {
      continue;
    }
    AddBrowser(file.path, false, false, {});
  }
}

void Browsers::ReadChosenPath() {
  if (!UsableSettingsFile(sources_.settingsFile)) return;
  const std::optional<std::string> text = ReadSmallFile(sources_.settingsFile, ini::kMaxFileBytes);
  if (!text) return;
  std::vector<std::string> notes;
  const std::string path = ReadBrowserPath(*text, notes);
  for (const std::string& note : notes) {
    trace_.Line(TraceCategory::Run, "note zendral.ini: " + Utf8ToCp1253(note));
  }
  if (path == kNoBrowser) return;
  // A browser removed since it was chosen is forgotten; so is one that no longer starts.
  AddBrowser(path, false, true, {"%s", "%u"});
  if (EntryFor(path)) chosenPath_ = path;
}

// The rules: a path with nothing startable there is ignored (a .desktop file is started by its
// own Exec line, whatever command is given); so is a browser already listed (the same path, or
// the same program with the same arguments). The user's own choice replaces the one listed
// before; at most three browsers found by looking are kept, a fourth is ignored.
bool Browsers::AddBrowser(const std::string& path, bool isDefault, bool userChosen,
                          std::vector<std::string> command) {
  if (path.empty() || !FileExists(path)) return false;
  BrowserEntry added;
  added.path = path;
  added.isDefault = isDefault;
  added.userChosen = userChosen;
  if (IsDesktopFile(path)) {
    // A desktop entry is started by its own Exec line, whoever names it.
    const std::optional<DesktopEntry> entry = LoadStartableEntry(path);
    if (!entry) return false;
    added.program = Canonical(ResolveProgram(entry->exec.front()));
    if (added.program.empty()) return false;
    added.command = entry->exec;
  } else {
    if (!IsExecutableFile(path)) return false;
    added.program = Canonical(path);
    added.command = command.empty() ? std::vector<std::string>{"%s", "%u"} : std::move(command);
  }

  size_t detected = 0;
  BrowserEntry* chosen = nullptr;
  for (BrowserEntry& entry : entries_) {
    if (entry.path == path || SameProgramAndArguments(entry, added)) return false;
    if (entry.userChosen) {
      chosen = &entry;
    } else {
      ++detected;
    }
  }
  if (userChosen && chosen) {
    chosen->path = added.path;
    chosen->isDefault = added.isDefault;
    chosen->command = std::move(added.command);
    chosen->program = std::move(added.program);
    Describe(*chosen);
    return true;
  }
  if (!userChosen && detected >= kMaxDetectedBrowsers) return false;
  Describe(added);
  entries_.push_back(std::move(added));
  NumberControls();
  return true;
}

void Browsers::Describe(BrowserEntry& entry) const {
  std::string name, comment;
  if (IsDesktopFile(entry.path)) {
    if (const std::optional<DesktopEntry> desktop = LoadStartableEntry(entry.path)) {
      const bool greek = language_ == Language::Greek;
      name = greek && !desktop->nameGreek.empty() ? desktop->nameGreek : desktop->name;
      comment = greek && !desktop->commentGreek.empty() ? desktop->commentGreek : desktop->comment;
    }
  } else {
    name = FileName(entry.path);
  }
  entry.description = name.empty() ? LoadString(505, language_) : Cut(Utf8ToCp1253(name));

  std::string details;
  if (!comment.empty()) details = Cut(Utf8ToCp1253(comment)) + "\n";
  details += LoadString(404, language_) + " " + Utf8ToCp1253(entry.path);
  // The default's mark stays whole however long the path.
  const std::string defaultMark = entry.isDefault ? LoadString(513, language_) : std::string{};
  entry.details = Cut(details, kMaxBrowserText - defaultMark.size()) + defaultMark;
}

void Browsers::NumberControls() {
  size_t detected = 0;
  for (BrowserEntry& entry : entries_) {
    if (entry.userChosen) {
      entry.dialogControl = kChosenControl;
    } else if (detected < kMaxDetectedBrowsers) {
      entry.dialogControl = kDetectedControls[detected++];
    } else {
      entry.dialogControl = 0;
    }
  }
}

const BrowserEntry* Browsers::EntryFor(const std::string& path) const {
  if (path.empty() || path == kNoBrowser) return nullptr;
  for (const BrowserEntry& entry : entries_) {
    if (entry.path == path) return &entry;
  }
  if (IsDesktopFile(path)) return nullptr;
  const std::string program = Canonical(path);
  for (const BrowserEntry& entry : entries_) {
    if (entry.program == program) return &entry;
  }
  return nullptr;
}

bool Browsers::HaveBrowserChoice() {
  if (chosenPath_ == kNoBrowser) {
    const BrowserEntry* only = nullptr;
    size_t detected = 0;
    for (const BrowserEntry& entry : entries_) {
      if (entry.userChosen) continue;
      ++detected;
      only = &entry;
    }
    if (detected != 1) return false;
    chosenPath_ = only->path;
    return true;
  }
  return FileExists(chosenPath_) && EntryFor(chosenPath_) != nullptr;
}

const BrowserEntry* Browsers::ChosenBrowser() const { return EntryFor(chosenPath_); }

bool Browsers::ChooseBrowser(const std::string& path, std::string& error) {
  // The choice holds for this run whatever becomes of the file.
  chosenPath_ = path;
  const std::string& file = sources_.settingsFile;
  if (!UsableSettingsFile(file)) {
    error = "there is no settings folder (HOME and XDG_CONFIG_HOME are not set)";
    return false;
  }
  if (!platform::SaveStore::MakeFolders(file.substr(0, file.rfind('/')), error)) return false;
  std::string previous;
  if (FileExists(file)) {
    // A file that cannot be read whole is not written over: the player's other settings and
    // the user's edits in it would be lost.
    const std::optional<std::string> text = ReadSmallFile(file, ini::kMaxFileBytes);
    if (!text) {
      error = file + " cannot be read whole (unreadable, or larger than " +
              std::to_string(ini::kMaxFileBytes / 1024) + " KiB); left as it is";
      return false;
    }
    previous = *text;
  }
  const std::optional<std::string> written = WriteBrowserPath(path, previous);
  if (!written) {
    error = "the path \"" + path + "\" cannot be kept in a settings file";
    return false;
  }
  if (*written == previous) return true;
  if (!platform::WriteFileAtomic(file, *written, error)) return false;
  trace_.Line(TraceCategory::File, "file written " + Utf8ToCp1253(file));
  return true;
}

void Browsers::Clear() {
  detected_ = false;
  entries_.clear();
  chosenPath_ = kNoBrowser;
}

std::vector<std::string> BrowserCommand(const BrowserEntry& entry, std::string_view address) {
  std::vector<std::string> words;
  bool placed = false;
  for (const std::string& word : entry.command) {
    if (word == "%s") {
      words.push_back(entry.path);
      continue;
    }
    // Plain substitution, one pass: nothing the address holds is read again. The program's
    // own word never takes the address: a link must not choose what is started.
    const bool program = words.empty();
    std::string out;
    for (size_t i = 0; i < word.size(); ++i) {
      if (!program && word[i] == '%' && i + 1 < word.size() && word[i + 1] == 'u') {
        out += address;
        placed = true;
        ++i;
      } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
        out += '%';
        ++i;
      } else {
        out += word[i];
      }
    }
    words.push_back(std::move(out));
  }
  if (words.empty()) words.push_back(entry.path);
  if (!placed) words.emplace_back(address);
  if (!words.front().empty() && words.front().find('/') == std::string::npos) {
    const std::string found = platform::FindOnPath(words.front());
    if (!found.empty()) words.front() = found;
  }
  return words;
}

}  // namespace zd
