#include "titlekit/title_writer.h"

#include <fstream>
#include <map>
#include <set>

#include "titlekit/authorfile_writer.h"
#include "titlekit/database_writer.h"
#include "titlekit/description_error.h"
#include "titlekit/json_fields.h"
#include "titlekit/tcs_compress.h"

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

// Every file a title is made of, by its path relative to the title directory, so that two
// parts of a description cannot silently write the same file.
class FileSet {
 public:
  explicit FileSet(fs::path dir) : dir_(std::move(dir)) {}

  void Write(const std::string& relative, std::string_view bytes, const std::string& where) {
    if (!written_.insert(relative).second) {
      throw DescriptionError(where, "\"" + relative + "\" is written twice by this description");
    }
    const fs::path path = dir_ / relative;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw DescriptionError(where, "cannot write " + path.string());
  }

 private:
  fs::path dir_;
  std::set<std::string> written_;
};

// The files of one database below `folder`; errors are placed at `where`.
void WriteDatabaseFiles(FileSet& files, const std::string& folder, const Database& database,
                        const std::string& where) {
  std::map<std::string, std::string> bytes;
  try {
    bytes = DatabaseFileBytes(database);
  } catch (const DescriptionError& e) {
    throw e.Within(where);
  }
  for (const auto& [name, data] : bytes) files.Write(folder + "/" + name, data, where);
}

void WriteDatabaseFolders(FileSet& files, const std::vector<DatabaseFolder>& folders, const std::string& where) {
  for (size_t i = 0; i < folders.size(); ++i) {
    const DatabaseFolder& f = folders[i];
    WriteDatabaseFiles(files, "database/" + f.folder + "/" + f.name, f.database, PathIndex(where, i));
  }
}

}  // namespace

std::string ResourcePath(uint16_t dir, uint16_t number) {
  return "res" + std::to_string(dir) + "/res" + std::to_string(number);
}

Bytes ResourceBytes(const Resource& resource) {
  if (!resource.compress) return resource.content.data;
  TcsOptions options;
  options.literal = resource.literal;
  options.runs = resource.runs;
  options.runOffset = resource.runOffset;
  options.endOffset = resource.endOffset;
  options.method = resource.method;
  return TcsCompress(resource.content.data, options);
}

void WriteTitle(const Title& title, const fs::path& dir, const std::string& where) {
  std::error_code error;
  fs::create_directories(dir, error);
  if (!fs::is_directory(dir)) throw DescriptionError(where, "cannot make the directory " + dir.string());
  FileSet files(dir);
  if (title.authorfileName) {
    Bytes bytes;
    try {
      bytes = WriteAuthorfile(title.authorfile);
    } catch (const DescriptionError& e) {
      throw where.empty() ? e : e.Within(where);
    }
    files.Write(*title.authorfileName, bytes, PathMember(where, "authorfile"));
  }
  for (size_t i = 0; i < title.resources.size(); ++i) {
    const Resource& r = title.resources[i];
    const std::string at = PathIndex(PathMember(where, "resources"), i);
    if (r.database) {
      WriteDatabaseFiles(files, ResourcePath(r.dir, r.number), *r.database, PathMember(at, "database"));
      continue;
    }
    Bytes bytes;
    try {
      bytes = ResourceBytes(r);
    } catch (const DescriptionError& e) {
      throw e.Within(at);
    }
    files.Write(ResourcePath(r.dir, r.number), bytes, at);
  }
  const std::pair<const char*, const std::vector<PlacedFile>*> lists[] = {
      {"fonts", &title.fonts}, {"movies", &title.movies}, {"files", &title.files}};
  for (const auto& [key, list] : lists) {
    for (size_t i = 0; i < list->size(); ++i) {
      const PlacedFile& file = (*list)[i];
      files.Write(file.path, file.content.data, PathIndex(PathMember(where, key), i));
    }
  }
}

void WriteDescription(const Description& description, const fs::path& outDir) {
  if (!description.several) {
    for (const Title& title : description.titles) WriteTitle(title, outDir, "");
    return;
  }
  for (size_t i = 0; i < description.titles.size(); ++i) {
    const Title& title = description.titles[i];
    WriteTitle(title, outDir / title.directory, PathIndex("titles", i));
  }
  FileSet beside(outDir);
  WriteDatabaseFolders(beside, description.databases, "databases");
  if (description.overrideTree) {
    FileSet files(outDir / description.overrideTree->directory);
    for (size_t i = 0; i < description.overrideTree->files.size(); ++i) {
      const PlacedFile& file = description.overrideTree->files[i];
      files.Write(file.path, file.content.data, PathIndex("override.files", i));
    }
    WriteDatabaseFolders(files, description.overrideTree->databases, "override.databases");
  }
}

void WriteDatabaseFolder(const Database& database, const fs::path& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  if (!fs::is_directory(dir)) throw DescriptionError("", "cannot make the directory " + dir.string());
  FileSet files(dir);
  for (const auto& [name, data] : DatabaseFileBytes(database)) files.Write(name, data, "");
}

}  // namespace zd::titlekit
