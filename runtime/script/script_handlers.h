// Event handlers: named pieces of a page script run later when the pointer enters or leaves an
// object, when it moves, or when a toolbox tool is used. Sixteen type slots, each with the list
// of its handlers in order of definition; the lists are emptied when the page is left.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "script/script_text.h"

namespace zd::script {

constexpr int kHandlerTypeSlots = 16;
constexpr size_t kMaxHandlerName = 12;
constexpr size_t kMaxHandlerObjectName = 12;

namespace handler_type {
constexpr int MOUSE_ENTER = 0, MOUSE_LEAVE = 1, MOUSE_ENTER_LEAVE = 2, MOUSE_MOVE = 3,
              TOOL_ACTIVATE = 14;
}

// The parameters a type's definitions carry after the common part.
enum class HandlerParameters { None, Object, ObjectAndInteger, StringAndInteger };

// Where a handler's script object was found on the page, while the page's object list stays
// the one it was found in.
struct ObjectHint {
  uint64_t objectListVersion = 0;
  int32_t index = -1;
};

struct HandlerRecord {
  BoundedText<kMaxHandlerName> name;
  int32_t enabled = 0;
  ScriptName scriptName;
  size_t bodyPosition = 0;
  int32_t bodyLine = 0;
  BoundedText<kMaxHandlerObjectName> objectName;
  VariableName integerVariable;
  VariableName stringVariable;
  uint64_t serial = 0;  // identifies the record while lists change under a running handler
  ObjectHint object;
};

struct HandlerType {
  std::string_view name;  // empty: the slot has no type
  HandlerParameters parameters = HandlerParameters::None;
  std::vector<HandlerRecord> list;
};

class Handlers {
 public:
  void RegisterTypes();
  // The slot whose type name equals `name` exactly, or -1.
  int FindType(std::string_view name) const;
  // The handler of that name in any list: its slot and index, false when there is none.
  bool Find(std::string_view name, int& slot, size_t& index) const;
  HandlerRecord* FindBySerial(uint64_t serial, int& slot);
  void Remove(int slot, size_t index);
  void Reset();
  size_t Count() const;

  std::array<HandlerType, kHandlerTypeSlots>& types() { return types_; }
  uint64_t NextSerial() { return ++serial_; }

 private:
  std::array<HandlerType, kHandlerTypeSlots> types_{};
  uint64_t serial_ = 0;
};

}  // namespace zd::script
