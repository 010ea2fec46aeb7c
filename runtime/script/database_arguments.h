// What the database commands share: checking the database, field and record a script names,
// reading a field given by number or by name, and letting go of what a command read.
#pragma once

#include <cstdint>
#include <optional>

#include "script/line_cursor.h"

namespace zd {
class Database;
class ScriptEngine;
}  // namespace zd

namespace zd::script {

// Every database command lets go of what it read when it ends, whichever way it ends.
struct ReleaseAtEnd {
  Database& database;
  ~ReleaseAtEnd();
};

// "scerr50" when no database is open.
bool DatabaseOpen(ScriptEngine& engine);
// A field number in range: from 0 (or -1, the database itself, where `databaseToo`);
// "scerr50"/"scerr51" otherwise.
bool ValidField(ScriptEngine& engine, int32_t field, bool databaseToo);
// A record number in range; while the selection is in use, a place of the selection whose
// record the open database has (a selection made for another database may name more).
// "scerr52" otherwise.
bool ValidRecord(ScriptEngine& engine, int32_t record);
// A field given as a word already read: an integer is a field number (checked), a text a
// field's name ("scerr63" with the name when the database has none such).
std::optional<int32_t> FieldFromWord(ScriptEngine& engine, const Word& word, ArgumentKind kind);

}  // namespace zd::script
