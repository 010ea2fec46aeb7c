// A flat-file database as zdbuild writes it and zdinfo reads it back: the fields with their
// texts, the records as the bytes each value takes, and the pictures. Texts are code page 1253
// bytes, as they lie in the files.
//
// Counts, offsets and lengths the writer works out are optional: left empty they are computed,
// given they are written as they are, so that a description can make a malformed database.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zd::titlekit {

// The six files of a database folder, in the order they are written.
inline constexpr const char* kDatabaseFiles[] = {"DESCRIBE", "DATA", "EXPLAIN", "TOKEN", "FREETEXT", "GRAPHICS"};

struct DatabaseField {
  std::string name;
  uint8_t type = 5;  // field_type::TEXT
  uint16_t width = 0;  // the descriptor's width word: text, picture-name and "other" fields
  std::string explain;
  std::string units;                                           // numeric fields
  std::optional<std::pair<std::string, std::string>> labels;   // yes/no fields; none: offset 0
  std::vector<std::string> keywords;                           // keyword and category fields
  bool twoDigitYear = false;                                   // date fields
  // Written as given instead of computed.
  std::optional<uint32_t> offset, explainOffset, extraOffset;
  std::optional<uint8_t> parameter;  // the whole parameter byte (keyword fields: the count)
  std::optional<std::string> raw;    // the 68 descriptor bytes, written over the computed ones
};

// One value of a record: the bytes it takes at its field's offset, or a long text that the
// writer places in FREETEXT (the record then holds its offset and length).
struct DatabaseCell {
  std::string bytes;
  std::optional<std::string> longText;
  bool operator==(const DatabaseCell&) const = default;
};
// One cell per field; an empty cell leaves the field's bytes zero.
using DatabaseRecord = std::vector<std::optional<DatabaseCell>>;

struct DatabasePicture {
  std::string name;
  uint32_t kind = 1;  // graphic_kind
  std::string data;
  std::optional<uint32_t> offset, length;  // the entry's words as given
};

struct Database {
  std::string title, explain;
  std::vector<DatabaseField> fields;
  std::vector<DatabaseRecord> records;
  std::vector<DatabasePicture> pictures;
  std::optional<uint32_t> fieldCount, recordCount, recordLength, explainOffset, pictureCount;
  // Whole files: cut to a length, left out, or replaced by the bytes given.
  std::map<std::string, uint64_t> truncate;
  std::set<std::string> omit;
  std::map<std::string, std::string> files;
};

// A database of the several-titles form, written to database/<folder>/<name>/.
struct DatabaseFolder {
  std::string folder = "ravel";
  std::string name;
  Database database;
};

// The bytes a field's value takes in a record as the writer lays records out (a field of type
// "other" takes its width, unlike the reader, which never looks inside it).
uint32_t StoredWidth(const DatabaseField& field);

}  // namespace zd::titlekit
