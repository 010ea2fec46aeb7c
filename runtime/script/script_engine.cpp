#include "script/script_engine.h"

#include <cstdio>

#include "base/seam.h"
#include "platform/files.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "title/page_object.h"

namespace zd {

using script::ArgumentKind;
using script::ConditionStack;
using script::LineCursor;
using script::Word;

ScriptEngine::ScriptEngine(Runtime& runtime) : runtime_(runtime) {
  // The tables are filled once, here, so that the readers and commands work in any runtime,
  // also one that never goes through the shell's start-up (tests, --run-script).
  RegisterCommands();
  auto entry = [this](std::string_view name) {
    const int i = commands_.IndexOf(name);
    return static_cast<uint8_t>(i < 0 ? 0xFF : i);
  };
  commonCommands_ = {entry("set"), entry("add"), entry("sub"), entry("mult"), entry("divide")};
  script::RegisterSystemVariables(*this, systemVariables_);
  handlers_.RegisterTypes();
  random_.Seed(0);
}

void ScriptEngine::SetUpSystemVariables() {
  // The tables were filled when the engine was made; start-up empties the user variables and
  // seeds the generator with the tick count.
  variables_.Clear();
  random_.Seed(runtime_.platform.TickCount());
  runtime_.pages.TakePendingExternalTitle();  // a title asked for before start-up is not opened
  runtime_.movies.CloseAllClips();  // every sound-clip slot starts closed
}
void ScriptEngine::RegisterMouseHandlers() { handlers_.Reset(); }
void ScriptEngine::ReleaseHandlerTables() {
  handlers_.Reset();
  variables_.Clear();
}
void ScriptEngine::ReleaseMovieSlots() { runtime_.movies.CloseAllClips(); }

void ScriptEngine::ShowBuildError(std::string_view constant) {
  runtime_.shell.reporter().ShowBuildError("Build error - please recompile with " +
                                           std::string(constant) + " increased.");
}

// --- Reporting --------------------------------------------------------------------------

namespace {

// The heading of string-table text 412 with the script's name and line. The text is the
// runtime's own; it is still filled by hand, one "%s" and one "%d", never through printf.
std::string ScriptErrorHeading(std::string_view name, int32_t line, Language language) {
  const std::string format = LoadString(strings::SCRIPT_ERROR_HEADING, language);
  std::string out;
  bool nameDone = false, lineDone = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char c = format[i + 1];
      if (c == 's' && !nameDone) {
        out.append(name);
        nameDone = true;
        ++i;
        continue;
      }
      if (c == 'd' && !lineDone) {
        out += std::to_string(line);
        lineDone = true;
        ++i;
        continue;
      }
      if (c == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

}  // namespace

void ScriptEngine::Report(bool always, std::string_view key, const MessageArgument& argument) {
  Reporter& reporter = runtime_.shell.reporter();
  if (runDepth_ == 0) {
    if (always) reporter.ReportError(key, argument);
    else reporter.ReportDiagnostic(key, argument);
    return;
  }
  if (!always && !reporter.diagnostics()) return;
  reporter.ReportWithHeading(
      ScriptErrorHeading(currentScriptName_.view(), currentLineNumber_, runtime_.config.language),
      key, argument, always);
}

void ScriptEngine::ReportScriptError(std::string_view key, const MessageArgument& argument) {
  Report(true, key, argument);
}

void ScriptEngine::ReportScriptDiagnostic(std::string_view key, const MessageArgument& argument) {
  Report(false, key, argument);
}

// --- Running ----------------------------------------------------------------------------

void ScriptEngine::SetCurrentScript(std::string_view name, int32_t line) {
  currentScriptName_.Assign(name);
  currentLineNumber_ = line;
}

bool ScriptEngine::NavigationPending() {
  return runtime_.pages.NavigationRequested();
}

bool ScriptEngine::DrawingDeferred() const {
  return runtime_.pages.scriptRunning() || runtime_.pages.closing();
}

// A run through a script object's text: the object, and the image's count of text writes when
// the text was last looked at.
struct ScriptEngine::ObjectWatch {
  ObjectRef object;
  uint64_t imageSerial = 0;
  uint64_t textWrites = 0;
};

void ScriptEngine::SetScriptReading(script::ScriptReading reading) {
  reading_ = reading;
  cache_.Clear();
  if (runDepth_ == 0) cache_.FreeReplaced();
}

std::unique_ptr<script::PreparedScript> ScriptEngine::Prepare(std::string_view text) const {
  return script::PreparedScript::Prepare(text, preparationTables(),
                                         reading_ == script::ScriptReading::Prepared);
}

void ScriptEngine::RunScriptObject(int object) {
  auto record = runtime_.pages.Object(object);
  if (!record) return;
  RunObjectScript(object, record->name(), 0, 1, false);
}

void ScriptEngine::RunObjectScript(int object, std::string_view name, size_t position,
                                   int32_t line, bool stopAtEndhandler) {
  auto record = runtime_.pages.Object(object);
  if (!record) return;
  ObjectWatch watch{record->ref(), runtime_.titleFiles.imageSerial(),
                    record->image().textWrites()};
  script::PreparedScript& prepared =
      cache_.ForObject(*record, watch.imageSerial, preparationTables(),
                       reading_ == script::ScriptReading::Prepared);
  RunLines(&prepared, name, position, line, stopAtEndhandler, &watch);
}

bool ScriptEngine::RunScriptFile(const std::string& diskPath) {
  const auto text = platform::ReadWholeFile(diskPath);
  if (!text) return false;
  const size_t slash = diskPath.find_last_of('/');
  script::ScriptSource source;
  source.name.Assign(slash == std::string::npos ? diskPath : diskPath.substr(slash + 1));
  source.text = *text;
  RunScript(source, 0, 1, false);
  return true;
}

script::RunPlace ScriptEngine::RunScript(const script::ScriptSource& source, size_t position,
                                         int32_t line, bool stopAtEndhandler) {
  // Run once: each line is prepared as the run reaches it (a status file resumed near its end
  // prepares only what is left).
  const auto prepared = script::PreparedScript::Prepare(source.text, preparationTables(), false);
  return RunLines(prepared.get(), source.name.view(), position, line, stopAtEndhandler, nullptr);
}

script::RunPlace ScriptEngine::RunPrepared(script::PreparedScript& prepared,
                                           std::string_view name, size_t position,
                                           int32_t line, bool stopAtEndhandler) {
  return RunLines(&prepared, name, position, line, stopAtEndhandler, nullptr);
}

namespace {

LineCursor CursorOf(script::PreparedScript& script, const script::PreparedLine& line) {
  const script::PreparedWord* first = script.words() + line.firstWord;
  return LineCursor{&script, first, first + line.wordCount, script.LineText(line)};
}

}  // namespace

// Every line of every run comes here (inlined into the run loop). True when the line was quiet:
// it did no more than change variables and open or close levels (it reported nothing and ran no
// command in full), so that it cannot have written a text or asked for another page.
[[gnu::always_inline]] inline bool ScriptEngine::ExecuteLine(script::PreparedScript& script,
                                                             const script::PreparedLine& line,
                                                             ConditionStack& conditions) {
  const script::LineKind kind = line.kind();
  if (kind == script::LineKind::Empty) return true;
  // A status file may be anybody's: it runs only the commands a status file is made of.
  if (!line.statusAllowed() && runtime_.status.RunningStatusScript()) {
    ReportScriptError("scerr78", CommandWordOf(script, line));
    return false;
  }
  switch (kind) {
    case script::LineKind::If:
      if (conditions.depth() >= ConditionStack::kDepth) {
        ReportScriptDiagnostic("scerr30");
        return false;
      }
      if (!definingHandler_ && conditions.AllTrue()) {
        if (line.wordCount > 0) {
          const Word condition(&script, script.words() + line.firstWord);
          if (condition.prepared()->IsCondition()) {
            const int common =
                script::CommonLines(variables_, commonCommands_).Condition(condition);
            if (common >= 0) {
              conditions.Push(common != 0);
              return true;
            }
          }
        }
        LineCursor cursor = CursorOf(script, line);
        script::Number value;
        if (ReadNumberArgument(cursor, value)) conditions.Push(value.integer != 0);
        return false;  // a system variable may have been read
      }
      conditions.Push(true);  // a skipped line's condition is not evaluated
      return true;
    case script::LineKind::Else:
      if (conditions.depth() == 0) {
        ReportScriptDiagnostic("scerr28");
        return false;
      }
      conditions.FlipTop();
      return true;
    case script::LineKind::Endif:
      if (conditions.depth() == 0) {
        ReportScriptDiagnostic("scerr29");
        return false;
      }
      conditions.Pop();
      return true;
    default:
      break;
  }
  if (!conditions.AllTrue()) return true;
  if (kind == script::LineKind::Command && !definingHandler_ &&
      script::CommonLines(variables_, commonCommands_).RunCommand(script, line)) {
    return true;
  }
  if (kind == script::LineKind::Endhandler) {
    if (!definingHandler_) {
      ReportScriptDiagnostic("hnderr7");
      return false;
    }
    definingHandler_ = false;
    return true;
  }
  if (definingHandler_) return true;
  if (kind == script::LineKind::UnknownCommand) {
    ReportScriptDiagnostic("scerr2", CommandWordOf(script, line));
    return false;
  }
  DispatchCommand(script, line);
  return false;
}

script::RunPlace ScriptEngine::RunLines(script::PreparedScript* prepared, std::string_view name,
                                        size_t position, int32_t line, bool stopAtEndhandler,
                                        ObjectWatch* watch) {
  if (runDepth_ >= kMaxRunDepth) {
    ReportScriptDiagnostic("scerr74", script::ScriptName(name).str());
    return {position, line};
  }
  // A run inside another (a script showing a script object, a handler) keeps the outer run's
  // name and line for the outer run's later reports.
  const script::ScriptName outerName = currentScriptName_;
  const int32_t outerLine = currentLineNumber_;
  ++runDepth_;
  SetCurrentScript(name, line);
  if (prepared->commandsVersion() != commands_.size()) prepared->ResolveCommands(commands_);
  ConditionStack conditions;
  const bool tracing = runtime_.trace.Enabled(TraceCategory::Script);
  bool endedAtEndhandler = false;
  std::optional<script::PreparedScript> loose;  // a line read where no prepared line begins
  using Place = script::PreparedScript::Place;
  Place place = prepared->PlaceOf(position);
  std::string_view text = prepared->text();
  // Whether the line before may have written a text or asked for another page (as every line
  // but the quiet ones may).
  bool lookAround = true;
  for (;;) {
    // Prepared lines one after another, each quiet, no trace: the usual run, kept tight. What
    // the full loop below checks before a line cannot have changed: the next prepared line
    // begins before the text's end, and a quiet line changes neither texts nor pages.
    while (!lookAround && !tracing && place.kind == Place::Kind::Line) {
      const script::PreparedLine& next = prepared->line(place.line);
      if (next.cut() || (stopAtEndhandler && next.exactEndhandler())) break;
      position = next.next;
      const bool quiet = ExecuteLine(*prepared, next, conditions);
      lookAround = !quiet;
      ++currentLineNumber_;
      place = prepared->PlaceAfter(place.line);
    }
    if (lookAround && watch) {
      // The line before may have written into this very text: the run goes on from the same
      // place of the text as it is now.
      const AuthorfileImage* image = runtime_.titleFiles.imageOrNull();
      if (image && runtime_.titleFiles.imageSerial() == watch->imageSerial &&
          image->textWrites() != watch->textWrites) {
        watch->textWrites = image->textWrites();
        PageObject object(const_cast<AuthorfileImage&>(*image), watch->object);
        script::PreparedScript& now =
            cache_.ForObject(object, watch->imageSerial, preparationTables(),
                             reading_ == script::ScriptReading::Prepared);
        if (&now != prepared) {
          prepared = &now;
          text = prepared->text();
          place = prepared->PlaceOf(position);
        }
      }
    }
    if (text.empty() || position >= text.size() - 1 || (lookAround && NavigationPending())) break;
    script::PreparedScript* owner = prepared;
    const script::PreparedLine* scriptLine = nullptr;
    if (place.kind == Place::Kind::Line) {
      scriptLine = &prepared->line(place.line);
    } else if (place.kind == Place::Kind::End ||
               !(loose ? *loose : loose.emplace()).PrepareLineAt(text, position,
                                                                 preparationTables())) {
      break;
    } else {
      owner = &*loose;
      scriptLine = &loose->line(0);
    }
    if (scriptLine->cut()) ReportScriptDiagnostic("scerr1");
    position = scriptLine->next;
    if (stopAtEndhandler && scriptLine->exactEndhandler()) {
      endedAtEndhandler = true;
      break;
    }
    if (tracing) {
      runtime_.trace.Line(TraceCategory::Script,
                          "script " + currentScriptName_.str() + " " +
                              std::to_string(currentLineNumber_) + ": " +
                              std::string(owner->LineText(*scriptLine)));
    }
    const Place after = owner == prepared ? prepared->PlaceAfter(place.line) : Place{};
    const bool quiet = ExecuteLine(*owner, *scriptLine, conditions);
    lookAround = !quiet || scriptLine->cut();  // a cut line has reported
    ++currentLineNumber_;
    place = owner == prepared ? after : prepared->PlaceOf(position);
  }
  if (!endedAtEndhandler && definingHandler_) {
    ReportScriptDiagnostic("hnderr9");
    definingHandler_ = false;
  }
  const script::RunPlace stopped{position, currentLineNumber_};
  --runDepth_;
  if (runDepth_ > 0) {
    currentScriptName_ = outerName;
    currentLineNumber_ = outerLine;
  } else {
    cache_.FreeReplaced();
  }
  return stopped;
}

std::string ScriptEngine::CommandWordOf(const script::PreparedScript& script,
                                        const script::PreparedLine& line) const {
  script::TextCursor cursor{script.LineText(line), 0};
  script::ScriptText word;
  script::ReadCommandWord(cursor, word);
  return word.str();
}

void ScriptEngine::DispatchCommand(script::PreparedScript& script,
                                   const script::PreparedLine& line) {
  const script::Command& command = commands_.at(line.command);
  LineCursor cursor = CursorOf(script, line);
  Word first;
  ArgumentKind kind = ArgumentKind::NoArgument;
  if (cursor.Take(first)) kind = Classify(first);
  for (int i = 0; i < command.count; ++i) {
    const script::CommandVariant& variant = command.variants[static_cast<size_t>(i)];
    if (variant.kind != kind) continue;
    script::CommandCall call{command.name.view(), cursor, first, kind, line.next};
    variant.handler(*this, call);
    return;
  }
  if (kind == ArgumentKind::NoArgument) ReportScriptDiagnostic("scerr3");
  else ReportScriptDiagnostic("scerr4", first.str());
}

// What a click on a QSL anchor runs: the line given in the anchor itself (single quotes becoming
// double quotes), as one line whatever it holds.
void ScriptEngine::RunAnchorLine(std::string_view line) {
  std::string text(line);
  for (char& c : text) {
    if (c == '\'') c = '"';
  }
  ++runDepth_;
  SetCurrentScript("<A QSL=..>", 1);
  script::ConditionStack conditions;
  script::PreparedScript afresh;
  script::PreparedScript* prepared = &afresh;
  if (reading_ == script::ScriptReading::Prepared) {
    prepared = &cache_.ForAnchorLine(text, preparationTables());
  } else {
    afresh.PrepareWholeLine(text, preparationTables());
  }
  ExecuteLine(*prepared, prepared->line(0), conditions);
  --runDepth_;
  if (runDepth_ == 0) cache_.FreeReplaced();
}

// --- Page events --------------------------------------------------------------------------

void ScriptEngine::SetExitCondition(const std::string& text) { exitCondition.Assign(text); }

void ScriptEngine::PageEntered() {
  resume.Clear();
  anchorText.Clear();
  TraceSeam(runtime_.trace, "script.page-entered");
  runtime_.status.PageEntered();
}

void ScriptEngine::ResetHandlers() { handlers_.Reset(); }

// --- Automation -------------------------------------------------------------------------

std::optional<platform::ProbedVariable> ScriptEngine::ProbeVariable(const std::string& name) {
  if (name.empty()) return std::nullopt;
  platform::ProbedVariable probed;
  const char suffix = name.back();
  if (suffix == '%') {
    if (const auto* sys = systemVariables_.FindInt(name)) {
      if (!sys->get) return std::nullopt;
      probed.kind = platform::ProbedVariable::Kind::Integer;
      probed.number = sys->get(*this);
      return probed;
    }
    for (const auto& v : variables_.integers) {
      if (v.name == name) {
        probed.kind = platform::ProbedVariable::Kind::Integer;
        probed.number = v.value;
        return probed;
      }
    }
    return std::nullopt;
  }
  if (suffix == '$') {
    if (const auto* sys = systemVariables_.FindString(name)) {
      // Reading ExitCondition$ empties it; the probe looks without reading.
      script::ScriptText value;
      if (name == "ExitCondition$") value = exitCondition;
      else if (sys->get) sys->get(*this, value);
      else return std::nullopt;
      probed.kind = platform::ProbedVariable::Kind::Text;
      probed.text = value.str();
      return probed;
    }
    for (const auto& v : variables_.strings) {
      if (v.name == name) {
        probed.kind = platform::ProbedVariable::Kind::Text;
        probed.text = v.value.str();
        return probed;
      }
    }
    return std::nullopt;
  }
  for (const auto& v : variables_.floats) {
    if (v.name == name) {
      probed.kind = platform::ProbedVariable::Kind::Float;
      probed.number = v.value;
      return probed;
    }
  }
  return std::nullopt;
}

}  // namespace zd
