#include "database/database_layout.h"

#include <algorithm>
#include <cstring>

namespace zd {
namespace {

using namespace database_layout;

bool Fail(std::string* fault, std::string reason) {
  if (fault) *fault = std::move(reason);
  return false;
}

// A NUL-terminated text starting at `offset`, ending at the file's end when it has no NUL, and
// never longer than a value's text can show.
std::optional<std::string> TextAt(ByteView bytes, size_t offset) {
  if (offset >= bytes.size()) return std::nullopt;
  return bytes.FixedText(offset, std::min(bytes.size() - offset, kMaxLabel));
}

std::string FieldFault(size_t field, const std::string& what) {
  return "field " + std::to_string(field) + " " + what;
}

// Reads the units or labels a field keeps in DESCRIBE.
bool ReadFieldTexts(ByteView describe, size_t index, FieldDescriptor& field, std::string* fault) {
  if (field.IsNumeric() && field.extraOffset != 0) {
    auto units = TextAt(describe, field.extraOffset);
    if (!units) return Fail(fault, FieldFault(index, "has its units past the end of DESCRIBE"));
    field.units = *units;
  } else if (field.type == field_type::YES_NO) {
    // The labels follow one byte that is not used; "yes" comes first.
    auto yes = TextAt(describe, size_t(field.extraOffset) + 1);
    if (!yes) return Fail(fault, FieldFault(index, "has its labels past the end of DESCRIBE"));
    field.yesLabel = *yes;
    field.noLabel = TextAt(describe, size_t(field.extraOffset) + 2 + yes->size()).value_or("");
  }
  return true;
}

}  // namespace

uint32_t ReadWidth(const FieldDescriptor& field) {
  switch (field.type) {
    case field_type::BYTE:
    case field_type::YES_NO:
      return 1;
    case field_type::TEXT:
    case field_type::PICTURE:
      return field.width;
    case field_type::LONG_TEXT:
      return 8;
    case field_type::OTHER:
      return 0;
    default:  // every other kind is one 32-bit word (a date is day, month and a 16-bit year)
      return field.type > field_type::COORDINATES ? 0 : 4;
  }
}

std::optional<DescribeFile> ReadDescribe(ByteView describe, std::string* fault) {
  if (describe.size() < kHeaderSize) {
    Fail(fault, "DESCRIBE is shorter than its header");
    return std::nullopt;
  }
  DescribeFile file;
  file.title = *describe.FixedText(kTitle, kNameWidth);
  const uint32_t fieldCount = *describe.U8(kFieldCount);
  file.recordCount = *describe.U16(kRecordCount);
  file.recordLength = *describe.U32(kRecordLength);
  file.explainOffset = *describe.U32(kExplain);
  if (file.recordLength == 0 || file.recordLength > kRecordWindow) {
    Fail(fault, "record length " + std::to_string(file.recordLength) + " is not 1 to " +
                    std::to_string(kRecordWindow));
    return std::nullopt;
  }
  if (!describe.Contains(kHeaderSize, size_t(fieldCount) * kFieldSize)) {
    Fail(fault, "DESCRIBE is too short for its " + std::to_string(fieldCount) + " fields");
    return std::nullopt;
  }
  for (size_t i = 0; i < fieldCount; ++i) {
    const size_t at = kHeaderSize + i * kFieldSize;
    FieldDescriptor field;
    field.name = *describe.FixedText(at + kFieldName, kNameWidth);
    field.explainOffset = *describe.U32(at + kFieldExplain);
    field.extraOffset = *describe.U32(at + kFieldExtra);
    field.parameter = *describe.U8(at + kFieldParameter);
    field.type = *describe.U8(at + kFieldType);
    field.width = *describe.U16(at + kFieldWidth);
    field.recordOffset = *describe.U32(at + kFieldOffset);
    if (uint64_t(field.recordOffset) + ReadWidth(field) > file.recordLength) {
      Fail(fault, FieldFault(i, "lies past the end of its record"));
      return std::nullopt;
    }
    if (field.IsKeywords() && (field.keywordCount() < 0 || field.keywordCount() > kMaxKeywords)) {
      Fail(fault, FieldFault(i, "has " + std::to_string(field.keywordCount()) + " keywords"));
      return std::nullopt;
    }
    if (!ReadFieldTexts(describe, i, field, fault)) return std::nullopt;
    file.fields.push_back(std::move(field));
  }
  return file;
}

bool CheckCompanions(const DescribeFile& describe, const CompanionSizes& sizes, std::string* fault) {
  const uint64_t dataNeeded = kDataHeader + uint64_t(describe.recordCount) * describe.recordLength;
  if (sizes.data && *sizes.data < dataNeeded) {
    return Fail(fault, "DATA holds " + std::to_string(*sizes.data) + " bytes, its records need " +
                           std::to_string(dataNeeded));
  }
  const auto explainInside = [&](uint32_t offset) {
    return offset == 0 || !sizes.explain || offset < *sizes.explain;
  };
  if (!explainInside(describe.explainOffset)) {
    return Fail(fault, "the database's explain text lies past the end of EXPLAIN");
  }
  for (size_t i = 0; i < describe.fields.size(); ++i) {
    const FieldDescriptor& field = describe.fields[i];
    if (!explainInside(field.explainOffset)) {
      return Fail(fault, FieldFault(i, "has its explain text past the end of EXPLAIN"));
    }
    const uint64_t listEnd =
        uint64_t(field.extraOffset) + uint64_t(field.keywordCount()) * kNameWidth;
    if (field.IsKeywords() && sizes.token && listEnd > *sizes.token) {
      return Fail(fault, FieldFault(i, "has its keywords past the end of TOKEN"));
    }
  }
  return true;
}

std::optional<uint32_t> ReadGraphicsCount(ByteView header, uint64_t fileSize, std::string* fault) {
  const auto count = header.U32(kGraphicsCount);
  if (!count) {
    Fail(fault, "GRAPHICS is shorter than its header");
    return std::nullopt;
  }
  if (*count > kMaxPictures) {
    Fail(fault, "GRAPHICS claims " + std::to_string(*count) + " pictures");
    return std::nullopt;
  }
  if (kGraphicsHeader + uint64_t(*count) * kGraphicEntrySize > fileSize) {
    Fail(fault, "GRAPHICS is too short for its " + std::to_string(*count) + " entries");
    return std::nullopt;
  }
  return count;
}

std::optional<std::vector<GraphicEntry>> ReadGraphicEntries(ByteView entries, uint32_t count,
                                                            uint64_t fileSize, std::string* fault) {
  if (!entries.Contains(0, size_t(count) * kGraphicEntrySize)) {
    Fail(fault, "GRAPHICS is too short for its entries");
    return std::nullopt;
  }
  std::vector<GraphicEntry> result(count);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = size_t(i) * kGraphicEntrySize;
    GraphicEntry& entry = result[i];
    std::memcpy(entry.name.data(), entries.data() + at, kNameWidth);
    entry.kind = *entries.U32(at + 32);
    entry.offset = *entries.U32(at + 36);
    entry.length = *entries.U32(at + 40);
    if (uint64_t(entry.offset) + entry.length > fileSize) {
      Fail(fault, "GRAPHICS entry " + std::to_string(i) + " lies past the end of the file");
      return std::nullopt;
    }
  }
  return result;
}

std::array<uint8_t, kNameWidth> PictureName(ByteView bytes) {
  std::array<uint8_t, kNameWidth> name{};
  for (size_t i = 0; i < name.size() && i < bytes.size() && bytes.data()[i] != 0; ++i) {
    name[i] = bytes.data()[i];
  }
  return name;
}

std::optional<uint32_t> ReadUnsigned(ByteView record, const FieldDescriptor& field) {
  if (ReadWidth(field) == 1) return record.U8(field.recordOffset);
  return record.U32(field.recordOffset);
}

std::optional<int32_t> ReadInteger(ByteView record, const FieldDescriptor& field) {
  return record.I32(field.recordOffset);
}

std::optional<float> ReadReal(ByteView record, const FieldDescriptor& field) {
  const auto bits = record.U32(field.recordOffset);
  if (!bits) return std::nullopt;
  float value;
  std::memcpy(&value, &*bits, sizeof value);
  return value;
}

std::optional<double> ReadNumber(ByteView record, const FieldDescriptor& field) {
  switch (field.type) {
    case field_type::BYTE:
      return ReadUnsigned(record, field);
    case field_type::INTEGER: {
      const auto value = ReadInteger(record, field);
      if (!value || *value == kUnknownInteger) return std::nullopt;
      return *value;
    }
    default: {
      const auto value = ReadReal(record, field);
      if (!value || IsUnknownReal(*value)) return std::nullopt;
      return *value;
    }
  }
}

std::optional<DateValue> ReadDate(ByteView record, const FieldDescriptor& field) {
  const auto day = record.U8(field.recordOffset);
  const auto month = record.U8(size_t(field.recordOffset) + 1);
  const auto year = record.I16(size_t(field.recordOffset) + 2);
  if (!day || !month || !year) return std::nullopt;
  return DateValue{*day, *month, *year, field.twoDigitYear()};
}

std::optional<std::string> ReadText(ByteView record, const FieldDescriptor& field) {
  return record.FixedText(field.recordOffset, field.width);
}

std::optional<LongTextRef> ReadLongTextRef(ByteView record, const FieldDescriptor& field) {
  const auto offset = record.U32(field.recordOffset);
  const auto length = record.U32(size_t(field.recordOffset) + 4);
  if (!offset || !length) return std::nullopt;
  return LongTextRef{*offset, *length};
}

std::optional<std::pair<int16_t, int16_t>> ReadCoordinates(ByteView record,
                                                           const FieldDescriptor& field) {
  const auto a = record.I16(field.recordOffset);
  const auto b = record.I16(size_t(field.recordOffset) + 2);
  if (!a || !b) return std::nullopt;
  return std::pair{*a, *b};
}

}  // namespace zd
