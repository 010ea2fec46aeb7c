#include "titlekit/database_reader.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "base/byte_view.h"
#include "database/database_layout.h"
#include "titlekit/database_description.h"
#include "titlekit/database_emit.h"
#include "titlekit/database_writer.h"
#include "titlekit/description_error.h"

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

using namespace database_layout;

const std::string* Find(const DatabaseFileSet& files, const std::string& name) {
  const auto it = files.find(name);
  return it == files.end() ? nullptr : &it->second;
}

std::optional<uint64_t> SizeOf(const DatabaseFileSet& files, const std::string& name) {
  if (const std::string* f = Find(files, name)) return f->size();
  return std::nullopt;
}

// A NUL-terminated text at `offset`; empty for offset 0, a missing file or an offset outside it.
std::string TextAt(const std::string* file, uint32_t offset) {
  if (!file || offset == 0 || offset >= file->size()) return {};
  const ByteView v(*file);
  return v.FixedText(offset, v.size() - offset).value_or("");
}

uint8_t ComputedParameter(const DatabaseField& f) {
  if (f.type == field_type::KEYWORDS || f.type == field_type::CATEGORIES) return static_cast<uint8_t>(f.keywords.size());
  if (f.type == field_type::DATE && f.twoDigitYear) return kTwoDigitYearFlag;
  return 0;
}

DatabaseField FieldOf(const FieldDescriptor& d, const std::string* explain, const std::string* token) {
  DatabaseField f;
  f.name = d.name;
  f.type = d.type;
  f.width = d.width;
  f.explain = TextAt(explain, d.explainOffset);
  if (d.IsNumeric()) f.units = d.units;
  if (d.type == field_type::YES_NO && (d.extraOffset != 0 || !d.yesLabel.empty() || !d.noLabel.empty())) {
    f.labels.emplace(d.yesLabel, d.noLabel);
  }
  if (d.IsKeywords() && token) {
    const ByteView t(*token);
    for (int k = 0; k < d.keywordCount(); ++k) {
      f.keywords.push_back(t.FixedText(d.extraOffset + size_t(k) * kNameWidth, kNameWidth).value_or(""));
    }
  }
  f.twoDigitYear = d.type == field_type::DATE && d.twoDigitYear();
  if (d.parameter != ComputedParameter(f)) f.parameter = d.parameter;
  f.offset = d.recordOffset;
  f.explainOffset = d.explainOffset;
  f.extraOffset = d.extraOffset;
  return f;
}

std::optional<DatabaseCell> CellOf(const DatabaseField& f, ByteView record, const std::string* freetext) {
  const uint32_t at = *f.offset;
  if (at >= record.size()) return std::nullopt;
  const size_t width = std::min<size_t>(StoredWidth(f), record.size() - at);
  const std::string bytes(reinterpret_cast<const char*>(record.data()) + at, width);
  if (f.type == field_type::LONG_TEXT) {
    const uint32_t offset = record.U32(at).value_or(0), length = record.U32(size_t(at) + 4).value_or(0);
    std::string text;
    if (freetext && offset < freetext->size()) text = freetext->substr(offset, length);
    if (text.empty() && bytes.find_first_not_of('\0') == std::string::npos) return std::nullopt;
    return DatabaseCell{"", text};
  }
  if (bytes.find_first_not_of('\0') == std::string::npos) return std::nullopt;
  return DatabaseCell{bytes, std::nullopt};
}

// Offsets and lengths the writer would compute anyway are left to it.
void DropComputedOverrides(Database& db, uint32_t recordLength) {
  uint32_t next = 0;
  for (DatabaseField& f : db.fields) {
    const uint32_t at = *f.offset;
    if (at == next) f.offset.reset();
    next = at + StoredWidth(f);
  }
  const DatabaseLayout layout = LayOutDatabase(db);
  if (recordLength != layout.recordLength) db.recordLength = recordLength;
  for (size_t i = 0; i < db.fields.size(); ++i) {
    DatabaseField& f = db.fields[i];
    if (f.explainOffset == layout.explainOffsets[i]) f.explainOffset.reset();
    if (f.extraOffset == layout.extraOffsets[i]) f.extraOffset.reset();
  }
  if (db.explainOffset == layout.explainOffset) db.explainOffset.reset();
  uint64_t dataAt = kGraphicsHeader + db.pictures.size() * kGraphicEntrySize;
  for (DatabasePicture& p : db.pictures) {
    if (p.offset == dataAt) p.offset.reset();
    if (p.length == p.data.size()) p.length.reset();
    dataAt += p.data.size();
  }
}

// "res<d>/res<n>/<FILE>" exactly as the writer names the files of a database resource.
bool ParseDatabasePath(const std::string& path, uint16_t& dir, uint16_t& number, std::string& file) {
  static const std::regex pattern("res(0|[1-9][0-9]{0,4})/res(0|[1-9][0-9]{0,4})/(DESCRIBE|DATA|EXPLAIN|TOKEN|FREETEXT|GRAPHICS)");
  std::smatch match;
  if (!std::regex_match(path, match, pattern)) return false;
  const unsigned long d = std::stoul(match[1]), n = std::stoul(match[2]);
  if (d > 65535 || n > 65535) return false;
  dir = static_cast<uint16_t>(d);
  number = static_cast<uint16_t>(n);
  file = match[3];
  return true;
}

}  // namespace

DatabaseFileSet ReadDatabaseFileSet(const fs::path& folder) {
  DatabaseFileSet files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    std::string name = entry.path().filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (std::find(std::begin(kDatabaseFiles), std::end(kDatabaseFiles), name) == std::end(kDatabaseFiles)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[name] = bytes.str();
  }
  return files;
}

std::optional<Database> ReadDatabase(const DatabaseFileSet& files, bool exact, std::string& fault) {
  const std::string* describe = Find(files, "DESCRIBE");
  if (!describe) {
    fault = "the folder has no DESCRIBE file";
    return std::nullopt;
  }
  const auto d = ReadDescribe(ByteView(*describe), &fault);
  if (!d) return std::nullopt;
  const CompanionSizes sizes{SizeOf(files, "DATA"), SizeOf(files, "EXPLAIN"), SizeOf(files, "TOKEN"),
                             SizeOf(files, "FREETEXT"), SizeOf(files, "GRAPHICS")};
  if (!CheckCompanions(*d, sizes, &fault)) return std::nullopt;
  std::vector<GraphicEntry> entries;
  const std::string* graphics = Find(files, "GRAPHICS");
  if (graphics) {
    const ByteView g(*graphics);
    const auto count = ReadGraphicsCount(g, g.size(), &fault);
    if (!count) return std::nullopt;
    auto read = ReadGraphicEntries(g.From(kGraphicsHeader), *count, g.size(), &fault);
    if (!read) return std::nullopt;
    entries = std::move(*read);
  }
  const std::string* explain = Find(files, "EXPLAIN");
  Database db;
  db.title = d->title;
  db.explain = TextAt(explain, d->explainOffset);
  db.explainOffset = d->explainOffset;
  for (const FieldDescriptor& fd : d->fields) db.fields.push_back(FieldOf(fd, explain, Find(files, "TOKEN")));
  if (const std::string* data = Find(files, "DATA")) {
    const ByteView v(*data);
    for (uint32_t r = 0; r < d->recordCount; ++r) {
      const ByteView record = *v.Sub(kDataHeader + size_t(r) * d->recordLength, d->recordLength);
      DatabaseRecord cells;
      for (const DatabaseField& f : db.fields) cells.push_back(CellOf(f, record, Find(files, "FREETEXT")));
      db.records.push_back(std::move(cells));
    }
  } else if (exact && d->recordCount) {
    db.recordCount = d->recordCount;
  }
  for (const GraphicEntry& e : entries) {
    DatabasePicture p;
    p.name = ByteView(e.name.data(), e.name.size()).FixedText(0, kNameWidth).value_or("");
    p.kind = e.kind;
    p.data = graphics->substr(e.offset, e.length);
    p.offset = e.offset;
    p.length = e.length;
    db.pictures.push_back(std::move(p));
  }
  DropComputedOverrides(db, d->recordLength);
  if (!exact) return db;
  const DatabaseFileSet again = DatabaseFileBytes(db);
  for (const char* name : kDatabaseFiles) {
    const std::string* original = Find(files, name);
    if (!original) {
      db.omit.insert(name);
    } else if (again.at(name) != *original) {
      db.files[name] = *original;
    }
  }
  return db;
}

void DescribeDatabaseResources(Title& title) {
  std::map<std::pair<uint16_t, uint16_t>, DatabaseFileSet> folders;
  std::set<std::pair<uint16_t, uint16_t>> tooLarge;  // a file described by its path, not its bytes
  for (const PlacedFile& f : title.files) {
    uint16_t dir = 0, number = 0;
    std::string name;
    if (!ParseDatabasePath(f.path, dir, number, name)) continue;
    if (!f.content.sourcePath.empty()) tooLarge.insert({dir, number});
    folders[{dir, number}][name] = f.content.data;
  }
  for (const auto& [key, files] : folders) {
    if (tooLarge.count(key)) continue;
    std::string fault;
    const auto db = ReadDatabase(files, true, fault);
    if (!db) continue;
    // The description must make the very same files, as every part of zdinfo's JSON does.
    try {
      const Database again = ParseDatabase(DatabaseToJson(*db, DatabaseForm::Exact), "", ".");
      if (DatabaseFileBytes(again) != files) continue;
    } catch (const DescriptionError&) {
      continue;
    }
    Resource resource;
    resource.dir = key.first;
    resource.number = key.second;
    resource.database = *db;
    title.resources.push_back(std::move(resource));
    const std::string prefix = "res" + std::to_string(key.first) + "/res" + std::to_string(key.second) + "/";
    const DatabaseFileSet& written = files;  // a structured binding cannot be captured (C++17)
    std::erase_if(title.files, [&](const PlacedFile& f) {
      return f.path.rfind(prefix, 0) == 0 && written.count(f.path.substr(prefix.size()));
    });
  }
  std::sort(title.resources.begin(), title.resources.end(), [](const Resource& a, const Resource& b) {
    return std::pair(a.dir, a.number) < std::pair(b.dir, b.number);
  });
}

}  // namespace zd::titlekit
