// Variable access, the operand readers and conditions.
#include <cmath>
#include <cstring>
#include <limits>

#include "runtime.h"
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

bool IsCondition(const Word& word) { return !word.empty() && word.view()[0] == '('; }

}  // namespace

// --- Variables ------------------------------------------------------------------------------

namespace {

template <typename Record>
int Lookup(ScriptEngine& engine, std::vector<Record>& table, std::string_view name, bool create) {
  LookupFailure failure;
  const int index = VariableTables::FindVariable(table, name, create, failure);
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
  value = variables_.strings[static_cast<size_t>(i)].value;
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

bool ScriptEngine::DeleteVariable(ArgumentKind kind, std::string_view name) {
  int i = -1;
  switch (kind) {
    case ArgumentKind::IntegerVariable:
      i = Lookup(*this, variables_.integers, name, false);
      if (i >= 0) variables_.integers.erase(variables_.integers.begin() + i);
      break;
    case ArgumentKind::FloatVariable:
      i = Lookup(*this, variables_.floats, name, false);
      if (i >= 0) variables_.floats.erase(variables_.floats.begin() + i);
      break;
    case ArgumentKind::StringVariable:
      i = Lookup(*this, variables_.strings, name, false);
      if (i >= 0) variables_.strings.erase(variables_.strings.begin() + i);
      break;
    default:
      break;
  }
  return i >= 0;
}

// --- Readers -------------------------------------------------------------------------------

ArgumentKind ScriptEngine::Classify(const Word& word) {
  const script::Classification c = script::ClassifyToken(word.view());
  if (c.errorKey) {
    if (c.errorTakesWord) ReportScriptDiagnostic(c.errorKey, word.str());
    else ReportScriptDiagnostic(c.errorKey);
  }
  return c.kind;
}

ArgumentKind ScriptEngine::ReadClassified(LineCursor& cursor, Word& word) {
  if (!script::ReadNextWord(cursor, word)) return ArgumentKind::NoArgument;
  return Classify(word);
}

bool ScriptEngine::IntegerFromWord(const Word& word, ArgumentKind kind, int32_t& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable:
      return GetIntVariable(word.view(), value);
    case ArgumentKind::IntegerConstant:
      if (IsCondition(word)) {
        const auto result = EvaluateCondition(word.view());
        if (!result) return false;
        value = *result;
        return true;
      }
      value = script::ParseInteger(word.view());
      return true;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr43");
      return false;
    default:
      ReportScriptDiagnostic("scerr44", word.str());
      return false;
  }
}

bool ScriptEngine::NumberFromWord(const Word& word, ArgumentKind kind, Number& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
      if (!IntegerFromWord(word, kind, value.integer)) return false;
      value.real = value.integer;
      value.isFloat = false;
      return true;
    case ArgumentKind::FloatVariable:
      if (!GetFloatVariable(word.view(), value.real)) return false;
      break;
    case ArgumentKind::FloatConstant:
      value.real = script::ParseFloat(word.view());
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

bool ScriptEngine::FloatFromWord(const Word& word, ArgumentKind kind, double& value) {
  switch (kind) {
    case ArgumentKind::IntegerVariable: {
      int32_t i = 0;
      if (!GetIntVariable(word.view(), i)) return false;
      value = i;
      return true;
    }
    case ArgumentKind::IntegerConstant:
      if (IsCondition(word)) {
        const auto result = EvaluateCondition(word.view());
        if (!result) return false;
        value = *result;
        return true;
      }
      value = script::ParseFloat(word.view());
      return true;
    case ArgumentKind::FloatVariable:
      return GetFloatVariable(word.view(), value);
    case ArgumentKind::FloatConstant:
      value = script::ParseFloat(word.view());
      return true;
    case ArgumentKind::NoArgument:
      ReportScriptDiagnostic("scerr45");
      return false;
    default:
      ReportScriptDiagnostic("scerr46", word.str());
      return false;
  }
}

bool ScriptEngine::StringFromWord(const Word& word, ArgumentKind kind, ScriptText& value) {
  switch (kind) {
    case ArgumentKind::StringVariable:
      return GetStringVariable(word.view(), value);
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

bool ScriptEngine::ReadIntegerArgument(LineCursor& cursor, int32_t& value) {
  Word word;
  const ArgumentKind kind = ReadClassified(cursor, word);
  return IntegerFromWord(word, kind, value);
}

bool ScriptEngine::ReadNumberArgument(LineCursor& cursor, Number& value) {
  Word word;
  const ArgumentKind kind = ReadClassified(cursor, word);
  return NumberFromWord(word, kind, value);
}

bool ScriptEngine::ReadFloatArgument(LineCursor& cursor, double& value) {
  Word word;
  const ArgumentKind kind = ReadClassified(cursor, word);
  return FloatFromWord(word, kind, value);
}

bool ScriptEngine::ReadStringArgument(LineCursor& cursor, ScriptText& value) {
  Word word;
  const ArgumentKind kind = ReadClassified(cursor, word);
  return StringFromWord(word, kind, value);
}

// --- Conditions ------------------------------------------------------------------------------

namespace {

// Integer tests give 1 or 0, or -1 when the operands do not suit the test (a bit number out of
// range).
using IntegerTest = int (*)(int32_t, int32_t);
using FloatTest = bool (*)(double, double);
using StringTest = bool (*)(int);  // given the sign of the byte-wise comparison

struct Comparison {
  std::string_view name;
  IntegerTest integer;
  FloatTest real;
  StringTest text;
};

constexpr int SCRIPT_NUM_OF_COMPARISONS = 8;

int BitTest(int32_t a, int32_t b, bool set) {
  if (b < 0 || b > 31) return -1;
  const bool bit = (static_cast<uint32_t>(a) >> b) & 1u;
  return bit == set ? 1 : 0;
}

const Comparison kComparisons[SCRIPT_NUM_OF_COMPARISONS] = {
    {"==", [](int32_t a, int32_t b) { return int{a == b}; },
     [](double a, double b) { return a == b; }, [](int c) { return c == 0; }},
    {"!=", [](int32_t a, int32_t b) { return int{a != b}; },
     [](double a, double b) { return a != b; }, [](int c) { return c != 0; }},
    {">=", [](int32_t a, int32_t b) { return int{a >= b}; },
     [](double a, double b) { return a >= b; }, [](int c) { return c >= 0; }},
    {"<=", [](int32_t a, int32_t b) { return int{a <= b}; },
     [](double a, double b) { return a <= b; }, [](int c) { return c <= 0; }},
    {">", [](int32_t a, int32_t b) { return int{a > b}; },
     [](double a, double b) { return a > b; }, [](int c) { return c > 0; }},
    {"<", [](int32_t a, int32_t b) { return int{a < b}; },
     [](double a, double b) { return a < b; }, [](int c) { return c < 0; }},
    {"bit", [](int32_t a, int32_t b) { return BitTest(a, b, true); }, nullptr, nullptr},
    {"!bit", [](int32_t a, int32_t b) { return BitTest(a, b, false); }, nullptr, nullptr},
};

int CompareBytes(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  const int c = n ? std::memcmp(a.data(), b.data(), n) : 0;  // memcmp compares unsigned bytes
  if (c != 0) return c;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

std::optional<int32_t> ScriptEngine::EvaluateCondition(std::string_view word) {
  std::string_view inside = word.substr(1);
  if (!inside.empty() && inside.back() == ')') inside.remove_suffix(1);
  LineCursor cursor{inside, 0};
  Word a;
  const ArgumentKind kindA = ReadClassified(cursor, a);
  Word op;
  script::ReadNextWord(cursor, op);
  op.LowerAscii();
  const Comparison* comparison = nullptr;
  for (const Comparison& c : kComparisons) {
    if (c.name == op.view()) {
      comparison = &c;
      break;
    }
  }
  if (!comparison) {
    ReportScriptDiagnostic("scerr17", op.str());
    return std::nullopt;
  }
  switch (kindA) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
    case ArgumentKind::FloatVariable:
    case ArgumentKind::FloatConstant: {
      Number left, right;
      if (!NumberFromWord(a, kindA, left)) return std::nullopt;
      if (!comparison->integer) {
        ReportScriptDiagnostic("scerr34", op.str());
        return std::nullopt;
      }
      if (!ReadNumberArgument(cursor, right)) return std::nullopt;
      if (!left.isFloat && !right.isFloat) {
        const int result = comparison->integer(left.integer, right.integer);
        if (result < 0) {
          ReportScriptDiagnostic("scerr5");
          return std::nullopt;
        }
        return result;
      }
      if (!comparison->real) {
        // "bit" and "!bit" have no meaning for fractions.
        ReportScriptDiagnostic("scerr72", op.str());
        return std::nullopt;
      }
      return comparison->real(left.real, right.real) ? 1 : 0;
    }
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: {
      ScriptText left, right;
      if (!StringFromWord(a, kindA, left)) return std::nullopt;
      if (!comparison->text) {
        ReportScriptDiagnostic("scerr33", op.str());
        return std::nullopt;
      }
      if (!ReadStringArgument(cursor, right)) return std::nullopt;
      return comparison->text(CompareBytes(left.view(), right.view())) ? 1 : 0;
    }
    default:
      ReportScriptDiagnostic("scerr35");
      return std::nullopt;
  }
}

}  // namespace zd
