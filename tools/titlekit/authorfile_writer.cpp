#include "titlekit/authorfile_writer.h"

#include <stdexcept>
#include <string>

#include "titlekit/byte_writer.h"
#include "titlekit/description_error.h"
#include "title/object_record.h"

namespace zd::titlekit {
namespace {

namespace rec = object_record;

// The records are written field after field; this keeps the writer in step with the layout the
// player reads.
void ExpectAt(const ByteWriter& out, size_t offset) {
  if (out.size() != offset) {
    throw std::logic_error("object record written out of step: at " + std::to_string(out.size()) +
                           ", expected " + std::to_string(offset));
  }
}

void WriteBox(ByteWriter& out, const Box& box) {
  out.I32(box.x0);
  out.I32(box.y0);
  out.I32(box.x1);
  out.I32(box.y1);
}

void WriteResourceRef(ByteWriter& out, const ObjectRecord& object) {
  out.U16(object.resource.number);
  out.U16(object.resource.dir);
  out.U32(object.slot);
}

// Font description, the two sizes, colours and text flags: offsets 88 to 195 of every object
// that draws text.
void WriteFontFields(ByteWriter& out, const ObjectRecord& object) {
  ExpectAt(out, rec::kFontDescription);
  out.FixedText(object.font, FONT_WIDTH);
  ExpectAt(out, rec::kFontHeight);
  out.Double(object.fontHeight);
  out.Double(object.fontWidth);
  ExpectAt(out, rec::kTextColour);
  out.U32(object.colour);
  out.U32(object.background);
  out.U32(object.textFlags);
  ExpectAt(out, rec::kFontFieldsEnd);
}

void WriteTypeData(ByteWriter& out, const ObjectRecord& object) {
  const TypeLayout layout = LayoutOf(object.type);
  if (HasFontFields(layout)) WriteFontFields(out, object);
  switch (layout) {
    case TypeLayout::None: break;
    case TypeLayout::Rectangle:
      out.U32(object.plotAction);
      out.U32(object.colour);
      break;
    case TypeLayout::Resource: WriteResourceRef(out, object); break;
    case TypeLayout::Text: {
      // The capacity may be given smaller than the text (a field that lies); the whole text is
      // written all the same, and a larger capacity is padded with NULs.
      const uint32_t capacity = object.capacity.value_or(static_cast<uint32_t>(object.text.size()));
      out.U32(capacity);
      out.Append(object.text);
      if (capacity > object.text.size()) out.Zeros(capacity - object.text.size());
      break;
    }
    case TypeLayout::TextResource:
      out.U32(static_cast<uint32_t>(object.resource.dir) << 16 | object.resource.number);
      out.U32(object.slot);
      break;
    case TypeLayout::RecordDisplay:
      out.U32(object.labelColour);
      out.U32(object.valueColour);
      out.U32(object.background);
      out.U32(object.pairCount.value_or(static_cast<uint32_t>(object.pairs.size())));
      out.U32(object.labelWidth);
      for (const auto& [label, value] : object.pairs) {
        out.Append(label);
        out.U8(0);
        out.Append(value);
        out.U8(0);
      }
      break;
    case TypeLayout::Database:
      WriteResourceRef(out, object);
      out.U32(object.listField);
      break;
    case TypeLayout::FieldDisplay:
      out.U32(object.field);
      out.U32(object.fillColour);
      out.U32(object.frameColour);
      out.U32(object.showName);
      break;
    case TypeLayout::Movie:
      WriteResourceRef(out, object);
      out.U32(object.movieFlags);
      break;
    case TypeLayout::KeywordHotspot: out.I32(object.keyword); break;
  }
}

}  // namespace

void ApplyPatches(Bytes& bytes, const std::vector<Patch>& patches, const std::string& where) {
  for (size_t i = 0; i < patches.size(); ++i) {
    const Patch& patch = patches[i];
    if (patch.offset > bytes.size() || patch.bytes.size() > bytes.size() - patch.offset) {
      throw DescriptionError(where + "[" + std::to_string(i) + "]",
                             "offset " + std::to_string(patch.offset) + " with " +
                                 std::to_string(patch.bytes.size()) +
                                 " bytes lies past the end of its record (" +
                                 std::to_string(bytes.size()) + " bytes)");
    }
    bytes.replace(patch.offset, patch.bytes.size(), patch.bytes);
  }
}

Bytes WriteObject(const ObjectRecord& object) {
  if (object.raw) return *object.raw;
  ByteWriter out;
  out.FixedText(object.name, NAME_WIDTH);
  out.U32(object.type);
  out.U32(object.redraw);
  out.U32(0);  // length, below
  out.U32(object.flags);
  out.U32(object.showDelay);
  out.Zeros(4);
  out.U32(object.hideDelay);
  out.U32(object.movieSlot.value_or(DefaultMovieSlot(object.type)));
  ExpectAt(out, rec::kBox);
  WriteBox(out, object.box);
  out.FixedText(object.trigger, NAME_WIDTH);
  ExpectAt(out, rec::kTimedState);
  out.U32(object.timedState);
  out.Zeros(4);
  ExpectAt(out, rec::kLinkColour);
  out.U32(object.linkColour.value_or(DefaultLinkColour(object.type)));
  out.U32(object.linkBackground.value_or(DefaultLinkBackground(object.type)));
  ExpectAt(out, rec::kTypeData);
  WriteTypeData(out, object);
  out.Append(object.extra);
  out.PutU32(rec::kLength, object.length.value_or(static_cast<uint32_t>(out.size())));
  return out.Take();
}

Bytes WriteEventRecord(const EventRecord& event) {
  if (event.raw) return *event.raw;
  ByteWriter out;
  out.U32(event.kind);
  out.U32(event.length.value_or(static_cast<uint32_t>(EVENT_RECORD + event.extra.size())));
  out.U16(event.active);
  out.Zeros(10);
  out.U32(event.value);
  out.Append(event.extra);
  return out.Take();
}

Bytes WriteToolboxSet(const ToolboxSet& toolbox) {
  ByteWriter out;
  out.Zeros(4);
  out.U32(toolbox.count.value_or(static_cast<uint32_t>(toolbox.tools.size())));
  WriteBox(out, toolbox.box);
  out.U32(toolbox.flags);
  out.Zeros(4);
  for (const ToolEntry& entry : toolbox.tools) {
    out.Zeros(4);
    out.U32(entry.tool);
    out.U32(entry.length.value_or(static_cast<uint32_t>(TOOL_ENTRY + entry.extra.size())));
    out.Append(entry.extra);
  }
  return out.Take();
}

Bytes WritePage(const Page& page, PageLayout* layout) {
  PageLayout where;
  Bytes bytes;
  if (page.raw) {
    bytes = *page.raw;
  } else {
    ByteWriter out;
    out.U32(0);  // length, below
    out.FixedText(page.name, NAME_WIDTH);
    out.U32(page.flags);
    out.U32(page.time);
    out.U32(page.objectCount.value_or(static_cast<uint32_t>(page.objects.size())));
    out.Zeros(12);
    out.U32(page.background);
    out.Zeros(4);
    out.U32(0);  // toolbox set offset, below
    out.U32(0);  // event table offset, below
    out.Zeros(4);
    out.U32(0);  // text style data offset, below
    out.U16(page.keywordPage);
    out.U16(page.keywordField);
    out.Zeros(4);
    for (const ObjectRecord& object : page.objects) {
      where.objects.push_back(out.size());
      out.Append(WriteObject(object));
    }
    if (page.eventTable) {
      where.eventTable = out.size();
      out.U32(page.eventCount.value_or(static_cast<uint32_t>(page.events.size())));
      out.Zeros(8);
      for (const EventRecord& event : page.events) out.Append(WriteEventRecord(event));
    }
    if (page.toolbox) {
      where.toolbox = out.size();
      out.Append(WriteToolboxSet(*page.toolbox));
    }
    if (page.styleData) {
      where.style = out.size();
      out.Append(*page.styleData);
    }
    out.Append(page.extra);
    out.PutU32(0, page.length.value_or(static_cast<uint32_t>(out.size())));
    out.PutU32(48, page.toolboxOffset.value_or(static_cast<uint32_t>(where.toolbox)));
    out.PutU32(52, page.eventTableOffset.value_or(static_cast<uint32_t>(where.eventTable)));
    out.PutU32(60, page.styleOffset.value_or(static_cast<uint32_t>(where.style)));
    bytes = out.Take();
  }
  ApplyPatches(bytes, page.patches, "patches");
  where.length = bytes.size();
  if (layout) *layout = where;
  return bytes;
}

Bytes WriteSectionEntry(const SectionEntry& entry, size_t index) {
  if (entry.raw) return *entry.raw;
  ByteWriter out;
  out.FixedText(entry.name, SECTION_NAME_WIDTH);
  out.U32(entry.flags.value_or(DefaultSectionFlags(entry)));
  out.Zeros(16);
  out.U32(entry.page);
  out.U32(entry.parent.value_or(index == 0 ? NONE : 0));
  out.Zeros(4);
  out.U32(static_cast<uint32_t>(entry.linkResource.dir) << 16 | entry.linkResource.number);
  out.Zeros(10);
  out.FixedText(entry.linkPage, NAME_WIDTH);
  out.Zeros(2);
  return out.Take();
}

Bytes WriteAuthorfile(const Authorfile& file, AuthorfileLayout* layout) {
  AuthorfileLayout where;
  Bytes bytes;
  if (file.raw) {
    bytes = *file.raw;
  } else {
    ByteWriter out;
    out.FixedText(file.magic, 4);
    out.Zeros(4);
    out.I32(file.version);
    out.Zeros(HEADER_PAGE_TABLE - 12);
    out.U32(0);  // page table offset, below
    out.Zeros(HEADER_SECTION_LIST - HEADER_PAGE_TABLE - 4);
    out.U32(0);  // section list offset, below
    out.Append(file.afterHeader);

    where.pageTable = out.size();
    out.Zeros(4);
    out.U32(file.lastPage.value_or(static_cast<uint32_t>(file.pages.size()) - 1));
    out.Zeros(8);
    for (size_t i = 0; i < file.pages.size(); ++i) {
      PageLayout page;
      const size_t offset = out.size();
      try {
        out.Append(WritePage(file.pages[i], &page));
      } catch (const DescriptionError& e) {
        throw e.Within("pages[" + std::to_string(i) + "]");
      }
      page.offset = offset;
      where.pages.push_back(page);
    }
    out.Append(file.pagesTail);

    if (file.sections) {
      where.sectionList = out.size();
      out.U32(file.sectionCount.value_or(static_cast<uint32_t>(file.sections->size())));
      out.Zeros(SECTION_LIST_HEADER - 4);
      for (size_t i = 0; i < file.sections->size(); ++i) {
        out.Append(WriteSectionEntry((*file.sections)[i], i));
      }
    }
    out.Append(file.tail);
    out.PutU32(HEADER_PAGE_TABLE, file.pageTableOffset.value_or(static_cast<uint32_t>(where.pageTable)));
    out.PutU32(HEADER_SECTION_LIST,
               file.sectionListOffset.value_or(static_cast<uint32_t>(where.sectionList)));
    bytes = out.Take();
  }
  ApplyPatches(bytes, file.patches, "patches");
  where.size = bytes.size();
  if (layout) *layout = where;
  return bytes;
}

}  // namespace zd::titlekit
