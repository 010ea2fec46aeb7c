// System variables: integer and string variables served by a getter and, for the writable
// ones, a setter. Their names match exactly, case and suffix included.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "script/script_text.h"

namespace zd {
class ScriptEngine;
}

namespace zd::script {

constexpr int SCRIPT_NUM_OF_INT_SYS_VARS = 25;
constexpr int SCRIPT_NUM_OF_STRING_SYS_VARS = 8;

struct IntSystemVariable {
  std::string_view name;
  int32_t (*get)(ScriptEngine&) = nullptr;
  void (*set)(ScriptEngine&, int32_t) = nullptr;  // nullptr: read-only
};

struct StringSystemVariable {
  std::string_view name;
  void (*get)(ScriptEngine&, ScriptText&) = nullptr;
  void (*set)(ScriptEngine&, std::string_view) = nullptr;  // nullptr: read-only
};

class SystemVariables {
 public:
  bool RegisterInt(const IntSystemVariable& variable);
  bool RegisterString(const StringSystemVariable& variable);
  const IntSystemVariable* FindInt(std::string_view name) const;
  const StringSystemVariable* FindString(std::string_view name) const;
  int intCount() const { return intCount_; }
  int stringCount() const { return stringCount_; }
  const IntSystemVariable& intAt(int i) const { return ints_[static_cast<size_t>(i)]; }
  const StringSystemVariable& stringAt(int i) const { return strings_[static_cast<size_t>(i)]; }

 private:
  std::array<IntSystemVariable, SCRIPT_NUM_OF_INT_SYS_VARS> ints_{};
  std::array<StringSystemVariable, SCRIPT_NUM_OF_STRING_SYS_VARS> strings_{};
  int intCount_ = 0;
  int stringCount_ = 0;
};

// Fills both tables in their fixed order; returns the names that did not fit (none).
void RegisterSystemVariables(ScriptEngine& engine, SystemVariables& variables);

}  // namespace zd::script
