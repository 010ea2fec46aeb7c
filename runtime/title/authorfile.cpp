#include "title/authorfile.h"

#include <algorithm>
#include <cstring>

#include "base/text.h"

namespace zd {

AuthorfileImage::AuthorfileImage(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  IndexPages();
  IndexSections();
}

bool AuthorfileImage::HasMagic() const {
  return bytes_.size() >= 4 && std::memcmp(bytes_.data(), "Auth", 4) == 0;
}

int32_t AuthorfileImage::Version() const { return I32(authorfile::kVersion).value_or(0); }

void AuthorfileImage::IndexPages() {
  // Pages are reached by stepping over the records before them, so the walk is done once here.
  // It stops at the table's bound (the word at +4, plus one: titles may count either way), at a
  // record too short to hold its own header, and at a record that would leave the page area.
  // The area ends where the section list begins when the list follows the table (as every
  // authoring tool writes it), and at the end of the image otherwise: the list's count word
  // must not pass for one more page when the bound counts the pages.
  const auto table = U32(authorfile::kPageTable);
  if (!table) return;
  const auto bound = U32(*table + 4);
  if (!bound) return;
  const size_t first = size_t(*table) + 16;
  size_t areaEnd = bytes_.size();
  const uint32_t sections = U32(authorfile::kSectionList).value_or(0);
  if (sections >= first && sections < areaEnd) areaEnd = sections;
  const uint64_t lastNumber = uint64_t(*bound) + 1;
  size_t offset = first;
  for (uint64_t n = 0; n <= lastNumber && offset < areaEnd; ++n) {
    const auto length = U32(offset);
    if (!length || *length < page_record::kFirstObject || *length > areaEnd - offset) break;
    pages_.push_back({static_cast<uint32_t>(n), offset, *length});
    offset += *length;
  }
}

std::optional<PageRef> AuthorfileImage::PageRecord(uint32_t number) const {
  if (number >= pages_.size()) return std::nullopt;
  return pages_[number];
}

std::string AuthorfileImage::PageName(const PageRef& page) const {
  return Text(page.offset + page_record::kName, page_record::kNameWidth);
}

std::vector<ObjectRef> AuthorfileImage::Objects(const PageRef& page) const {
  std::vector<ObjectRef> objects;
  const ByteView record = *view().Sub(page.offset, page.length);
  const uint32_t count = record.U32(page_record::kObjectCount).value_or(0);
  size_t offset = page_record::kFirstObject;
  for (uint32_t i = 0; i < count; ++i) {
    const auto length = record.U32(offset + object_record::kLength);
    if (!length || *length < object_record::kMinimumLength || !record.Contains(offset, *length)) {
      break;
    }
    objects.push_back({i, page.offset + offset, *length});
    offset += *length;
  }
  return objects;
}

std::string AuthorfileImage::ObjectName(const ObjectRef& object) const {
  return Text(object.offset + object_record::kName, object_record::kNameWidth);
}

void AuthorfileImage::IndexSections() {
  const auto offset = U32(authorfile::kSectionList);
  if (!offset || *offset == 0) return;
  const auto count = U32(*offset);
  if (!count || !view().Contains(*offset, section_entry::kListHeader)) return;
  sectionListOffset_ = *offset;
  const size_t room = bytes_.size() - (*offset + section_entry::kListHeader);
  sectionsInImage_ = static_cast<uint32_t>(
      std::min<size_t>(room / section_entry::kSize, uint64_t(UINT32_MAX) - 1));
  if (sectionsInImage_ == 0) return;
  sectionLastIndex_ = std::min(*count, sectionsInImage_ - 1);
  sectionNameCount_ = std::min(*count, sectionsInImage_);
}

std::optional<SectionRef> AuthorfileImage::SectionEntry(uint32_t index) const {
  if (index >= sectionsInImage_) return std::nullopt;
  return SectionRef{index, sectionListOffset_ + section_entry::kListHeader +
                               size_t(index) * section_entry::kSize};
}

std::string AuthorfileImage::SectionName(const SectionRef& section) const {
  return Text(section.offset + section_entry::kName, section_entry::kNameWidth);
}

std::optional<uint32_t> AuthorfileImage::FindPageByName(std::string_view name) const {
  for (uint32_t n = 0; n < PageCount(); ++n) {
    if (PageName(pages_[n]) == name) return n;
  }
  return std::nullopt;
}

std::optional<uint32_t> AuthorfileImage::FindSectionByPageName(std::string_view pageName) const {
  for (uint32_t i = 0; i < sectionNameCount_; ++i) {
    const SectionRef entry = *SectionEntry(i);
    const uint32_t flags = U32Or(entry.offset + section_entry::kFlags, 0);
    if (!(flags & section_entry::FIND_BY_NAME) || (flags & section_entry::ALIAS)) continue;
    const auto page = PageRecord(U32Or(entry.offset + section_entry::kPageNumber, kNone));
    if (page && EqualsIgnoreCase1253(PageName(*page), pageName)) return i;
  }
  return std::nullopt;
}

bool AuthorfileImage::SetBytes(size_t offset, std::string_view bytes) {
  if (!view().Contains(offset, bytes.size())) return false;
  NoteTextWrite(offset, bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) bytes_[offset + i] = static_cast<uint8_t>(bytes[i]);
  return true;
}

void AuthorfileImage::NoteTextWrite(size_t offset, size_t length) {
  ++textWrites_;
  if (watched_.empty()) return;
  auto it = watched_.upper_bound(offset);
  if (it != watched_.begin()) --it;
  for (; it != watched_.end() && it->first < offset + length; ++it) {
    if (it->second.end > offset) ++it->second.writes;
  }
}

const uint64_t* AuthorfileImage::WatchRecord(size_t offset, size_t length) {
  return &watched_.try_emplace(offset, WatchedRecord{offset + length, 0}).first->second.writes;
}

bool AuthorfileImage::SetU32(size_t offset, uint32_t value) {
  if (!view().Contains(offset, 4)) return false;
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  return true;
}

}  // namespace zd
