#include "zdinfo/database_info.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "database/database_layout.h"
#include "titlekit/database_csv.h"
#include "titlekit/database_emit.h"
#include "titlekit/database_reader.h"
#include "titlekit/database_values.h"
#include "titlekit/description_json.h"
#include "titlekit/json_print.h"
#include "zdinfo/draw_export.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/resources_overview.h"
#include "zdinfo/sprite_export.h"

namespace zd::info {
namespace fs = std::filesystem;
namespace {
using namespace titlekit;

struct FoundDatabase {
  std::string label;   // "res4/res1" or "database/ravel/CITIES", as the listing shows it
  std::string export_;  // the file name it is exported under (made safe)
  fs::path folder;     // empty: the resource folder is missing
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A name from title data made into a file name that stays inside the export directory:
// letters, digits, "-", "_" and single "." only, never a leading ".", never empty.
std::string SafeFileName(std::string_view name) {
  std::string safe;
  for (unsigned char c : name) {
    const bool dot = c == '.' && !safe.empty() && safe.back() != '.';
    safe += std::isalnum(c) || c == '-' || c == '_' || dot ? char(c) : '_';
  }
  if (safe.empty()) safe = "_";
  return safe.substr(0, 64);
}

// The databases of the title's database objects, then those beside the title directory.
std::vector<FoundDatabase> FindDatabases(const TitleReading& title) {
  std::vector<FoundDatabase> found;
  for (const auto& [d, n] : ResourcesOfType(title, DATABASE)) {
    const std::string name = ResourceName(d, n);
    fs::path folder = ResolveCaseless(title.directory, name);
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) folder.clear();
    found.push_back({name, "res" + std::to_string(d) + "-res" + std::to_string(n), folder});
  }
  const fs::path beside = fs::absolute(title.directory).lexically_normal();
  const fs::path base = ResolveCaseless(beside.has_filename() ? beside.parent_path() : beside.parent_path().parent_path(),
                                        "database");
  if (base.empty()) return found;
  std::set<std::pair<std::string, std::string>> folders;
  std::error_code error;
  for (const auto& kind : fs::directory_iterator(base, error)) {
    const std::string folder = kind.path().filename().string();
    if (!kind.is_directory(error) || Lower(folder).rfind("ravel", 0) != 0) continue;
    for (const auto& db : fs::directory_iterator(kind.path(), error)) {
      if (db.is_directory(error)) folders.insert({folder, db.path().filename().string()});
    }
  }
  for (const auto& [folder, name] : folders) {
    const std::string exported = Lower(folder) == "ravel" ? name : folder + "-" + name;
    found.push_back({"database/" + folder + "/" + name, SafeFileName(exported), base / folder / name});
  }
  return found;
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void PrintDatabase(std::ostream& out, const Database& db, const std::string& pad) {
  out << Quoted(db.title) << ", " << Plural(db.fields.size(), "field", "fields") << ", "
      << Plural(db.records.size(), "record", "records") << ", "
      << Plural(db.pictures.size(), "picture", "pictures") << "\n";
  if (!db.explain.empty()) out << pad << "explain: " << Quoted(db.explain) << "\n";
  for (size_t i = 0; i < db.fields.size(); ++i) {
    const DatabaseField& f = db.fields[i];
    out << pad << i << " " << Quoted(f.name) << " " << NameOrNumber(kFieldTypeNames, f.type);
    if (f.type == field_type::TEXT || f.type == field_type::PICTURE || f.type == field_type::OTHER ||
        f.type > field_type::COORDINATES) {
      out << ", width " << f.width;
    }
    if (!f.units.empty()) out << ", units " << Quoted(f.units);
    if (f.labels) out << ", labels " << Quoted(f.labels->first) << " / " << Quoted(f.labels->second);
    if (!f.keywords.empty()) {
      out << ", keywords";
      for (size_t k = 0; k < f.keywords.size(); ++k) out << (k ? ", " : " ") << Quoted(f.keywords[k]);
    }
    if (f.twoDigitYear) out << ", two-digit years";
    out << "\n";
  }
}

std::string ReadFault(const fs::path& folder, std::optional<Database>& db) {
  if (folder.empty()) return "missing";
  std::string fault;
  db = ReadDatabase(ReadDatabaseFileSet(folder), false, fault);
  return fault;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

const char* PictureExtension(uint32_t kind) {
  switch (kind) {
    case graphic_kind::SPRITE: return ".ff9";
    case graphic_kind::DRAWING: return ".aff";
    case graphic_kind::PACKED_SPRITE: return ".3tcs";
    default: return ".bin";
  }
}

// The pictures as files beside the schema (the bytes as GRAPHICS holds them, so that a rebuilt
// database holds them too), with a PNG of each sprite and drawing to look at.
bool ExportPictures(const Database& db, const fs::path& dir, const std::string& base, Json& schema,
                    std::ostream& err) {
  if (db.pictures.empty()) return true;
  const std::string folder = base + "-pictures";
  std::error_code error;
  fs::create_directories(dir / folder, error);
  std::set<std::string> used;
  Json list = Json::array();
  for (const DatabasePicture& p : db.pictures) {
    Json entry = {{"name", TextToJson(p.name)}};
    if (!p.data.empty()) {
      std::string stem = SafeFileName(Utf8(p.name));
      for (int n = 2; !used.insert(Lower(stem)).second; ++n) stem = SafeFileName(Utf8(p.name)) + "-" + std::to_string(n);
      const std::string file = folder + "/" + stem + PictureExtension(p.kind);
      if (!WriteFile(dir / file, p.data)) {
        err << "zdinfo: cannot write " << (dir / file).string() << "\n";
        return false;
      }
      std::ostringstream quiet;
      const std::string png = (dir / folder / (stem + ".png")).string();
      if (p.kind == graphic_kind::DRAWING) {
        ConvertDrawFile((dir / file).string(), png, "", 640, 480, quiet, quiet);
      } else if (p.kind == graphic_kind::SPRITE || p.kind == graphic_kind::PACKED_SPRITE) {
        ConvertSpriteFile((dir / file).string(), 0, png, quiet, quiet);
      }
      entry["file"] = file;
    }
    entry["kind"] = p.kind;
    list.push_back(entry);
  }
  schema["pictures"] = list;
  return true;
}

// DIR/<base>.csv and DIR/<base>.json.
bool ExportDatabase(const Database& db, const fs::path& dir, const std::string& base, std::ostream& out,
                    std::ostream& err) {
  std::error_code error;
  fs::create_directories(dir, error);
  Json schema = DatabaseToJson(db, DatabaseForm::Schema);
  schema["csv"] = base + ".csv";
  if (!ExportPictures(db, dir, base, schema, err)) return false;
  std::vector<std::string> heading;
  for (const DatabaseField& f : db.fields) heading.push_back(Utf8(f.name));
  std::string csv = CsvLine(heading);
  for (const DatabaseRecord& record : db.records) {
    std::vector<std::string> cells;
    for (size_t i = 0; i < db.fields.size(); ++i) {
      const DatabaseField& f = db.fields[i];
      const bool given = i < record.size() && record[i];
      cells.push_back(CellToText(f, given ? *record[i] : DatabaseCell{std::string(StoredWidth(f), '\0'), std::nullopt}));
    }
    csv += CsvLine(cells);
  }
  if (!WriteFile(dir / (base + ".csv"), csv) || !WriteFile(dir / (base + ".json"), PrettyJson(schema))) {
    err << "zdinfo: cannot write " << (dir / base).string() << ".csv and .json\n";
    return false;
  }
  out << "wrote " << (dir / base).string() << ".csv and .json: " << Plural(db.records.size(), "record", "records")
      << " of " << Plural(db.fields.size(), "field", "fields") << "\n";
  return true;
}

}  // namespace

void PrintTitleDatabases(std::ostream& out, const TitleReading& title) {
  const auto found = FindDatabases(title);
  if (found.empty()) return;
  out << "\nDatabases:\n";
  for (const FoundDatabase& f : found) {
    out << "  " << f.label << ": ";
    std::optional<Database> db;
    const std::string fault = ReadFault(f.folder, db);
    if (!db) {
      out << "malformed, the player refuses it: " << fault << "\n";
      continue;
    }
    PrintDatabase(out, *db, "    ");
  }
}

int ExportTitleDatabases(const TitleReading& title, const std::string& dir, std::ostream& out, std::ostream& err) {
  int status = 0;
  for (const FoundDatabase& f : FindDatabases(title)) {
    std::optional<Database> db;
    const std::string fault = ReadFault(f.folder, db);
    if (!db) {
      err << "zdinfo: " << f.label << " not exported: " << fault << "\n";
      status = 1;
    } else if (!ExportDatabase(*db, dir, f.export_, out, err)) {
      status = 1;
    }
  }
  return status;
}

int ShowDatabaseFolder(const std::string& folder, bool json, const std::string& exportDir, std::ostream& out,
                       std::ostream& err) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    err << "zdinfo: no such database folder: " << folder << "\n";
    return 1;
  }
  std::string fault;
  const auto db = ReadDatabase(ReadDatabaseFileSet(folder), json, fault);
  if (!db) {
    err << "zdinfo: " << folder << ": " << fault << "\n";
    return 1;
  }
  if (!exportDir.empty()) {
    const fs::path path = fs::absolute(folder).lexically_normal();
    const std::string name = (path.has_filename() ? path : path.parent_path()).filename().string();
    return ExportDatabase(*db, exportDir, SafeFileName(name), out, err) ? 0 : 1;
  }
  if (json) {
    out << PrettyJson(DatabaseToJson(*db, DatabaseForm::Exact));
    return 0;
  }
  out << "Database " << folder << ": ";
  PrintDatabase(out, *db, "  ");
  return 0;
}

}  // namespace zd::info
