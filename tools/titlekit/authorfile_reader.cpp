#include "titlekit/authorfile_reader.h"

#include <cstdint>

#include "base/byte_view.h"
#include "titlekit/authorfile_writer.h"
#include "titlekit/record_reader.h"

namespace zd::titlekit {
namespace {

std::string At(size_t offset) { return "offset " + std::to_string(offset); }

// Patches are worth giving instead of raw bytes only while they stay a small part of the record.
bool FewPatches(const std::vector<Patch>& patches, size_t size) {
  size_t bytes = 0;
  for (const Patch& p : patches) bytes += p.bytes.size();
  return bytes <= 16 || bytes <= size / 4;
}

struct PageRead {
  bool ok = false;
  Page page;
  size_t span = 0;
  std::string why;  // why the page could not be read, when it could not
};

// One page record at `off`, read by the writer's layout: objects, then the event table (when
// `eventTable`), the toolbox set, the text style data and the extra bytes.
PageRead TryPage(const ByteView& file, size_t off, size_t areaEnd, bool eventTable) {
  PageRead result;
  if (areaEnd - off < PAGE_FIXED) {
    result.why = "only " + std::to_string(areaEnd - off) + " bytes are left for a page record";
    return result;
  }
  const ByteView v = *file.Sub(off, areaEnd - off);
  auto u32 = [&](size_t at) { return v.U32(at).value_or(0); };
  const uint32_t length = u32(0);
  const bool sound = length >= PAGE_FIXED && length <= v.size();
  const size_t end = sound ? length : v.size();
  Page& page = result.page;
  page.name = v.FixedText(4, NAME_WIDTH).value_or("");
  page.flags = u32(16);
  page.time = u32(20);
  page.background = u32(40);
  page.keywordPage = v.U16(64).value_or(0);
  page.keywordField = v.U16(66).value_or(0);
  const uint32_t objectCount = u32(24), toolbox = u32(48), events = u32(52), style = u32(60);
  auto inside = [&](uint32_t at, size_t need) { return at >= PAGE_FIXED && at <= end && end - at >= need; };

  // Objects run up to the event table when its offset is believable, else for their count.
  const bool eventsFound = eventTable && inside(events, EVENT_TABLE_HEADER);
  const size_t objectsEnd = eventsFound ? events : end;
  size_t pos = PAGE_FIXED;
  while (eventsFound ? pos < objectsEnd : page.objects.size() < objectCount) {
    ObjectRecord object;
    size_t span = 0;
    if (!ReadObjectAt(v, pos, objectsEnd, object, span)) {
      if (eventsFound) {
        result.why = "object " + std::to_string(page.objects.size()) + " at " + At(off + pos) +
                     " cannot be read up to the event table";
        return result;
      }
      break;
    }
    page.objects.push_back(std::move(object));
    pos += span;
  }

  page.eventTable = eventTable;
  if (eventTable) {
    const size_t table = eventsFound ? events : pos;
    if (table != pos || end - pos < EVENT_TABLE_HEADER) {
      result.why = "no event table follows the objects";
      return result;
    }
    size_t bound = end;
    if (inside(toolbox, TOOLBOX_HEADER) && toolbox > table) {
      bound = toolbox;
    } else if (style != 0 && inside(style, 0) && style > table) {
      bound = style;
    }
    const uint32_t count = u32(table);
    pos = table + EVENT_TABLE_HEADER;
    if (bound < pos) bound = pos;
    const bool countFits = count <= (bound - pos) / EVENT_RECORD;
    while (bound - pos >= EVENT_RECORD && (!countFits || page.events.size() < count)) {
      EventRecord event;
      size_t span = 0;
      if (!ReadEventAt(v, pos, bound, event, span)) break;
      page.events.push_back(std::move(event));
      pos += span;
    }
    if (count != page.events.size()) page.eventCount = count;
  }
  if (toolbox != 0 && inside(toolbox, TOOLBOX_HEADER) && toolbox >= pos) {
    if (toolbox != pos) {
      result.why = "bytes the layout does not account for lie before the toolbox set";
      return result;
    }
    const size_t bound = style > toolbox && inside(style, 0) ? style : end;
    ToolboxSet set;
    size_t span = 0;
    if (!ReadToolboxAt(v, pos, bound, set, span)) {
      result.why = "the toolbox set at " + At(off + pos) + " cannot be read";
      return result;
    }
    page.toolbox = std::move(set);
    pos += span;
  }
  if (style != 0 && inside(style, 0) && style == pos) {
    page.styleData = BytesAt(v, pos, end - pos);
    pos = end;
  }
  if (sound) page.extra = BytesAt(v, pos, end - pos);
  result.span = sound ? length : pos;

  // The words the writer computes are given only where the file's differ.
  PageLayout layout;
  const Bytes computed = WritePage(page, &layout);
  if (length != layout.length) page.length = length;
  if (objectCount != page.objects.size()) page.objectCount = objectCount;
  if (events != layout.eventTable) page.eventTableOffset = events;
  if (toolbox != layout.toolbox) page.toolboxOffset = toolbox;
  if (style != layout.style) page.styleOffset = style;

  const Bytes actual = BytesAt(v, 0, result.span);
  const Bytes written = WritePage(page);
  if (written.size() != actual.size()) {
    result.why = "its parts do not add up to its length";
    return result;
  }
  if (written != actual) {
    page.patches = DiffPatches(written, actual);
    if (!FewPatches(page.patches, actual.size())) {
      result.why = "its fields do not describe its bytes";
      return result;
    }
  }
  result.ok = true;
  return result;
}

SectionEntry ReadSectionEntry(const ByteView& entry, size_t index) {
  auto u32 = [&](size_t at) { return entry.U32(at).value_or(0); };
  SectionEntry s;
  s.name = entry.FixedText(0, SECTION_NAME_WIDTH).value_or("");
  s.flags = u32(16);
  s.page = u32(36);
  s.parent = u32(40);
  const uint32_t link = u32(48);
  s.linkResource = {static_cast<uint16_t>(link >> 16), static_cast<uint16_t>(link)};
  s.linkPage = entry.FixedText(62, NAME_WIDTH).value_or("");
  s.link = (*s.flags & 8) != 0 || link != 0 || !s.linkPage.empty();
  const Bytes actual = BytesAt(entry, 0, SECTION_ENTRY);
  if (WriteSectionEntry(s, index) != actual) {
    s = SectionEntry{};
    s.raw = actual;
  }
  return s;
}

// Pages one after another from `from` up to `areaEnd` (at most `most` of them); returns where
// the last one read ends.
size_t ReadPages(const ByteView& file, size_t from, size_t areaEnd, size_t most, AuthorfileReading& r) {
  Authorfile& a = r.structured;
  size_t off = from;
  while (off < areaEnd && a.pages.size() < most) {
    const size_t index = a.pages.size();
    // A page whose event table offset is 0 was most likely written without a table; try that
    // reading first so that its bytes are not taken for an empty table.
    const bool tableFirst = file.U32(off + 52).value_or(0) != 0;
    PageRead read = TryPage(file, off, areaEnd, tableFirst);
    if (!read.ok) {
      PageRead other = TryPage(file, off, areaEnd, !tableFirst);
      if (other.ok) read = std::move(other);
    }
    if (read.ok) {
      if (read.page.length) {
        r.notes.push_back("page " + std::to_string(index) + " at " + At(off) + ": its length word " +
                          std::to_string(*read.page.length) +
                          " does not fit the page area; read by the layout zdbuild writes");
      }
      r.pageOffsets.push_back(off);
      a.pages.push_back(std::move(read.page));
      off += read.span;
      continue;
    }
    const uint32_t length = file.U32(off).value_or(0);
    if (length >= PAGE_FIXED && length <= areaEnd - off) {
      r.notes.push_back("page " + std::to_string(index) + " at " + At(off) + " is kept as raw bytes: " +
                        read.why);
      Page raw;
      raw.raw = BytesAt(file, off, length);
      r.pageOffsets.push_back(off);
      a.pages.push_back(std::move(raw));
      off += length;
      continue;
    }
    r.notes.push_back("structured reading of pages stopped at page " + std::to_string(index) + " (" +
                      At(off) + "): " + read.why + "; its length word is " + std::to_string(length) +
                      "; the " + std::to_string(areaEnd - off) + " bytes from there are kept as they are");
    a.pagesTail = BytesAt(file, off, areaEnd - off);
    return areaEnd;
  }
  return off;
}

}  // namespace

bool NearlyTheSame(std::string_view written, std::string_view actual) {
  return written.size() == actual.size() && FewPatches(DiffPatches(written, actual), actual.size());
}

std::vector<Patch> DiffPatches(std::string_view a, std::string_view b) {
  std::vector<Patch> patches;
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  size_t i = 0;
  while (i < n) {
    if (a[i] == b[i]) {
      ++i;
      continue;
    }
    size_t j = i + 1, same = 0;
    while (j < n && same < 4) {
      same = a[j] == b[j] ? same + 1 : 0;
      ++j;
    }
    const size_t last = j - same;
    patches.push_back({static_cast<uint32_t>(i), Bytes(b.substr(i, last - i))});
    i = last;
  }
  return patches;
}

namespace {

void ReadSections(const ByteView& file, size_t at, AuthorfileReading& r) {
  Authorfile& a = r.structured;
  r.sectionList = at;
  const uint32_t count = file.U32(at).value_or(0);
  const size_t first = at + SECTION_LIST_HEADER;
  const size_t entries = (file.size() - first) / SECTION_ENTRY;
  a.sections.emplace();
  for (size_t i = 0; i < entries; ++i) {
    a.sections->push_back(ReadSectionEntry(*file.Sub(first + i * SECTION_ENTRY, SECTION_ENTRY), i));
  }
  if (count != entries) a.sectionCount = count;
  const size_t used = first + entries * SECTION_ENTRY;
  a.tail = BytesAt(file, used, file.size() - used);
}

// Gives the header words their overrides and checks the reading by writing it: it is exact
// when the writer gives back the file, with patches for a few stray bytes if need be.
void Finish(std::string_view bytes, uint32_t tableWord, uint32_t sectionWord, uint32_t lastPage,
            AuthorfileReading& r) {
  Authorfile& a = r.structured;
  AuthorfileLayout layout;
  WriteAuthorfile(a, &layout);
  if (tableWord != layout.pageTable) a.pageTableOffset = tableWord;
  if (sectionWord != layout.sectionList) a.sectionListOffset = sectionWord;
  if (lastPage != static_cast<uint32_t>(a.pages.size()) - 1) a.lastPage = lastPage;
  const Bytes written = WriteAuthorfile(a);
  if (written.size() == bytes.size() && written != bytes) {
    std::vector<Patch> patches = DiffPatches(written, bytes);
    if (FewPatches(patches, bytes.size())) {
      r.notes.push_back(std::to_string(patches.size()) +
                        " run(s) of bytes outside the records' fields are given as patches");
      a.patches = std::move(patches);
    }
  }
  if (WriteAuthorfile(a) == bytes) {
    r.described = a;
  } else {
    r.notes.push_back("the records read do not give the file back byte for byte; the description "
                      "holds the whole authorfile as raw bytes");
  }
}

// How much of the file a reading leaves as bytes without structure; the better reading of two
// leaves less.
size_t Unexplained(const AuthorfileReading& r) {
  const Authorfile& a = r.described;
  if (a.raw) return a.raw->size() * 2 + 1;
  size_t n = a.afterHeader.size() + a.pagesTail.size() + a.tail.size();
  for (const Page& p : a.pages) {
    if (p.raw) n += p.raw->size();
    for (const Patch& patch : p.patches) n += patch.bytes.size();
  }
  for (const Patch& patch : a.patches) n += patch.bytes.size();
  return n;
}

}  // namespace

AuthorfileReading ReadAuthorfile(std::string_view bytes) {
  const ByteView file(bytes);
  AuthorfileReading base;
  base.described.raw = Bytes(bytes);
  Authorfile& header = base.structured;
  if (bytes.size() < HEADER_SIZE + PAGE_TABLE_HEADER) {
    base.notes.push_back("the file has only " + std::to_string(bytes.size()) +
                         " bytes, too few for the header and the page table; described as raw bytes");
    header.raw = base.described.raw;
    return base;
  }
  header.magic = Bytes(bytes.substr(0, 4));
  header.version = file.I32(HEADER_VERSION).value_or(0);
  const uint32_t tableWord = file.U32(HEADER_PAGE_TABLE).value_or(0);
  const uint32_t sectionWord = file.U32(HEADER_SECTION_LIST).value_or(0);
  size_t table = HEADER_SIZE;
  if (tableWord >= HEADER_SIZE && tableWord <= bytes.size() - PAGE_TABLE_HEADER) {
    table = tableWord;
    header.afterHeader = BytesAt(file, HEADER_SIZE, table - HEADER_SIZE);
  } else {
    base.notes.push_back("the page table offset " + std::to_string(tableWord) +
                         " points outside the file; the table is read where zdbuild puts it (offset 132)");
  }
  base.pageTable = table;
  const uint32_t lastPage = file.U32(table + 4).value_or(0);
  const size_t pagesStart = table + PAGE_TABLE_HEADER;
  const bool sectionsFound = sectionWord != 0 && sectionWord >= pagesStart &&
                             sectionWord <= bytes.size() - SECTION_LIST_HEADER;

  // First reading: the section list is where the header says, and the pages fill the space
  // before it (all of the file after the table when there is no list).
  AuthorfileReading trusting = base;
  if (sectionWord != 0 && !sectionsFound) {
    trusting.notes.push_back("the section list offset " + std::to_string(sectionWord) +
                             " does not point after the page table inside the file");
  }
  ReadPages(file, pagesStart, sectionsFound ? sectionWord : bytes.size(), SIZE_MAX, trusting);
  if (sectionsFound) ReadSections(file, sectionWord, trusting);
  Finish(bytes, tableWord, sectionWord, lastPage, trusting);
  if (sectionWord == 0 || Unexplained(trusting) == 0) return trusting;

  // Second reading, for a section list offset that may lie: the table's own bound gives the
  // number of pages, and the section list follows them, where zdbuild puts it.
  AuthorfileReading doubting = base;
  const size_t pagesEnd = ReadPages(file, pagesStart, bytes.size(), size_t{lastPage} + 1, doubting);
  if (doubting.structured.pagesTail.empty() && bytes.size() - pagesEnd >= SECTION_LIST_HEADER) {
    doubting.notes.push_back("the section list offset " + std::to_string(sectionWord) +
                             " is not where the list is; it is read after the last page, at offset " +
                             std::to_string(pagesEnd));
    ReadSections(file, pagesEnd, doubting);
  } else {
    doubting.structured.pagesTail += BytesAt(file, pagesEnd, bytes.size() - pagesEnd);
  }
  Finish(bytes, tableWord, sectionWord, lastPage, doubting);
  return Unexplained(doubting) < Unexplained(trusting) ? doubting : trusting;
}

}  // namespace zd::titlekit
