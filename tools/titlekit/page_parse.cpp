// Pages, their objects, event tables and toolbox sets from a description.
#include <iterator>
#include <string>
#include <vector>

#include "titlekit/description_error.h"
#include "titlekit/description_json.h"

namespace zd::titlekit {
namespace {

void ReadResourceRef(const Members& m, ObjectRecord& object) {
  const Json* v = m.Find("resource");
  if (!v) return;
  const std::string where = m.Path("resource");
  if (v->is_array() && v->size() == 2) {
    object.resource = {ToU16((*v)[0], PathIndex(where, 0)), ToU16((*v)[1], PathIndex(where, 1))};
  } else if (v->is_object()) {
    const Members r(*v, where, {"dir", "number"});
    r.Get("dir", object.resource.dir);
    r.Get("number", object.resource.number);
  } else {
    throw DescriptionError(where, "expected [dir, number] or {\"dir\": ..., \"number\": ...}");
  }
}

void ReadFontFields(const Members& m, ObjectRecord& object) {
  m.Text("font", object.font, FONT_WIDTH);
  if (const Json* v = m.Find("fontSize")) {
    const std::string where = m.Path("fontSize");
    if (v->is_array() && v->size() == 2) {
      object.fontHeight = ToDouble((*v)[0], PathIndex(where, 0));
      object.fontWidth = ToDouble((*v)[1], PathIndex(where, 1));
    } else {
      object.fontHeight = object.fontWidth = ToDouble(*v, where);
    }
  }
  m.Colour("colour", object.colour);
  m.Colour("background", object.background);
  m.Flags("textFlags", object.textFlags, kTextFlagNames);
}

void ReadPairs(const Members& m, ObjectRecord& object) {
  const Json* v = m.Find("pairs");
  if (!v) return;
  const std::string where = m.Path("pairs");
  if (!v->is_array()) throw DescriptionError(where, "expected a list of [label, value] pairs");
  for (size_t i = 0; i < v->size(); ++i) {
    const Json& pair = (*v)[i];
    const std::string at = PathIndex(where, i);
    if (!pair.is_array() || pair.size() != 2) throw DescriptionError(at, "expected [label, value]");
    const Bytes label = ToText(pair[0], PathIndex(at, 0));
    const Bytes value = ToText(pair[1], PathIndex(at, 1));
    if (label.find('\0') != Bytes::npos || value.find('\0') != Bytes::npos) {
      throw DescriptionError(at, "labels and values end at a NUL and cannot hold one");
    }
    object.pairs.emplace_back(label, value);
  }
}

// The members an object may have besides the common ones, by the layout of its type data.
std::vector<std::string_view> TypeMembers(TypeLayout layout) {
  switch (layout) {
    case TypeLayout::None: return {};
    case TypeLayout::Rectangle: return {"plot", "colour"};
    case TypeLayout::Resource: return {"resource", "slot"};
    case TypeLayout::Text:
      return {"font", "fontSize", "colour", "background", "textFlags", "text", "capacity"};
    case TypeLayout::TextResource:
      return {"font", "fontSize", "colour", "background", "textFlags", "resource", "slot"};
    case TypeLayout::RecordDisplay:
      return {"labelColour", "valueColour", "background", "pairCount", "labelWidth", "pairs"};
    case TypeLayout::Database: return {"resource", "slot", "listField"};
    case TypeLayout::FieldDisplay:
      return {"font",  "fontSize",   "colour",      "background", "textFlags",
              "field", "fillColour", "frameColour", "showName"};
    case TypeLayout::Movie: return {"resource", "slot", "movieFlags"};
    case TypeLayout::KeywordHotspot:
      return {"font", "fontSize", "colour", "background", "textFlags", "keyword"};
  }
  return {};
}

constexpr std::string_view kCommonObjectMembers[] = {
    "name",   "type",    "redraw",     "length", "flags",     "showDelay",
    "hideDelay", "movieSlot", "box",   "pixels", "trigger",   "timedState",
    "linkColour", "linkBackground", "extra", "raw",
};

}  // namespace

std::vector<Patch> ParsePatches(const Json& json, const std::string& where) {
  if (!json.is_array()) throw DescriptionError(where, "expected a list of {\"offset\", \"hex\"}");
  std::vector<Patch> patches;
  for (size_t i = 0; i < json.size(); ++i) {
    const Members m(json[i], PathIndex(where, i), {"offset", "hex", "base64"});
    Patch patch;
    if (!m.Has("offset")) throw DescriptionError(m.Path("offset"), "missing");
    m.Get("offset", patch.offset);
    const std::string_view key = m.OneOf({"hex", "base64"});
    if (key.empty()) throw DescriptionError(m.where(), "give \"hex\" or \"base64\"");
    patch.bytes = DecodeBytes(key, *m.Find(key), m.Path(key));
    patches.push_back(std::move(patch));
  }
  return patches;
}

ObjectRecord ParseObject(const Json& json, const std::string& where) {
  ObjectRecord object;
  if (!json.is_object()) throw DescriptionError(where, "expected an object");
  // The type decides which other members are allowed, so it is read first.
  if (const auto it = json.find("type"); it != json.end()) {
    object.type = ToNamed(*it, PathMember(where, "type"), kObjectTypeNames);
  }
  const TypeLayout layout = LayoutOf(object.type);
  std::vector<std::string_view> known(std::begin(kCommonObjectMembers), std::end(kCommonObjectMembers));
  for (std::string_view k : TypeMembers(layout)) known.push_back(k);
  const Members m(json, where, known, "an object of type " + NameOrNumber(kObjectTypeNames, object.type));
  if (m.Has("raw")) {
    m.OnlyThese({"raw"}, "an object");
    m.RawBytes("raw", object.raw);
    return object;
  }
  m.Text("name", object.name, NAME_WIDTH);
  m.Get("redraw", object.redraw);
  m.Get("length", object.length);
  m.Flags("flags", object.flags, kObjectFlagNames);
  m.Get("showDelay", object.showDelay);
  m.Get("hideDelay", object.hideDelay);
  m.Get("movieSlot", object.movieSlot);
  const std::string_view boxKey = m.OneOf({"box", "pixels"});
  if (boxKey == "box") object.box = ToBox(*m.Find("box"), m.Path("box"));
  if (boxKey == "pixels") object.box = PixelsToBox(*m.Find("pixels"), m.Path("pixels"));
  m.Text("trigger", object.trigger, NAME_WIDTH);
  m.Get("timedState", object.timedState);
  m.Colour("linkColour", object.linkColour);
  m.Colour("linkBackground", object.linkBackground);
  m.RawBytes("extra", object.extra);

  if (HasFontFields(layout)) ReadFontFields(m, object);
  if (HasResource(layout)) {
    ReadResourceRef(m, object);
    m.Get("slot", object.slot);
  }
  switch (layout) {
    case TypeLayout::Rectangle:
      m.Named("plot", object.plotAction, kPlotActionNames);
      m.Colour("colour", object.colour);
      break;
    case TypeLayout::Text:
      m.Text("text", object.text);
      m.Get("capacity", object.capacity);
      break;
    case TypeLayout::RecordDisplay:
      m.Colour("labelColour", object.labelColour);
      m.Colour("valueColour", object.valueColour);
      m.Colour("background", object.background);
      m.Get("pairCount", object.pairCount);
      m.Get("labelWidth", object.labelWidth);
      ReadPairs(m, object);
      break;
    case TypeLayout::Database: m.Get("listField", object.listField); break;
    case TypeLayout::FieldDisplay:
      m.Get("field", object.field);
      m.Colour("fillColour", object.fillColour);
      m.Colour("frameColour", object.frameColour);
      if (const Json* v = m.Find("showName")) {
        object.showName = v->is_boolean() ? v->get<bool>() : ToU32(*v, m.Path("showName"));
      }
      break;
    case TypeLayout::Movie: m.Flags("movieFlags", object.movieFlags, kMovieFlagNames); break;
    case TypeLayout::KeywordHotspot: m.Get("keyword", object.keyword); break;
    default: break;
  }
  return object;
}

EventRecord ParseEvent(const Json& json, const std::string& where) {
  const Members m(json, where, {"kind", "active", "keys", "delay", "value", "length", "extra", "raw"});
  EventRecord event;
  if (m.Has("raw")) {
    m.OnlyThese({"raw"}, "an event");
    m.RawBytes("raw", event.raw);
    return event;
  }
  if (!m.Has("kind")) throw DescriptionError(m.Path("kind"), "missing");
  m.Named("kind", event.kind, kEventKindNames);
  if (const Json* v = m.Find("active")) {
    const uint32_t active = ToFlags(*v, m.Path("active"), kActivityNames);
    if (active > 0xFFFF) throw DescriptionError(m.Path("active"), "the activity flags have 16 bits");
    event.active = static_cast<uint16_t>(active);
  }
  const std::string_view valueKey = m.OneOf({"keys", "delay", "value"});
  if (valueKey == "keys") {
    if (event.kind != KEYPRESS) throw DescriptionError(m.Path("keys"), "only keypress events have keys");
    event.value = ToFlags(*m.Find("keys"), m.Path("keys"), kKeyNames);
  } else if (valueKey == "delay") {
    if (event.kind != TIMEOUT) throw DescriptionError(m.Path("delay"), "only timeout events have a delay");
    m.Get("delay", event.value);
  } else if (valueKey == "value") {
    m.Get("value", event.value);
  }
  m.Get("length", event.length);
  m.RawBytes("extra", event.extra);
  return event;
}

ToolboxSet ParseToolbox(const Json& json, const std::string& where) {
  const Members m(json, where, {"box", "pixels", "flags", "count", "tools"});
  ToolboxSet toolbox;
  const std::string_view boxKey = m.OneOf({"box", "pixels"});
  if (boxKey == "box") toolbox.box = ToBox(*m.Find("box"), m.Path("box"));
  if (boxKey == "pixels") toolbox.box = PixelsToBox(*m.Find("pixels"), m.Path("pixels"));
  m.Flags("flags", toolbox.flags, kToolboxFlagNames);
  m.Get("count", toolbox.count);
  if (const Json* tools = m.Find("tools")) {
    const std::string at = m.Path("tools");
    if (!tools->is_array()) throw DescriptionError(at, "expected a list of tools");
    for (size_t i = 0; i < tools->size(); ++i) {
      const Json& t = (*tools)[i];
      ToolEntry entry;
      if (t.is_object()) {
        const Members e(t, PathIndex(at, i), {"tool", "length", "extra"});
        e.Named("tool", entry.tool, kToolNames);
        e.Get("length", entry.length);
        e.RawBytes("extra", entry.extra);
      } else {
        entry.tool = ToNamed(t, PathIndex(at, i), kToolNames);
      }
      toolbox.tools.push_back(std::move(entry));
    }
  }
  return toolbox;
}

Page ParsePage(const Json& json, const std::string& where) {
  const Members m(json, where,
                  {"name", "flags", "time", "background", "keywordPage", "keywordField", "length",
                   "objectCount", "eventTableOffset", "toolboxOffset", "styleOffset", "eventCount",
                   "objects", "events", "toolbox", "styleData", "extra", "patches", "raw"});
  Page page;
  if (m.Has("patches")) page.patches = ParsePatches(*m.Find("patches"), m.Path("patches"));
  if (m.Has("raw")) {
    m.OnlyThese({"raw", "patches"}, "a page");
    m.RawBytes("raw", page.raw);
    return page;
  }
  m.Text("name", page.name, NAME_WIDTH);
  m.Flags("flags", page.flags, kPageFlagNames);
  m.Get("time", page.time);
  m.Colour("background", page.background);
  m.Get("keywordPage", page.keywordPage);
  m.Get("keywordField", page.keywordField);
  m.Get("length", page.length);
  m.Get("objectCount", page.objectCount);
  m.Get("eventTableOffset", page.eventTableOffset);
  m.Get("toolboxOffset", page.toolboxOffset);
  m.Get("styleOffset", page.styleOffset);
  m.Get("eventCount", page.eventCount);
  if (const Json* objects = m.Find("objects")) {
    const std::string at = m.Path("objects");
    if (!objects->is_array()) throw DescriptionError(at, "expected a list of objects");
    for (size_t i = 0; i < objects->size(); ++i) {
      page.objects.push_back(ParseObject((*objects)[i], PathIndex(at, i)));
    }
  }
  if (const Json* events = m.Find("events")) {
    const std::string at = m.Path("events");
    if (events->is_null()) {
      page.eventTable = false;
    } else if (!events->is_array()) {
      throw DescriptionError(at, "expected a list of events, or null for no event table");
    } else {
      for (size_t i = 0; i < events->size(); ++i) {
        page.events.push_back(ParseEvent((*events)[i], PathIndex(at, i)));
      }
    }
  }
  if (!page.eventTable && m.Has("eventCount")) {
    throw DescriptionError(m.Path("eventCount"), "a page without an event table has no event count");
  }
  if (const Json* toolbox = m.Find("toolbox")) page.toolbox = ParseToolbox(*toolbox, m.Path("toolbox"));
  m.RawBytes("styleData", page.styleData);
  m.RawBytes("extra", page.extra);
  return page;
}

}  // namespace zd::titlekit
