// The title's flat-file databases: one open at a time, opened by a script (`opendata`) or by a
// database object of the page, read through its record window, explain texts, keyword lists,
// long texts and pictures. The keyword search and the page objects that show records live
// beside it (keyword_search.h, database_objects.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/database_folder.h"
#include "database/database_layout.h"
#include "base/byte_view.h"
#include "database/keyword_search.h"
#include "database/record_filters.h"
#include "database/record_selection.h"

namespace zd {

class Canvas;
class PageObject;
class Runtime;
struct Rect;

// A picture of GRAPHICS with its entry; the one picture the database keeps loaded.
struct DatabasePicture {
  GraphicEntry entry;
  std::vector<uint8_t> bytes;
};

class Database {
 public:
  // The text form of a value is made in a buffer of this many bytes, its end mark included.
  static constexpr size_t kValueTextCapacity = 10241;

  explicit Database(Runtime& runtime) : runtime_(runtime), keywords_(runtime) {}

  // --- Opening and closing. --------------------------------------------------------------
  // Closes any open database, then reads the DESCRIBE of the folder and checks the folder's
  // files against it. Reports "generr4"/"generr6" with the path and leaves nothing open when
  // it cannot.
  bool OpenDatabase(const std::string& folderPath, const std::string& name);
  // The same for a page's database object, whose DESCRIBE the resource cache has loaded into
  // `slot` from `folderPath`.
  bool OpenDatabaseFromResource(const std::string& folderPath, int slot);
  void CloseDatabase();
  bool IsOpen() const { return describe_.has_value(); }
  bool IsResourceDatabase() const { return IsOpen() && resourceSlot_ >= 0; }
  int resourceSlot() const { return resourceSlot_; }
  const std::string& name() const { return name_; }
  const std::string& folderPath() const { return folder_.path(); }

  // What each script command does at its end: the record window and the field memo are
  // emptied, so the next command reads the files again.
  void Release();

  // --- Fields and records. --------------------------------------------------------------
  int FieldCount() const;
  // The header's record count, or the selection's length while the selection is in use.
  int RecordCount() const;
  const DescribeFile* describe() const { return describe_ ? &*describe_ : nullptr; }
  // The caller has checked 0 <= field < FieldCount().
  const FieldDescriptor& GetFieldDescriptor(int field) const;
  int FindFieldByName(std::string_view name) const;
  // The bytes of record `record` (a selection position while the selection is in use); an
  // empty view when it cannot be read (the failure has been reported).
  ByteView GetRecord(int record);
  // Whether record `record` (as GetRecord numbers it) is one the open database has.
  bool HasRecord(int record) const { return RecordIndex(record).has_value(); }

  // The explain text of a field, or of the database for -1; at most capacity - 1 bytes.
  std::string ReadExplainText(int field, size_t capacity);
  // The names of a keyword field's keywords (empty when TOKEN is missing).
  const std::vector<std::string>& KeywordNames(int field);
  // A long text's bytes, at most `capacity`, cut at a NUL; empty when they lie outside FREETEXT.
  std::string ReadLongText(const LongTextRef& ref, size_t capacity);
  // The picture a picture field names; nullptr when GRAPHICS is missing or has no such entry
  // (reported) or its data cannot be read (reported).
  const DatabasePicture* LoadGraphic(const std::array<uint8_t, database_layout::kNameWidth>& name);
  void FreeGraphic() { picture_.reset(); }

  // The text form of a record's value, at most capacity - 1 bytes; empty when the record
  // cannot be read.
  std::string FormatFieldValue(size_t capacity, int record, int field);

  struct Statistics {
    double minimum, maximum, sum = 0, sumOfSquares = 0;
  };
  Statistics FieldStatistics(int field);

  // --- The selection and the filters. ----------------------------------------------------
  // While useSelection is non-zero, record numbers are places in the selection.
  int32_t useSelection = 0;
  RecordSelection selection;
  RecordFilters filters;
  // Whether a record passes the filters; nullopt when they cannot be resolved (reported).
  std::optional<bool> EvaluateFilters(int record) { return filters.Evaluate(*this, record); }
  // The filters report their faults through the runtime's reporter.
  Runtime& runtime() { return runtime_; }

  // The field a choice list shows: the page's database object names it.
  int32_t listField = 0;
  // The record the learner picked last in a choice list (-1: none); field displays show it.
  int32_t currentRecord = -1;

  // --- The keyword search. ---------------------------------------------------------------
  KeywordSearch& keywords() { return keywords_; }

  // --- Page objects. ---------------------------------------------------------------------
  void PageHasKeywordHotspot(uint32_t keywordPage);
  bool KeywordSearchPageIs(uint32_t pageNumber) const;
  void ResetKeywordConditions();
  // A keyword hotspot (page-order index `object`, `ordinal` among the page's keyword hotspots).
  void KeywordHotspotClicked(int object, uint32_t ordinal);
  // Draws a record display, field display or keyword hotspot (record_display.h). A field
  // display lets go of the records it read, as every script command does.
  void DrawDisplay(Canvas& canvas, const PageObject& object, const Rect& box, const Rect& visible);

 private:
  bool Open(DatabaseFolder folder, std::string_view describeBytes, const std::string& name);
  // Reads `length` bytes at `offset` of a file of the folder; "generr4" when it is not there
  // and "generr6" when it is short, with the file's path.
  std::optional<std::string> ReadReported(FolderFile file, uint64_t offset, size_t length);
  std::optional<int> RecordIndex(int record) const;

  Runtime& runtime_;
  std::string name_;
  DatabaseFolder folder_;
  std::optional<DescribeFile> describe_;
  int resourceSlot_ = -1;
  std::string resourceName_;  // what the slot held when the database was opened
  // The record window: a run of records read together, and the first of them (-1: empty).
  std::vector<uint8_t> window_;
  int windowFirst_ = -1;
  int windowCount_ = 0;
  // GRAPHICS entries, read once per database (nullopt: not read yet).
  std::optional<std::vector<GraphicEntry>> graphics_;
  // Keyword lists by field, read from TOKEN on first use.
  std::vector<std::optional<std::vector<std::string>>> keywordNames_;
  std::optional<DatabasePicture> picture_;
  KeywordSearch keywords_;
};

}  // namespace zd
