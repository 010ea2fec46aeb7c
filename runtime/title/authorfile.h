// The authorfile image: the whole title description, read once and addressed in place. Every
// accessor checks its reads against the image, so a record that lies about its length or a
// table that claims more entries than the file holds yields "no such record", never a read
// outside the image or an endless walk.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_view.h"
#include "title/object_record.h"

namespace zd {

constexpr uint32_t kNone = 0xFFFFFFFF;  // "none" in indices, offsets, slots and delays

// Offsets of the authorfile header.
namespace authorfile {
constexpr size_t kMagic = 0, kVersion = 8, kPageTable = 116, kSectionList = 128;
constexpr int32_t kFirstQuestionedVersion = 102;
}  // namespace authorfile

// Offsets within a page record.
namespace page_record {
constexpr size_t kLength = 0, kName = 4, kFlags = 16, kPageTime = 20, kObjectCount = 24,
                 kBackground = 40, kToolboxSet = 48, kEventTable = 52, kTextStyle = 60,
                 kKeywordPage = 64, kKeywordField = 66, kFirstObject = 72;
constexpr size_t kNameWidth = 12;
constexpr uint32_t FULL_PAGE = 1u << 0, BACK_PAGE = 1u << 5;
}  // namespace page_record


// Offsets within a section list entry.
namespace section_entry {
constexpr size_t kName = 0, kFlags = 16, kPageNumber = 36, kParent = 40, kLinkResource = 48,
                 kLinkedPage = 62;
constexpr size_t kNameWidth = 16, kLinkedPageWidth = 12, kSize = 76, kListHeader = 28;
constexpr uint32_t FIND_BY_NAME = 1u << 2, LINK = 1u << 3, ALIAS = 1u << 6;
}  // namespace section_entry

struct PageRef {
  uint32_t number = 0;
  size_t offset = 0;  // of the record in the image
  size_t length = 0;
};

struct ObjectRef {
  uint32_t index = 0;  // in page order
  size_t offset = 0;   // of the record in the image
  size_t length = 0;
};

struct SectionRef {
  uint32_t index = 0;
  size_t offset = 0;
};

class AuthorfileImage {
 public:
  AuthorfileImage() = default;
  explicit AuthorfileImage(std::vector<uint8_t> bytes);

  ByteView view() const { return ByteView(bytes_.data(), bytes_.size()); }
  size_t size() const { return bytes_.size(); }
  bool HasMagic() const;
  int32_t Version() const;

  // Pages: numbers 0 .. the table's bound word plus one, as far as whole records stand in the
  // image one after another.
  uint32_t PageCount() const { return static_cast<uint32_t>(pages_.size()); }
  std::optional<PageRef> PageRecord(uint32_t number) const;
  std::string PageName(const PageRef& page) const;
  // The first page with exactly this name (letter case counts); nullopt when none.
  std::optional<uint32_t> FindPageByName(std::string_view name) const;
  // The objects of a page, in page order, as far as whole records stand inside the page record.
  std::vector<ObjectRef> Objects(const PageRef& page) const;
  std::string ObjectName(const ObjectRef& object) const;

  // Sections: the entries that stand in the image. The list's count word is read two ways: as
  // the last valid index when events search the children of a section, and as the number of
  // entries when a section is looked up by its page's name; both are cut to what the image holds.
  uint32_t SectionLastIndex() const { return sectionLastIndex_; }  // kNone: no list
  uint32_t SectionNameSearchCount() const { return sectionNameCount_; }
  std::optional<SectionRef> SectionEntry(uint32_t index) const;
  std::string SectionName(const SectionRef& section) const;
  // The first entry that can be found by name (not an alias) whose page has this name, compared
  // without regard to case; nullopt when none.
  std::optional<uint32_t> FindSectionByPageName(std::string_view pageName) const;

  // Fields of records, read and written in place; reads outside the image give nullopt and
  // writes outside it do nothing.
  std::optional<uint32_t> U32(size_t offset) const { return view().U32(offset); }
  std::optional<uint16_t> U16(size_t offset) const { return view().U16(offset); }
  std::optional<int32_t> I32(size_t offset) const { return view().I32(offset); }
  uint32_t U32Or(size_t offset, uint32_t fallback) const { return U32(offset).value_or(fallback); }
  std::string Text(size_t offset, size_t width) const {
    return view().FixedText(offset, width).value_or(std::string());
  }
  bool SetU32(size_t offset, uint32_t value);
  // Writes `bytes` at `offset`; nothing when they would not fit inside the image.
  bool SetBytes(size_t offset, std::string_view bytes);

  // Counts the writes that may have changed a text in the image: every SetBytes, and what
  // NoteTextWrite adds.
  uint64_t textWrites() const { return textWrites_; }
  void NoteTextWrite(size_t offset, size_t length);
  // A record whose text something keeps (a prepared script): the count of the writes that have
  // touched it since, which stays where it is for the image's life.
  const uint64_t* WatchRecord(size_t offset, size_t length);

 private:
  void IndexPages();
  void IndexSections();

  std::vector<uint8_t> bytes_;
  std::vector<PageRef> pages_;
  size_t sectionListOffset_ = 0;
  uint32_t sectionLastIndex_ = kNone;
  uint32_t sectionNameCount_ = 0;
  uint32_t sectionsInImage_ = 0;
  uint64_t textWrites_ = 0;
  struct WatchedRecord {
    size_t end = 0;
    uint64_t writes = 0;
  };
  std::map<size_t, WatchedRecord> watched_;  // by where each record begins; records never overlap
};

}  // namespace zd
