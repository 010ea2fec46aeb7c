// assert CONDITION: the condition is read as "if" reads it (a condition in parentheses, an
// integer variable or constant); the assertion holds when its value is not zero. One that does
// not hold, or cannot be evaluated at all, is counted and told with its line.
#include "script/test_asserts.h"

#include "script/script_engine.h"

namespace zd {

namespace {

void Assert(ScriptEngine& e, script::CommandCall& call) {
  int32_t value = 0;
  const bool evaluated = e.IntegerFromWord(call.first, call.kind, value);
  if (evaluated && value != 0) return;
  script::TestAsserts& asserts = e.testAsserts();
  ++asserts.failures;
  if (asserts.failed) asserts.failed(e.currentLineNumber(), call.cursor.line);
}

}  // namespace

void ScriptEngine::EnableTestAsserts(script::AssertFailed failed) {
  testAsserts_.failed = std::move(failed);
  if (commands_.Find("assert")) return;
  constexpr auto I = script::ArgumentKind::IntegerVariable,
                 IC = script::ArgumentKind::IntegerConstant;
  if (!commands_.Register("assert", {{IC, Assert}, {I, Assert}})) {
    ShowBuildError("SCRIPT_NUM_OF_COMMANDS");
  }
}

}  // namespace zd
