#include "database/database.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "database/record_display.h"
#include "runtime.h"
#include "title/object_record.h"

namespace zd {

using namespace database_layout;

// --- Opening and closing. ---------------------------------------------------------------

bool Database::OpenDatabase(const std::string& folderPath, const std::string& name) {
  CloseDatabase();
  DatabaseFolder folder(folderPath, runtime_.shell.commandLine().overrideDirectoryAsGiven);
  const std::string describePath = folder.PathOf(FolderFile::DESCRIBE);
  const auto size = folder.Size(FolderFile::DESCRIBE);
  if (!size) {
    runtime_.shell.reporter().ReportError("generr4", describePath);
    return false;
  }
  if (*size > kMaxDescribeSize) {
    runtime_.trace.Line(TraceCategory::Data, "database refused " + folderPath +
                                                 ": DESCRIBE holds " + std::to_string(*size) +
                                                 " bytes");
    runtime_.shell.reporter().ReportError("generr6", describePath);
    return false;
  }
  const auto bytes = folder.Read(FolderFile::DESCRIBE, 0, size_t(*size));
  return bytes && Open(std::move(folder), *bytes, name);
}

bool Database::OpenDatabaseFromResource(const std::string& folderPath, int slot) {
  CloseDatabase();
  const CacheSlot& cached = runtime_.titleFiles.cache().slot(slot);
  const std::string_view bytes(reinterpret_cast<const char*>(cached.block.data()),
                               cached.block.size());
  DatabaseFolder folder(folderPath, runtime_.shell.commandLine().overrideDirectoryAsGiven);
  if (!Open(std::move(folder), bytes, "")) return false;
  resourceSlot_ = slot;
  resourceName_ = cached.resourceName;
  return true;
}

namespace {

// Reads the picture index and checks it whole: every entry's picture lies in the file.
std::optional<std::vector<GraphicEntry>> ReadPictureIndex(DatabaseFolder& folder, uint64_t size,
                                                          std::string* fault) {
  const auto header = folder.Read(FolderFile::GRAPHICS, 0, kGraphicsHeader);
  const auto count = ReadGraphicsCount(ByteView(header.value_or("")), size, fault);
  if (!count) return std::nullopt;
  const auto entries =
      folder.Read(FolderFile::GRAPHICS, kGraphicsHeader, size_t(*count) * kGraphicEntrySize);
  return ReadGraphicEntries(ByteView(entries.value_or("")), *count, size, fault);
}

}  // namespace

bool Database::Open(DatabaseFolder folder, std::string_view describeBytes,
                    const std::string& name) {
  std::string fault;
  auto describe = ReadDescribe(ByteView(describeBytes), &fault);
  const CompanionSizes sizes{folder.Size(FolderFile::DATA), folder.Size(FolderFile::EXPLAIN),
                             folder.Size(FolderFile::TOKEN), folder.Size(FolderFile::FREETEXT),
                             folder.Size(FolderFile::GRAPHICS)};
  std::optional<std::vector<GraphicEntry>> graphics;
  bool usable = describe && CheckCompanions(*describe, sizes, &fault);
  if (usable && sizes.graphics) {
    try {
      graphics = ReadPictureIndex(folder, *sizes.graphics, &fault);
    } catch (const std::bad_alloc&) {
      runtime_.shell.reporter().ReportError("generr5", folder.PathOf(FolderFile::GRAPHICS));
      return false;
    }
    usable = graphics.has_value();
  }
  if (!usable) {
    runtime_.trace.Line(TraceCategory::Data, "database refused " + folder.path() + ": " + fault);
    runtime_.shell.reporter().ReportError("generr6", folder.PathOf(FolderFile::DESCRIBE));
    return false;
  }
  folder_ = std::move(folder);
  describe_ = std::move(describe);
  graphics_ = std::move(graphics);
  keywordNames_.assign(describe_->fields.size(), std::nullopt);
  name_ = name;
  runtime_.trace.Line(TraceCategory::Data,
                      "database open " + folder_.path() + " (" +
                          std::to_string(describe_->fields.size()) + " fields, " +
                          std::to_string(describe_->recordCount) + " records)");
  return true;
}

void Database::CloseDatabase() {
  if (!IsOpen()) return;
  runtime_.trace.Line(TraceCategory::Data, "database close " + folder_.path());
  // A page's database gives its slot back, unless the slot has meanwhile gone to another file.
  if (resourceSlot_ >= 0) {
    ResourceCache& cache = runtime_.titleFiles.cache();
    const CacheSlot& slot = cache.slot(resourceSlot_);
    if (slot.used && slot.kind == resource_kind::DATABASE && slot.resourceName == resourceName_) {
      cache.Free(resourceSlot_);
    }
  }
  describe_.reset();
  graphics_.reset();
  keywordNames_.clear();
  picture_.reset();
  window_.clear();
  windowFirst_ = -1;
  windowCount_ = 0;
  resourceSlot_ = -1;
  resourceName_.clear();
  name_.clear();
  folder_ = DatabaseFolder();
}

void Database::Release() {
  windowFirst_ = -1;
  windowCount_ = 0;
}

// --- Fields and records. ----------------------------------------------------------------

int Database::FieldCount() const { return IsOpen() ? int(describe_->fields.size()) : 0; }

int Database::RecordCount() const {
  if (!IsOpen()) return 0;
  if (useSelection) return int(selection.size());
  return int(describe_->recordCount);
}

const FieldDescriptor& Database::GetFieldDescriptor(int field) const {
  return describe_->fields[size_t(field)];
}

int Database::FindFieldByName(std::string_view name) const {
  for (int i = 0; i < FieldCount(); ++i) {
    if (describe_->fields[size_t(i)].name == name) return i;
  }
  return -1;
}

std::optional<int> Database::RecordIndex(int record) const {
  if (!IsOpen() || record < 0) return std::nullopt;
  if (useSelection) {
    record = selection.Record(record);
    if (record < 0) return std::nullopt;
  }
  // A selection made for another database may name records this one does not have.
  if (uint32_t(record) >= describe_->recordCount) return std::nullopt;
  return record;
}

std::optional<std::string> Database::ReadReported(FolderFile file, uint64_t offset,
                                                  size_t length) {
  auto bytes = folder_.Read(file, offset, length);
  Reporter& reporter = runtime_.shell.reporter();
  if (!bytes) {
    reporter.ReportError("generr4", folder_.PathOf(file));
    return std::nullopt;
  }
  if (bytes->size() != length) {
    reporter.ReportError("generr6", folder_.PathOf(file));
    return std::nullopt;
  }
  return bytes;
}

ByteView Database::GetRecord(int record) {
  const auto index = RecordIndex(record);
  if (!index) return {};
  const uint32_t length = describe_->recordLength;
  if (windowFirst_ < 0 || *index < windowFirst_ || *index >= windowFirst_ + windowCount_) {
    // Refill the window with as many records as it holds, from the wanted one on, or ending
    // with the last record when the wanted one lies near the end.
    const int total = int(describe_->recordCount);
    const int fit = int(kRecordWindow / length);
    // A record before the window (a list read backwards) gets a window that ends with it.
    int first = *index + fit > total ? std::max(total - fit, 0) : *index;
    if (windowFirst_ >= 0 && *index < windowFirst_) first = std::max(*index - fit + 1, 0);
    const int count = std::min(first + fit, total) - first;
    auto bytes = ReadReported(FolderFile::DATA, kDataHeader + uint64_t(first) * length,
                              size_t(count) * length);
    if (!bytes) {
      Release();
      return {};
    }
    window_.assign(bytes->begin(), bytes->end());
    windowFirst_ = first;
    windowCount_ = count;
  }
  return ByteView(window_.data(), window_.size())
      .Sub(size_t(*index - windowFirst_) * length, length)
      .value_or(ByteView());
}

std::string Database::ReadExplainText(int field, size_t capacity) {
  if (!IsOpen() || capacity == 0) return {};
  const uint32_t offset = field < 0 ? describe_->explainOffset
                                    : GetFieldDescriptor(field).explainOffset;
  if (offset == 0) return {};
  const auto bytes = folder_.Read(FolderFile::EXPLAIN, offset, capacity - 1);
  if (!bytes) {
    runtime_.shell.reporter().ReportError("generr4", folder_.PathOf(FolderFile::EXPLAIN));
    return {};
  }
  return std::string(bytes->c_str());  // to the first NUL
}

const std::vector<std::string>& Database::KeywordNames(int field) {
  auto& names = keywordNames_[size_t(field)];
  if (names) return *names;
  names.emplace();
  const FieldDescriptor& f = GetFieldDescriptor(field);
  const int count = f.keywordCount();
  if (count <= 0) return *names;
  const auto bytes = folder_.Read(FolderFile::TOKEN, f.extraOffset, size_t(count) * kNameWidth);
  if (!bytes) return *names;  // no TOKEN: no keyword has a name
  const ByteView list(*bytes);
  for (int i = 0; i < count; ++i) {
    names->push_back(list.FixedText(size_t(i) * kNameWidth, kNameWidth).value_or(""));
  }
  return *names;
}

std::string Database::ReadLongText(const LongTextRef& ref, size_t capacity) {
  // A text reaching past the file's end shows what the file holds of it.
  const auto bytes = folder_.Read(FolderFile::FREETEXT, ref.offset, std::min<size_t>(ref.length, capacity));
  if (!bytes) return {};
  return std::string(bytes->c_str());
}

const DatabasePicture* Database::LoadGraphic(const std::array<uint8_t, kNameWidth>& name) {
  if (picture_ && picture_->entry.name == name) return &*picture_;
  picture_.reset();
  if (!graphics_) return nullptr;  // no GRAPHICS: pictures draw as a cross, silently
  const auto entry = std::find_if(graphics_->begin(), graphics_->end(),
                                  [&](const GraphicEntry& e) { return e.name == name; });
  if (entry == graphics_->end()) {
    const auto end = std::find(name.begin(), name.end(), uint8_t(0));
    runtime_.shell.reporter().ReportError("generr1", std::string(name.begin(), end));
    return nullptr;
  }
  try {
    auto bytes = ReadReported(FolderFile::GRAPHICS, entry->offset, entry->length);
    if (!bytes) return nullptr;
    picture_ = DatabasePicture{*entry, std::vector<uint8_t>(bytes->begin(), bytes->end())};
  } catch (const std::bad_alloc&) {
    picture_.reset();
    runtime_.shell.reporter().ReportError("generr5", folder_.PathOf(FolderFile::GRAPHICS));
    return nullptr;
  }
  return &*picture_;
}

void Database::KeywordHotspotClicked(int object, uint32_t ordinal) {
  const auto hotspot = runtime_.pages.Object(object);
  if (!hotspot) return;
  keywords_.KeywordHotspotClicked(ordinal, int32_t(hotspot->Read(object_record::kKeyword, kNone)));
}

// --- Page objects. ----------------------------------------------------------------------

void Database::PageHasKeywordHotspot(uint32_t keywordPage) {
  if (keywordPage != keywords_.searchPage()) keywords_.ResetKeywordConditions();
}
bool Database::KeywordSearchPageIs(uint32_t pageNumber) const {
  return keywords_.searchPage() == pageNumber;
}
void Database::ResetKeywordConditions() { keywords_.ResetKeywordConditions(); }
void Database::DrawDisplay(Canvas& canvas, const PageObject& object, const Rect& box,
                           const Rect& visible) {
  switch (object.type()) {
    case object_type::FIELD_DISPLAY:
      DrawFieldDisplay(runtime_, canvas, object, box, visible);
      Release();
      return;
    case object_type::RECORD_DISPLAY:
      DrawRecordDisplay(runtime_, canvas, object, box, visible);
      return;
    case object_type::KEYWORD_HOTSPOT:
      DrawKeywordHotspot(runtime_, canvas, object, box, visible);
      return;
    default:
      return;
  }
}

}  // namespace zd
