// Descriptions, titles, resources, placed files and section lists from JSON.
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "base/cp1253.h"
#include "titlekit/database_description.h"
#include "titlekit/description_error.h"
#include "titlekit/description_json.h"
#include "titlekit/drawing.h"
#include "titlekit/picture.h"

namespace zd::titlekit {
namespace fs = std::filesystem;
namespace {

// Paths inside a title stay inside it: relative, without "..".
std::string CheckRelativePath(const std::string& path, const std::string& where) {
  const fs::path p(path);
  bool ok = !path.empty() && !p.is_absolute() && path.find('\\') == std::string::npos;
  for (const auto& part : p) ok = ok && part != "..";
  if (!ok) throw DescriptionError(where, "\"" + path + "\" must be a relative path inside the title, with \"/\"");
  return p.lexically_normal().generic_string();
}

Content ReadContent(const Members& m, const fs::path& baseDir) {
  const std::string_view key = m.OneOf({"file", "text", "hex", "base64"});
  Content content;
  if (key.empty()) {
    throw DescriptionError(m.where(), "give the content as \"file\", \"text\", \"hex\" or \"base64\"");
  }
  if (key == "file") {
    const fs::path path = baseDir / ToString(*m.Find("file"), m.Path("file"));
    std::ifstream in(path, std::ios::binary);
    if (!in || fs::is_directory(path)) {
      throw DescriptionError(m.Path("file"), "cannot read " + path.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    content.data = bytes.str();
    content.sourcePath = path.string();
  } else if (key == "text") {
    content.data = ToText(*m.Find("text"), m.Path("text"));
  } else {
    content.data = DecodeBytes(key, *m.Find(key), m.Path(key));
  }
  return content;
}

Resource ParseResource(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where,
                  {"dir", "number", "file", "text", "hex", "base64", "picture", "drawing", "database",
                   "compress", "literal", "runs", "runOffset", "endOffset", "method"});
  Resource resource;
  for (const char* key : {"dir", "number"}) {
    if (!m.Has(key)) throw DescriptionError(m.Path(key), "missing");
  }
  m.Get("dir", resource.dir);
  m.Get("number", resource.number);
  if (const Json* database = m.Find("database")) {
    // A database resource is a folder of six files; nothing else describes it.
    for (const auto& [key, value] : json.items()) {
      if (key != "dir" && key != "number" && key != "database" && key != "note" && key != "comment") {
        throw DescriptionError(m.Path(key), "a database resource has no other content");
      }
    }
    resource.database = ParseDatabase(*database, m.Path("database"), baseDir);
    return resource;
  }
  if (const Json* picture = m.Find("picture")) {
    const std::string_view content = m.OneOf({"file", "text", "hex", "base64"});
    if (!content.empty()) throw DescriptionError(m.Path(content), "a picture resource has no other content");
    PictureResource made = ParsePicture(*picture, m.Path("picture"), baseDir);
    resource.content.data = std::move(made.sprite);
    resource.compress = made.compress;
  } else if (const Json* drawing = m.Find("drawing")) {
    const std::string_view content = m.OneOf({"file", "text", "hex", "base64", "picture"});
    if (!content.empty()) throw DescriptionError(m.Path(content), "a drawing resource has no other content");
    resource.content.data = ParseDrawing(*drawing, m.Path("drawing"), baseDir);
  } else {
    resource.content = ReadContent(m, baseDir);
  }
  if (const Json* v = m.Find("compress")) resource.compress |= ToBool(*v, m.Path("compress"));
  for (const char* key : {"literal", "runs", "runOffset", "endOffset", "method"}) {
    if (m.Has(key) && !resource.compress) {
      throw DescriptionError(m.Path(key), "only compressed resources (\"compress\": true) have this field");
    }
  }
  m.Get("literal", resource.literal);
  m.Get("runOffset", resource.runOffset);
  m.Get("endOffset", resource.endOffset);
  if (const Json* v = m.Find("method")) resource.method = ToU8(*v, m.Path("method"));
  if (const Json* runs = m.Find("runs")) {
    const std::string at = m.Path("runs");
    if (!runs->is_array()) throw DescriptionError(at, "expected a list of [value, count] pairs");
    resource.runs.emplace();
    for (size_t i = 0; i < runs->size(); ++i) {
      const Json& pair = (*runs)[i];
      const std::string p = PathIndex(at, i);
      if (!pair.is_array() || pair.size() != 2) throw DescriptionError(p, "expected [value, count]");
      resource.runs->push_back({ToU8(pair[0], PathIndex(p, 0)), ToU8(pair[1], PathIndex(p, 1))});
    }
  }
  return resource;
}

// Fonts and movies: a path, or {"file"/"text"/"hex"/"base64", "as"}; placed below `folder`
// (fonts) or at "as" (movies, default "movies/<name>").
PlacedFile ParseCopiedFile(const Json& json, const std::string& where, const fs::path& baseDir,
                           bool font) {
  Json object = json.is_string() ? Json{{"file", json}} : json;
  const Members m(object, where, {"file", "text", "hex", "base64", "as"});
  PlacedFile placed;
  placed.content = ReadContent(m, baseDir);
  std::string as;
  if (const Json* v = m.Find("as")) {
    as = ToString(*v, m.Path("as"));
  } else if (m.Has("file")) {
    as = fs::path(ToString(*m.Find("file"), m.Path("file"))).filename().string();
    if (!font) as = "movies/" + as;
  } else {
    throw DescriptionError(m.Path("as"), "missing: where the file goes");
  }
  placed.path = CheckRelativePath(font ? "fonts/" + as : as, m.Path(m.Has("as") ? "as" : "file"));
  return placed;
}

PlacedFile ParsePlacedFile(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where, {"path", "file", "text", "hex", "base64"});
  if (!m.Has("path")) throw DescriptionError(m.Path("path"), "missing");
  PlacedFile placed;
  placed.path = CheckRelativePath(ToString(*m.Find("path"), m.Path("path")), m.Path("path"));
  placed.content = ReadContent(m, baseDir);
  return placed;
}

template <class T, class F>
std::vector<T> ParseList(const Members& m, std::string_view key, F parseOne) {
  std::vector<T> out;
  const Json* list = m.Find(key);
  if (!list) return out;
  const std::string at = m.Path(key);
  if (!list->is_array()) throw DescriptionError(at, "expected a list");
  for (size_t i = 0; i < list->size(); ++i) out.push_back(parseOne((*list)[i], PathIndex(at, i)));
  return out;
}

// Section entries in pre-order; "children" lists are flattened after their parent. Parent and
// page names are resolved once all entries and pages are known.
struct SectionParser {
  const std::vector<Page>& pages;
  Title& title;
  std::vector<SectionEntry> entries;
  struct NamedParent {
    size_t entry;
    Bytes name;
    std::string where;
  };
  std::vector<NamedParent> parentNames;

  void ParseList(const Json& list, const std::string& where, std::optional<uint32_t> parent) {
    if (!list.is_array()) throw DescriptionError(where, "expected a list of section entries");
    for (size_t i = 0; i < list.size(); ++i) ParseEntry(list[i], PathIndex(where, i), parent);
  }

  void ParseEntry(const Json& json, const std::string& where, std::optional<uint32_t> parent) {
    const Members m(json, where, {"name", "flags", "page", "parent", "link", "children", "raw"});
    SectionEntry entry;
    const size_t index = entries.size();
    if (m.Has("raw")) {
      m.RawBytes("raw", entry.raw);
      entries.push_back(std::move(entry));
      return;
    }
    m.Text("name", entry.name, SECTION_NAME_WIDTH);
    if (const Json* v = m.Find("page")) {
      entry.page = v->is_string() ? PageByName(ToText(*v, m.Path("page")), m.Path("page"))
                                  : ToU32(*v, m.Path("page"));
    }
    if (const Json* v = m.Find("parent")) {
      if (parent) throw DescriptionError(m.Path("parent"), "entries inside \"children\" have their parent already");
      if (v->is_string()) {
        parentNames.push_back({index, ToText(*v, m.Path("parent")), m.Path("parent")});
      } else {
        entry.parent = ToU32(*v, m.Path("parent"));
      }
    } else if (parent) {
      entry.parent = parent;
    }
    if (const Json* v = m.Find("link")) ParseLink(*v, m.Path("link"), entry);
    if (const Json* v = m.Find("flags")) entry.flags = ToFlags(*v, m.Path("flags"), kSectionFlagNames);
    entries.push_back(std::move(entry));
    if (const Json* children = m.Find("children")) {
      ParseList(*children, m.Path("children"), static_cast<uint32_t>(index));
    }
  }

  void ParseLink(const Json& json, const std::string& where, SectionEntry& entry) {
    const Members m(json, where, {"dir", "number", "page", "title"});
    entry.link = true;
    m.Get("dir", entry.linkResource.dir);
    m.Get("number", entry.linkResource.number);
    m.Text("page", entry.linkPage, NAME_WIDTH);
    if (const Json* v = m.Find("title")) {
      // The link resource names the linked title after its last "!", in the form the authoring
      // machine wrote: a DOS path and a CR LF line end.
      Resource resource;
      resource.dir = entry.linkResource.dir;
      resource.number = entry.linkResource.number;
      resource.content.data = "C:\\TITLES\\" + ToText(*v, m.Path("title")) + "\r\n";
      title.resources.push_back(std::move(resource));
    }
  }

  uint32_t PageByName(const Bytes& name, const std::string& where) const {
    for (size_t i = 0; i < pages.size(); ++i) {
      if (!pages[i].raw && pages[i].name == name) return static_cast<uint32_t>(i);
    }
    throw DescriptionError(where, "no page is named \"" + Cp1253ToUtf8(name) + "\"");
  }

  void ResolveParents() {
    for (const NamedParent& named : parentNames) {
      bool found = false;
      for (size_t i = 0; i < entries.size() && !found; ++i) {
        if (!entries[i].raw && entries[i].name == named.name) {
          entries[named.entry].parent = static_cast<uint32_t>(i);
          found = true;
        }
      }
      if (!found) throw DescriptionError(named.where, "no section is named \"" + Cp1253ToUtf8(named.name) + "\"");
    }
  }
};

void ParseAuthorfile(const Members& m, Title& title) {
  Authorfile& file = title.authorfile;
  if (m.Has("patches")) file.patches = ParsePatches(*m.Find("patches"), m.Path("patches"));
  if (m.Has("raw")) {
    m.OnlyThese({"raw", "patches", "directory", "authorfile", "resources", "fonts", "movies", "files"},
                "an authorfile");
    m.RawBytes("raw", file.raw);
    return;
  }
  if (const Json* v = m.Find("magic")) {
    file.magic = v->is_string() ? ToText(*v, m.Path("magic"), 4) : ToBytes(*v, m.Path("magic"));
    if (file.magic.size() > 4) throw DescriptionError(m.Path("magic"), "the magic has four bytes");
  }
  m.Get("version", file.version);
  m.Get("pageTableOffset", file.pageTableOffset);
  m.Get("sectionListOffset", file.sectionListOffset);
  m.Get("lastPage", file.lastPage);
  m.Get("sectionCount", file.sectionCount);
  m.RawBytes("afterHeader", file.afterHeader);
  file.pages = ParseList<Page>(m, "pages", ParsePage);
  m.RawBytes("pagesTail", file.pagesTail);
  if (const Json* sections = m.Find("sections")) {
    SectionParser parser{file.pages, title, {}, {}};
    parser.ParseList(*sections, m.Path("sections"), std::nullopt);
    parser.ResolveParents();
    file.sections = std::move(parser.entries);
  } else if (m.Has("sectionCount")) {
    throw DescriptionError(m.Path("sectionCount"), "a title without \"sections\" has no section list");
  }
  m.RawBytes("tail", file.tail);
}

void CheckDuplicateResources(const Title& title, const std::string& where) {
  std::map<std::pair<uint16_t, uint16_t>, size_t> seen;
  for (size_t i = 0; i < title.resources.size(); ++i) {
    const auto key = std::make_pair(title.resources[i].dir, title.resources[i].number);
    if (!seen.emplace(key, i).second) {
      throw DescriptionError(PathMember(where, "resources"),
                             "resource " + std::to_string(key.second) + " of directory " +
                                 std::to_string(key.first) + " is given twice (a link \"title\" "
                                 "writes its link resource itself)");
    }
  }
}

}  // namespace

Title ParseTitle(const Json& json, const std::string& where, const fs::path& baseDir) {
  const Members m(json, where,
                  {"directory", "authorfile", "magic", "version", "pageTableOffset",
                   "sectionListOffset", "lastPage", "sectionCount", "afterHeader", "pages",
                   "pagesTail", "sections", "tail", "patches", "raw", "resources", "fonts",
                   "movies", "files"});
  Title title;
  if (const Json* v = m.Find("directory")) title.directory = ToString(*v, m.Path("directory"));
  if (const Json* v = m.Find("authorfile")) {
    if (v->is_null()) {
      title.authorfileName.reset();
    } else {
      title.authorfileName = CheckRelativePath(ToString(*v, m.Path("authorfile")), m.Path("authorfile"));
    }
  }
  title.resources = ParseList<Resource>(m, "resources", [&](const Json& j, const std::string& w) {
    return ParseResource(j, w, baseDir);
  });
  ParseAuthorfile(m, title);
  CheckDuplicateResources(title, where);
  title.fonts = ParseList<PlacedFile>(m, "fonts", [&](const Json& j, const std::string& w) {
    return ParseCopiedFile(j, w, baseDir, true);
  });
  title.movies = ParseList<PlacedFile>(m, "movies", [&](const Json& j, const std::string& w) {
    return ParseCopiedFile(j, w, baseDir, false);
  });
  title.files = ParseList<PlacedFile>(m, "files", [&](const Json& j, const std::string& w) {
    return ParsePlacedFile(j, w, baseDir);
  });
  return title;
}

Description ParseDescription(const Json& root, const fs::path& baseDir) {
  Description description;
  if (!root.is_object()) throw DescriptionError("", "a description is a JSON object");
  if (!root.contains("titles")) {
    description.titles.push_back(ParseTitle(root, "", baseDir));
    return description;
  }
  description.several = true;
  const Members m(root, "", {"titles", "override", "databases"});
  description.titles = ParseList<Title>(m, "titles", [&](const Json& j, const std::string& w) {
    return ParseTitle(j, w, baseDir);
  });
  std::map<std::string, size_t> seen;
  for (size_t i = 0; i < description.titles.size(); ++i) {
    const std::string where = PathMember(PathIndex("titles", i), "directory");
    const std::string& dir = description.titles[i].directory;
    if (dir.empty() || dir.find('/') != std::string::npos || dir == "." || dir == "..") {
      throw DescriptionError(where, "each title needs a directory name such as \"_moss\"");
    }
    if (!seen.emplace(dir, i).second) throw DescriptionError(where, "\"" + dir + "\" is used twice");
  }
  if (const Json* o = m.Find("override")) {
    const Members om(*o, "override", {"directory", "files", "databases"});
    OverrideTree tree;
    tree.directory = "override";
    if (const Json* v = om.Find("directory")) {
      tree.directory = CheckRelativePath(ToString(*v, om.Path("directory")), om.Path("directory"));
    }
    tree.files = ParseList<PlacedFile>(om, "files", [&](const Json& j, const std::string& w) {
      return ParsePlacedFile(j, w, baseDir);
    });
    if (const Json* v = om.Find("databases")) tree.databases = ParseDatabaseFolders(*v, om.Path("databases"), baseDir);
    description.overrideTree = std::move(tree);
  }
  if (const Json* v = m.Find("databases")) description.databases = ParseDatabaseFolders(*v, "databases", baseDir);
  return description;
}

Description ParseDescriptionText(std::string_view text, const fs::path& baseDir) {
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::exception& e) {
    // Syntax errors, and numbers no double holds ("1e400").
    throw DescriptionError("", std::string("not valid JSON: ") + e.what());
  }
  return ParseDescription(root, baseDir);
}

}  // namespace zd::titlekit
