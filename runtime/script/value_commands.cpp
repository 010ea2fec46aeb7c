// The commands that compute values: the first argument names the destination, whose kind chose
// the variant; the operands follow. The destination is written only when every read succeeded.
#include "script/value_commands.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "script/script_engine.h"

namespace zd::script {
namespace {

constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();

const Word& Dest(const CommandCall& call) { return call.first; }

// A float result's integer form for the integer arithmetic variants: truncated, and the most
// negative integer when it does not fit (as the processor's conversion gives).
int32_t TruncateOrMin(double value) {
  if (std::isnan(value) || value >= 2147483648.0 || value <= -2147483649.0) return kMinInt;
  return static_cast<int32_t>(value);
}

void Set(ScriptEngine& e, CommandCall& call) {
  switch (call.kind) {
    case ArgumentKind::IntegerVariable: {
      Number n;
      if (e.ReadNumberArgument(call.cursor, n)) e.SetIntVariable(Dest(call), n.integer);
      break;
    }
    case ArgumentKind::FloatVariable: {
      double x = 0;
      if (e.ReadFloatArgument(call.cursor, x)) e.SetFloatVariable(Dest(call), x);
      break;
    }
    default: {
      ScriptText t;
      if (e.ReadStringArgument(call.cursor, t)) e.SetStringVariable(Dest(call), t.view());
      break;
    }
  }
}

enum class Op { Add, Sub, Mult, Divide };

void Arithmetic(ScriptEngine& e, CommandCall& call, Op op) {
  if (call.kind == ArgumentKind::IntegerVariable) {
    Number a, b;
    if (!e.ReadNumberArgument(call.cursor, a) || !e.ReadNumberArgument(call.cursor, b)) return;
    int32_t result = 0;
    if (!a.isFloat && !b.isFloat) {
      const uint32_t ua = static_cast<uint32_t>(a.integer), ub = static_cast<uint32_t>(b.integer);
      switch (op) {
        case Op::Add: result = static_cast<int32_t>(ua + ub); break;
        case Op::Sub: result = static_cast<int32_t>(ua - ub); break;
        case Op::Mult: result = static_cast<int32_t>(ua * ub); break;
        case Op::Divide:
          if (b.integer == 0 || (a.integer == kMinInt && b.integer == -1)) {
            e.ReportScriptDiagnostic("scerr70");
            return;
          }
          result = a.integer / b.integer;
          break;
      }
    } else {
      double r = 0;
      switch (op) {
        case Op::Add: r = a.real + b.real; break;
        case Op::Sub: r = a.real - b.real; break;
        case Op::Mult: r = a.real * b.real; break;
        case Op::Divide: r = a.real / b.real; break;
      }
      result = TruncateOrMin(r);
    }
    e.SetIntVariable(Dest(call), result);
  } else if (call.kind == ArgumentKind::FloatVariable) {
    double a = 0, b = 0;
    if (!e.ReadFloatArgument(call.cursor, a) || !e.ReadFloatArgument(call.cursor, b)) return;
    double r = 0;
    switch (op) {
      case Op::Add: r = a + b; break;
      case Op::Sub: r = a - b; break;
      case Op::Mult: r = a * b; break;
      case Op::Divide: r = a / b; break;
    }
    e.SetFloatVariable(Dest(call), r);
  } else {
    ScriptText a, b;
    if (!e.ReadStringArgument(call.cursor, a) || !e.ReadStringArgument(call.cursor, b)) return;
    a.Append(b.view());
    e.SetStringVariable(Dest(call), a.view());
  }
}

void Add(ScriptEngine& e, CommandCall& c) { Arithmetic(e, c, Op::Add); }
void Sub(ScriptEngine& e, CommandCall& c) { Arithmetic(e, c, Op::Sub); }
void Mult(ScriptEngine& e, CommandCall& c) { Arithmetic(e, c, Op::Mult); }
void Divide(ScriptEngine& e, CommandCall& c) { Arithmetic(e, c, Op::Divide); }

template <int32_t (*F)(ScriptEngine&, int32_t, int32_t, bool&)>
void TwoIntegers(ScriptEngine& e, CommandCall& call) {
  int32_t a = 0, b = 0;
  if (!e.ReadIntegerArgument(call.cursor, a) || !e.ReadIntegerArgument(call.cursor, b)) return;
  bool ok = true;
  const int32_t r = F(e, a, b, ok);
  if (ok) e.SetIntVariable(Dest(call), r);
}

int32_t ModOf(ScriptEngine& e, int32_t a, int32_t b, bool& ok) {
  if (b == 0 || (a == kMinInt && b == -1)) {
    e.ReportScriptDiagnostic("scerr70");
    ok = false;
    return 0;
  }
  return a % b;
}
int32_t OrOf(ScriptEngine&, int32_t a, int32_t b, bool&) { return a | b; }
int32_t AndOf(ScriptEngine&, int32_t a, int32_t b, bool&) { return a & b; }
int32_t ExorOf(ScriptEngine&, int32_t a, int32_t b, bool&) { return a ^ b; }

void Abs(ScriptEngine& e, CommandCall& call) {
  Number n;
  if (!e.ReadNumberArgument(call.cursor, n)) return;
  if (call.kind == ArgumentKind::IntegerVariable) {
    // The absolute value of the most negative integer wraps to itself.
    const int32_t v = n.integer < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(n.integer))
                                    : n.integer;
    e.SetIntVariable(Dest(call), v);
  } else {
    e.SetFloatVariable(Dest(call), std::fabs(n.real));
  }
}

void Sgn(ScriptEngine& e, CommandCall& call) {
  Number n;
  if (!e.ReadNumberArgument(call.cursor, n)) return;
  if (call.kind == ArgumentKind::IntegerVariable) {
    e.SetIntVariable(Dest(call), n.integer < 0 ? -1 : (n.integer > 0 ? 1 : 0));
  } else {
    e.SetFloatVariable(Dest(call), n.real < 0 ? -1.0 : (n.real > 0 ? 1.0 : n.real));
  }
}

void Not(ScriptEngine& e, CommandCall& call) {
  Number n;
  if (e.ReadNumberArgument(call.cursor, n)) e.SetIntVariable(Dest(call), n.integer == 0 ? 1 : 0);
}

template <double (*F)(double)>
void OneFloat(ScriptEngine& e, CommandCall& call) {
  double x = 0;
  if (e.ReadFloatArgument(call.cursor, x)) e.SetFloatVariable(Dest(call), F(x));
}
double SinOf(double x) { return std::sin(x); }
double CosOf(double x) { return std::cos(x); }
double SqrtOf(double x) { return std::sqrt(x); }
double CubertOf(double x) { return std::pow(x, 1.0 / 3.0); }

void Random(ScriptEngine& e, CommandCall& call) {
  if (call.kind == ArgumentKind::IntegerVariable) {
    int32_t low = 0, high = 0;
    if (!e.ReadIntegerArgument(call.cursor, low) || !e.ReadIntegerArgument(call.cursor, high)) {
      return;
    }
    const int64_t range = int64_t{high} - int64_t{low} + 1;
    if (range == 0) {
      e.ReportScriptDiagnostic("scerr70");
      return;
    }
    const int64_t r = e.random().Next();
    // The range is worked out in 32 bits, as the titles' generator did; C's remainder keeps
    // the sign of r (never negative), so a negative range still gives low plus 0..|range|-1.
    const int32_t range32 = static_cast<int32_t>(static_cast<uint32_t>(range));
    if (range32 == 0) {
      e.ReportScriptDiagnostic("scerr70");
      return;
    }
    const int64_t value = (r % range32) + low;
    e.SetIntVariable(Dest(call), static_cast<int32_t>(static_cast<uint32_t>(value)));
  } else {
    double low = 0, high = 0;
    if (!e.ReadFloatArgument(call.cursor, low) || !e.ReadFloatArgument(call.cursor, high)) return;
    const double r = e.random().Next();
    e.SetFloatVariable(Dest(call), low + (high - low) * r / RandomGenerator::kMax);
  }
}

void Bitset(ScriptEngine& e, CommandCall& call) {
  int32_t bit = 0, value = 0;
  if (!e.ReadIntegerArgument(call.cursor, bit) || !e.ReadIntegerArgument(call.cursor, value)) return;
  if (bit < 0 || bit > 31) {
    e.ReportScriptDiagnostic("scerr5");
    return;
  }
  int32_t current = 0;
  if (!e.GetIntVariable(Dest(call), current)) return;  // it must exist already
  uint32_t u = static_cast<uint32_t>(current);
  if (value != 0) u |= 1u << bit;
  else u &= ~(1u << bit);
  e.SetIntVariable(Dest(call), static_cast<int32_t>(u));
}

void StrToVal(ScriptEngine& e, CommandCall& call) {
  ScriptText t;
  if (!e.ReadStringArgument(call.cursor, t)) return;
  // Text that does not begin with a number converts to 0.
  if (call.kind == ArgumentKind::IntegerVariable) {
    e.SetIntVariable(Dest(call), ParseInteger(t.view()));
  } else {
    e.SetFloatVariable(Dest(call), ParseFloat(t.view()));
  }
}

void ValToStr(ScriptEngine& e, CommandCall& call) {
  ScriptText result;
  if (e.FormatValue(call.cursor, result)) e.SetStringVariable(Dest(call), result.view());
}

void Clear(ScriptEngine& e, CommandCall& call) {
  if (call.kind == ArgumentKind::NoArgument) {
    e.ClearVariables();
  } else {
    e.DeleteVariable(call.kind, Dest(call).view());
  }
}

}  // namespace

const ValueCommands kValueCommands = {
    Set,   Add,   Sub,   Mult, Divide, TwoIntegers<ModOf>, TwoIntegers<OrOf>,
    TwoIntegers<AndOf>, TwoIntegers<ExorOf>, Abs, Sgn, Not, OneFloat<SinOf>, OneFloat<CosOf>,
    OneFloat<SqrtOf>, OneFloat<CubertOf>, Random, Clear, StrToVal, ValToStr, Bitset,
};

}  // namespace zd::script
