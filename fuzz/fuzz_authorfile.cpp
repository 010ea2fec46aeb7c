// The authorfile image as a title hands it over: every page, every object of each page, and
// every section entry, read through the accessors the player uses.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "title/authorfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zd::AuthorfileImage image(std::vector<uint8_t>(data, data + size));
  image.HasMagic();
  image.Version();
  for (uint32_t number = 0; number <= image.PageCount(); ++number) {
    const auto page = image.PageRecord(number);
    if (!page) continue;
    const std::string pageName = image.PageName(*page);
    image.U32Or(page->offset + zd::page_record::kFlags, 0);
    for (const zd::ObjectRef& object : image.Objects(*page)) {
      image.ObjectName(object);
      image.U32(object.offset);
      image.I32(object.offset + object.length - 4);
    }
    image.FindSectionByPageName(pageName);
  }
  // The section list's count word is hostile: walk only as far as the image holds entries.
  const uint32_t last = image.SectionLastIndex();
  const uint32_t bound = last == zd::kNone ? 0 : (last < 4096 ? last + 1 : 4096);
  for (uint32_t index = 0; index <= bound; ++index) {
    const auto section = image.SectionEntry(index);
    if (!section) break;
    image.SectionName(*section);
    image.U32(section->offset + zd::section_entry::kParent);
  }
  image.SectionNameSearchCount();
  image.FindSectionByPageName("");
  // Writes in place stay inside the image, whatever offset a record gives.
  image.SetU32(image.size() - 2, 0xDEADBEEF);
  image.SetBytes(image.size(), "x");
  return 0;
}
