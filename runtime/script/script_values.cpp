// Variable access, the operand readers and conditions.
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

#include "runtime.h"
#include "script/comparisons.h"
#include "script/script_engine.h"

namespace zd {

using script::ArgumentKind;
using script::LineCursor;
using script::LookupFailure;
using script::Number;
using script::ScriptText;
using script::VariableTables;
using script::Word;

namespace {

// A float's integer form: clamped to the 32-bit range, then truncated toward zero. Not-a-number
// gives the value the original's conversion gave for it (the most negative integer).
int32_t ClampToInteger(double value) {
  if (std::isnan(value)) return std::numeric_limits<int32_t>::min();
  if (value > 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value < -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

// --- Variables ------------------------------------------------------------------------------

uint64_t VariableTables::FirstVersion(const void* tables) {
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return (static_cast<uint64_t>(now) << 16) ^ reinterpret_cast<uintptr_t>(tables) ^ 1;
}

namespace {

template <typename Record>
int Lookup(ScriptEngine& engine, std::vector<Record>& table, std::string_view name, bool create) {
  LookupFailure failure;
  const int index = engine.variables().FindVariable(table, name, create, failure);
  switch (failure) {
    case LookupFailure::None:
      break;
    case LookupFailure::NameTooLong:
      engine.ReportScriptDiagnostic("scerr25", std::string(name));
      break;
    case LookupFailure::NotFound:
      engine.ReportScriptDiagnostic("scerr26", std::string(name));
      break;
    case LookupFailure::NoMemory:
      engine.ReportScriptError("scerr27", std::string(name));
      break;
  }
  return index;
}

}  // namespace

bool ScriptEngine::GetIntVariable(std::string_view name, int32_t& value) {
  if (const auto* sys = systemVariables_.FindInt(name)) {
    if (!sys->get) {
      ReportScriptDiagnostic("scerr21", std::string(name));
      return false;
    }
    value = sys->get(*this);
    return true;
  }
  const int i = Lookup(*this, variables_.integers, name, false);
  if (i < 0) return false;
  value = variables_.integers[static_cast<size_t>(i)].value;
  return true;
}

bool ScriptEngine::SetIntVariable(std::string_view name, int32_t value) {
  if (const auto* sys = systemVariables_.FindInt(name)) {
    if (!sys->set) {
      ReportScriptDiagnostic("scerr22", std::string(name));
      return false;
    }
    sys->set(*this, value);
    return true;
  }
  const int i = Lookup(*this, variables_.integers, name, true);
  if (i < 0) return false;
  variables_.integers[static_cast<size_t>(i)].value = value;
  return true;
}

bool ScriptEngine::GetFloatVariable(std::string_view name, double& value) {
  const int i = Lookup(*this, variables_.floats, name, false);
  if (i < 0) return false;
  value = variables_.floats[static_cast<size_t>(i)].value;
  return true;
}

bool ScriptEngine::SetFloatVariable(std::string_view name, double value) {
  const int i = Lookup(*this, variables_.floats, name, true);
  if (i < 0) return false;
  variables_.floats[static_cast<size_t>(i)].value = value;
  return true;
}

bool ScriptEngine::GetStringVariable(std::string_view name, ScriptText& value) {
  if (const auto* sys = systemVariables_.FindString(name)) {
    if (!sys->get) {
      ReportScriptDiagnostic("scerr21", std::string(name));
      return false;
    }
    sys->get(*this, value);
    return true;
  }
  const int i = Lookup(*this, variables_.strings, name, false);
  if (i < 0) return false;
  value.Assign(variables_.strings[static_cast<size_t>(i)].value.view());
  return true;
}

bool ScriptEngine::SetStringVariable(std::string_view name, std::string_view value) {
  if (const auto* sys = systemVariables_.FindString(name)) {
    if (!sys->set) {
      ReportScriptDiagnostic("scerr22", std::string(name));
      return false;
    }
    sys->set(*this, value);
    return true;
  }
  const int i = Lookup(*this, variables_.strings, name, true);
  if (i < 0) return false;
  variables_.strings[static_cast<size_t>(i)].value.Assign(value);
  return true;
}

// --- Variables named by words of a line ------------------------------------------------

template <typename Record>
decltype(Record::value)* ScriptEngine::PlacedRecord(std::vector<Record>& table, const Word& name,
                                                    bool create) {
  if (auto* value = script::PlacedValue(variables_, table, name)) return value;
  const int i = Lookup(*this, table, name.view(), create);
  if (i < 0) return nullptr;
  script::VariablePlace& place = name.script()->PlaceOfVariable(name.prepared()->value);
  place.value = &table[static_cast<size_t>(i)].value;
  place.tablesVersion = variables_.version();
  return &table[static_cast<size_t>(i)].value;
}

namespace {

// The word names a variable of that kind (and so has a place of its own).
bool Placed(const Word& word, ArgumentKind kind) {
  return word.prepared() != nullptr && word.prepared()->kind == kind;
}

int SystemIndex(const Word& word) {
  return word.script()->PlaceOfVariable(word.prepared()->value).system;
}

}  // namespace

bool ScriptEngine::GetIntVariableByPlace(const Word& name, int32_t& value) {
  if (!Placed(name, ArgumentKind::IntegerVariable)) return GetIntVariable(name.view(), value);
  if (const int system = SystemIndex(name); system >= 0) {
    const auto& sys = systemVariables_.intAt(system);
    if (!sys.get) {
      ReportScriptDiagnostic("scerr21", name.str());
      return false;
    }
    value = sys.get(*this);
    return true;
  }
  const auto* v = PlacedRecord(variables_.integers, name, false);
  if (!v) return false;
  value = *v;
  return true;
}

bool ScriptEngine::SetIntVariableByPlace(const Word& name, int32_t value) {
  if (!Placed(name, ArgumentKind::IntegerVariable)) return SetIntVariable(name.view(), value);
  if (const int system = SystemIndex(name); system >= 0) {
    const auto& sys = systemVariables_.intAt(system);
    if (!sys.set) {
      ReportScriptDiagnostic("scerr22", name.str());
      return false;
    }
    sys.set(*this, value);
    return true;
  }
  auto* v = PlacedRecord(variables_.integers, name, true);
  if (!v) return false;
  *v = value;
  return true;
}

bool ScriptEngine::GetFloatVariableByPlace(const Word& name, double& value) {
  if (!Placed(name, ArgumentKind::FloatVariable)) return GetFloatVariable(name.view(), value);
  const auto* v = PlacedRecord(variables_.floats, name, false);
  if (!v) return false;
  value = *v;
  return true;
}

bool ScriptEngine::SetFloatVariableByPlace(const Word& name, double value) {
  if (!Placed(name, ArgumentKind::FloatVariable)) return SetFloatVariable(name.view(), value);
  auto* v = PlacedRecord(variables_.floats, name, true);
  if (!v) return false;
  *v = value;
  return true;
}

bool ScriptEngine::GetStringVariableByPlace(const Word& name, ScriptText& value) {
  if (!Placed(name, ArgumentKind::StringVariable)) return GetStringVariable(name.view(), value);
  if (const int system = SystemIndex(name); system >= 0) {
    const auto& sys = systemVariables_.stringAt(system);
    if (!sys.get) {
      ReportScriptDiagnostic("scerr21", name.str());
      return false;
    }
    sys.get(*this, value);
    return true;
  }
  const auto* v = PlacedRecord(variables_.strings, name, false);
  if (!v) return false;
  value.Assign(v->view());
  return true;
}

bool ScriptEngine::SetStringVariableByPlace(const Word& name, std::string_view value) {
  if (!Placed(name, ArgumentKind::StringVariable)) return SetStringVariable(name.view(), value);
  if (const int system = SystemIndex(name); system >= 0) {
    const auto& sys = systemVariables_.stringAt(system);
    if (!sys.set) {
      ReportScriptDiagnostic("scerr22", name.str());
      return false;
    }
    sys.set(*this, value);
    return true;
  }
  auto* v = PlacedRecord(variables_.strings, name, true);
  if (!v) return false;
  v->Assign(value);
  return true;
}

bool ScriptEngine::DeleteVariable(ArgumentKind kind, std::string_view name) {
  int i = -1;
  switch (kind) {
    case ArgumentKind::IntegerVariable:
      i = Lookup(*this, variables_.integers, name, false);
      if (i >= 0) variables_.EraseAt(variables_.integers, static_cast<size_t>(i));
      break;
    case ArgumentKind::FloatVariable:
      i = Lookup(*this, variables_.floats, name, false);
      if (i >= 0) variables_.EraseAt(variables_.floats, static_cast<size_t>(i));
      break;
    case ArgumentKind::StringVariable:
      i = Lookup(*this, variables_.strings, name, false);
      if (i >= 0) variables_.EraseAt(variables_.strings, static_cast<size_t>(i));
      break;
    default:
      break;
  }
  return i >= 0;
}

// --- Readers -------------------------------------------------------------------------------

void ScriptEngine::ReportWordError(const Word& word) {
  const script::WordError error = word.prepared()->error;
  const char* key = script::WordErrorKey(error);
  if (script::WordErrorTakesWord(error)) ReportScriptDiagnostic(key, word.str());
  else ReportScriptDiagnostic(key);
}

bool ScriptEngine::IntegerFromAnyWord(const Word& word, ArgumentKind kind, int32_t& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable:
      return GetIntVariable(word, value);
    case ArgumentKind::IntegerConstant:
      if (word.prepared()->IsCondition()) {
        const auto result = EvaluateCondition(word);
        if (!result) return false;
        value = *result;
        return true;
      }
      value = static_cast<int32_t>(word.prepared()->value);
      return true;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr43");
      return false;
    default:
      ReportScriptDiagnostic("scerr44", word.str());
      return false;
  }
}

bool ScriptEngine::NumberFromAnyWord(const Word& word, ArgumentKind kind, Number& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
      if (!IntegerFromWord(word, kind, value.integer)) return false;
      value.real = value.integer;
      value.isFloat = false;
      return true;
    case ArgumentKind::FloatVariable:
      if (!GetFloatVariable(word, value.real)) return false;
      break;
    case ArgumentKind::FloatConstant:
      value.real = word.script()->Real(word.prepared()->value);
      break;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr43");
      return false;
    default:
      ReportScriptDiagnostic("scerr44", word.str());
      return false;
  }
  value.isFloat = true;
  value.integer = ClampToInteger(value.real);
  return true;
}

bool ScriptEngine::FloatFromAnyWord(const Word& word, ArgumentKind kind, double& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable: {
      int32_t i = 0;
      if (!GetIntVariable(word, i)) return false;
      value = i;
      return true;
    }
    case ArgumentKind::IntegerConstant: {
      const script::PreparedWord& w = *word.prepared();
      if (w.IsCondition()) {
        const auto result = EvaluateCondition(word);
        if (!result) return false;
        value = *result;
        return true;
      }
      // As a real, the constant is read as a real (which is its integer value but for "-0"
      // and numbers past the 32-bit range).
      value = (w.detail & script::PreparedWord::kRealDiffers)
                  ? script::ParseFloat(word.view())
                  : static_cast<double>(static_cast<int32_t>(w.value));
      return true;
    }
    case ArgumentKind::FloatVariable:
      return GetFloatVariable(word, value);
    case ArgumentKind::FloatConstant:
      value = word.script()->Real(word.prepared()->value);
      return true;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr45");
      return false;
    default:
      ReportScriptDiagnostic("scerr46", word.str());
      return false;
  }
}

bool ScriptEngine::StringFromAnyWord(const Word& word, ArgumentKind kind, ScriptText& value) {
  switch (kind) {
    case ArgumentKind::StringVariable:
      return GetStringVariable(word, value);
    case ArgumentKind::StringConstant:
      value.Assign(script::QuotedContent(word.view()));
      return true;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr47");
      return false;
    default:
      ReportScriptDiagnostic("scerr16", word.str());
      return false;
  }
}

// --- Conditions ------------------------------------------------------------------------------

std::optional<int32_t> ScriptEngine::EvaluateCondition(const Word& condition) {
  // The words inside: the left operand, the comparison and the right operand.
  script::PreparedScript* script = condition.script();
  const script::PreparedWord* inside = script->words() + condition.prepared()->value;
  LineCursor cursor{script, inside, inside + condition.prepared()->InnerCount(), {}};
  Word a;
  const ArgumentKind kindA = ReadClassified(cursor, a);
  Word op;
  cursor.Take(op);
  const int comparisonIndex = op.prepared() ? op.prepared()->detail - 1 : -1;
  if (comparisonIndex < 0) {
    ReportScriptDiagnostic("scerr17", op.str());
    return std::nullopt;
  }
  const script::Comparison& comparison = script::ComparisonAt(comparisonIndex);
  switch (kindA) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
    case ArgumentKind::FloatVariable:
    case ArgumentKind::FloatConstant: {
      Number left, right;
      if (!NumberFromWord(a, kindA, left)) return std::nullopt;
      if (!comparison.integer) {
        ReportScriptDiagnostic("scerr34", op.str());
        return std::nullopt;
      }
      if (!ReadNumberArgument(cursor, right)) return std::nullopt;
      if (!left.isFloat && !right.isFloat) {
        const int result = comparison.integer(left.integer, right.integer);
        if (result < 0) {
          ReportScriptDiagnostic("scerr5");
          return std::nullopt;
        }
        return result;
      }
      if (!comparison.real) {
        // "bit" and "!bit" have no meaning for fractions.
        ReportScriptDiagnostic("scerr72", op.str());
        return std::nullopt;
      }
      return comparison.real(left.real, right.real) ? 1 : 0;
    }
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: {
      ScriptText left, right;
      if (!StringFromWord(a, kindA, left)) return std::nullopt;
      if (!comparison.text) {
        ReportScriptDiagnostic("scerr33", op.str());
        return std::nullopt;
      }
      if (!ReadStringArgument(cursor, right)) return std::nullopt;
      return comparison.text(script::CompareBytes(left.view(), right.view())) ? 1 : 0;
    }
    default:
      ReportScriptDiagnostic("scerr35");
      return std::nullopt;
  }
}

}  // namespace zd
