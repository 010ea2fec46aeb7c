// The commonest lines of page scripts and handlers, run straight from their prepared words:
// set, add, sub, mult and divide on variables found before and constants, and conditions
// comparing two such values. Whatever else such a line holds (a variable never found, a system
// variable, a text where a number belongs, a division by zero, a bit test) makes it run as every
// other line does, from its start: nothing has been read or written by then, so the line
// reports and does exactly what it would have.
#pragma once

#include <cstdint>
#include <string_view>

#include "script/comparisons.h"
#include "script/prepared_script.h"
#include "script/script_variables.h"

namespace zd::script {

// The command table's entries of the commands run here (0xFF: not in the table).
struct CommonCommands {
  uint8_t set = 0xFF, add = 0xFF, sub = 0xFF, mult = 0xFF, divide = 0xFF;
};

class CommonLines {
 public:
  CommonLines(VariableTables& variables, const CommonCommands& commands)
      : variables_(variables), commands_(commands) {}

  // Runs a set, add, sub, mult or divide line; false: the line must run in full.
  bool RunCommand(PreparedScript& script, const PreparedLine& line) {
    const uint8_t command = line.command;
    const bool set = command == commands_.set;
    if (!set && command != commands_.add && command != commands_.sub &&
        command != commands_.mult && command != commands_.divide) {
      return false;
    }
    if (line.wordCount < (set ? 2 : 3)) return false;
    const PreparedWord* words = script.words() + line.firstWord;
    const Word destination(&script, &words[0]), a(&script, &words[1]);
    switch (words[0].kind) {
      case ArgumentKind::IntegerVariable: {
        int32_t* target = PlacedValue(variables_, variables_.integers, destination);
        int32_t x = 0, y = 0;
        if (!target || !Integer(a, x)) return false;
        if (set) {
          *target = x;
          return true;
        }
        if (command == commands_.divide || !Integer(Word(&script, &words[2]), y)) return false;
        // Integer arithmetic wraps around, as the processor's does.
        const uint32_t ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
        *target = static_cast<int32_t>(command == commands_.add   ? ux + uy
                                       : command == commands_.sub ? ux - uy
                                                                  : ux * uy);
        return true;
      }
      case ArgumentKind::FloatVariable: {
        double* target = PlacedValue(variables_, variables_.floats, destination);
        double x = 0, y = 0;
        if (!target || !Real(a, x)) return false;
        if (set) {
          *target = x;
          return true;
        }
        if (!Real(Word(&script, &words[2]), y)) return false;
        *target = command == commands_.add    ? x + y
                  : command == commands_.sub  ? x - y
                  : command == commands_.mult ? x * y
                                              : x / y;
        return true;
      }
      case ArgumentKind::StringVariable: {
        if (!set && command != commands_.add) return false;
        ScriptText* target = PlacedValue(variables_, variables_.strings, destination);
        std::string_view x, y;
        if (!target || !Text(a, x)) return false;
        if (set) {
          if (x.data() != target->c_str()) target->Assign(x);
          return true;
        }
        if (!Text(Word(&script, &words[2]), y)) return false;
        const char* begin = target->c_str();
        const auto inTarget = [&](std::string_view t) {
          return t.data() >= begin && t.data() <= begin + ScriptText::kCapacity;
        };
        if (inTarget(y)) return false;  // the target's own text after another: in full
        if (!inTarget(x)) target->Assign(x);
        target->Append(y);
        return true;
      }
      default:
        return false;
    }
  }

  // (a op b): 1 or 0; -1 when it must be evaluated in full.
  int Condition(const Word& condition) {
    const PreparedWord& c = *condition.prepared();
    if (c.InnerCount() != 3) return -1;
    PreparedScript* script = condition.script();
    const PreparedWord* inside = script->words() + c.value;
    const int comparisonIndex = inside[1].detail - 1;
    if (comparisonIndex < 0) return -1;
    const Comparison& comparison = ComparisonAt(comparisonIndex);
    const Word a(script, &inside[0]), b(script, &inside[2]);
    switch (inside[0].kind) {
      case ArgumentKind::IntegerConstant:
      case ArgumentKind::IntegerVariable:
      case ArgumentKind::FloatConstant:
      case ArgumentKind::FloatVariable: {
        if (IsInteger(inside[0]) && IsInteger(inside[2])) {
          int32_t x = 0, y = 0;
          if (!Integer(a, x) || !Integer(b, y)) return -1;
          return comparison.integer(x, y);  // -1, a bit number out of range, is reported in full
        }
        // A real on either side: both compare as reals, an integer as its value.
        double u = 0, v = 0;
        if (!comparison.real || !NumberAsReal(a, u) || !NumberAsReal(b, v)) return -1;
        return comparison.real(u, v) ? 1 : 0;
      }
      case ArgumentKind::StringConstant:
      case ArgumentKind::StringVariable: {
        std::string_view x, y;
        if (!comparison.text || !Text(a, x) || !Text(b, y)) return -1;
        return comparison.text(CompareBytes(x, y)) ? 1 : 0;
      }
      default:
        return -1;
    }
  }

 private:
  static bool IsPlainInteger(const PreparedWord& w) {
    return w.kind == ArgumentKind::IntegerConstant && (w.detail & PreparedWord::kCondition) == 0;
  }
  static bool IsInteger(const PreparedWord& w) {
    return w.kind == ArgumentKind::IntegerConstant || w.kind == ArgumentKind::IntegerVariable;
  }

  // The values of words, read without reporting: false when the word is not a constant or a
  // variable found before of a kind that fits.
  [[gnu::always_inline]] bool Integer(const Word& word, int32_t& value) {
    const PreparedWord& w = *word.prepared();
    if (IsPlainInteger(w)) {
      value = static_cast<int32_t>(w.value);
      return true;
    }
    if (const int32_t* v = PlacedValue(variables_, variables_.integers, word)) {
      value = *v;
      return true;
    }
    return false;
  }

  // A real as a real argument reads it.
  [[gnu::always_inline]] bool Real(const Word& word, double& value) {
    const PreparedWord& w = *word.prepared();
    switch (w.kind) {
      case ArgumentKind::FloatConstant:
        value = word.script()->Real(w.value);
        return true;
      case ArgumentKind::FloatVariable:
        if (const double* v = PlacedValue(variables_, variables_.floats, word)) {
          value = *v;
          return true;
        }
        return false;
      case ArgumentKind::IntegerConstant:
        // "-0" and numbers past the 32-bit range read as reals otherwise.
        if ((w.detail & (PreparedWord::kCondition | PreparedWord::kRealDiffers)) != 0) {
          return false;
        }
        value = static_cast<int32_t>(w.value);
        return true;
      case ArgumentKind::IntegerVariable:
        if (const int32_t* v = PlacedValue(variables_, variables_.integers, word)) {
          value = *v;
          return true;
        }
        return false;
      default:
        return false;
    }
  }

  // A number as a condition reads it: an integer's value, a real as it is.
  [[gnu::always_inline]] bool NumberAsReal(const Word& word, double& value) {
    const PreparedWord& w = *word.prepared();
    if (IsPlainInteger(w)) {
      value = static_cast<int32_t>(w.value);
      return true;
    }
    if (w.kind == ArgumentKind::IntegerConstant) return false;
    return Real(word, value);
  }

  [[gnu::always_inline]] bool Text(const Word& word, std::string_view& value) {
    if (word.prepared()->kind == ArgumentKind::StringConstant) {
      value = QuotedContent(word.view());
      return true;
    }
    if (const ScriptText* v = PlacedValue(variables_, variables_.strings, word)) {
      value = v->view();
      return true;
    }
    return false;
  }

  VariableTables& variables_;
  const CommonCommands& commands_;
};

}  // namespace zd::script
