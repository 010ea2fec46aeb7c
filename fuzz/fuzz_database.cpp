// A database folder opened by a runtime over the headless platform (trace off, one runtime for
// every run) and read the way scripts and database objects read it: every field of the records
// in their text forms and through the layout readers, long texts, statistics of numeric fields,
// keyword names, explain texts and each picture a picture field names; then closed.
//
// The input is the six files of the folder. It starts with six 32-bit little-endian lengths,
// for DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT and GRAPHICS in that order, and the files' bytes
// follow one after another in the same order:
//   - a length with its top bit set leaves that file out of the folder;
//   - a length longer than what is left of the input takes what is left;
//   - a length word the input is too short to hold counts as 0 (an empty file).
// fuzz/make-seeds.sh packs folders written by zdbuild into this form.
//
// A database may hold 65,535 records of up to 255 fields, far more than a run can read in a
// few milliseconds: when records x fields passes kValueBudget, evenly spaced records are read
// (always the first and the last), and statistics are taken while they cost under
// kStatisticsBudget record reads. Reading every record does nothing the sampled ones do not.
#include <sys/stat.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/trace.h"
#include "database/database.h"
#include "headless_runtime.h"

namespace {

constexpr const char* kFileNames[] = {"DESCRIBE", "DATA", "EXPLAIN", "TOKEN", "FREETEXT", "GRAPHICS"};
constexpr size_t kFiles = 6;
constexpr uint32_t kAbsent = 0x80000000u;
constexpr size_t kValueBudget = 8192;
constexpr size_t kStatisticsBudget = 1 << 18;
// What `getdata` asks FormatFieldValue for, and the explain capacity of `showexplain`.
constexpr size_t kValueTextCapacity = 10241;
constexpr size_t kExplainCapacity = 2048;

std::string folder;  // the database folder, rewritten by every run

// Reports show their bare keys: there is no messages file.
zd::RuntimeConfig BareKeys() {
  zd::RuntimeConfig config;
  config.messagesPath = "/nonexistent/MESSAGES.TXT";
  return config;
}

uint32_t LengthWord(const uint8_t* data, size_t size, size_t index) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) {
    const size_t at = index * 4 + i;
    if (at < size) value |= uint32_t(data[at]) << (8 * i);
  }
  return value;
}

// Writes the input's six files into the folder, removing those the input leaves out.
void WriteFolder(const uint8_t* data, size_t size) {
  size_t at = kFiles * 4 < size ? kFiles * 4 : size;
  for (size_t i = 0; i < kFiles; ++i) {
    const std::string path = folder + "/" + kFileNames[i];
    const uint32_t length = LengthWord(data, size, i);
    if (length & kAbsent) {
      std::remove(path.c_str());
      continue;
    }
    const size_t take = std::min<size_t>(length, size - at);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();  // the scratch folder is gone: nothing below would mean anything
    if (take && std::fwrite(data + at, 1, take, file) != take) std::abort();
    std::fclose(file);
    at += take;
  }
}

// Every value of one field of one record, as each of its readers gives it.
void ReadField(zd::Database& database, zd::ByteView record, int index) {
  namespace type = zd::field_type;
  const zd::FieldDescriptor& field = database.GetFieldDescriptor(index);
  volatile uint64_t sink = 0;
  switch (field.type) {
    case type::BYTE:
    case type::YES_NO:
    case type::KEYWORDS:
    case type::CATEGORIES:
      sink = sink + zd::ReadUnsigned(record, field).value_or(0);
      break;
    case type::INTEGER:
    case type::NUMBER:
      sink = sink + uint32_t(zd::ReadInteger(record, field).value_or(0));
      break;
    case type::REAL:
    case type::DECIMAL:
      sink = sink + uint64_t(zd::ReadReal(record, field).value_or(0) > 0);
      break;
    case type::DATE:
      sink = sink + zd::ReadDate(record, field).value_or(zd::DateValue{}).day;
      break;
    case type::TEXT:
      sink = sink + zd::ReadText(record, field).value_or("").size();
      break;
    case type::PICTURE: {
      const auto bytes = record.Sub(field.recordOffset, field.width);
      if (bytes) {
        const zd::DatabasePicture* picture = database.LoadGraphic(zd::PictureName(*bytes));
        if (picture && !picture->bytes.empty()) sink = sink + picture->bytes.back();
      }
      sink = sink + zd::ReadText(record, field).value_or("").size();
      break;
    }
    case type::LONG_TEXT:
      if (const auto ref = zd::ReadLongTextRef(record, field)) {
        sink = sink + database.ReadLongText(*ref, kValueTextCapacity - 1).size();
      }
      break;
    case type::COORDINATES:
      sink = sink + uint16_t(zd::ReadCoordinates(record, field)
                                 .value_or(std::pair<int16_t, int16_t>{})
                                 .second);
      break;
    default:
      break;
  }
}

void ReadRecord(zd::Database& database, int record) {
  if (database.GetRecord(record).empty()) return;
  for (int field = 0; field < database.FieldCount(); ++field) {
    const std::string text = database.FormatFieldValue(kValueTextCapacity, record, field);
    if (text.size() >= kValueTextCapacity) std::abort();  // past the capacity it was given
    // The text form has read the record into the window, where the readers find it.
    const zd::ByteView bytes = database.GetRecord(record);
    if (bytes.empty()) return;
    if (bytes.size() != database.describe()->recordLength) std::abort();
    ReadField(database, bytes, field);
  }
}

char scratch[] = "/tmp/zd-fuzz-database-XXXXXX";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The folder, and the settings a report might write, stay inside a folder of this run, gone
  // when the run ends normally (a run that stops on a fault leaves it, with the files of the
  // input that made it stop).
  if (!mkdtemp(scratch)) std::abort();
  setenv("XDG_CONFIG_HOME", scratch, 1);
  setenv("XDG_DATA_HOME", scratch, 1);
  folder = std::string(scratch) + "/ATLAS";
  if (mkdir(folder.c_str(), 0700) != 0) std::abort();
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zd::HeadlessRuntime run(BareKeys());
  WriteFolder(data, size);
  zd::Database& database = run.runtime->database;
  if (!database.OpenDatabase(folder, "ATLAS")) return 0;

  const int fields = database.FieldCount();
  const int records = database.RecordCount();
  (void)database.ReadExplainText(-1, kExplainCapacity);
  for (int field = 0; field < fields; ++field) {
    (void)database.ReadExplainText(field, kExplainCapacity);
    if (database.GetFieldDescriptor(field).IsKeywords()) (void)database.KeywordNames(field);
  }

  if (records > 0) {
    const size_t values = size_t(records) * size_t(fields > 0 ? fields : 1);
    const int step = values > kValueBudget ? int((values + kValueBudget - 1) / kValueBudget) : 1;
    for (int record = 0; record < records; record += step) ReadRecord(database, record);
    if ((records - 1) % step != 0) ReadRecord(database, records - 1);
    // As each script command ends: the window is emptied and read again.
    database.Release();
    ReadRecord(database, records / 2);
  }
  // Past the ends: nothing is read.
  if (!database.GetRecord(-1).empty() || !database.GetRecord(records).empty()) std::abort();
  if (!database.FormatFieldValue(kValueTextCapacity, 0, fields).empty()) std::abort();

  size_t statisticsReads = 0;
  for (int field = 0; field < fields; ++field) {
    if (!database.GetFieldDescriptor(field).IsNumeric()) continue;
    statisticsReads += size_t(records);
    if (statisticsReads > kStatisticsBudget) break;
    (void)database.FieldStatistics(field);
  }

  database.CloseDatabase();
  return 0;
}
