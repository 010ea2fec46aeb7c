#include "titlekit/database_description.h"

#include <array>
#include <fstream>
#include <sstream>

#include "base/cp1253.h"
#include "database/database_layout.h"
#include "titlekit/database_csv.h"
#include "titlekit/database_values.h"
#include "titlekit/description_error.h"
#include "titlekit/drawing.h"
#include "titlekit/picture.h"
#include "titlekit/tcs_compress.h"

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

using database_layout::kFieldSize;
using database_layout::kNameWidth;

constexpr std::string_view kDatabaseMembers[] = {
    "title",        "explain",       "fields",   "records", "csv",  "pictures", "fieldCount",
    "recordCount",  "recordLength",  "explainOffset", "pictureCount", "truncate", "omit", "files",
    "folder",       "name"};
constexpr size_t kFolderMembers = 2;  // "folder" and "name", only in a "databases" entry

std::string ReadWholeFile(const fs::path& path, const std::string& where) {
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path)) throw DescriptionError(where, "cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool IsKeywordType(uint8_t type) { return type == field_type::KEYWORDS || type == field_type::CATEGORIES; }

// A member that only some field types have.
void OnlyFor(const Members& m, std::string_view key, bool allowed, const char* types) {
  if (m.Has(key) && !allowed) throw DescriptionError(m.Path(key), std::string("only ") + types + " fields have this member");
}

DatabaseField ParseField(const Json& json, const std::string& where) {
  const Members m(json, where,
                  {"name", "type", "width", "explain", "units", "labels", "keywords", "twoDigitYear",
                   "offset", "explainOffset", "extraOffset", "keywordCount", "parameter", "raw"});
  DatabaseField f;
  m.Text("name", f.name, kNameWidth);
  const Json* type = m.Find("type");
  if (!type) throw DescriptionError(m.Path("type"), "missing: every field needs its type");
  const uint32_t code = ToNamed(*type, m.Path("type"), kFieldTypeNames);
  if (code > 255) throw DescriptionError(m.Path("type"), "a type code is one byte");
  f.type = static_cast<uint8_t>(code);
  if (f.type == field_type::TEXT || f.type == field_type::PICTURE) f.width = kNameWidth;
  m.Get("width", f.width);
  m.Text("explain", f.explain);
  OnlyFor(m, "units", f.type <= field_type::DECIMAL, "byte, integer, real and decimal");
  m.Text("units", f.units);
  OnlyFor(m, "labels", f.type == field_type::YES_NO, "yesno");
  if (f.type == field_type::YES_NO) f.labels.emplace(Utf8ToCp1253("Ναι"), Utf8ToCp1253("Όχι"));
  if (const Json* v = m.Find("labels")) {
    if (v->is_null()) {
      f.labels.reset();
    } else {
      if (!v->is_array() || v->size() != 2) throw DescriptionError(m.Path("labels"), "expected [yes label, no label] or null");
      f.labels.emplace(ToText((*v)[0], PathIndex(m.Path("labels"), 0)), ToText((*v)[1], PathIndex(m.Path("labels"), 1)));
    }
  }
  OnlyFor(m, "keywords", IsKeywordType(f.type), "keywords and categories");
  if (const Json* v = m.Find("keywords")) {
    if (!v->is_array()) throw DescriptionError(m.Path("keywords"), "expected a list of names");
    if (v->size() > size_t(database_layout::kMaxKeywords)) {
      throw DescriptionError(m.Path("keywords"), "a field has at most 32 keywords");
    }
    for (size_t i = 0; i < v->size(); ++i) f.keywords.push_back(ToText((*v)[i], PathIndex(m.Path("keywords"), i), kNameWidth));
  }
  OnlyFor(m, "twoDigitYear", f.type == field_type::DATE, "date");
  if (const Json* v = m.Find("twoDigitYear")) f.twoDigitYear = ToBool(*v, m.Path("twoDigitYear"));
  m.Get("offset", f.offset);
  m.Get("explainOffset", f.explainOffset);
  m.Get("extraOffset", f.extraOffset);
  if (m.OneOf({"keywordCount", "parameter"}) == "keywordCount") {
    OnlyFor(m, "keywordCount", IsKeywordType(f.type), "keywords and categories");
    f.parameter = ToU8(*m.Find("keywordCount"), m.Path("keywordCount"));
  } else if (const Json* v = m.Find("parameter")) {
    f.parameter = ToU8(*v, m.Path("parameter"));
  }
  if (const Json* v = m.Find("raw")) {
    f.raw = ToBytes(*v, m.Path("raw"));
    if (f.raw->size() != kFieldSize) throw DescriptionError(m.Path("raw"), "a field descriptor has 68 bytes");
  }
  return f;
}

// A record as an object keyed by field name (the first field of a name) or a list in field order.
DatabaseRecord ParseRecord(const Database& db, const Json& json, const std::string& where) {
  DatabaseRecord record(db.fields.size());
  if (json.is_array()) {
    if (json.size() > db.fields.size()) throw DescriptionError(where, "more values than the database has fields");
    for (size_t i = 0; i < json.size(); ++i) record[i] = CellFromJson(db.fields[i], json[i], PathIndex(where, i));
    return record;
  }
  if (!json.is_object()) throw DescriptionError(where, "expected an object of values by field name, or a list");
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (it.key() == "note" || it.key() == "comment") continue;
    const std::string name = Utf8ToCp1253(it.key());
    size_t i = 0;
    while (i < db.fields.size() && db.fields[i].name != name) ++i;
    if (i == db.fields.size()) throw DescriptionError(PathMember(where, it.key()), "the database has no field of this name");
    record[i] = CellFromJson(db.fields[i], *it, PathMember(where, it.key()));
  }
  return record;
}

// Records from a CSV file whose first line names the fields (each name the next field of that
// name not yet given a column, so that fields sharing a name keep their order).
void ParseCsvRecords(Database& db, const fs::path& path, const std::string& where) {
  const std::string text = ReadWholeFile(path, where);
  std::string error;
  const auto rows = ParseCsv(text, error);
  if (!rows) throw DescriptionError(where, path.filename().string() + " " + error);
  if (rows->empty()) throw DescriptionError(where, path.filename().string() + " is empty: its first line names the fields");
  std::vector<size_t> columns;
  std::vector<bool> used(db.fields.size(), false);
  for (const std::string& heading : rows->front().cells) {
    const std::string name = Utf8ToCp1253(heading);
    size_t i = 0;
    while (i < db.fields.size() && (used[i] || db.fields[i].name != name)) ++i;
    if (i == db.fields.size()) {
      throw DescriptionError(where, path.filename().string() + " line 1: \"" + heading + "\" is not a field of the database");
    }
    used[i] = true;
    columns.push_back(i);
  }
  for (size_t r = 1; r < rows->size(); ++r) {
    const CsvRow& row = (*rows)[r];
    if (row.cells.size() != columns.size()) {
      throw DescriptionError(where, path.filename().string() + " line " + std::to_string(row.line) + ": " +
                                        std::to_string(row.cells.size()) + " cells, the first line names " +
                                        std::to_string(columns.size()));
    }
    DatabaseRecord record(db.fields.size());
    for (size_t c = 0; c < columns.size(); ++c) {
      const std::string at = where + " " + path.filename().string() + " line " + std::to_string(row.line) +
                             " \"" + rows->front().cells[c] + "\"";
      record[columns[c]] = CellFromText(db.fields[columns[c]], row.cells[c], at);
    }
    db.records.push_back(std::move(record));
  }
}

uint32_t SniffKind(std::string_view data) {
  if (data.substr(0, 4) == "Draw") return graphic_kind::DRAWING;
  if (data.substr(0, 4) == "3TCS") return graphic_kind::PACKED_SPRITE;
  return graphic_kind::SPRITE;
}

DatabasePicture ParsePictureEntry(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where, {"name", "picture", "drawing", "file", "hex", "base64", "kind", "offset", "length"});
  DatabasePicture p;
  m.Text("name", p.name, kNameWidth);
  const std::string_view source = m.OneOf({"picture", "drawing", "file", "hex", "base64"});
  if (source == "picture") {
    PictureResource made = ParsePicture(*m.Find("picture"), m.Path("picture"), baseDir);
    p.kind = made.compress ? graphic_kind::PACKED_SPRITE : graphic_kind::SPRITE;
    p.data = made.compress ? TcsCompress(made.sprite, TcsOptions{}) : made.sprite;
  } else if (source == "drawing") {
    p.kind = graphic_kind::DRAWING;
    p.data = ParseDrawing(*m.Find("drawing"), m.Path("drawing"), baseDir);
  } else if (source == "file") {
    p.data = ReadWholeFile(baseDir / ToString(*m.Find("file"), m.Path("file")), m.Path("file"));
    p.kind = SniffKind(p.data);
  } else if (!source.empty()) {
    p.data = DecodeBytes(source, *m.Find(source), m.Path(source));
    p.kind = SniffKind(p.data);
  }
  m.Get("kind", p.kind);
  m.Get("offset", p.offset);
  m.Get("length", p.length);
  return p;
}

std::string FileName(const Json& value, const std::string& where) {
  const std::string name = ToString(value, where);
  for (const char* known : kDatabaseFiles) {
    if (name == known) return name;
  }
  throw DescriptionError(where, "\"" + name + "\" is not one of DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT, GRAPHICS");
}

void ParseWholeFiles(const Members& m, Database& db) {
  if (const Json* v = m.Find("truncate")) {
    if (!v->is_object()) throw DescriptionError(m.Path("truncate"), "expected {\"FILE\": length, ...}");
    for (auto it = v->begin(); it != v->end(); ++it) {
      const std::string at = PathMember(m.Path("truncate"), it.key());
      db.truncate[FileName(it.key(), at)] = ToU32(*it, at);
    }
  }
  if (const Json* v = m.Find("omit")) {
    if (!v->is_array()) throw DescriptionError(m.Path("omit"), "expected a list of file names");
    for (size_t i = 0; i < v->size(); ++i) db.omit.insert(FileName((*v)[i], PathIndex(m.Path("omit"), i)));
  }
  if (const Json* v = m.Find("files")) {
    if (!v->is_object()) throw DescriptionError(m.Path("files"), "expected {\"FILE\": bytes, ...}");
    for (auto it = v->begin(); it != v->end(); ++it) {
      const std::string at = PathMember(m.Path("files"), it.key());
      db.files[FileName(it.key(), at)] = ToBytes(*it, at);
    }
  }
}

Database ParseDatabaseMembers(const Members& m, const fs::path& baseDir) {
  Database db;
  m.Text("title", db.title, kNameWidth);
  m.Text("explain", db.explain);
  if (const Json* fields = m.Find("fields")) {
    if (!fields->is_array()) throw DescriptionError(m.Path("fields"), "expected a list of fields");
    for (size_t i = 0; i < fields->size(); ++i) db.fields.push_back(ParseField((*fields)[i], PathIndex(m.Path("fields"), i)));
  }
  if (const Json* records = m.Find("records")) {
    if (!records->is_array()) throw DescriptionError(m.Path("records"), "expected a list of records");
    for (size_t i = 0; i < records->size(); ++i) {
      db.records.push_back(ParseRecord(db, (*records)[i], PathIndex(m.Path("records"), i)));
    }
  }
  if (const Json* csv = m.Find("csv")) ParseCsvRecords(db, baseDir / ToString(*csv, m.Path("csv")), m.Path("csv"));
  if (const Json* pictures = m.Find("pictures")) {
    if (!pictures->is_array()) throw DescriptionError(m.Path("pictures"), "expected a list of pictures");
    for (size_t i = 0; i < pictures->size(); ++i) {
      db.pictures.push_back(ParsePictureEntry((*pictures)[i], PathIndex(m.Path("pictures"), i), baseDir));
    }
  }
  m.Get("fieldCount", db.fieldCount);
  m.Get("recordCount", db.recordCount);
  m.Get("recordLength", db.recordLength);
  m.Get("explainOffset", db.explainOffset);
  m.Get("pictureCount", db.pictureCount);
  ParseWholeFiles(m, db);
  return db;
}

}  // namespace

Database ParseDatabase(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where,
                  std::span<const std::string_view>(kDatabaseMembers, std::size(kDatabaseMembers) - kFolderMembers),
                  "a database");
  return ParseDatabaseMembers(m, baseDir);
}

std::vector<DatabaseFolder> ParseDatabaseFolders(const Json& json, const std::string& where,
                                                 const fs::path& baseDir) {
  if (!json.is_array()) throw DescriptionError(where, "expected a list of databases");
  std::vector<DatabaseFolder> folders;
  for (size_t i = 0; i < json.size(); ++i) {
    const std::string at = PathIndex(where, i);
    const Members m(json[i], at, kDatabaseMembers, "a database");
    DatabaseFolder folder;
    if (const Json* v = m.Find("folder")) folder.folder = ToString(*v, m.Path("folder"));
    if (folder.folder.rfind("ravel", 0) != 0 || folder.folder.find_first_of("/\\") != std::string::npos) {
      throw DescriptionError(m.Path("folder"), "a database folder is \"ravel\" with an optional suffix (\"ravel2\")");
    }
    if (!m.Has("name")) throw DescriptionError(m.Path("name"), "missing: the database's name");
    folder.name = ToString(*m.Find("name"), m.Path("name"));
    if (folder.name.empty() || folder.name == "." || folder.name == ".." ||
        folder.name.find_first_of("/\\") != std::string::npos) {
      throw DescriptionError(m.Path("name"), "a database's name is one folder name such as \"CITIES\"");
    }
    for (const DatabaseFolder& other : folders) {
      if (other.folder == folder.folder && other.name == folder.name) {
        throw DescriptionError(m.Path("name"), "database " + folder.folder + "/" + folder.name + " is given twice");
      }
    }
    folder.database = ParseDatabaseMembers(m, baseDir);
    folders.push_back(std::move(folder));
  }
  return folders;
}

}  // namespace zd::titlekit
