// Databases: a database of 65,535 records of 200 bytes (every kind of field a title uses)
// opened and every field of every record read, every value made into its text form, and the
// record window the player reads DATA through against reading DATA whole.
//
// The folder is written once for the run by the titlekit writer (as zdbuild --database writes
// it) into a temporary folder, and read over the headless platform with the trace off.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include "base/cp1253.h"
#include "database/database.h"
#include "database/filter_pass.h"
#include "headless_runtime.h"
#include "written_database.h"

namespace {

using zd::titlekit::Json;

constexpr int kRecords = 65535;
// What `getdata` asks FormatFieldValue for (script/database_commands.cpp).
constexpr size_t kValueTextCapacity = 10241;

// Fifteen fields, 200 bytes a record: three texts (40 + 24 + 62), a picture name (32), a long
// text (8), and byte, integer, real, decimal, date, yes/no, keywords, categories, coordinates
// and number fields (1 + 4 + 4 + 4 + 4 + 1 + 4 + 4 + 4 + 4).
constexpr const char* kFields = R"({"title": "Atlas", "explain": "Places of the country",
  "fields": [
    {"name": "Name", "type": "text", "width": 40, "explain": "What the place is called"},
    {"name": "Region", "type": "text", "width": 24},
    {"name": "Height", "type": "byte", "units": "m"},
    {"name": "People", "type": "integer", "units": "people"},
    {"name": "Rain", "type": "real", "units": "mm"},
    {"name": "Area", "type": "decimal", "units": "km²"},
    {"name": "Founded", "type": "date"},
    {"name": "Coastal", "type": "yesno", "labels": ["Ναι", "Όχι"]},
    {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill", "wood",
      "sea", "castle", "church", "bridge", "harbour", "mine", "spring", "cave"]},
    {"name": "Kind", "type": "categories", "keywords": ["city", "town", "village", "hamlet",
      "island", "monastery"]},
    {"name": "Picture", "type": "picture", "width": 32},
    {"name": "History", "type": "longtext", "explain": "A few lines about its past"},
    {"name": "Where", "type": "coordinates"},
    {"name": "Code", "type": "number"},
    {"name": "Notes", "type": "text", "width": 62}
  ],
  "pictures": [{"name": "coast"}, {"name": "hills"}, {"name": "plain"}, {"name": "town"},
               {"name": "island"}, {"name": "river"}, {"name": "castle"}, {"name": "harbour"}]})";

const char* const kWords[] = {"Άγιος", "Νέα", "Πάνω", "Κάτω", "Μεγάλη", "Μικρή", "Παλαιά",
                              "Λίμνη", "Βουνό", "Κάμπος", "Ποταμός", "Ακτή", "Spring", "Mill",
                              "Stone", "Bay", "Ridge", "Vale", "Ford", "Cross"};

uint32_t Next(uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  return seed >> 8;
}

std::string Words(uint32_t& seed, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += ' ';
    text += kWords[Next(seed) % std::size(kWords)];
  }
  return text;
}

// One record's values in their description forms; about one in ten numbers is unknown and one
// in four places has no long text, as a gazetteer's records have.
Json RecordValues(uint32_t& seed) {
  const uint32_t r = Next(seed);
  Json features = Json::array();
  const char* const names[] = {"river", "lake", "hill", "wood", "sea", "castle"};
  for (int i = 0; i < 6; ++i) {
    if ((r >> i) & 1u) features.push_back(names[i]);
  }
  const int history = r % 4 == 0 ? 0 : 8 + int(Next(seed) % 40);
  return Json::array({
      Words(seed, 3),                                              // Name
      Words(seed, 2),                                              // Region
      Next(seed) % 256,                                            // Height
      r % 10 == 0 ? Json() : Json(int(Next(seed) % 900000)),      // People
      r % 10 == 1 ? Json() : Json(double(Next(seed) % 20000) / 8),  // Rain
      double(Next(seed) % 100000) / 100,                           // Area
      std::to_string(1200 + Next(seed) % 800) + "-" + std::to_string(1 + Next(seed) % 12) +
          "-" + std::to_string(1 + Next(seed) % 28),               // Founded
      (r >> 8) % 3 == 0,                                           // Coastal
      features,                                                    // Features
      Json::array({(r >> 12) % 2 ? "town" : "village"}),           // Kind
      Json::array({"coast", "hills", "plain", "town", "island", "river", "castle",
                   "harbour"})[(r >> 16) % 8],                     // Picture
      Words(seed, history),                                        // History
      Json::array({int(Next(seed) % 2000) - 1000, int(Next(seed) % 2000) - 1000}),  // Where
      int(Next(seed) % 100000) - 50000,                            // Code
      Words(seed, 4),                                              // Notes
  });
}

// The database folder, written once for the run and removed at its end.
const zd::bench::WrittenDatabase& Atlas() {
  static uint32_t seed = 1;
  static const zd::bench::WrittenDatabase folder(kFields, "ATLAS", kRecords,
                                                 [](int) { return RecordValues(seed); });
  return folder;
}

using zd::bench::NoMessages;

// Every field's value read by the layout reader of its kind, folded into a sum so that none
// of the reads can be left out.
uint64_t ReadEveryField(zd::ByteView record, const zd::DescribeFile& describe) {
  namespace type = zd::field_type;
  uint64_t sum = 0;
  for (const zd::FieldDescriptor& f : describe.fields) {
    switch (f.type) {
      case type::BYTE:
      case type::YES_NO:
      case type::KEYWORDS:
      case type::CATEGORIES:
        sum += zd::ReadUnsigned(record, f).value_or(0);
        break;
      case type::INTEGER:
      case type::NUMBER:
        sum += uint32_t(zd::ReadInteger(record, f).value_or(0));
        break;
      case type::REAL:
      case type::DECIMAL:
        sum += uint64_t(zd::ReadReal(record, f).value_or(0) > 0);
        break;
      case type::DATE:
        sum += zd::ReadDate(record, f).value_or(zd::DateValue{}).month;
        break;
      case type::TEXT:
      case type::PICTURE:
        sum += zd::ReadText(record, f).value_or("").size();
        break;
      case type::LONG_TEXT:
        sum += zd::ReadLongTextRef(record, f).value_or(zd::LongTextRef{}).length;
        break;
      case type::COORDINATES:
        sum += uint16_t(zd::ReadCoordinates(record, f).value_or(std::pair<int16_t, int16_t>{}).first);
        break;
      default:
        break;
    }
  }
  return sum;
}

// Open, every field of every record read once through the record window, close.
void BM_OpenAndReadEveryFieldOf65535Records(benchmark::State& state) {
  const std::string path = Atlas().path();
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  for (auto _ : state) {
    if (!database.OpenDatabase(path, "ATLAS")) {
      state.SkipWithError("the database did not open");
      return;
    }
    uint64_t sum = 0;
    const int count = database.RecordCount();
    for (int r = 0; r < count; ++r) {
      sum += ReadEveryField(database.GetRecord(r), *database.describe());
    }
    benchmark::DoNotOptimize(sum);
    database.CloseDatabase();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OpenAndReadEveryFieldOf65535Records)->Unit(benchmark::kMillisecond);

// Opens the benchmarks' database; false (and the benchmark skipped) when it does not open.
bool OpenAtlas(zd::Database& database, benchmark::State& state) {
  if (database.OpenDatabase(Atlas().path(), "ATLAS")) return true;
  state.SkipWithError("the database did not open");
  return false;
}

// The text form of every field of every record, as `getdata` into a text variable makes it.
void BM_FormatEveryFieldOf65535Records(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!OpenAtlas(database, state)) return;
  const int count = database.RecordCount(), fields = database.FieldCount();
  for (auto _ : state) {
    size_t bytes = 0;
    for (int r = 0; r < count; ++r) {
      for (int f = 0; f < fields; ++f) {
        bytes += database.FormatFieldValue(kValueTextCapacity, r, f).size();
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * int64_t(count) * fields);
  database.CloseDatabase();
}
BENCHMARK(BM_FormatEveryFieldOf65535Records)->Unit(benchmark::kMillisecond);

// The same for one field at a time (the argument is the field's number, the label its name):
// where the time of the text forms goes.
void BM_FormatOneFieldOf65535Records(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!OpenAtlas(database, state)) return;
  const int count = database.RecordCount(), field = int(state.range(0));
  for (auto _ : state) {
    size_t bytes = 0;
    for (int r = 0; r < count; ++r) {
      bytes += database.FormatFieldValue(kValueTextCapacity, r, field).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetLabel(database.GetFieldDescriptor(field).name);
  state.SetItemsProcessed(state.iterations() * int64_t(count));
  database.CloseDatabase();
}
BENCHMARK(BM_FormatOneFieldOf65535Records)->DenseRange(0, 14)->Unit(benchmark::kMillisecond);

// Every record through the record window (refilled every 102 records of 200 bytes), the
// database open: the window's share of the first measure.
void BM_RecordWindowEveryRecord(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!OpenAtlas(database, state)) return;
  const int count = database.RecordCount();
  for (auto _ : state) {
    database.Release();  // as each script command leaves it
    uint64_t sum = 0;
    for (int r = 0; r < count; ++r) sum += database.GetRecord(r).data()[0];
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(count) * 200);
  database.CloseDatabase();
}
BENCHMARK(BM_RecordWindowEveryRecord)->Unit(benchmark::kMillisecond);

// The same from the last record to the first, as a list shown newest first reads them: a
// record before the window gets a window that ends with it.
void BM_RecordWindowEveryRecordBackwards(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!OpenAtlas(database, state)) return;
  const int count = database.RecordCount();
  for (auto _ : state) {
    database.Release();
    uint64_t sum = 0;
    for (int r = count - 1; r >= 0; --r) sum += database.GetRecord(r).data()[0];
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(count) * 200);
  database.CloseDatabase();
}
BENCHMARK(BM_RecordWindowEveryRecordBackwards)->Unit(benchmark::kMillisecond);

// The same records from DATA read whole in one read through the same open file: what the
// window would cost if it held the file.
void BM_WholeDataEveryRecord(benchmark::State& state) {
  zd::DatabaseFolder folder(Atlas().path(), "");
  const auto size = folder.Size(zd::FolderFile::DATA);
  if (!size) {
    state.SkipWithError("no DATA");
    return;
  }
  constexpr size_t kLength = 200;
  for (auto _ : state) {
    const auto data = folder.Read(zd::FolderFile::DATA, 0, size_t(*size));
    const zd::ByteView bytes(*data);
    uint64_t sum = 0;
    for (size_t r = 0; r < size_t(kRecords); ++r) {
      sum += bytes.Sub(zd::database_layout::kDataHeader + r * kLength, kLength)->data()[0];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kRecords) * 200);
}
BENCHMARK(BM_WholeDataEveryRecord)->Unit(benchmark::kMillisecond);

// `applyfilters` with four filters on four fields (a number range, a byte range, a word in a
// text without regard to case, a date with its day ignored) over every record, from an empty
// selection each time; the filters are resolved once, as a title applies a list it built.
void BM_ApplyFourFiltersTo65535Records(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!OpenAtlas(database, state)) return;
  const std::string script =
      "addfilter \"People\", \"many\", \"OR\", \">\", 0, 100000\n"
      "addfilter \"Height\", \"high\", \"AND\", \"RANGE\", 0, 20, 200\n"
      "addfilter \"Name\", \"lake\", \"AND\", \"!CONTAINS\", 3, \"" +
      zd::Utf8ToCp1253("λίμνη") + "\"\n"
      "addfilter \"Founded\", \"old\", \"AND\", \">\", 1, \"" +
      zd::FormatDate(zd::DateValue{1, 6, 1500, false}, 0) + "\"\n";
  zd::script::ScriptSource source;
  source.name.Assign("+Bench");
  source.text = script;
  h.runtime->script.RunScript(source, 0, 1, false);
  if (database.filters.size() != 4) {
    state.SkipWithError("the filters were not added");
    return;
  }
  size_t selected = 0;
  for (auto _ : state) {
    database.selection.Clear();
    database.Release();  // as every script command leaves it
    if (zd::ApplyFiltersToSelection(database, false) != zd::FilterPassResult::Applied) {
      state.SkipWithError("the filters failed");
      return;
    }
    selected = database.selection.size();
  }
  state.SetLabel(std::to_string(selected) + " selected");
  state.SetItemsProcessed(state.iterations() * int64_t(kRecords));
  database.CloseDatabase();
}
BENCHMARK(BM_ApplyFourFiltersTo65535Records)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
