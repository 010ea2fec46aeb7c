#include "installer/installer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <initializer_list>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/cp1253.h"
#include "installer/desktop_entry.h"
#include "installer/icon_file.h"
#include "installer/install_journal.h"
#include "installer/title_launcher.h"
#include "installer/uninstall_record.h"
#include "platform/files.h"
#include "platform/save_store.h"
#include "platform/processes.h"
#include "platform/program_lookup.h"
#include "weblink/local_pages.h"

namespace zd::install {
namespace {

constexpr const char* kDefaultGroup = "Brackmoor";
constexpr const char* kStatusFolder = "Scripts\\Status0";  // the player's saves with -e
constexpr uint64_t kMaxIconFile = 4 * 1024 * 1024;  // larger is no icon; it is copied, not shown

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A program beside zdinst32, else on PATH, else its bare name (the desktop then looks it up).
std::string FindCompanion(const std::string& programDirectory, const char* name) {
  if (!programDirectory.empty()) {
    const std::string beside = programDirectory + "/" + name;
    if (IsExecutableFile(beside)) return beside;
  }
  const std::string onPath = platform::FindOnPath(name);
  return onPath.empty() ? std::string(name) : onPath;
}

bool IsDirectoryWithPcinst(const std::string& folder) {
  return platform::IsDirectory(folder) &&
         platform::FileSize(platform::ResolveBelow(folder, "PCINST")).has_value();
}

bool LastComponentIsPc(const std::string& folder) {
  const std::string trimmed = WithoutTrailingSlash(folder);
  const size_t slash = trimmed.find_last_of('/');
  const std::string last = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  return last.size() == 2 && (last[0] == 'P' || last[0] == 'p') && (last[1] == 'C' || last[1] == 'c');
}

// The real path of an existing file, with links resolved.
std::optional<std::string> RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (!::realpath(path.c_str(), resolved)) return std::nullopt;
  return std::string(resolved);
}

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size() || (length == 2 && lead < 0xC2)) return false;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// The folder's name as a message can show it: bytes that are no UTF-8 become "?".
std::string Displayable(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool copied = false;
    for (size_t length = 1; length <= 4 && i + length <= text.size(); ++length) {
      if (IsValidUtf8(text.substr(i, length))) {
        out.append(text.substr(i, length));
        i += length - 1;
        copied = true;
        break;
      }
    }
    if (!copied) out += '?';
  }
  return out;
}

// An install folder as the user typed it: absolute, valid UTF-8 (the record and the desktop's
// files name it), without "..", control characters or a trailing "/"; empty when it cannot be
// one.
std::string CheckedInstallDirectory(const std::string& typed) {
  std::string folder = WithoutTrailingSlash(typed);
  if (folder.empty() || folder.front() != '/' || folder == "/" || !IsValidUtf8(folder)) return {};
  for (char c : folder) {
    if (static_cast<unsigned char>(c) < 0x20) return {};
  }
  std::string collapsed;
  for (char c : folder) {
    if (c == '/' && !collapsed.empty() && collapsed.back() == '/') continue;
    collapsed += c;
  }
  if (!RelativeComponents(collapsed)) return {};
  return collapsed;
}

bool HasExtension(std::string_view name, std::initializer_list<std::string_view> extensions) {
  for (std::string_view extension : extensions) {
    if (name.size() <= extension.size()) continue;
    const std::string_view tail = name.substr(name.size() - extension.size());
    bool same = true;
    for (size_t i = 0; i < tail.size(); ++i) {
      same = same && std::tolower(static_cast<unsigned char>(tail[i])) == extension[i];
    }
    if (same) return true;
  }
  return false;
}

const char* Say(Language language, const char* english, const char* greek) {
  return language == Language::English ? english : greek;
}

}  // namespace

std::string ListProblemText(ListProblem problem, int block, Language language) {
  const std::string number = std::to_string(block);
  switch (problem) {
    case ListProblem::None: return {};
    case ListProblem::TooLarge:
      return Say(language, "the file is larger than 1 MB", "το αρχείο είναι μεγαλύτερο από 1 MB");
    case ListProblem::Empty:
      return Say(language, "the list holds no block", "η λίστα δεν έχει καμία ενότητα");
    case ListProblem::UnterminatedQuote:
      return Say(language, "block ", "ενότητα ") + number +
             Say(language, ": a value's closing double quote is missing",
                 ": λείπουν τα εισαγωγικά που κλείνουν μια τιμή");
    case ListProblem::BlockTooLong:
      return Say(language, "block ", "ενότητα ") + number +
             Say(language, " is longer than 1024 bytes", " είναι μεγαλύτερη από 1024 bytes");
    case ListProblem::ValueTooLong:
      return Say(language, "block ", "ενότητα ") + number +
             Say(language, ": a value is longer than 260 bytes",
                 ": μια τιμή είναι μεγαλύτερη από 260 bytes");
  }
  return {};
}

InstallerSetup InstallerSetupFromEnvironment(const std::function<const char*(const char*)>& lookup,
                                             const std::string& programDirectory) {
  InstallerSetup setup;
  setup.programDirectory = WithoutTrailingSlash(programDirectory);
  setup.home = platform::HomeFolder(lookup);
  setup.dataHome = platform::XdgFolder(lookup, "XDG_DATA_HOME", "/.local/share");
  setup.configHome = platform::XdgFolder(lookup, "XDG_CONFIG_HOME", "/.config");
  setup.playerPath = FindCompanion(setup.programDirectory, "zd32");
  setup.installerPath = FindCompanion(setup.programDirectory, "zdinst32");
  setup.language = LanguageFromEnvironment(lookup);
  return setup;
}

std::optional<std::string> FindSourceDirectory(const std::optional<std::string>& given,
                                               const std::string& programDirectory) {
  auto holdingList = [](const std::string& folder) -> std::optional<std::string> {
    if (IsDirectoryWithPcinst(folder)) return WithoutTrailingSlash(platform::AbsolutePath(folder));
    return std::nullopt;
  };
  if (given) {
    if (auto found = holdingList(*given)) return found;
    return holdingList(platform::ResolveBelow(*given, "PC"));
  }
  if (LastComponentIsPc(programDirectory)) return holdingList(programDirectory);
  return holdingList(platform::ResolveBelow(programDirectory, "PC"));
}

Installer::Installer(InstallerSetup setup, const Trace& trace)
    : setup_(std::move(setup)), trace_(trace) {}

std::optional<InstallerMessage> Installer::Open(const std::string& sourceDirectory) {
  sourceDirectory_ = WithoutTrailingSlash(sourceDirectory);
  list_ = InstallList{};
  nextBlock_ = 0;
  begun_ = false;
  const std::string path = platform::ResolveBelow(sourceDirectory_, "PCINST");
  const auto size = platform::FileSize(path);
  if (!size) return InstallerMessage{message::LIST_UNREADABLE, path};
  if (*size > kMaxListBytes) {
    return InstallerMessage{message::LIST_MALFORMED,
                            ListProblemText(ListProblem::TooLarge, 0, setup_.language)};
  }
  const auto bytes = platform::ReadWholeFile(path);
  if (!bytes) return InstallerMessage{message::LIST_UNREADABLE, path};
  InstallList list = ParseInstallList(*bytes);
  if (list.problem == ListProblem::Empty) return InstallerMessage{message::LIST_EMPTY, path};
  if (list.problem != ListProblem::None) {
    return InstallerMessage{message::LIST_MALFORMED,
                            ListProblemText(list.problem, list.problemBlock, setup_.language)};
  }
  list_ = std::move(list);
  return std::nullopt;
}

std::string Installer::group() const {
  if (groupMissing()) return kDefaultGroup;
  return Cp1253ToUtf8(*list_.blocks.front().Value("group"));
}

bool Installer::groupMissing() const {
  if (list_.blocks.empty()) return true;
  const auto value = list_.blocks.front().Value("group");
  return !value || value->find_first_not_of(' ') == std::string::npos;
}

std::string Installer::GroupSlugName() const { return GroupSlug(group()); }

std::string Installer::DefaultInstallDirectory() const {
  return setup_.dataHome + "/zendral/programs/" + TitleName();
}

std::optional<UninstallRecord> Installer::InstalledRecord() const {
  return LoadRecord(setup_.dataHome, TitleName());
}

bool Installer::HasSavedFiles(const std::string& installDirectory) const {
  const std::string folder = CheckedInstallDirectory(installDirectory);
  if (folder.empty()) return false;
  const std::string status = platform::ResolveBelow(folder, kStatusFolder);
  for (const std::string& name : platform::ListDirectory(status)) {
    if (platform::FileSize(status + "/" + name)) return true;
  }
  return false;
}

void Installer::Problem(int id, std::string argument) {
  problems_.push_back(InstallerMessage{id, std::move(argument)});
}

std::optional<InstallerMessage> Installer::SaveRecord() {
  InstallJournal journal(record_, setup_.dataHome, trace_);
  std::string error;
  if (!journal.SaveRecord(error)) return InstallerMessage{message::CANNOT_WRITE, error};
  return std::nullopt;
}

std::optional<InstallerMessage> Installer::Begin(const InstallChoices& choices, bool removeSaves) {
  problems_.clear();
  previousFiles_.clear();
  iconResults_.clear();
  begun_ = false;
  if (list_.blocks.empty()) return InstallerMessage{message::LIST_EMPTY, sourceDirectory_};
  const std::string folder = CheckedInstallDirectory(choices.installDirectory);
  if (folder.empty() || !IsAcceptableInstallDirectory(folder, setup_)) {
    return InstallerMessage{message::BAD_FOLDER, Displayable(choices.installDirectory)};
  }
  auto previous = InstalledRecord();
  record_ = UninstallRecord{};
  record_.title = TitleName();
  record_.group = group();
  record_.installDirectory = folder;
  record_.sourceDirectory = sourceDirectory_;
  record_.saveAndResume = choices.saveAndResume;

  // The new folder first: when it cannot be made, the earlier installation stays whole.
  const std::string target =
      choices.saveAndResume ? platform::ResolveBelow(folder, kStatusFolder) : folder;
  {
    InstallJournal journal(record_, setup_.dataHome, trace_);
    std::string error;
    if (journal.MakeFolders(target, error) && ::access(target.c_str(), W_OK | X_OK) != 0) {
      error = target + ": " + std::strerror(errno);
    }
    if (!error.empty()) {
      // What this attempt made goes again, deepest first; the earlier record is not touched.
      for (auto made = record_.folders.rbegin(); made != record_.folders.rend(); ++made) {
        ::rmdir(made->c_str());
      }
      record_.folders.clear();
      return InstallerMessage{message::CANNOT_MAKE_FOLDER, error};
    }
  }
  if (previous) {
    // Reinstall: exactly the files the earlier installation wrote go; what could not be removed
    // and its folders stay listed (still ours to remove later).
    previousFiles_ = previous->files;
    std::string error;
    RemoveRecordedFiles(*previous, setup_, trace_, error);
    if (!error.empty()) Problem(message::RECORD_REFUSED, error);
    std::vector<std::string> folders = std::move(record_.folders);
    record_.files = previous->files;
    record_.folders.clear();
    for (const std::string& made : previous->folders) {
      if (platform::IsDirectory(made)) record_.folders.push_back(made);
    }
    for (const std::string& made : folders) {
      if (std::find(record_.folders.begin(), record_.folders.end(), made) == record_.folders.end()) {
        record_.folders.push_back(made);
      }
    }
  }
  if (removeSaves) {
    const std::string status = platform::ResolveBelow(folder, kStatusFolder);
    for (const std::string& name : platform::ListDirectory(status)) {
      const std::string path = status + "/" + name;
      struct stat st;
      if (::lstat(path.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
        ::unlink(path.c_str());
      }
    }
  }
  if (auto failed = SaveRecord()) return failed;
  if (auto failed = WriteMenuFolder()) return failed;
  const InstallBlock& first = list_.blocks.front();
  if (auto failed = WriteFirstBlockEntries(first)) return failed;
  if (auto failed = InstallBlockFiles(first)) return failed;
  if (auto failed = SaveRecord()) return failed;
  nextBlock_ = 1;
  begun_ = true;
  return std::nullopt;
}

bool Installer::InstallNextBlock(std::optional<InstallerMessage>& failure) {
  failure.reset();
  if (!begun_ || nextBlock_ >= list_.blocks.size()) return false;
  const size_t before = problems_.size();
  failure = InstallBlockFiles(list_.blocks[nextBlock_++]);
  if (auto saved = SaveRecord(); saved && !failure) failure = saved;
  if (!failure && problems_.size() > before) failure = problems_[before];
  return true;
}

std::optional<InstallerMessage> Installer::WriteEntry(std::string_view name, const DesktopEntry& entry) {
  const std::string path =
      setup_.dataHome + "/applications/zendral-" + GroupSlugName() + "-" + std::string(name) + ".desktop";
  InstallJournal journal(record_, setup_.dataHome, trace_);
  std::string error;
  if (!journal.WriteFile(path, entry.Text(), error)) return InstallerMessage{message::CANNOT_WRITE, error};
  return std::nullopt;
}

std::optional<InstallerMessage> Installer::WriteMenuFolder() {
  const std::string slug = GroupSlugName();
  const std::string directoryFile = "zendral-" + slug + ".directory";
  InstallJournal journal(record_, setup_.dataHome, trace_);
  std::string error;
  DesktopEntry directory;
  directory.kind = DesktopEntry::Kind::Directory;
  directory.name = group();
  if (!journal.WriteFile(setup_.dataHome + "/desktop-directories/" + directoryFile, directory.Text(),
                         error) ||
      !journal.WriteFile(setup_.configHome + "/menus/applications-merged/zendral-" + slug + ".menu",
                         MenuFileText(group(), directoryFile, "X-Zendral-" + slug), error)) {
    return InstallerMessage{message::CANNOT_WRITE, error};
  }
  return std::nullopt;
}

std::optional<std::string> Installer::SourceFile(std::string_view name1253) const {
  const std::string path = platform::ResolveBelow(sourceDirectory_, name1253);
  if (!platform::FileSize(path)) return std::nullopt;
  // A link on the CD that leads out of its folder is not the title's file.
  const auto real = RealPath(path);
  const auto realSource = RealPath(sourceDirectory_);
  if (!real || !realSource || real->compare(0, realSource->size() + 1, *realSource + "/") != 0) {
    return std::nullopt;
  }
  return path;
}

bool Installer::CopyIntoInstallFolder(const std::string& source, const std::string& diskName) {
  const std::string target = record_.installDirectory + "/" + diskName;
  // A file already there that neither this nor the earlier installation wrote is someone
  // else's: it is kept, and the title goes without its copy.
  struct stat st;
  const bool known = std::find(record_.files.begin(), record_.files.end(), target) != record_.files.end() ||
                     std::find(previousFiles_.begin(), previousFiles_.end(), target) != previousFiles_.end();
  if (::lstat(target.c_str(), &st) == 0 && !known) {
    Problem(message::FILE_IN_THE_WAY, target);
    return false;
  }
  InstallJournal journal(record_, setup_.dataHome, trace_);
  std::string error;
  if (!journal.CopyFile(source, target, error)) {
    Problem(message::CANNOT_WRITE, error);
    return false;
  }
  return true;
}

std::optional<std::string> Installer::InstallIconOnce(std::string_view name1253) {
  const std::string key(name1253);
  if (const auto done = iconResults_.find(key); done != iconResults_.end()) return done->second;
  auto result = InstallIcon(name1253);
  iconResults_[key] = result;
  return result;
}

std::optional<std::string> Installer::InstallIcon(std::string_view name1253) {
  if (!IsBareName(name1253)) {
    Problem(message::BAD_NAME, Cp1253ToUtf8(name1253));
    return std::nullopt;
  }
  const auto source = SourceFile(name1253);
  if (!source) {
    Problem(message::CANNOT_WRITE, Cp1253ToUtf8(name1253) + ": " + std::strerror(ENOENT));
    return std::nullopt;
  }
  // The copy takes the list's name: always valid UTF-8, so the record names it exactly.
  const std::string diskName = Cp1253ToUtf8(name1253);
  if (!CopyIntoInstallFolder(*source, diskName)) return std::nullopt;
  // The desktop's copy: a PNG in the icon theme. A broken icon leaves the entries without one.
  const auto fileSize = platform::FileSize(*source);
  if (!fileSize || *fileSize > kMaxIconFile) return std::nullopt;
  const auto bytes = platform::ReadWholeFile(*source);
  if (!bytes) return std::nullopt;
  std::string error;
  const auto picture = ReadLargestIcon(*bytes, error);
  if (!picture) return std::nullopt;
  int side = 0;
  const auto png = IconForTheme(*picture, side, error);
  if (!png) return std::nullopt;
  const size_t dot = diskName.find_last_of('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? diskName : diskName.substr(0, dot);
  // Entries name the icon by its theme name, so the desktop picks it from hicolor.
  const std::string themeName = "zendral-" + GroupSlugName() + "-" + GroupSlug(stem);
  const std::string size = std::to_string(side) + "x" + std::to_string(side);
  const std::string path = setup_.dataHome + "/icons/hicolor/" + size + "/apps/" + themeName + ".png";
  InstallJournal journal(record_, setup_.dataHome, trace_);
  if (!journal.WriteFile(path, *png, error)) {
    Problem(message::CANNOT_WRITE, error);
    return std::nullopt;
  }
  return themeName;
}

std::optional<InstallerMessage> Installer::WriteFirstBlockEntries(const InstallBlock& block) {
  const std::string category = "X-Zendral-" + GroupSlugName();
  const std::string cdRoot = ParentFolder(sourceDirectory_);

  DesktopEntry uninstall;
  uninstall.name = "Uninstall";
  uninstall.nameGreek = "Απεγκατάσταση";
  uninstall.exec = {setup_.installerPath, "--uninstall", TitleName()};
  uninstall.category = category;
  if (auto failed = WriteEntry("uninstall", uninstall)) return failed;

  if (const auto sheets = block.Value("actshts")) {
    const platform::TitleProgram program =
        platform::FindTitleProgram(Utf8ToCp1253(sourceDirectory_), *sheets);
    if (program.check == platform::ProgramCheck::NotFound) {
      Problem(message::CANNOT_WRITE, Cp1253ToUtf8(*sheets) + ": " + std::strerror(ENOENT));
    } else if (program.check != platform::ProgramCheck::Found) {
      Problem(message::BAD_NAME, Cp1253ToUtf8(*sheets));
    } else {
      DesktopEntry entry;
      entry.name = "Activity Sheets";
      entry.nameGreek = "Φύλλα Δραστηριοτήτων";
      const std::string wine = platform::FindOnPath("wine");
      entry.exec = {wine.empty() ? std::string("wine") : wine, program.diskPath};
      const std::string workFolder = platform::ResolveBelow(cdRoot, "ActShts");
      if (platform::IsDirectory(workFolder)) entry.workingDirectory = workFolder;
      if (auto icon = InstallIconOnce("BrkPrt.ico")) entry.icon = *icon;
      entry.category = category;
      if (auto failed = WriteEntry("activity-sheets", entry)) return failed;
    }
  }

  if (const auto readme = block.Value("readme")) {
    // Only documents: the read-me is handed to whatever program opens its kind of file.
    const bool acceptable =
        IsBareName(*readme) && HasExtension(*readme, {".txt", ".htm", ".html", ".rtf", ".pdf"});
    const auto source = acceptable ? SourceFile(*readme) : std::nullopt;
    if (!acceptable) {
      Problem(message::BAD_NAME, Cp1253ToUtf8(*readme));
    } else if (!source) {
      Problem(message::CANNOT_WRITE, Cp1253ToUtf8(*readme) + ": " + std::strerror(ENOENT));
    } else {
      const std::string copy = record_.installDirectory + "/" + Cp1253ToUtf8(*readme);
      if (CopyIntoInstallFolder(*source, Cp1253ToUtf8(*readme))) {
        // Opened by the desktop's own choice of program for the file.
        DesktopEntry entry;
        entry.name = "Read Me";
        entry.nameGreek = "Διάβασέ με";
        const std::string opener = platform::FindOnPath("xdg-open");
        entry.exec = {opener.empty() ? std::string("xdg-open") : opener, copy};
        entry.category = category;
        if (auto failed = WriteEntry("read-me", entry)) return failed;
      }
    }
  }

  if (const auto weblink = block.Value("weblink")) {
    const auto parts = RelativeComponents(*weblink);
    if (!parts || parts->empty() || !HasExtension(parts->back(), {".htm", ".html"})) {
      Problem(message::BAD_NAME, Cp1253ToUtf8(*weblink));
    } else {
      std::string relative;
      for (const std::string& part : *parts) relative += (relative.empty() ? "" : "\\") + part;
      // An application entry rather than a link one, so that menus list it with the rest.
      DesktopEntry entry;
      entry.name = "Internet Link";
      entry.nameGreek = "Σύνδεσμος Διαδικτύου";
      const std::string opener = platform::FindOnPath("xdg-open");
      entry.exec = {opener.empty() ? std::string("xdg-open") : opener,
                    FileUri(platform::ResolveBelow(cdRoot, relative))};
      entry.category = category;
      if (auto failed = WriteEntry("internet-link", entry)) return failed;
    }
  }
  return std::nullopt;
}

std::optional<InstallerMessage> Installer::InstallBlockFiles(const InstallBlock& block) {
  const auto iconName = block.Value("icon");
  if (!iconName) return std::nullopt;  // without an icon a block makes no launcher
  const auto icon = InstallIconOnce(*iconName);
  if (!block.Has("item")) return std::nullopt;
  LauncherPlaces places{setup_.playerPath, sourceDirectory_, record_.installDirectory,
                        record_.saveAndResume};
  std::string problem;
  std::vector<std::string> refused;
  const auto arguments = TitleLauncherArguments(block, places, problem, &refused);
  for (const std::string& word : refused) Problem(message::REFUSED_OPTION, word);
  if (!arguments) {
    Problem(message::BAD_NAME, problem);
    return std::nullopt;
  }
  DesktopEntry entry;
  entry.name = TitleName();
  entry.nameGreek = TitleName();
  entry.exec = *arguments;
  if (icon) entry.icon = *icon;
  entry.category = "X-Zendral-" + GroupSlugName();
  return WriteEntry(GroupSlug(TitleName()), entry);
}

std::optional<std::vector<std::string>> Installer::RunCommand() const {
  const std::optional<UninstallRecord> record = begun_ ? std::optional(record_) : InstalledRecord();
  if (!record || list_.blocks.empty()) return std::nullopt;
  // The block that names the title on the CD; the first one when none does.
  const InstallBlock* block = &list_.blocks.front();
  for (const InstallBlock& candidate : list_.blocks) {
    if (candidate.Has("path")) {
      block = &candidate;
      break;
    }
  }
  LauncherPlaces places{setup_.playerPath, sourceDirectory_, record->installDirectory,
                        record->saveAndResume};
  std::string problem;
  return TitleLauncherArguments(*block, places, problem);
}

std::optional<std::vector<std::string>> Installer::ViewerInstallerCommand() const {
  if (sourceDirectory_.empty()) return std::nullopt;
  const std::string setupProgram = platform::ResolveBelow(
      ParentFolder(sourceDirectory_), "shared\\weblinks\\Html0\\viewer\\Setup.exe");
  const std::string wine = platform::FindOnPath("wine");
  if (wine.empty() || !platform::FileSize(setupProgram)) return std::nullopt;
  return std::vector<std::string>{wine, setupProgram};
}

std::optional<InstallerMessage> Uninstall(const InstallerSetup& setup, std::string_view title,
                                          const Trace& trace) {
  if (!IsPlainTitleName(title)) return InstallerMessage{message::BAD_NAME, std::string(title)};
  auto record = LoadRecord(setup.dataHome, title);
  if (!record) return InstallerMessage{message::NOT_INSTALLED, std::string(title)};
  std::string error;
  if (!RemoveRecordedFiles(*record, setup, trace, error)) {
    // What is left stays listed, so that a later uninstall can finish the work.
    InstallJournal journal(*record, setup.dataHome, trace);
    std::string ignored;
    journal.SaveRecord(ignored);
    return InstallerMessage{message::CANNOT_WRITE, error};
  }
  const std::string recordPath = RecordPath(setup.dataHome, title);
  if (::unlink(recordPath.c_str()) != 0 && errno != ENOENT) {
    return InstallerMessage{message::CANNOT_WRITE, recordPath + ": " + std::strerror(errno)};
  }
  RemoveEmptyRecordedFolders(*record, setup);
  // Everything the installer wrote is gone; what the record named besides stays, and is told.
  if (!error.empty()) return InstallerMessage{message::RECORD_REFUSED, error};
  return std::nullopt;
}

}  // namespace zd::install
