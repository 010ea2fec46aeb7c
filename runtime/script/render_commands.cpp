#include "script/render_commands.h"

#include <string>

#include "database/database_pictures.h"
#include "runtime.h"
#include "script/page_commands.h"
#include "script/script_engine.h"

namespace zd::script {
namespace {

// The text form of a value is made in a buffer of this many bytes, its end mark included.
constexpr size_t kValueTextCapacity = 10241;
// A text cut to its object's capacity ends in this, where the capacity leaves room for it.
constexpr std::string_view kCutMark = "...";

// What every database command does at its end: the records it read are let go.
struct ReleaseAtEnd {
  Database& database;
  ~ReleaseAtEnd() { database.Release(); }
};

bool DatabaseOpen(ScriptEngine& e) {
  if (e.runtime().database.IsOpen()) return true;
  e.ReportScriptDiagnostic("scerr50");
  return false;
}

// The field argument: a field number, or a field's name.
std::optional<int32_t> ReadFieldArgument(ScriptEngine& e, CommandCall& call) {
  Database& database = e.runtime().database;
  Word word;
  const ArgumentKind kind = e.ReadClassified(call.cursor, word);
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant: {
      int32_t field = 0;
      if (!e.IntegerFromWord(word, kind, field) || !DatabaseOpen(e)) return std::nullopt;
      if (field < 0 || field >= database.FieldCount()) {
        e.ReportScriptDiagnostic("scerr51");
        return std::nullopt;
      }
      return field;
    }
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant: {
      ScriptText name;
      if (!e.StringFromWord(word, kind, name) || !DatabaseOpen(e)) return std::nullopt;
      const int field = database.FindFieldByName(name.view());
      if (field < 0) {
        e.ReportScriptDiagnostic("scerr63", name.str());
        return std::nullopt;
      }
      return field;
    }
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
      e.runtime().database.FormatFieldValue(kValueTextCapacity, record, field);
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
  if (record < 0 || record >= database.RecordCount()) {
    e.ReportScriptDiagnostic("scerr52");
    return;
  }
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
