#include "titlekit/database_writer.h"

#include <algorithm>

#include "database/database_layout.h"
#include "titlekit/byte_writer.h"
#include "titlekit/description_error.h"

namespace zd::titlekit {
namespace {

using namespace database_layout;

bool HasUnits(const DatabaseField& f) { return f.type <= field_type::DECIMAL && !f.units.empty(); }
bool IsKeywordField(const DatabaseField& f) {
  return f.type == field_type::KEYWORDS || f.type == field_type::CATEGORIES;
}

uint8_t Parameter(const DatabaseField& f) {
  if (f.parameter) return *f.parameter;
  if (IsKeywordField(f)) return static_cast<uint8_t>(f.keywords.size());
  if (f.type == field_type::DATE && f.twoDigitYear) return kTwoDigitYearFlag;
  return 0;
}

uint16_t DescriptorWidth(const DatabaseField& f) {
  return f.type == field_type::TEXT || f.type == field_type::PICTURE || f.width ? f.width : 0;
}

// DESCRIBE's texts after the descriptors: units as one text, labels after an unused byte.
std::string DescribeTexts(const Database& db, size_t start, std::vector<uint32_t>* offsets) {
  std::string texts;
  for (const DatabaseField& f : db.fields) {
    uint32_t offset = 0;
    if (HasUnits(f)) {
      offset = static_cast<uint32_t>(start + texts.size());
      texts += f.units + '\0';
    } else if (f.type == field_type::YES_NO && f.labels) {
      offset = static_cast<uint32_t>(start + texts.size());
      texts += '\0' + f.labels->first + '\0' + f.labels->second + '\0';
    }
    if (offsets) offsets->push_back(offset);
  }
  return texts;
}

std::string Token(const Database& db, std::vector<uint32_t>* extra) {
  ByteWriter token;
  for (size_t i = 0; i < db.fields.size(); ++i) {
    const DatabaseField& f = db.fields[i];
    if (!IsKeywordField(f)) continue;
    if (extra) (*extra)[i] = static_cast<uint32_t>(token.size());
    for (const std::string& k : f.keywords) token.FixedText(k, kNameWidth);
  }
  return token.Take();
}

std::string Explain(const Database& db, DatabaseLayout* layout) {
  std::string explain(1, '\0');  // offset 0 means "none", so no text starts there
  const auto place = [&](const std::string& text) -> uint32_t {
    if (text.empty()) return 0;
    const auto at = static_cast<uint32_t>(explain.size());
    explain += text + '\0';
    return at;
  };
  const uint32_t own = place(db.explain);
  if (layout) layout->explainOffset = own;
  for (const DatabaseField& f : db.fields) {
    const uint32_t at = place(f.explain);
    if (layout) layout->explainOffsets.push_back(at);
  }
  return explain;
}

std::string Uint32Bytes(uint32_t v) {
  ByteWriter w;
  w.U32(v);
  return w.Take();
}

}  // namespace

DatabaseLayout LayOutDatabase(const Database& db) {
  DatabaseLayout layout;
  uint32_t next = 0, end = 0;
  for (const DatabaseField& f : db.fields) {
    const uint32_t at = f.offset.value_or(next);
    layout.fieldOffsets.push_back(at);
    next = at + StoredWidth(f);
    end = std::max(end, next);
  }
  layout.recordLength = end;
  Explain(db, &layout);
  const size_t textsStart = kHeaderSize + db.fields.size() * kFieldSize;
  DescribeTexts(db, textsStart, &layout.extraOffsets);
  Token(db, &layout.extraOffsets);
  return layout;
}

std::map<std::string, std::string> DatabaseFileBytes(const Database& db) {
  DatabaseLayout layout = LayOutDatabase(db);
  if (db.fields.size() > 255 && !db.fieldCount) {
    throw DescriptionError("fields", std::to_string(db.fields.size()) + " fields are more than the 255 DESCRIBE counts");
  }
  if (db.records.size() > 65535 && !db.recordCount) {
    throw DescriptionError("records", std::to_string(db.records.size()) + " records are more than the 65535 DESCRIBE counts");
  }
  const uint32_t recordLength = db.recordLength.value_or(layout.recordLength);
  std::map<std::string, std::string> files;

  ByteWriter describe;
  describe.Zeros(kTitle);
  describe.FixedText(db.title, kNameWidth);
  describe.U8(static_cast<uint8_t>(db.fieldCount.value_or(static_cast<uint32_t>(db.fields.size()))));
  describe.U8(0);
  describe.U16(static_cast<uint16_t>(db.recordCount.value_or(static_cast<uint32_t>(db.records.size()))));
  describe.Zeros(kRecordLength - describe.size());
  describe.U32(recordLength);
  describe.Zeros(kExplain - describe.size());
  describe.U32(db.explainOffset.value_or(layout.explainOffset));
  describe.Zeros(kHeaderSize - describe.size());
  for (size_t i = 0; i < db.fields.size(); ++i) {
    const DatabaseField& f = db.fields[i];
    const size_t start = describe.size();
    describe.FixedText(f.name, kNameWidth);
    describe.U32(f.explainOffset.value_or(layout.explainOffsets[i]));
    describe.U32(f.extraOffset.value_or(layout.extraOffsets[i]));
    describe.U8(Parameter(f));
    describe.U8(f.type);
    describe.U16(DescriptorWidth(f));
    describe.U32(layout.fieldOffsets[i]);
    describe.Zeros(start + kFieldSize - describe.size());
  }
  std::string describeBytes = describe.Take();
  describeBytes += DescribeTexts(db, describeBytes.size(), nullptr);
  for (size_t i = 0; i < db.fields.size(); ++i) {
    if (db.fields[i].raw) describeBytes.replace(kHeaderSize + i * kFieldSize, kFieldSize, *db.fields[i].raw);
  }
  files["DESCRIBE"] = std::move(describeBytes);

  std::string data(kDataHeader, '\0'), freetext;
  for (const DatabaseRecord& record : db.records) {
    std::string bytes(recordLength, '\0');
    for (size_t i = 0; i < record.size() && i < db.fields.size(); ++i) {
      if (!record[i]) continue;
      std::string value = record[i]->bytes;
      if (record[i]->longText) {
        const std::string& text = *record[i]->longText;
        value = Uint32Bytes(text.empty() ? 0 : static_cast<uint32_t>(freetext.size())) +
                Uint32Bytes(static_cast<uint32_t>(text.size()));
        freetext += text;
      }
      // A value that reaches past a record shorter than the layout (a "recordLength" given
      // smaller) is cut at the record's end.
      const size_t at = layout.fieldOffsets[i];
      if (at >= bytes.size()) continue;
      const size_t n = std::min(value.size(), bytes.size() - at);
      bytes.replace(at, n, value, 0, n);
    }
    data += bytes;
  }
  files["DATA"] = std::move(data);
  files["EXPLAIN"] = Explain(db, nullptr);
  files["TOKEN"] = Token(db, nullptr);
  files["FREETEXT"] = std::move(freetext);

  ByteWriter graphics;
  graphics.Zeros(kGraphicsCount);
  graphics.U32(db.pictureCount.value_or(static_cast<uint32_t>(db.pictures.size())));
  uint64_t dataAt = kGraphicsHeader + db.pictures.size() * kGraphicEntrySize;
  for (const DatabasePicture& p : db.pictures) {
    graphics.FixedText(p.name, kNameWidth);
    graphics.U32(p.kind);
    graphics.U32(p.offset.value_or(static_cast<uint32_t>(dataAt)));
    graphics.U32(p.length.value_or(static_cast<uint32_t>(p.data.size())));
    dataAt += p.data.size();
  }
  for (const DatabasePicture& p : db.pictures) graphics.Append(p.data);
  files["GRAPHICS"] = graphics.Take();

  for (const auto& [name, bytes] : db.files) files[name] = bytes;
  for (const auto& [name, length] : db.truncate) {
    if (length < files[name].size()) files[name].resize(length);
  }
  for (const std::string& name : db.omit) files.erase(name);
  return files;
}

}  // namespace zd::titlekit
