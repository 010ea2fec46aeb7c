#include "titlekit/record_reader.h"

#include <cmath>
#include <cstring>

#include "titlekit/authorfile_reader.h"
#include "titlekit/authorfile_writer.h"
#include "title/object_record.h"

namespace zd::titlekit {
namespace {

namespace rec = object_record;

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
    if (size < rec::kFontFieldsEnd) return false;
    o.font = in.Text(rec::kFontDescription, FONT_WIDTH);
    o.fontHeight = in.Double(rec::kFontHeight);
    o.fontWidth = in.Double(rec::kFontWidth);
    o.colour = in.U32(rec::kTextColour);
    o.background = in.U32(rec::kTextBackground);
    o.textFlags = in.U32(rec::kTextFlags);
  }
  auto fixed = [&](size_t n) {
    natural = n;
    return size >= n;
  };
  auto resource = [&] {
    o.resource = {in.U16(rec::kResourceDirectory), in.U16(rec::kResourceNumber)};
    o.slot = in.U32(rec::kCacheSlot);
  };
  switch (layout) {
    case TypeLayout::None: return fixed(OBJECT_COMMON);
    case TypeLayout::Rectangle:
      o.plotAction = in.U32(rec::kPlotAction);
      o.colour = in.U32(rec::kRectangleColour);
      return fixed(rec::kRectangleEnd);
    case TypeLayout::Resource:
      resource();
      return fixed(rec::kResourceEnd);
    case TypeLayout::Text: {
      if (size < rec::kText) return false;
      const uint32_t capacity = in.U32(rec::kTextCapacity);
      const size_t available = size - rec::kText;
      Bytes text = BytesAt(in.r, rec::kText, capacity < available ? capacity : available);
      while (!text.empty() && text.back() == '\0') text.pop_back();
      o.text = text;
      if (capacity != text.size()) o.capacity = capacity;
      natural = rec::kText + (capacity > text.size() ? size_t{capacity} : text.size());
      return natural <= size;
    }
    case TypeLayout::TextResource: {
      const uint32_t ref = in.U32(rec::kTextResource);
      o.resource = {static_cast<uint16_t>(ref >> 16), static_cast<uint16_t>(ref)};
      o.slot = in.U32(rec::kTextSlot);
      return fixed(rec::kTextResourceEnd);
    }
    case TypeLayout::RecordDisplay: {
      if (size < rec::kPairs) return false;
      o.labelColour = in.U32(rec::kLabelColour);
      o.valueColour = in.U32(rec::kValueColour);
      o.background = in.U32(rec::kDisplayBackground);
      const uint32_t count = in.U32(rec::kPairCount);
      o.labelWidth = in.U32(rec::kLabelWidth);
      size_t at = rec::kPairs;
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
      o.listField = in.U32(rec::kListField);
      return fixed(rec::kResourceDataEnd);
    case TypeLayout::FieldDisplay:
      o.field = in.U32(rec::kField);
      o.fillColour = in.U32(rec::kFillColour);
      o.frameColour = in.U32(rec::kFrameColour);
      o.showName = in.U32(rec::kShowFieldName);
      return fixed(rec::kFieldDisplayEnd);
    case TypeLayout::Movie:
      resource();
      o.movieFlags = in.U32(rec::kMovieFlags);
      return fixed(rec::kResourceDataEnd);
    case TypeLayout::KeywordHotspot:
      o.keyword = static_cast<int32_t>(in.U32(rec::kKeyword));
      return fixed(rec::kKeywordEnd);
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
  const uint32_t length = bounded.U32(object_record::kLength).value_or(0);
  const bool sound = length >= OBJECT_COMMON && length <= bounded.size();
  const Reader in{sound ? *bounded.Sub(0, length) : bounded};

  ObjectRecord o;
  o.name = in.Text(rec::kName, NAME_WIDTH);
  o.type = in.U32(rec::kType);
  o.redraw = in.U32(rec::kRedrawKind);
  o.flags = in.U32(rec::kFlags);
  o.showDelay = in.U32(rec::kShowDelay);
  o.hideDelay = in.U32(rec::kHideDelay);
  o.movieSlot = in.U32(rec::kMovieSlot);
  o.box = {static_cast<int32_t>(in.U32(rec::kBox)), static_cast<int32_t>(in.U32(rec::kBox + 4)),
           static_cast<int32_t>(in.U32(rec::kBox + 8)), static_cast<int32_t>(in.U32(rec::kBox + 12))};
  o.trigger = in.Text(rec::kTriggerName, NAME_WIDTH);
  o.timedState = in.U32(rec::kTimedState);
  o.linkColour = in.U32(rec::kLinkColour);
  o.linkBackground = in.U32(rec::kLinkBackground);
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
