#include "script/status/status_files.h"

#include <algorithm>
#include <iterator>
#include <filesystem>

#include "base/cp1253.h"
#include "base/text.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/save_store.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "script/script_source.h"
#include "script/status/status_writer.h"

namespace zd {

using script::StatusRecord;
using script::VariablesFileState;

namespace {

constexpr size_t kMaxRecordName = 11;
constexpr std::string_view kResumeName = "RESUME:0";

// Adds lines to a record until one would make it larger than a file may be; from then on the
// record is failed and takes no more.
bool AddLines(StatusRecord& record, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (record.failed) return false;
    if (record.text.size() + line.size() + 1 > script::kMaxStatusFileBytes) {
      record.failed = true;
      return false;
    }
    record.text += line;
    record.text += '\n';
  }
  return !record.failed;
}

// The saved start module of a file: the text between the first two double quotes after the
// first colon of its second line; nullopt when that line has no colon.
std::optional<std::string> SavedModuleName(std::string_view text) {
  const size_t lineStart = text.find('\n');
  if (lineStart == std::string_view::npos) return std::nullopt;
  std::string_view line = text.substr(lineStart + 1);
  line = line.substr(0, std::min(line.find('\n'), size_t{512}));
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const size_t open = line.find('"', colon);
  const size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
  if (close == std::string_view::npos) return std::string();
  return std::string(line.substr(open + 1, close - open - 1));
}

// A status file goes to its page first and sets Resume$ last: one that has the first and not the
// comment before the last was cut short, and would leave the learner on a half-restored page.
// (Variable files have no page to go to and may end anywhere.)
bool CutShort(std::string_view text) {
  const bool goesToAPage = text.find("\ntofilepage ") != std::string_view::npos;
  const std::string comment = "\n" + std::string(script::kStatusResumeComment);
  // The comment's line may end "\r\n": a file passed through another system is still whole.
  for (size_t at = text.find(comment); at != std::string_view::npos;
       at = text.find(comment, at + 1)) {
    const size_t after = at + comment.size();
    if (after < text.size() && (text[after] == '\n' || text[after] == '\r')) return false;
  }
  return goesToAPage;
}

// The first command of a file that the status writer never writes. A file holding one was not
// saved by the player: it is refused whole, before any of its lines has run.
std::optional<std::string> ForeignCommand(std::string_view text) {
  size_t position = 0;
  script::ScriptLine line;
  while (position < text.size() && script::ReadScriptLine(text, position, line)) {
    position = line.next;
    script::TextCursor cursor{line.text, 0};
    script::ScriptText word;
    if (script::ReadCommandWord(cursor, word) && !StatusFiles::StatusCommandAllowed(word.view())) {
      return word.str();
    }
  }
  return std::nullopt;
}

// Writes `text` whole or not at all, making the folders it needs; the old file stays when
// anything fails.
bool WriteWhole(const std::string& diskPath, std::string_view text, const Trace& trace) {
  std::string error;
  const std::string folder = std::filesystem::path(diskPath).parent_path().string();
  if (!folder.empty() && !platform::SaveStore::MakeFolders(folder, error)) return false;
  if (!platform::WriteFileAtomic(diskPath, text, error)) return false;
  trace.Line(TraceCategory::File, "file written " + Utf8ToCp1253(diskPath));
  return true;
}

}  // namespace

StatusFiles::StatusFiles(Runtime& runtime) : runtime_(runtime) {}

void StatusFiles::ClearStatusState() {
  snapshot_.Release();
  resume_.Release();
  variables_.Release();
  variablesState_ = VariablesFileState::None;
  variablesPath_.clear();
  runningStatus_ = false;
}

// Shutdown frees what start-up cleared: the records and the variables file's state.
void StatusFiles::ReleaseStatusState() { ClearStatusState(); }

script::StatusRoot StatusFiles::Root() const {
  const std::string& override = runtime_.shell.commandLine().overrideDirectoryAsGiven;
  if (!override.empty()) return script::StatusRoot::FromOverrideDirectory(override);
  const auto saves = runtime_.platform.Saves().SavesFolder(runtime_.shell.applicationName());
  if (!saves) return {};
  return script::StatusRoot::FromSavesFolder(*saves);
}

std::optional<std::string> StatusFiles::PathOfName(std::string_view name) const {
  const std::string relative = script::StatusPathFromName(name);
  if (relative.empty()) return std::nullopt;
  return Root().DiskPath(relative);
}

bool StatusFiles::ResumeFileExists() const {
  const auto path = PathOfName(kResumeName);
  return path && platform::FileSize(*path).has_value();
}

// --- The snapshot ----------------------------------------------------------------------

void StatusFiles::PageEntered() {
  if (ResumeWaiting()) {
    // The rest of the file belongs to the page its `tofilepage` line named; on any other page
    // (the saved page is gone from the title) it would restore the place in the wrong one.
    const std::string& awaited = resume_.awaitedPage;
    const auto entered = runtime_.pages.CurrentPageName();
    if (awaited.empty() || (entered && EqualsIgnoreCase1253(*entered, awaited))) {
      RunStatusScript();
    } else {
      ResumeNotReached();
    }
  }
  if (Root().set()) BuildStatusScript();
}

void StatusFiles::ResumeNotReached() {
  if (!ResumeWaiting()) return;
  resume_.Release();
  runtime_.shell.reporter().ReportError("error146");
}

bool StatusFiles::BuildStatusScript() {
  const uint32_t started = runtime_.platform.TickCount();
  snapshot_.Release();
  snapshot_.name = "Status";
  AddLines(snapshot_, script::StatusHeaderLines(runtime_.shell.applicationName(), true,
                                                runtime_.platform.Now(),
                                                runtime_.titleFiles.titleDirectory()));
  AddLines(snapshot_, script::StatusStateLines(
                          runtime_, script::CarrierPrefix(runtime_.script.variables())));
  const uint32_t hundredths = (runtime_.platform.TickCount() - started) / 10;
  AddLines(snapshot_, {"", "|Time to build this script : " + std::to_string(hundredths) + " cs",
                       "", std::string(script::kStatusResumeComment)});
  if (snapshot_.failed) runtime_.shell.reporter().ReportDiagnostic("error138");
  return !snapshot_.failed;
}

// --- Saving and loading ----------------------------------------------------------------

bool StatusFiles::SaveStatusFile(std::string_view nameOrPath, bool isPath,
                                 std::string_view resumeText) {
  if (snapshot_.empty()) return false;
  std::string diskPath;
  if (isPath) {
    diskPath = std::string(nameOrPath);
  } else {
    if (!Root().set()) return false;  // no status tree: nothing is saved, and nothing said
    const auto path = PathOfName(nameOrPath);
    if (!path) {
      runtime_.shell.reporter().ReportError("error137");  // a name that leaves no file name
      return false;
    }
    diskPath = *path;
  }
  // The snapshot itself is left as it is: the file is a copy with the resume line added.
  StatusRecord file = snapshot_;
  AddLines(file, script::ResumeLines(resumeText,
                                     script::CarrierPrefix(runtime_.script.variables())));
  if (file.failed || diskPath.empty() || !WriteWhole(diskPath, file.text, runtime_.trace)) {
    runtime_.shell.reporter().ReportError("error137");
    return false;
  }
  return true;
}

bool StatusFiles::LoadStatusFile(std::string_view nameOrPath, bool isPath) {
  std::string diskPath, name;
  if (isPath) {
    diskPath = std::string(nameOrPath);
    name = "LoadStat";
  } else {
    const auto path = PathOfName(nameOrPath);
    if (!path) return false;
    diskPath = *path;
    name = std::string(nameOrPath.substr(0, kMaxRecordName));
  }
  Reporter& reporter = runtime_.shell.reporter();
  const auto size = platform::FileSize(diskPath);
  if (!size) return false;
  if (*size > script::kMaxStatusFileBytes) {
    reporter.ReportError("error144");
    return false;
  }
  const auto text = platform::ReadWholeFile(diskPath);
  if (!text || text->size() != *size) {
    if (text && text->size() > script::kMaxStatusFileBytes) {
      reporter.ReportError("error144");
      return false;
    }
    reporter.ReportError("crierr7");
    resume_.Release();
    return false;
  }
  if (text->compare(0, script::kStatusFirstLine.size(), script::kStatusFirstLine) != 0) {
    reporter.ReportError("error142");
    return false;
  }
  if (CutShort(*text)) {
    reporter.ReportError("crierr7");
    resume_.Release();
    return false;
  }
  if (const auto foreign = ForeignCommand(*text)) {
    reporter.ReportError("error145", *foreign);
    return false;
  }
  const std::string& appName = runtime_.shell.applicationName();
  const auto saved = SavedModuleName(*text);
  if (!saved || (*saved != appName && *saved != "!generic")) {
    const Language language = runtime_.config.language;
    platform::MessageBoxSpec box;
    box.caption = LoadString(strings::LOAD_SETTINGS_TITLE, language);
    box.text = reporter.Lookup("error143") + LoadString(strings::LOAD_SETTINGS_QUESTION, language);
    box.icon = platform::MessageIcon::Warning;
    box.buttons = platform::MessageButtons::YesNo;
    box.defaultAnswer = platform::answer::NO;
    box.key = "error143";
    box.titleCaption = false;
    if (runtime_.platform.MessageBox(box) != platform::answer::YES) return false;
  }
  resume_.Release();
  resume_.name = name;
  resume_.text = *text;
  return true;
}

void StatusFiles::RunStatusScript() {
  if (resume_.empty()) return;
  // The text is the run's own: nothing the script does can change what it reads.
  const std::string text = resume_.text;
  script::ScriptSource source;
  source.name.Assign(resume_.name);
  source.text = text;
  const bool wasRunning = runningStatus_;
  runningStatus_ = true;
  const script::RunPlace end = runtime_.script.RunScript(source, resume_.position, resume_.line,
                                                         false);
  runningStatus_ = wasRunning;
  Pages& pages = runtime_.pages;
  const auto& external = pages.pendingExternalTitle();
  if (external && end.position + 1 < text.size()) {
    // Its `tofilepage` line has asked for a title: the rest runs when that title's page is
    // entered.
    resume_.position = end.position;
    resume_.line = end.line;
    resume_.awaitedPage = external->pageName;
    return;
  }
  resume_.Release();
  pages.RedrawWholePage();
}

bool StatusFiles::StatusCommandAllowed(std::string_view command) {
  // Exactly the commands the status writer and the text carriers write.
  static constexpr std::string_view kAllowed[] = {
      "tofilepage",  "clear",     "closedata", "opendata",    "delfilter", "clearselection",
      "set",         "add",       "valtostr",  "addfilter",   "applyfilters", "shufflesel",
      "closemovie",  "openaudio", "playmovie", "seekmovie",   "pausemovie",   "tokensearch"};
  return std::find(std::begin(kAllowed), std::end(kAllowed), command) != std::end(kAllowed);
}

// --- Variable files ----------------------------------------------------------------------

void StatusFiles::StartVariablesFile(const std::string& diskPath) {
  variables_.Release();
  variables_.name = "Vars";
  variablesPath_ = diskPath;
  AddLines(variables_, script::StatusHeaderLines(runtime_.shell.applicationName(), false,
                                                 runtime_.platform.Now(),
                                                 runtime_.titleFiles.titleDirectory()));
  AddLines(variables_, {std::string(script::kStatusBeforeStartLine), "", "clear"});
  variablesState_ = VariablesFileState::Open;
}

void StatusFiles::CancelVariablesFile() {
  variables_.Release();
  variablesPath_.clear();
  variablesState_ = VariablesFileState::Cancelled;
}

void StatusFiles::AddVariableLine(std::string_view variableName) {
  if (variableName.empty()) return;
  const char suffix = variableName.back();
  const bool isString = suffix == '$';
  if (variablesState_ == VariablesFileState::None) {
    runtime_.script.ReportScriptDiagnostic("scerr67");
    return;
  }
  // A cancelled file has no header to add to: nothing is kept.
  if (variablesState_ == VariablesFileState::Cancelled) return;
  ScriptEngine& engine = runtime_.script;
  std::vector<std::string> lines;
  if (isString) {
    script::ScriptText value;
    if (!engine.GetStringVariable(variableName, value)) return;
    lines = script::StringVariableLines(variableName, value.view(),
                                        script::CarrierPrefix(engine.variables()));
  } else if (suffix == '%') {
    int32_t value = 0;
    if (!engine.GetIntVariable(variableName, value)) return;
    lines = script::IntegerVariableLines(variableName, value);
  } else {
    double value = 0;
    if (!engine.GetFloatVariable(variableName, value)) return;
    lines = script::FloatVariableLines(variableName, value);
  }
  // Said once, when the file grows too large; later lines are dropped with it.
  const bool failedBefore = variables_.failed;
  if (!AddLines(variables_, lines) && !failedBefore) {
    runtime_.shell.reporter().ReportDiagnostic("error138");
  }
}

bool StatusFiles::CloseVariablesFile() {
  const VariablesFileState state = variablesState_;
  variablesState_ = VariablesFileState::None;
  if (state != VariablesFileState::Open) return true;
  const bool written = !variables_.failed && !variablesPath_.empty() &&
                       WriteWhole(variablesPath_, variables_.text, runtime_.trace);
  variables_.Release();
  variablesPath_.clear();
  if (!written) runtime_.shell.reporter().ReportError("error137");
  return written;
}

// --- What the player's window asks for -------------------------------------------------

void StatusFiles::SaveOnClose() { SaveStatusFile(kResumeName, false, "FORCE QUIT"); }

}  // namespace zd
