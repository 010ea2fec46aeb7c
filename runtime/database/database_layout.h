// The byte layout of a database folder (DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT, GRAPHICS) and
// the checks that make a database safe to read: once a DESCRIBE has passed ReadDescribe and
// CheckCompanions, every field of every record, every keyword list and every picture entry lies
// inside its file. Shared by the player and the tools; nothing here opens a file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_view.h"
#include "database/dates.h"

namespace zd {

namespace database_layout {
// DESCRIBE: the header, then one descriptor per field.
constexpr size_t kTitle = 8, kFieldCount = 40, kRecordCount = 42, kRecordLength = 52,
                 kExplain = 64, kHeaderSize = 80;
constexpr size_t kFieldName = 0, kFieldExplain = 32, kFieldExtra = 36, kFieldParameter = 40,
                 kFieldType = 41, kFieldWidth = 42, kFieldOffset = 44, kFieldSize = 68;
constexpr size_t kNameWidth = 32;  // database titles, field names, keywords, picture names
// DATA: a header, then the records one after another.
constexpr size_t kDataHeader = 8;
// The largest record the player reads (its record window).
constexpr uint32_t kRecordWindow = 20480;
// GRAPHICS: a header with the entry count at 8, then the entries, then the pictures.
constexpr size_t kGraphicsCount = 8, kGraphicsHeader = 12, kGraphicEntrySize = 44;
constexpr int kMaxKeywords = 32;
// A database's files are found below the override directory with the last four components of
// their path: "database\ravel\NAME\DATA", or "short\res1\res2\DATA" for a page's database.
constexpr int kPathComponents = 4;
// Sizes no database comes near, refused so that a hostile folder cannot make the player
// allocate gigabytes: a DESCRIBE holds 255 descriptors and their short texts, GRAPHICS an
// index entry per picture.
constexpr uint64_t kMaxDescribeSize = 16 * 1024 * 1024;
constexpr uint32_t kMaxPictures = 1u << 20;
// The longest units text or label read: more than any value's text form can show.
constexpr size_t kMaxLabel = 10240;
constexpr uint8_t kTwoDigitYearFlag = 8;  // in a date field's parameter byte
}  // namespace database_layout

namespace field_type {
constexpr uint8_t BYTE = 0, INTEGER = 1, REAL = 2, DECIMAL = 3, DATE = 4, TEXT = 5, YES_NO = 6,
                  KEYWORDS = 7, PICTURE = 8, LONG_TEXT = 9, CATEGORIES = 10, NUMBER = 11,
                  OTHER = 12, COORDINATES = 13;
}

// Picture kinds of GRAPHICS entries.
namespace graphic_kind {
constexpr uint32_t NONE = 1, SPRITE = 2, DRAWING = 3, PACKED_SPRITE = 7;
}

constexpr int32_t kUnknownInteger = INT32_MIN;
constexpr uint8_t kYes = 255;
inline bool IsUnknownReal(float value) { return value <= -1.701e38f; }

struct FieldDescriptor {
  std::string name;            // up to 32 bytes, cut at the first NUL
  uint32_t explainOffset = 0;  // in EXPLAIN; 0: none
  uint32_t extraOffset = 0;    // units or labels in DESCRIBE, or the keyword list in TOKEN
  uint8_t parameter = 0;       // dates: flags; keyword fields: the keyword count
  uint8_t type = 0;
  uint16_t width = 0;          // text and picture-name fields
  uint32_t recordOffset = 0;   // where the value lies in a record
  // Read from DESCRIBE at extraOffset: numeric fields' units, yes/no fields' two labels.
  std::string units;
  std::string yesLabel, noLabel;

  bool IsNumeric() const { return type <= field_type::DECIMAL; }
  bool IsKeywords() const { return type == field_type::KEYWORDS || type == field_type::CATEGORIES; }
  bool IsText() const { return type == field_type::TEXT || type == field_type::PICTURE; }
  int keywordCount() const { return IsKeywords() ? int8_t(parameter) : 0; }
  bool twoDigitYear() const { return (parameter & database_layout::kTwoDigitYearFlag) != 0; }
};

// The bytes of a record the player reads for a field's value (none for the kinds it does not
// show, whatever their width word says).
uint32_t ReadWidth(const FieldDescriptor& field);

struct DescribeFile {
  std::string title;  // the database's own title, up to 32 bytes
  uint32_t recordCount = 0;
  uint32_t recordLength = 0;
  uint32_t explainOffset = 0;
  std::vector<FieldDescriptor> fields;
};

// DESCRIBE read and checked on its own: the header and descriptors fit the file, the record
// length is 1 to kRecordWindow, each value lies inside the record, keyword counts are 0-32, and
// units and labels lie inside the file. nullopt with the reason in `fault` otherwise.
std::optional<DescribeFile> ReadDescribe(ByteView describe, std::string* fault);

// The sizes of the other files of the folder; nullopt for a file that is not there.
struct CompanionSizes {
  std::optional<uint64_t> data, explain, token, freetext, graphics;
};

// The offsets DESCRIBE gives into the other files lie inside them: DATA holds every record,
// explain texts start inside EXPLAIN, keyword lists end inside TOKEN. A missing file is not a
// fault here (reading from it is).
bool CheckCompanions(const DescribeFile& describe, const CompanionSizes& sizes, std::string* fault);

struct GraphicEntry {
  std::array<uint8_t, database_layout::kNameWidth> name{};  // compared on all 32 bytes
  uint32_t kind = 0;
  uint32_t offset = 0;
  uint32_t length = 0;
};

// The entry count GRAPHICS gives in its first kGraphicsHeader bytes, checked against the file's
// size: every entry must fit. nullopt with `fault` otherwise.
std::optional<uint32_t> ReadGraphicsCount(ByteView header, uint64_t fileSize, std::string* fault);
// Entries read from the bytes that follow the header; each picture must lie inside the file.
std::optional<std::vector<GraphicEntry>> ReadGraphicEntries(ByteView entries, uint32_t count,
                                                            uint64_t fileSize, std::string* fault);
// A picture name as a GRAPHICS entry holds it: the bytes, NUL-padded to 32.
std::array<uint8_t, database_layout::kNameWidth> PictureName(ByteView bytes);

// Values of one field in the bytes of one record. nullopt only when the record is too short,
// which a checked DESCRIBE rules out.
std::optional<uint32_t> ReadUnsigned(ByteView record, const FieldDescriptor& field);  // 0, 1, 6, 7, 10, 11
std::optional<int32_t> ReadInteger(ByteView record, const FieldDescriptor& field);    // 1, 11
std::optional<float> ReadReal(ByteView record, const FieldDescriptor& field);         // 2, 3
std::optional<DateValue> ReadDate(ByteView record, const FieldDescriptor& field);     // 4
std::optional<std::string> ReadText(ByteView record, const FieldDescriptor& field);   // 5, 8: to the first NUL
struct LongTextRef {
  uint32_t offset = 0, length = 0;
};
std::optional<LongTextRef> ReadLongTextRef(ByteView record, const FieldDescriptor& field);  // 9
// The number a numeric field (0-3) holds; nullopt when it is unknown (or the record too short).
std::optional<double> ReadNumber(ByteView record, const FieldDescriptor& field);
std::optional<std::pair<int16_t, int16_t>> ReadCoordinates(ByteView record,
                                                           const FieldDescriptor& field);  // 13

}  // namespace zd
