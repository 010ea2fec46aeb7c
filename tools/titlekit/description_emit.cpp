// The model as a description: every field that differs from its default, in the order a reader
// of the title would look for it.
#include <cstdio>
#include <filesystem>

#include "base/cp1253.h"
#include "titlekit/database_emit.h"
#include "titlekit/description_json.h"
#include "titlekit/hex_text.h"

namespace zd::titlekit {
namespace {

constexpr size_t kLongestHex = 256;

bool IsPlainText(std::string_view bytes) {
  for (unsigned char c : bytes) {
    if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) return false;
  }
  return Utf8ToCp1253(Cp1253ToUtf8(bytes)) == bytes;
}

void PutContent(Json& j, const Content& content) {
  if (!content.sourcePath.empty()) {
    j["file"] = content.sourcePath;
  } else if (IsPlainText(content.data)) {
    j["text"] = Cp1253ToUtf8(content.data);
  } else if (content.data.size() <= kLongestHex) {
    j["hex"] = ToHex(content.data);
  } else {
    j["base64"] = ToBase64(content.data);
  }
}

void PutFontFields(Json& j, const ObjectRecord& o) {
  const ObjectRecord d;
  if (o.font != d.font) j["font"] = TextToJson(o.font);
  if (o.fontHeight != d.fontHeight || o.fontWidth != d.fontWidth) {
    j["fontSize"] = o.fontHeight == o.fontWidth ? Json(o.fontHeight) : Json::array({o.fontHeight, o.fontWidth});
  }
  if (o.colour != d.colour) j["colour"] = ColourToJson(o.colour);
  if (o.background != d.background) j["background"] = ColourToJson(o.background);
  if (o.textFlags != d.textFlags) j["textFlags"] = FlagsToJson(o.textFlags, kTextFlagNames);
}

void PutResource(Json& j, const ObjectRecord& o) {
  j["resource"] = Json::array({o.resource.dir, o.resource.number});
  if (o.slot != NONE) j["slot"] = WordToJson(o.slot);
}

void PutTypeData(Json& j, const ObjectRecord& o) {
  const ObjectRecord d;
  const TypeLayout layout = LayoutOf(o.type);
  if (HasFontFields(layout)) PutFontFields(j, o);
  if (HasResource(layout)) PutResource(j, o);
  switch (layout) {
    case TypeLayout::Rectangle:
      j["plot"] = NamedToJson(o.plotAction, kPlotActionNames);
      j["colour"] = ColourToJson(o.colour);
      break;
    case TypeLayout::Text:
      j["text"] = TextToJson(o.text);
      if (o.capacity) j["capacity"] = WordToJson(*o.capacity);
      break;
    case TypeLayout::RecordDisplay: {
      if (o.labelColour != d.labelColour) j["labelColour"] = ColourToJson(o.labelColour);
      if (o.valueColour != d.valueColour) j["valueColour"] = ColourToJson(o.valueColour);
      if (o.background != d.background) j["background"] = ColourToJson(o.background);
      if (o.pairCount) j["pairCount"] = WordToJson(*o.pairCount);
      if (o.labelWidth != d.labelWidth) j["labelWidth"] = WordToJson(o.labelWidth);
      Json pairs = Json::array();
      for (const auto& [label, value] : o.pairs) pairs.push_back({TextToJson(label), TextToJson(value)});
      j["pairs"] = pairs;
      break;
    }
    case TypeLayout::Database:
      if (o.listField != d.listField) j["listField"] = WordToJson(o.listField);
      break;
    case TypeLayout::FieldDisplay:
      j["field"] = WordToJson(o.field);
      if (o.fillColour != d.fillColour) j["fillColour"] = ColourToJson(o.fillColour);
      if (o.frameColour != d.frameColour) j["frameColour"] = ColourToJson(o.frameColour);
      if (o.showName == 1) j["showName"] = true;
      if (o.showName > 1) j["showName"] = WordToJson(o.showName);
      break;
    case TypeLayout::Movie:
      if (o.movieFlags != d.movieFlags) j["movieFlags"] = FlagsToJson(o.movieFlags, kMovieFlagNames);
      break;
    case TypeLayout::KeywordHotspot: j["keyword"] = o.keyword; break;
    default: break;
  }
}

Json PlacedToJson(const PlacedFile& file, std::string_view folder) {
  Json j = Json::object();
  const std::string name = file.path.substr(folder.size());
  if (!file.content.sourcePath.empty() &&
      std::filesystem::path(file.content.sourcePath).filename() == name) {
    return Json(file.content.sourcePath);
  }
  PutContent(j, file.content);
  j["as"] = name;
  return j;
}

Json ResourceToJson(const Resource& r) {
  Json j = Json::object();
  j["dir"] = r.dir;
  j["number"] = r.number;
  if (r.database) {
    j["database"] = DatabaseToJson(*r.database, DatabaseForm::Exact);
    return j;
  }
  PutContent(j, r.content);
  if (r.compress) {
    j["compress"] = true;
    if (r.literal) j["literal"] = WordToJson(*r.literal);
    if (r.runs) {
      Json runs = Json::array();
      for (const RunPair& run : *r.runs) runs.push_back({run.value, run.count});
      j["runs"] = runs;
    }
    if (r.runOffset) j["runOffset"] = WordToJson(*r.runOffset);
    if (r.endOffset) j["endOffset"] = WordToJson(*r.endOffset);
    if (r.method) j["method"] = r.method;
  }
  return j;
}

Json MagicToJson(const Bytes& magic) {
  Bytes trimmed = magic;
  while (!trimmed.empty() && trimmed.back() == '\0') trimmed.pop_back();
  for (unsigned char c : trimmed) {
    if (c < 0x20 || c > 0x7E) return Json{{"hex", ToHex(magic)}};
  }
  return trimmed;
}

}  // namespace

Json BytesToJson(std::string_view bytes) {
  if (bytes.size() <= kLongestHex) return ToHex(bytes);
  return Json{{"base64", ToBase64(bytes)}};
}

Json TextToJson(std::string_view cp1253) {
  const std::string utf8 = Cp1253ToUtf8(cp1253);
  if (Utf8ToCp1253(utf8) == cp1253) return utf8;
  return Json{{"hex", ToHex(cp1253)}};
}

Json ColourToJson(uint32_t colour) {
  if (colour == NONE) return "none";
  if ((colour & 0xFF) != 0) return WordToJson(colour);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                colour >> 24);
  return text;
}

Json WordToJson(uint32_t word) {
  if (word >= 0x80000000) return static_cast<int32_t>(word);
  return word;
}

Json FlagsToJson(uint32_t flags, NameTable table) {
  Json list = Json::array();
  uint32_t rest = flags;
  for (const NameValue& entry : table) {
    if (flags & entry.value) {
      list.push_back(entry.name);
      rest &= ~entry.value;
    }
  }
  if (rest) list.push_back(rest);
  return list;
}

Json NamedToJson(uint32_t value, NameTable table) {
  if (const char* name = NameOf(table, value)) return name;
  return WordToJson(value);
}

Json BoxToJson(const Box& box) {
  if (box == Box{}) return "none";
  return Json::array({box.x0, box.y0, box.x1, box.y1});
}

Json PatchesToJson(const std::vector<Patch>& patches) {
  Json list = Json::array();
  for (const Patch& p : patches) list.push_back({{"offset", p.offset}, {"hex", ToHex(p.bytes)}});
  return list;
}

Json ObjectToJson(const ObjectRecord& o) {
  if (o.raw) return Json{{"raw", BytesToJson(*o.raw)}};
  const ObjectRecord d;
  Json j = Json::object();
  j["name"] = TextToJson(o.name);
  j["type"] = NamedToJson(o.type, kObjectTypeNames);
  if (o.redraw != d.redraw) j["redraw"] = WordToJson(o.redraw);
  if (o.length) j["length"] = WordToJson(*o.length);
  if (o.flags != d.flags) j["flags"] = FlagsToJson(o.flags, kObjectFlagNames);
  if (o.showDelay != d.showDelay) j["showDelay"] = WordToJson(o.showDelay);
  if (o.hideDelay != d.hideDelay) j["hideDelay"] = WordToJson(o.hideDelay);
  if (o.movieSlot && *o.movieSlot != DefaultMovieSlot(o.type)) j["movieSlot"] = WordToJson(*o.movieSlot);
  if (!(o.box == d.box)) j["box"] = BoxToJson(o.box);
  if (!o.trigger.empty()) j["trigger"] = TextToJson(o.trigger);
  if (o.timedState != d.timedState) j["timedState"] = WordToJson(o.timedState);
  if (o.linkColour && *o.linkColour != DefaultLinkColour(o.type)) j["linkColour"] = ColourToJson(*o.linkColour);
  if (o.linkBackground && *o.linkBackground != DefaultLinkBackground(o.type)) {
    j["linkBackground"] = ColourToJson(*o.linkBackground);
  }
  PutTypeData(j, o);
  if (!o.extra.empty()) j["extra"] = BytesToJson(o.extra);
  return j;
}

Json EventToJson(const EventRecord& e) {
  if (e.raw) return Json{{"raw", BytesToJson(*e.raw)}};
  Json j = Json::object();
  j["kind"] = NamedToJson(e.kind, kEventKindNames);
  if (e.active != 3) j["active"] = FlagsToJson(e.active, kActivityNames);
  if (e.kind == KEYPRESS) {
    j["keys"] = FlagsToJson(e.value, kKeyNames);
  } else if (e.kind == TIMEOUT) {
    j["delay"] = WordToJson(e.value);
  } else if (e.value != 0) {
    j["value"] = WordToJson(e.value);
  }
  if (e.length) j["length"] = WordToJson(*e.length);
  if (!e.extra.empty()) j["extra"] = BytesToJson(e.extra);
  return j;
}

Json ToolboxToJson(const ToolboxSet& t) {
  Json j = Json::object();
  j["box"] = BoxToJson(t.box);
  if (t.flags) j["flags"] = FlagsToJson(t.flags, kToolboxFlagNames);
  if (t.count) j["count"] = WordToJson(*t.count);
  Json tools = Json::array();
  for (const ToolEntry& entry : t.tools) {
    if (!entry.length && entry.extra.empty()) {
      tools.push_back(NamedToJson(entry.tool, kToolNames));
      continue;
    }
    Json e = {{"tool", NamedToJson(entry.tool, kToolNames)}};
    if (entry.length) e["length"] = WordToJson(*entry.length);
    if (!entry.extra.empty()) e["extra"] = BytesToJson(entry.extra);
    tools.push_back(e);
  }
  j["tools"] = tools;
  return j;
}

Json PageToJson(const Page& p) {
  Json j = Json::object();
  if (p.raw) {
    j["raw"] = BytesToJson(*p.raw);
    if (!p.patches.empty()) j["patches"] = PatchesToJson(p.patches);
    return j;
  }
  const Page d;
  j["name"] = TextToJson(p.name);
  if (p.flags != d.flags) j["flags"] = FlagsToJson(p.flags, kPageFlagNames);
  if (p.time != d.time) j["time"] = WordToJson(p.time);
  if (p.background != d.background) j["background"] = ColourToJson(p.background);
  if (p.keywordPage) j["keywordPage"] = p.keywordPage;
  if (p.keywordField) j["keywordField"] = p.keywordField;
  const std::pair<const char*, const std::optional<uint32_t>*> overrides[] = {
      {"length", &p.length},           {"objectCount", &p.objectCount},
      {"eventTableOffset", &p.eventTableOffset}, {"toolboxOffset", &p.toolboxOffset},
      {"styleOffset", &p.styleOffset}, {"eventCount", &p.eventCount},
  };
  for (const auto& [key, value] : overrides) {
    if (*value) j[key] = WordToJson(**value);
  }
  Json objects = Json::array();
  for (const ObjectRecord& o : p.objects) objects.push_back(ObjectToJson(o));
  if (!objects.empty()) j["objects"] = objects;
  if (!p.eventTable) {
    j["events"] = nullptr;
  } else if (!p.events.empty()) {
    Json events = Json::array();
    for (const EventRecord& e : p.events) events.push_back(EventToJson(e));
    j["events"] = events;
  }
  if (p.toolbox) j["toolbox"] = ToolboxToJson(*p.toolbox);
  if (p.styleData) j["styleData"] = BytesToJson(*p.styleData);
  if (!p.extra.empty()) j["extra"] = BytesToJson(p.extra);
  if (!p.patches.empty()) j["patches"] = PatchesToJson(p.patches);
  return j;
}

Json SectionToJson(const SectionEntry& s, size_t index) {
  if (s.raw) return Json{{"raw", BytesToJson(*s.raw)}};
  Json j = Json::object();
  j["name"] = TextToJson(s.name);
  if (s.flags && *s.flags != DefaultSectionFlags(s)) j["flags"] = FlagsToJson(*s.flags, kSectionFlagNames);
  if (s.page != NONE) j["page"] = WordToJson(s.page);
  if (s.parent && *s.parent != (index == 0 ? NONE : 0)) j["parent"] = WordToJson(*s.parent);
  if (s.link) {
    Json link = {{"dir", s.linkResource.dir}, {"number", s.linkResource.number}};
    if (!s.linkPage.empty()) link["page"] = TextToJson(s.linkPage);
    j["link"] = link;
  }
  return j;
}

Json TitleToJson(const Title& t) {
  Json j = Json::object();
  if (!t.directory.empty()) j["directory"] = t.directory;
  j["authorfile"] = t.authorfileName ? Json(*t.authorfileName) : Json(nullptr);
  const Authorfile& f = t.authorfile;
  const Authorfile d;
  if (f.raw) {
    j["raw"] = BytesToJson(*f.raw);
  } else {
    if (f.magic != d.magic) j["magic"] = MagicToJson(f.magic);
    if (f.version != d.version) j["version"] = f.version;
    const std::pair<const char*, const std::optional<uint32_t>*> overrides[] = {
        {"pageTableOffset", &f.pageTableOffset}, {"sectionListOffset", &f.sectionListOffset},
        {"lastPage", &f.lastPage},               {"sectionCount", &f.sectionCount},
    };
    for (const auto& [key, value] : overrides) {
      if (*value) j[key] = WordToJson(**value);
    }
    if (!f.afterHeader.empty()) j["afterHeader"] = BytesToJson(f.afterHeader);
    Json pages = Json::array();
    for (const Page& p : f.pages) pages.push_back(PageToJson(p));
    j["pages"] = pages;
    if (!f.pagesTail.empty()) j["pagesTail"] = BytesToJson(f.pagesTail);
    if (f.sections) {
      Json sections = Json::array();
      for (size_t i = 0; i < f.sections->size(); ++i) sections.push_back(SectionToJson((*f.sections)[i], i));
      j["sections"] = sections;
    }
    if (!f.tail.empty()) j["tail"] = BytesToJson(f.tail);
  }
  if (!f.patches.empty()) j["patches"] = PatchesToJson(f.patches);
  if (!t.resources.empty()) {
    Json resources = Json::array();
    for (const Resource& r : t.resources) resources.push_back(ResourceToJson(r));
    j["resources"] = resources;
  }
  const std::pair<const char*, const std::vector<PlacedFile>*> copied[] = {{"fonts", &t.fonts},
                                                                          {"movies", &t.movies}};
  for (const auto& [key, files] : copied) {
    if (files->empty()) continue;
    Json list = Json::array();
    for (const PlacedFile& file : *files) {
      list.push_back(std::string_view(key) == "fonts" ? PlacedToJson(file, "fonts/") : PlacedToJson(file, ""));
    }
    j[key] = list;
  }
  if (!t.files.empty()) {
    Json list = Json::array();
    for (const PlacedFile& file : t.files) {
      Json e = {{"path", file.path}};
      PutContent(e, file.content);
      list.push_back(e);
    }
    j["files"] = list;
  }
  return j;
}

}  // namespace zd::titlekit
