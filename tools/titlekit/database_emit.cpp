#include "titlekit/database_emit.h"

#include <set>

#include "base/cp1253.h"
#include "database/database_layout.h"
#include "titlekit/database_values.h"
#include "titlekit/description_error.h"
#include "titlekit/description_json.h"
#include "titlekit/hex_text.h"

namespace zd::titlekit {
namespace {

constexpr size_t kLongestHex = 256;

const std::pair<std::string, std::string>& DefaultLabels() {
  static const std::pair<std::string, std::string> labels{Utf8ToCp1253("Ναι"), Utf8ToCp1253("Όχι")};
  return labels;
}

Json FieldToJson(const DatabaseField& f, DatabaseForm form) {
  Json j = Json::object();
  j["name"] = TextToJson(f.name);
  j["type"] = NamedToJson(f.type, kFieldTypeNames);
  const bool textual = f.type == field_type::TEXT || f.type == field_type::PICTURE;
  if (textual ? f.width != database_layout::kNameWidth : f.width != 0) j["width"] = f.width;
  if (!f.explain.empty()) j["explain"] = TextToJson(f.explain);
  if (!f.units.empty()) j["units"] = TextToJson(f.units);
  if (f.type == field_type::YES_NO && f.labels != DefaultLabels()) {
    j["labels"] = f.labels ? Json::array({TextToJson(f.labels->first), TextToJson(f.labels->second)}) : Json(nullptr);
  }
  if (!f.keywords.empty()) {
    Json list = Json::array();
    for (const std::string& k : f.keywords) list.push_back(TextToJson(k));
    j["keywords"] = list;
  }
  if (f.twoDigitYear) j["twoDigitYear"] = true;
  if (f.offset) j["offset"] = WordToJson(*f.offset);
  if (form == DatabaseForm::Exact) {
    if (f.explainOffset) j["explainOffset"] = WordToJson(*f.explainOffset);
    if (f.extraOffset) j["extraOffset"] = WordToJson(*f.extraOffset);
    if (f.parameter) j["parameter"] = *f.parameter;
    if (f.raw) j["raw"] = BytesToJson(*f.raw);
  }
  return j;
}

// Records are objects by field name when every field has a name of its own.
bool NamesAreKeys(const Database& db) {
  std::set<std::string> seen;
  for (const DatabaseField& f : db.fields) {
    if (f.name.empty() || !TextToJson(f.name).is_string() || f.name == "note" || f.name == "comment" ||
        !seen.insert(f.name).second) {
      return false;
    }
  }
  return true;
}

Json RecordToJson(const Database& db, const DatabaseRecord& record, bool byName) {
  Json j = byName ? Json::object() : Json::array();
  size_t last = 0;  // lists end at their last value
  for (size_t i = 0; i < record.size() && i < db.fields.size(); ++i) {
    if (record[i]) last = i + 1;
  }
  for (size_t i = 0; i < last; ++i) {
    if (byName) {
      if (record[i]) j[Cp1253ToUtf8(db.fields[i].name)] = CellDescription(db.fields[i], *record[i]);
    } else {
      j.push_back(record[i] ? CellDescription(db.fields[i], *record[i]) : Json{{"hex", ""}});
    }
  }
  return j;
}

Json PictureToJson(const DatabasePicture& p) {
  Json j = Json::object();
  j["name"] = TextToJson(p.name);
  if (!p.data.empty()) {
    if (p.data.size() <= kLongestHex) {
      j["hex"] = ToHex(p.data);
    } else {
      j["base64"] = ToBase64(p.data);
    }
  }
  j["kind"] = WordToJson(p.kind);
  if (p.offset) j["offset"] = WordToJson(*p.offset);
  if (p.length) j["length"] = WordToJson(*p.length);
  return j;
}

}  // namespace

Json CellDescription(const DatabaseField& field, const DatabaseCell& cell) {
  const Json natural = CellToJson(field, cell);
  try {
    if (CellFromJson(field, natural, "") == cell) return natural;
  } catch (const DescriptionError&) {
  }
  return Json{{"hex", ToHex(cell.bytes)}};
}

Json DatabaseToJson(const Database& db, DatabaseForm form) {
  Json j = Json::object();
  if (!db.title.empty()) j["title"] = TextToJson(db.title);
  if (!db.explain.empty()) j["explain"] = TextToJson(db.explain);
  Json fields = Json::array();
  for (const DatabaseField& f : db.fields) fields.push_back(FieldToJson(f, form));
  j["fields"] = fields;
  if (db.recordLength) j["recordLength"] = WordToJson(*db.recordLength);
  if (form == DatabaseForm::Schema) return j;
  Json records = Json::array();
  const bool byName = NamesAreKeys(db);
  for (const DatabaseRecord& r : db.records) records.push_back(RecordToJson(db, r, byName));
  j["records"] = records;
  if (!db.pictures.empty()) {
    Json pictures = Json::array();
    for (const DatabasePicture& p : db.pictures) pictures.push_back(PictureToJson(p));
    j["pictures"] = pictures;
  }
  const std::pair<const char*, const std::optional<uint32_t>*> words[] = {
      {"fieldCount", &db.fieldCount}, {"recordCount", &db.recordCount},
      {"explainOffset", &db.explainOffset}, {"pictureCount", &db.pictureCount}};
  for (const auto& [key, value] : words) {
    if (*value) j[key] = WordToJson(**value);
  }
  if (!db.truncate.empty()) {
    Json t = Json::object();
    for (const auto& [name, length] : db.truncate) t[name] = length;
    j["truncate"] = t;
  }
  if (!db.omit.empty()) j["omit"] = Json(std::vector<std::string>(db.omit.begin(), db.omit.end()));
  if (!db.files.empty()) {
    Json files = Json::object();
    for (const auto& [name, bytes] : db.files) files[name] = BytesToJson(bytes);
    j["files"] = files;
  }
  return j;
}

}  // namespace zd::titlekit
