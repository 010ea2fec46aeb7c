// Lays a title description out as authorfile bytes: the header, the page table with each page
// record (its objects, then its event table, toolbox set and text style data), and the section
// list last. Lengths, counts and offsets are computed unless the description gives them.
#pragma once

#include <cstddef>
#include <vector>

#include "titlekit/title_model.h"

namespace zd::titlekit {

// Where the writer put things; offsets inside a page are from the start of its record
// (0 = not written).
struct PageLayout {
  size_t offset = 0, length = 0;
  std::vector<size_t> objects;
  size_t eventTable = 0, toolbox = 0, style = 0;
};

struct AuthorfileLayout {
  size_t pageTable = 0;
  std::vector<PageLayout> pages;
  size_t sectionList = 0;  // 0: no section list
  size_t size = 0;
};

Bytes WriteObject(const ObjectRecord& object);
Bytes WriteEventRecord(const EventRecord& event);
Bytes WriteToolboxSet(const ToolboxSet& toolbox);
Bytes WriteSectionEntry(const SectionEntry& entry, size_t index);

// Throws DescriptionError when a patch lies outside its record.
Bytes WritePage(const Page& page, PageLayout* layout = nullptr);
Bytes WriteAuthorfile(const Authorfile& authorfile, AuthorfileLayout* layout = nullptr);

// Writes `patches` over `bytes`; `where` names the patch list in errors.
void ApplyPatches(Bytes& bytes, const std::vector<Patch>& patches, const std::string& where);

}  // namespace zd::titlekit
