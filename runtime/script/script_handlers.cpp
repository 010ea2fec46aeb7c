#include "script/script_handlers.h"

#include "runtime.h"
#include "script/page_commands.h"
#include "script/script_engine.h"

namespace zd {
namespace script {

void Handlers::RegisterTypes() {
  for (HandlerType& t : types_) t = HandlerType{};
  types_[handler_type::MOUSE_ENTER] = {"MouseEnter", HandlerParameters::Object, {}};
  types_[handler_type::MOUSE_LEAVE] = {"MouseLeave", HandlerParameters::Object, {}};
  types_[handler_type::MOUSE_ENTER_LEAVE] = {"MouseEnterLeave",
                                             HandlerParameters::ObjectAndInteger, {}};
  types_[handler_type::MOUSE_MOVE] = {"MouseMove", HandlerParameters::None, {}};
  types_[handler_type::TOOL_ACTIVATE] = {"ToolActivate", HandlerParameters::StringAndInteger, {}};
}

int Handlers::FindType(std::string_view name) const {
  if (name.empty()) return -1;
  for (int i = 0; i < kHandlerTypeSlots; ++i) {
    if (types_[static_cast<size_t>(i)].name == name) return i;
  }
  return -1;
}

bool Handlers::Find(std::string_view name, int& slot, size_t& index) const {
  for (int s = 0; s < kHandlerTypeSlots; ++s) {
    const auto& list = types_[static_cast<size_t>(s)].list;
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i].name == name) {
        slot = s;
        index = i;
        return true;
      }
    }
  }
  return false;
}

HandlerRecord* Handlers::FindBySerial(uint64_t serial, int& slot) {
  // The slot it was in is looked at first: records seldom move to another.
  if (slot >= 0 && slot < kHandlerTypeSlots) {
    for (HandlerRecord& r : types_[static_cast<size_t>(slot)].list) {
      if (r.serial == serial) return &r;
    }
  }
  for (int s = 0; s < kHandlerTypeSlots; ++s) {
    for (HandlerRecord& r : types_[static_cast<size_t>(s)].list) {
      if (r.serial == serial) {
        slot = s;
        return &r;
      }
    }
  }
  return nullptr;
}

void Handlers::Remove(int slot, size_t index) {
  auto& list = types_[static_cast<size_t>(slot)].list;
  if (index >= list.size()) return;
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
  if (list.empty()) list.shrink_to_fit();  // an empty list gives its memory back
}

void Handlers::Reset() {
  for (HandlerType& t : types_) {
    t.list.clear();
    t.list.shrink_to_fit();
  }
}

size_t Handlers::Count() const {
  size_t n = 0;
  for (const HandlerType& t : types_) n += t.list.size();
  return n;
}

namespace {

// A page defines a handful of handlers; past this many the definition is refused as the
// original refused it when memory ran out.
constexpr size_t kMaxHandlers = 4096;

bool ReadVariableName(ScriptEngine& e, LineCursor& cursor, ArgumentKind wanted,
                      VariableName& name) {
  Word word;
  const ArgumentKind kind = e.ReadClassified(cursor, word);
  if (kind != wanted) {
    e.ReportScriptDiagnostic("scerr44", word.str());
    return false;
  }
  name.Assign(word.view());
  return true;
}

bool ReadObjectName(ScriptEngine& e, LineCursor& cursor, HandlerRecord& record) {
  ScriptText object;
  if (!e.ReadStringArgument(cursor, object)) return false;
  if (object.size() > kMaxHandlerObjectName) {
    e.ReportScriptDiagnostic("hnderr6", object.str());
    return false;
  }
  record.objectName.Assign(object.view());
  return true;
}

bool ReadParameters(ScriptEngine& e, LineCursor& cursor, HandlerParameters parameters,
                    HandlerRecord& record) {
  switch (parameters) {
    case HandlerParameters::None:
      return true;
    case HandlerParameters::Object:
      return ReadObjectName(e, cursor, record);
    case HandlerParameters::ObjectAndInteger:
      return ReadObjectName(e, cursor, record) &&
             ReadVariableName(e, cursor, ArgumentKind::IntegerVariable, record.integerVariable);
    case HandlerParameters::StringAndInteger:
      return ReadVariableName(e, cursor, ArgumentKind::StringVariable, record.stringVariable) &&
             ReadVariableName(e, cursor, ArgumentKind::IntegerVariable, record.integerVariable);
  }
  return false;
}

void DefHandler(ScriptEngine& e, CommandCall& call) {
  if (e.definingHandler()) {
    e.ReportScriptDiagnostic("hnderr8");
    return;
  }
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  if (name.size() > kMaxHandlerName) {
    e.ReportScriptDiagnostic("hnderr1", name.str());
    return;
  }
  Handlers& handlers = e.handlers();
  int slot = 0;
  size_t index = 0;
  if (handlers.Find(name.view(), slot, index)) {
    e.ReportScriptDiagnostic("hnderr3", name.str());
    return;
  }
  ScriptText typeName;
  int32_t enabled = 0;
  if (!e.ReadStringArgument(call.cursor, typeName)) return;
  if (!e.ReadIntegerArgument(call.cursor, enabled)) return;
  slot = handlers.FindType(typeName.view());
  if (slot < 0) {
    e.ReportScriptDiagnostic("hnderr2", typeName.str());
    return;
  }
  if (handlers.Count() >= kMaxHandlers) {
    e.ReportScriptError("hnderr5");
    return;
  }
  HandlerType& type = handlers.types()[static_cast<size_t>(slot)];
  HandlerRecord record;
  record.name.Assign(name.view());
  record.enabled = enabled;
  record.scriptName.Assign(e.currentScriptName());
  record.bodyPosition = call.nextLine;
  record.bodyLine = e.currentLineNumber() + 1;
  record.serial = handlers.NextSerial();
  if (!ReadParameters(e, call.cursor, type.parameters, record)) return;  // not added
  type.list.push_back(record);
  e.SetDefiningHandler(true);
}

void DelHandler(ScriptEngine& e, CommandCall& call) {
  if (e.definingHandler()) {
    e.ReportScriptDiagnostic("hnderr8");
    return;
  }
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  int slot = 0;
  size_t index = 0;
  if (!e.handlers().Find(name.view(), slot, index)) {
    e.ReportScriptDiagnostic("hnderr4", name.str());
    return;
  }
  e.handlers().Remove(slot, index);
}

void Handler(ScriptEngine& e, CommandCall& call) {
  if (e.definingHandler()) {
    e.ReportScriptDiagnostic("hnderr11");
    return;
  }
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  int32_t action = 0;
  if (!e.ReadIntegerArgument(call.cursor, action)) return;
  Handlers& handlers = e.handlers();
  int slot = 0;
  size_t index = 0;
  if (!handlers.Find(name.view(), slot, index)) {
    e.ReportScriptDiagnostic("hnderr4", name.str());
    return;
  }
  HandlerRecord& self = handlers.types()[static_cast<size_t>(slot)].list[index];
  switch (action) {
    case 1: self.enabled = 1; break;
    case 0: self.enabled = 0; break;
    case -1: self.enabled = self.enabled == 0 ? 1 : 0; break;
    case -2:
    case -3:
      for (HandlerType& t : handlers.types()) {
        for (HandlerRecord& r : t.list) {
          if (&r != &self) r.enabled = action == -3 ? 1 : 0;
        }
      }
      break;
    default:
      break;
  }
  if (self.enabled != 0 &&
      (slot == handler_type::MOUSE_ENTER || slot == handler_type::MOUSE_ENTER_LEAVE)) {
    e.runtime().shell.pointers().UpdateObjectUnderPointer();
  }
}

}  // namespace

const HandlerCommands kHandlerCommands = {DefHandler, DelHandler, Handler};

}  // namespace script

// --- Raising events ------------------------------------------------------------------------

int ScriptEngine::FindScriptObject(std::string_view name, script::ObjectHint& hint) {
  Pages& pages = runtime_.pages;
  // Object names are never written: while the list is the same, so is the answer.
  if (hint.objectListVersion == pages.objectListVersion() && runtime_.titleFiles.loaded()) {
    return hint.index;
  }
  hint = {pages.objectListVersion(), -1};
  for (size_t i = 0; i < pages.objects().size(); ++i) {
    const auto object = pages.Object(static_cast<int>(i));
    if (!object) break;
    if (object->NameIs(name)) {
      hint.index = static_cast<int32_t>(i);
      break;
    }
  }
  return hint.index;
}

void ScriptEngine::RunHandlerBody(const script::HandlerRecord& handler) {
  script::ObjectHint hint = handler.object;
  const int object = FindScriptObject(handler.scriptName.view(), hint);
  if (object < 0) {
    ReportScriptDiagnostic("scerr31", handler.scriptName.str());
    return;
  }
  RunObjectScript(object, handler.scriptName.view(), handler.bodyPosition, handler.bodyLine,
                  true);
}

using script::HandlerRecord;
using script::handler_type::MOUSE_ENTER;
using script::handler_type::MOUSE_ENTER_LEAVE;
using script::handler_type::MOUSE_LEAVE;
using script::handler_type::MOUSE_MOVE;
using script::handler_type::TOOL_ACTIVATE;

namespace {

// The handlers of a slot that match, by serial: the lists may change while handlers run
// (a handler may delete itself or others), so each is looked up again before it runs.
template <typename Match>
std::vector<uint64_t> Matching(script::Handlers& handlers, int slot, Match match) {
  std::vector<uint64_t> serials;
  const auto& list = handlers.types()[static_cast<size_t>(slot)].list;
  serials.reserve(list.size());
  for (const HandlerRecord& r : list) {
    if (r.enabled != 0 && match(r)) serials.push_back(r.serial);
  }
  return serials;
}

}  // namespace

// Looks the handler up again and runs it when it still exists and is enabled; `before` runs
// first on the live record (setting its variables).
template <typename Before>
static void RunIfStillThere(ScriptEngine& engine, int slot, uint64_t serial, Before before) {
  HandlerRecord* record = engine.handlers().FindBySerial(serial, slot);
  if (!record || record->enabled == 0) return;
  engine.FindScriptObject(record->scriptName.view(), record->object);
  const HandlerRecord copy = *record;  // the body may delete the record
  before(copy);
  engine.RunHandlerBody(copy);
}

void ScriptEngine::RunMouseMoveHandlers() {
  for (uint64_t serial : Matching(handlers_, MOUSE_MOVE, [](const HandlerRecord&) {
         return true;
       })) {
    RunIfStillThere(*this, MOUSE_MOVE, serial, [](const HandlerRecord&) {});
  }
}

void ScriptEngine::RunEnterLeaveHandlers(int leftObject, int enteredObject) {
  const bool hasNew = enteredObject >= 0, hasOld = leftObject >= 0;
  const std::string entered = hasNew ? runtime_.pages.ObjectName(enteredObject) : std::string();
  const std::string left = hasOld ? runtime_.pages.ObjectName(leftObject) : std::string();
  if (hasNew) {
    for (uint64_t serial : Matching(handlers_, MOUSE_ENTER, [&](const HandlerRecord& r) {
           return r.objectName == entered;
         })) {
      RunIfStillThere(*this, MOUSE_ENTER, serial, [](const HandlerRecord&) {});
    }
  }
  if (hasOld) {
    for (uint64_t serial : Matching(handlers_, MOUSE_LEAVE, [&](const HandlerRecord& r) {
           return r.objectName == left;
         })) {
      RunIfStillThere(*this, MOUSE_LEAVE, serial, [](const HandlerRecord&) {});
    }
  }
  for (uint64_t serial : Matching(handlers_, MOUSE_ENTER_LEAVE, [](const HandlerRecord&) {
         return true;
       })) {
    int slot = 0;
    const HandlerRecord* record = handlers_.FindBySerial(serial, slot);
    if (!record) continue;
    const HandlerRecord copy = *record;
    if (hasNew && copy.objectName == entered) {
      RunIfStillThere(*this, MOUSE_ENTER_LEAVE, serial, [&](const HandlerRecord& r) {
        SetIntVariable(r.integerVariable.view(), 1);
      });
    }
    if (hasOld && copy.objectName == left) {
      RunIfStillThere(*this, MOUSE_ENTER_LEAVE, serial, [&](const HandlerRecord& r) {
        SetIntVariable(r.integerVariable.view(), 0);
      });
    }
  }
}

void ScriptEngine::RunToolActivateHandlers(const std::string& tool, int32_t value) {
  for (uint64_t serial : Matching(handlers_, TOOL_ACTIVATE, [](const HandlerRecord&) {
         return true;
       })) {
    RunIfStillThere(*this, TOOL_ACTIVATE, serial, [&](const HandlerRecord& r) {
      SetStringVariable(r.stringVariable.view(), tool);
      SetIntVariable(r.integerVariable.view(), value);
    });
  }
}

}  // namespace zd
