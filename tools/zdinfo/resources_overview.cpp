#include "zdinfo/resources_overview.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/byte_view.h"
#include "titlekit/format_names.h"
#include "zdinfo/overview_text.h"
#include "zdinfo/sprite_export.h"

namespace zd::info {
namespace {
using namespace titlekit;
namespace fs = std::filesystem;

// The "3TCS" header and how large the data grows when expanded.
std::string DescribeCompressed(const ByteView& v) {
  const uint32_t word = v.U32(4).value_or(0);
  const uint32_t runStart = word & 0xFFFFFF, method = word >> 24;
  const uint32_t end = v.U32(8).value_or(0);
  std::ostringstream text;
  text << "\"3TCS\" method " << method;
  if (runStart < 12 || runStart > v.size()) {
    text << ", run section offset " << runStart << " lies outside the file";
    return text.str();
  }
  const size_t runEnd = std::min<size_t>(end, v.size());
  uint64_t expanded = runStart - 12;
  size_t pairs = 0;
  for (size_t at = runStart; at + 1 < runEnd; at += 2, ++pairs) expanded += v.U8(at + 1).value_or(0) + 1u;
  text << ", literal section " << runStart - 12 << " bytes, " << pairs << " runs, " << expanded
       << " bytes expanded";
  if (end != v.size()) text << "; end offset word " << end << " is not the file's length";
  return text.str();
}

std::string DescribeLink(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 255);
  const size_t lineEnd = head.find_first_of("\r\n");
  if (lineEnd == std::string_view::npos) return "no line end in its first 255 bytes: the link fails";
  const std::string_view line = head.substr(0, lineEnd);
  const size_t bang = line.rfind('!');
  if (bang == std::string_view::npos) return Quoted(line) + " has no \"!\": the link fails";
  return Quoted(line) + " names the title " + Quoted(line.substr(bang, 12)) +
         " (looked for as \"_" + Utf8(line.substr(bang + 1, 11)) + "\", then \"!" +
         Utf8(line.substr(bang + 1, 11)) + "\")";
}

std::string Describe(const std::string& bytes, uint32_t type) {
  const ByteView v(bytes);
  std::ostringstream text;
  text << bytes.size() << " bytes";
  if (type == NONE) return text.str() + ": " + DescribeLink(bytes);
  std::string sprite;
  if (type == SPRITE) {
    if (const auto found = SpriteOfResource(bytes)) sprite = "; " + DescribeSprite(*found);
  }
  if (bytes.compare(0, 4, "3TCS") == 0) return text.str() + ", " + DescribeCompressed(v) + sprite;
  if (type == SPRITE && v.size() >= 12) {
    const uint32_t w0 = *v.U32(0);
    if (w0 < 65) {
      text << ", a sprite file of " << w0 << " sprite(s): the sprite is read from offset "
           << static_cast<int64_t>(*v.U32(4)) - 4;
    } else {
      text << ", first word " << w0 << ": read whole";
    }
  } else if (type == SPRITE) {
    text << ": too short for a sprite header (the player reports generr6)";
  }
  if (bytes.compare(0, 4, "Draw") == 0) text << ", a Draw file";
  if (type == STYLED_TEXT_RESOURCE || IsMovieType(type)) {
    const std::string first = bytes.substr(0, bytes.find_first_of("\r\n"));
    text << ": " << Quoted(first.substr(0, 80)) << (first.size() > 80 ? "..." : "");
  }
  return text.str() + sprite;
}

}  // namespace

void PrintResources(std::ostream& out, const TitleReading& title, const std::vector<ResourceUse>& uses) {
  std::map<std::pair<uint16_t, uint16_t>, std::vector<const ResourceUse*>> byResource;
  for (const ResourceUse& use : uses) byResource[{use.dir, use.number}].push_back(&use);
  if (!byResource.empty()) out << "\nResources referred to:\n";
  std::set<std::string> referred;
  for (const auto& [key, users] : byResource) {
    const std::string name = ResourceName(key.first, key.second);
    referred.insert(name);
    out << "  " << name << " (";
    for (size_t i = 0; i < users.size(); ++i) {
      const uint32_t type = users[i]->type;
      out << (i ? "; " : "") << (type == NONE ? "link" : NameOrNumber(kObjectTypeNames, type)) << ", "
          << users[i]->user;
    }
    out << "): ";
    const fs::path path = ResolveCaseless(title.directory, name);
    std::error_code error;
    if (path.empty()) {
      out << "missing\n";
    } else if (fs::is_directory(path, error)) {
      out << "a directory (database)" << (ResolveCaseless(path, "describe").empty() ? " without" : " with")
          << " a describe file\n";
    } else {
      out << "present, " << Describe(ReadAll(path), users.front()->type) << "\n";
    }
  }
  std::vector<std::string> others;
  for (const Resource& r : title.title.resources) {
    const std::string name = ResourceName(r.dir, r.number);
    if (!referred.count(name)) others.push_back(name + " (" + std::to_string(r.content.data.size()) + " bytes)");
  }
  for (const PlacedFile& f : title.title.files) others.push_back(f.path);
  for (const auto* list : {&title.title.fonts, &title.title.movies}) {
    for (const PlacedFile& f : *list) others.push_back(f.path);
  }
  if (others.empty()) return;
  std::sort(others.begin(), others.end());
  out << "\nOther files in the title directory:\n";
  for (const std::string& name : others) out << "  " << name << "\n";
}

std::set<std::pair<uint16_t, uint16_t>> ResourcesOfType(const titlekit::TitleReading& title,
                                                        uint32_t type) {
  std::set<std::pair<uint16_t, uint16_t>> used;
  for (const titlekit::Page& page : title.title.authorfile.pages) {
    for (const titlekit::ObjectRecord& o : page.objects) {
      if (!o.raw && o.type == type) used.insert({o.resource.dir, o.resource.number});
    }
  }
  return used;
}

}  // namespace zd::info
