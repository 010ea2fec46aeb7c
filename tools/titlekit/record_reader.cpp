#include "titlekit/record_reader.h"

#include <cmath>
#include <cstring>

#include "titlekit/authorfile_reader.h"
#include "titlekit/authorfile_writer.h"

namespace zd::titlekit {
namespace {

// A record's own view: reads past its end give 0, and were checked for by the caller.
struct Reader {
  ByteView r;
  uint32_t U32(size_t at) const { return r.U32(at).value_or(0); }
  uint16_t U16(size_t at) const { return r.U16(at).value_or(0); }
  Bytes Text(size_t at, size_t width) const { return r.FixedText(at, width).value_or(""); }
  double Double(size_t at) const {
    const uint64_t bits = static_cast<uint64_t>(U32(at)) << 32 | U32(at + 4);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    // Descriptions hold finite numbers only; other bit patterns are left to the check by
    // writing, which then keeps the record's bytes.
    return std::isfinite(v) ? v : 0;
  }
};

// The type data after the common part; false when the record is too short for its type's
// fixed fields. `natural` is the size the writer gives the record without extra bytes.
bool ReadTypeData(const Reader& in, ObjectRecord& o, size_t& natural) {
  const TypeLayout layout = LayoutOf(o.type);
  const size_t size = in.r.size();
  if (HasFontFields(layout)) {
    if (size < 196) return false;
    o.font = in.Text(88, FONT_WIDTH);
    o.fontHeight = in.Double(168);
    o.fontWidth = in.Double(176);
    o.colour = in.U32(184);
    o.background = in.U32(188);
    o.textFlags = in.U32(192);
  }
  auto fixed = [&](size_t n) {
    natural = n;
    return size >= n;
  };
  auto resource = [&] {
    o.resource = {in.U16(90), in.U16(88)};
    o.slot = in.U32(92);
  };
  switch (layout) {
    case TypeLayout::None: return fixed(OBJECT_COMMON);
    case TypeLayout::Rectangle:
      o.plotAction = in.U32(88);
      o.colour = in.U32(92);
      return fixed(96);
    case TypeLayout::Resource:
      resource();
      return fixed(96);
    case TypeLayout::Text: {
      if (size < 200) return false;
      const uint32_t capacity = in.U32(196);
      const size_t available = size - 200;
      Bytes text = BytesAt(in.r, 200, capacity < available ? capacity : available);
      while (!text.empty() && text.back() == '\0') text.pop_back();
      o.text = text;
      if (capacity != text.size()) o.capacity = capacity;
      natural = 200 + (capacity > text.size() ? size_t{capacity} : text.size());
      return natural <= size;
    }
    case TypeLayout::TextResource: {
      const uint32_t ref = in.U32(196);
      o.resource = {static_cast<uint16_t>(ref >> 16), static_cast<uint16_t>(ref)};
      o.slot = in.U32(200);
      return fixed(204);
    }
    case TypeLayout::RecordDisplay: {
      if (size < 108) return false;
      o.labelColour = in.U32(88);
      o.valueColour = in.U32(92);
      o.background = in.U32(96);
      const uint32_t count = in.U32(100);
      o.labelWidth = in.U32(104);
      size_t at = 108;
      // Each pair takes at least two bytes, so the loop ends at the record's end.
      while (o.pairs.size() < count) {
        const auto label = in.r.FixedText(at, size - at);
        if (!label || at + label->size() >= size) break;
        const size_t valueAt = at + label->size() + 1;
        const auto value = in.r.FixedText(valueAt, size - valueAt);
        if (!value || valueAt + value->size() >= size) break;
        o.pairs.emplace_back(*label, *value);
        at = valueAt + value->size() + 1;
      }
      if (count != o.pairs.size()) o.pairCount = count;
      natural = at;
      return true;
    }
    case TypeLayout::Database:
      resource();
      o.listField = in.U32(96);
      return fixed(100);
    case TypeLayout::FieldDisplay:
      o.field = in.U32(196);
      o.fillColour = in.U32(200);
      o.frameColour = in.U32(204);
      o.showName = in.U32(208);
      return fixed(212);
    case TypeLayout::Movie:
      resource();
      o.movieFlags = in.U32(96);
      return fixed(100);
    case TypeLayout::KeywordHotspot:
      o.keyword = static_cast<int32_t>(in.U32(196));
      return fixed(200);
  }
  return false;
}

}  // namespace

Bytes BytesAt(const ByteView& view, size_t pos, size_t length) {
  const auto sub = view.Sub(pos, length);
  if (!sub) return {};
  return Bytes(reinterpret_cast<const char*>(sub->data()), sub->size());
}

bool ReadObjectAt(const ByteView& page, size_t pos, size_t end, ObjectRecord& out, size_t& span) {
  if (end > page.size() || pos > end || end - pos < OBJECT_COMMON) return false;
  const ByteView bounded = *page.Sub(pos, end - pos);
  const uint32_t length = bounded.U32(20).value_or(0);
  const bool sound = length >= OBJECT_COMMON && length <= bounded.size();
  const Reader in{sound ? *bounded.Sub(0, length) : bounded};

  ObjectRecord o;
  o.name = in.Text(0, NAME_WIDTH);
  o.type = in.U32(12);
  o.redraw = in.U32(16);
  o.flags = in.U32(24);
  o.showDelay = in.U32(28);
  o.hideDelay = in.U32(36);
  o.movieSlot = in.U32(40);
  o.box = {static_cast<int32_t>(in.U32(44)), static_cast<int32_t>(in.U32(48)),
           static_cast<int32_t>(in.U32(52)), static_cast<int32_t>(in.U32(56))};
  o.trigger = in.Text(60, NAME_WIDTH);
  o.timedState = in.U32(72);
  o.linkColour = in.U32(80);
  o.linkBackground = in.U32(84);
  size_t natural = 0;
  const bool typed = ReadTypeData(in, o, natural);
  if (sound) {
    span = length;
    if (typed) o.extra = BytesAt(in.r, natural, length - natural);
  } else {
    if (!typed) return false;
    span = natural;
    o.length = length;
  }
  // Stray bytes in fields nobody reads are left to the page's patches.
  const Bytes actual = BytesAt(page, pos, span);
  if (!typed || !NearlyTheSame(WriteObject(o), actual)) {
    if (!sound) return false;
    o = ObjectRecord{};
    o.raw = actual;
  }
  out = std::move(o);
  return true;
}

bool ReadEventAt(const ByteView& page, size_t pos, size_t end, EventRecord& out, size_t& span) {
  if (end > page.size() || pos > end || end - pos < EVENT_RECORD) return false;
  const Reader in{*page.Sub(pos, end - pos)};
  EventRecord e;
  e.kind = in.U32(0);
  const uint32_t length = in.U32(4);
  e.active = in.U16(8);
  e.value = in.U32(20);
  const bool sound = length >= EVENT_RECORD && length <= in.r.size();
  if (sound) {
    span = length;
    e.extra = BytesAt(in.r, EVENT_RECORD, length - EVENT_RECORD);
  } else {
    span = EVENT_RECORD;
    e.length = length;
  }
  const Bytes actual = BytesAt(page, pos, span);
  if (!NearlyTheSame(WriteEventRecord(e), actual)) {
    if (!sound) return false;
    e = EventRecord{};
    e.raw = actual;
  }
  out = std::move(e);
  return true;
}

bool ReadToolboxAt(const ByteView& page, size_t pos, size_t end, ToolboxSet& out, size_t& span) {
  if (end > page.size() || pos > end || end - pos < TOOLBOX_HEADER) return false;
  const Reader in{*page.Sub(pos, end - pos)};
  ToolboxSet t;
  const uint32_t count = in.U32(4);
  t.box = {static_cast<int32_t>(in.U32(8)), static_cast<int32_t>(in.U32(12)),
           static_cast<int32_t>(in.U32(16)), static_cast<int32_t>(in.U32(20))};
  t.flags = in.U32(24);
  size_t at = TOOLBOX_HEADER;
  // A count that cannot be true is not followed; the entries are then read to the bound.
  const bool countFits = count <= (in.r.size() - at) / TOOL_ENTRY;
  while (in.r.size() - at >= TOOL_ENTRY && (!countFits || t.tools.size() < count)) {
    ToolEntry entry;
    entry.tool = in.U32(at + 4);
    const uint32_t length = in.U32(at + 8);
    if (length >= TOOL_ENTRY && length <= in.r.size() - at) {
      entry.extra = BytesAt(in.r, at + TOOL_ENTRY, length - TOOL_ENTRY);
      at += length;
    } else {
      entry.length = length;
      at += TOOL_ENTRY;
    }
    t.tools.push_back(std::move(entry));
  }
  if (count != t.tools.size()) t.count = count;
  span = at;
  if (WriteToolboxSet(t) != BytesAt(page, pos, span)) return false;
  out = std::move(t);
  return true;
}

}  // namespace zd::titlekit
