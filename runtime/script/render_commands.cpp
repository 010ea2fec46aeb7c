#include "script/render_commands.h"

#include <string>

#include "database/database_pictures.h"
#include "runtime.h"
#include "script/database_arguments.h"
#include "script/page_commands.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

// A text cut to its object's capacity ends in this, where the capacity leaves room for it.
constexpr std::string_view kCutMark = "...";

// The field argument: a field number, or a field's name.
std::optional<int32_t> ReadFieldArgument(ScriptEngine& e, CommandCall& call) {
  Word word;
  const ArgumentKind kind = e.ReadClassified(call.cursor, word);
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant:
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: return FieldFromWord(e, word, kind);
    case ArgumentKind::InvalidToken:  // reported as it was read
      return std::nullopt;
    default:
      e.ReportScriptDiagnostic("scerr64");
      return std::nullopt;
  }
}

// The value as a text object's field holds it: cut to the capacity (ending in "..." when cut
// and there is room), without trailing line ends, and ended with a NUL when shorter than the
// field.
std::string FittedText(std::string text, size_t capacity) {
  if (text.size() > capacity) {
    text.resize(capacity);
    if (capacity >= kCutMark.size() + 1) text.replace(capacity - kCutMark.size(), kCutMark.size(), kCutMark);
  }
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  if (text.size() < capacity) text.push_back('\0');
  return text;
}

void RenderIntoText(ScriptEngine& e, const FoundObject& found, PageObject& object, int record,
                    int field) {
  const std::string value =
      e.runtime().database.FormatFieldValue(Database::kValueTextCapacity, record, field);
  object.SetText(FittedText(value, object.textCapacity()));
  if (e.DrawingDeferred()) return;
  if (const auto box = object.pixelBox()) e.runtime().pages.RedrawBoxFrom(*box, found.index);
}

void RenderIntoSprite(ScriptEngine& e, PageObject& object, int record, int field) {
  Runtime& runtime = e.runtime();
  switch (ReplaceSpriteFromRecord(runtime, object, record, field)) {
    case SpriteReplacement::Replaced:
      if (const auto box = object.pixelBox()) runtime.shell.window().InvalidatePage(*box, false);
      return;
    case SpriteReplacement::NotASprite:
      runtime.shell.reporter().ShowText("Message", "not a ravelgraphic sprite");
      return;
    default:  // a missing picture was reported as it was looked for; the sprite stays
      return;
  }
}

}  // namespace

void RenderData(ScriptEngine& e, CommandCall& call) {
  ScriptText name;
  if (!e.StringFromWord(call.first, call.kind, name)) return;
  const auto found = FindPageObject(e, name.view());
  if (!found) return;
  Database& database = e.runtime().database;
  ReleaseAtEnd release{database};
  const auto field = ReadFieldArgument(e, call);
  if (!field) return;
  int32_t record = 0;
  if (!e.ReadIntegerArgument(call.cursor, record)) return;
  if (!ValidRecord(e, record)) return;
  auto object = e.runtime().pages.Object(found->index);
  const uint32_t type = object ? object->type() : kNone;
  if (type == object_type::SPRITE) {
    RenderIntoSprite(e, *object, record, *field);
  } else if (type == object_type::TEXT) {
    RenderIntoText(e, *found, *object, record, *field);
  } else {
    e.ReportScriptDiagnostic("scerr6", name.str());
  }
}

}  // namespace zd::script
