// The script engine: runs the scripts of a title's pages (text objects named with "+"), with
// their variables, commands, system variables and handlers. While a status file runs
// (StatusFiles), only the commands a status file is made of are obeyed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_format.h"
#include "platform/platform.h"
#include "script/command_table.h"
#include "script/common_lines.h"
#include "script/script_handlers.h"
#include "script/prepared_script.h"
#include "script/script_cache.h"
#include "script/script_random.h"
#include "script/script_source.h"
#include "script/script_text.h"
#include "script/script_variables.h"
#include "script/system_variables.h"
#include "script/test_asserts.h"
#include "script/title_programs.h"

namespace zd {

class Runtime;

namespace script {

// Open "if" levels of one run.
class ConditionStack {
 public:
  static constexpr int kDepth = 10;

  int depth() const { return depth_; }
  bool AllTrue() const { return falseLevels_ == 0; }
  void Push(bool value) {
    levels_[depth_++] = value;
    if (!value) ++falseLevels_;
  }
  void Pop() {
    if (!levels_[--depth_]) --falseLevels_;
  }
  void FlipTop() {
    bool& top = levels_[depth_ - 1];
    falseLevels_ += top ? 1 : -1;
    top = !top;
  }

 private:
  std::array<bool, kDepth> levels_{};
  int depth_ = 0;
  int falseLevels_ = 0;
};

// A number as ReadNumberArgument gives it: both forms, and which one the word held.
struct Number {
  int32_t integer = 0;
  double real = 0;
  bool isFloat = false;
};

// Where a run stopped: the place of the next line and its number.
struct RunPlace {
  size_t position = 0;
  int32_t line = 1;
};

// What a script runs over: its name and text (the text is not owned).
struct ScriptSource {
  ScriptName name;
  std::string_view text;
};

// How runs read their lines: from the prepared form kept for each text (what titles get), or
// afresh from the text each time a line runs (what the prepared forms are checked against).
enum class ScriptReading { Prepared, Afresh };

}  // namespace script

class ScriptEngine {
 public:
  explicit ScriptEngine(Runtime& runtime);

  // Start-up and shutdown steps.
  void SetUpSystemVariables();
  void RegisterMouseHandlers();
  void ReleaseHandlerTables();
  void ReleaseMovieSlots();

  // Script errors carry the script's name and line as a heading while a script runs; outside
  // a script they are plain reports. The error always shows; the diagnostic only with -D.
  void ReportScriptError(std::string_view key, const MessageArgument& argument = {});
  void ReportScriptDiagnostic(std::string_view key, const MessageArgument& argument = {});

  // Scripts of the page: a text object whose name begins with "+" (by its page-order index).
  // Its text is prepared the first time it runs and kept until the text changes. A run goes on
  // through the text as it stands: a line that writes into the script's own text leaves the
  // run to go on from the same place of the new text.
  void RunScriptObject(int object);
  // Runs a script file from disk (zd32 --run-script); false when it cannot be read.
  bool RunScriptFile(const std::string& diskPath);
  // Runs a script from `position`, counting lines from `line`; with `stopAtEndhandler` the run
  // ends at the first line that is exactly "endhandler" (a handler's body). Returns where the
  // run stopped. The text is prepared for this run only.
  script::RunPlace RunScript(const script::ScriptSource& source, size_t position, int32_t line,
                             bool stopAtEndhandler);
  // The same over a text prepared by Prepare, which may be run again and again.
  script::RunPlace RunPrepared(script::PreparedScript& prepared, std::string_view name,
                               size_t position, int32_t line, bool stopAtEndhandler);
  std::unique_ptr<script::PreparedScript> Prepare(std::string_view text) const;

  // How runs read their lines (prepared unless a test asks otherwise).
  void SetScriptReading(script::ScriptReading reading);
  script::ScriptReading scriptReading() const { return reading_; }

  // Styled-text anchors: QSE runs the page's script object of that name, QSL runs its value
  // as one line (single quotes becoming double quotes), each under the anchor's own name.
  void RunAnchorScript(std::string_view objectName);
  void RunAnchorLine(std::string_view line);
  // Runs a handler's body: the lines after its defhandler in the script object that defined it
  // (found on the current page by the record's object hint), up to the first line that is
  // exactly "endhandler".
  void RunHandlerBody(const script::HandlerRecord& handler);
  // The index of the current page's first object named `name`, found at once through `hint`
  // while the page's object list is the one it was found in; -1 when there is none.
  int FindScriptObject(std::string_view name, script::ObjectHint& hint);

  void SetExitCondition(const std::string& text);
  // A page was entered: "Resume$" is emptied, then the status files run a waiting status
  // script and record the page.
  void PageEntered();
  void ResetHandlers();

  // Mouse handlers run by pointer tracking (object indices, -1 for none).
  void RunMouseMoveHandlers();
  void RunEnterLeaveHandlers(int leftObject, int enteredObject);
  // A toolbox tool was used (the notepad raises it with 0 when it closes).
  void RunToolActivateHandlers(const std::string& tool, int32_t value);

  // A variable's value for automation, without the side effects of a script read.
  std::optional<platform::ProbedVariable> ProbeVariable(const std::string& name);

  // --- What command handlers use. ---------------------------------------------------------

  // Operand readers: each reads the next word of the line and reports its own failures.
  bool ReadIntegerArgument(script::LineCursor& cursor, int32_t& value) {
    script::Word word;
    const script::ArgumentKind kind = ReadClassified(cursor, word);
    return IntegerFromWord(word, kind, value);
  }
  bool ReadNumberArgument(script::LineCursor& cursor, script::Number& value) {
    script::Word word;
    const script::ArgumentKind kind = ReadClassified(cursor, word);
    return NumberFromWord(word, kind, value);
  }
  bool ReadFloatArgument(script::LineCursor& cursor, double& value) {
    script::Word word;
    const script::ArgumentKind kind = ReadClassified(cursor, word);
    return FloatFromWord(word, kind, value);
  }
  bool ReadStringArgument(script::LineCursor& cursor, script::ScriptText& value) {
    script::Word word;
    const script::ArgumentKind kind = ReadClassified(cursor, word);
    return StringFromWord(word, kind, value);
  }
  // The same rules applied to a word already read (the command's first argument). The usual
  // words (constants, variables found before) are read here; the rest by the *AnyWord forms.
  bool IntegerFromWord(const script::Word& word, script::ArgumentKind kind, int32_t& value) {
    if (kind == script::ArgumentKind::IntegerConstant && !word.prepared()->IsCondition()) {
      value = static_cast<int32_t>(word.prepared()->value);
      return true;
    }
    if (kind == script::ArgumentKind::IntegerVariable) return GetIntVariable(word, value);
    return IntegerFromAnyWord(word, kind, value);
  }
  bool NumberFromWord(const script::Word& word, script::ArgumentKind kind, script::Number& value) {
    if (kind == script::ArgumentKind::IntegerConstant ||
        kind == script::ArgumentKind::IntegerVariable) {
      if (!IntegerFromWord(word, kind, value.integer)) return false;
      value.real = value.integer;
      value.isFloat = false;
      return true;
    }
    return NumberFromAnyWord(word, kind, value);
  }
  bool FloatFromWord(const script::Word& word, script::ArgumentKind kind, double& value) {
    if (kind == script::ArgumentKind::FloatConstant) {
      value = word.script()->Real(word.prepared()->value);
      return true;
    }
    if (kind == script::ArgumentKind::FloatVariable) return GetFloatVariable(word, value);
    return FloatFromAnyWord(word, kind, value);
  }
  bool StringFromWord(const script::Word& word, script::ArgumentKind kind,
                      script::ScriptText& value) {
    if (kind == script::ArgumentKind::StringConstant) {
      value.Assign(script::QuotedContent(word.view()));
      return true;
    }
    if (kind == script::ArgumentKind::StringVariable) return GetStringVariable(word, value);
    return StringFromAnyWord(word, kind, value);
  }
  // Reads a word and classifies it, reporting the classification's error.
  script::ArgumentKind ReadClassified(script::LineCursor& cursor, script::Word& word) {
    if (!cursor.Take(word)) return script::ArgumentKind::NoArgument;
    return Classify(word);
  }
  script::ArgumentKind Classify(const script::Word& word) {
    const script::PreparedWord* w = word.prepared();
    if (!w) return script::ArgumentKind::NoArgument;
    if (w->error != script::WordError::None) [[unlikely]] ReportWordError(word);
    return w->kind;
  }
  // A condition word, (a op b): 1 or 0; nullopt when it could not be evaluated (the reason was
  // reported).
  std::optional<int32_t> EvaluateCondition(const script::Word& condition);
  // The formatted text of valtostr and write: a format and an optional value.
  bool FormatValue(script::LineCursor& cursor, script::ScriptText& result);

  // Variables: system variables first (integer and string), then the user tables.
  bool GetIntVariable(std::string_view name, int32_t& value);
  bool SetIntVariable(std::string_view name, int32_t value);
  bool GetFloatVariable(std::string_view name, double& value);
  bool SetFloatVariable(std::string_view name, double value);
  bool GetStringVariable(std::string_view name, script::ScriptText& value);
  bool SetStringVariable(std::string_view name, std::string_view value);
  // The same for a variable named by a word of a line (found once, then where it was found).
  bool GetIntVariable(const script::Word& name, int32_t& value) {
    if (const int32_t* v = PlacedRecordValue(variables_.integers, name)) {
      value = *v;
      return true;
    }
    return GetIntVariableByPlace(name, value);
  }
  bool SetIntVariable(const script::Word& name, int32_t value) {
    if (int32_t* v = PlacedRecordValue(variables_.integers, name)) {
      *v = value;
      return true;
    }
    return SetIntVariableByPlace(name, value);
  }
  bool GetFloatVariable(const script::Word& name, double& value) {
    if (const double* v = PlacedRecordValue(variables_.floats, name)) {
      value = *v;
      return true;
    }
    return GetFloatVariableByPlace(name, value);
  }
  bool SetFloatVariable(const script::Word& name, double value) {
    if (double* v = PlacedRecordValue(variables_.floats, name)) {
      *v = value;
      return true;
    }
    return SetFloatVariableByPlace(name, value);
  }
  bool GetStringVariable(const script::Word& name, script::ScriptText& value) {
    if (const script::ScriptText* v = PlacedRecordValue(variables_.strings, name)) {
      value.Assign(v->view());
      return true;
    }
    return GetStringVariableByPlace(name, value);
  }
  bool SetStringVariable(const script::Word& name, std::string_view value) {
    if (script::ScriptText* v = PlacedRecordValue(variables_.strings, name)) {
      v->Assign(value);
      return true;
    }
    return SetStringVariableByPlace(name, value);
  }
  // Deletes a user variable ("scerr26" when there is none); ClearVariables deletes them all.
  bool DeleteVariable(script::ArgumentKind kind, std::string_view name);
  void ClearVariables() { variables_.Clear(); }
  script::VariableTables& variables() { return variables_; }

  script::RandomGenerator& random() { return random_; }
  script::Handlers& handlers() { return handlers_; }
  const script::CommandTable& commands() const { return commands_; }
  script::TitlePrograms& programs() { return programs_; }

  // Script test runs only (zd32 --run-script FILE --test-asserts): adds the "assert" command,
  // which tells `failed` of each assertion that does not hold.
  void EnableTestAsserts(script::AssertFailed failed);
  script::TestAsserts& testAsserts() { return testAsserts_; }

  Runtime& runtime() { return runtime_; }
  bool definingHandler() const { return definingHandler_; }
  void SetDefiningHandler(bool on) { definingHandler_ = on; }
  std::string_view currentScriptName() const { return currentScriptName_.view(); }
  int32_t currentLineNumber() const { return currentLineNumber_; }
  void SetCurrentScript(std::string_view name, int32_t line);
  // A fixed table of the engine is too small for what registers itself in it.
  void ShowBuildError(std::string_view constant);
  bool NavigationPending();
  // True while a "+Start" or "+End" script runs or a page is being left: drawing waits.
  bool DrawingDeferred() const;

  // State of the system variables kept here.
  int32_t totalTimeBase = 0;
  script::ScriptText resume;
  script::ScriptText exitCondition;
  script::ScriptText anchorText;  // the text of the last anchor clicked
  int32_t dateFormat = 256;

  // Runs nested deeper than this (a script showing itself, handlers raising handlers) are
  // refused: the title's data must not be able to exhaust the stack.
  static constexpr int kMaxRunDepth = 16;

 private:
  struct ObjectWatch;
  script::RunPlace RunLines(script::PreparedScript* prepared, std::string_view name,
                            size_t position, int32_t line, bool stopAtEndhandler,
                            ObjectWatch* watch);
  void RunObjectScript(int object, std::string_view name, size_t position, int32_t line,
                       bool stopAtEndhandler);
  bool ExecuteLine(script::PreparedScript& script, const script::PreparedLine& line,
                   script::ConditionStack& conditions);
  void DispatchCommand(script::PreparedScript& script, const script::PreparedLine& line);
  std::string CommandWordOf(const script::PreparedScript& script,
                            const script::PreparedLine& line) const;
  script::PreparationTables preparationTables() const { return {&commands_, &systemVariables_}; }
  // The value of the variable a word names, found (and with `create` made) the first time and
  // then where it was found; nullptr when there is none (the reason was reported).
  template <typename Record>
  decltype(Record::value)* PlacedRecord(std::vector<Record>& table, const script::Word& name,
                                        bool create);
  // The value of the user variable a word names, where it was found before and still is;
  // nullptr otherwise (never found, a system variable, the tables changed since).
  template <typename Record>
  decltype(Record::value)* PlacedRecordValue(std::vector<Record>& table,
                                             const script::Word& name) {
    return script::PlacedValue(variables_, table, name);
  }
  void ReportWordError(const script::Word& word);
  bool IntegerFromAnyWord(const script::Word& word, script::ArgumentKind kind, int32_t& value);
  bool NumberFromAnyWord(const script::Word& word, script::ArgumentKind kind,
                         script::Number& value);
  bool FloatFromAnyWord(const script::Word& word, script::ArgumentKind kind, double& value);
  bool StringFromAnyWord(const script::Word& word, script::ArgumentKind kind,
                         script::ScriptText& value);
  bool GetIntVariableByPlace(const script::Word& name, int32_t& value);
  bool SetIntVariableByPlace(const script::Word& name, int32_t value);
  bool GetFloatVariableByPlace(const script::Word& name, double& value);
  bool SetFloatVariableByPlace(const script::Word& name, double value);
  bool GetStringVariableByPlace(const script::Word& name, script::ScriptText& value);
  bool SetStringVariableByPlace(const script::Word& name, std::string_view value);
  void RegisterCommands();
  void Report(bool always, std::string_view key, const MessageArgument& argument);

  Runtime& runtime_;
  script::VariableTables variables_;
  script::CommandTable commands_;
  script::SystemVariables systemVariables_;
  script::Handlers handlers_;
  script::RandomGenerator random_;
  script::TitlePrograms programs_;
  script::TestAsserts testAsserts_;
  script::ScriptName currentScriptName_;
  int32_t currentLineNumber_ = 0;
  bool definingHandler_ = false;
  int runDepth_ = 0;
  bool registered_ = false;
  script::ScriptReading reading_ = script::ScriptReading::Prepared;
  script::CommonCommands commonCommands_;
  script::ScriptCache cache_;
};

}  // namespace zd
