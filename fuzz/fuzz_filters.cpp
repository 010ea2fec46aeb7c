// Filters over a fixed small database, opened once by a runtime over the headless platform
// (trace off, reports as bare keys): the input is either a word-matcher case or filter lines.
//
// Input: a first byte, then the rest.
//   - an even first byte: the word matcher. Its bits 1-4 are the options (case, whole words,
//     wildcards, first only); the rest is the text, a NUL, then the word. The count must not
//     exceed the text's length (one per character at most).
//   - an odd first byte: script lines run in the runtime, keeping only the lines that begin with
//     addfilter, delfilter, applyfilters, shufflesel, clearselection, set or getdata (no other
//     command has anything to do with filters). Then the status lines of the filters and the
//     selection are written and replayed twice; the second replay must write the lines the
//     first wrote.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "database/database.h"
#include "database/word_matcher.h"
#include "headless_runtime.h"
#include "script/filter_commands.h"
#include "titlekit/database_description.h"
#include "titlekit/database_values.h"
#include "titlekit/title_writer.h"

namespace {

namespace fs = std::filesystem;
using zd::titlekit::Json;

constexpr const char* kTowns = R"({"title": "Towns", "fields": [
    {"name": "Place", "type": "text", "width": 24},
    {"name": "People", "type": "integer"},
    {"name": "Rain", "type": "real"},
    {"name": "Founded", "type": "date", "twoDigitYear": true},
    {"name": "Coastal", "type": "yesno", "labels": ["Yes", "No"]},
    {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill", "sea"]},
    {"name": "Height", "type": "byte"},
    {"name": "Story", "type": "longtext"},
    {"name": "Where", "type": "coordinates"},
    {"name": "Code", "type": "number"},
    {"name": "Kinds", "type": "categories", "keywords": ["town", "village"]}]})";

struct Fixture {
  fs::path dir;
  std::unique_ptr<zd::HeadlessRuntime> headless;

  Fixture() {
    char pattern[] = "/tmp/zd-fuzz-filters-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    dir = pattern;
    zd::titlekit::Database towns = zd::titlekit::ParseDatabase(Json::parse(kTowns), "", dir);
    const char* const places[] = {"Paris, France", "Lyon", "Madrid, Spain",
                                  "nice",          "",     "Vigo-Spain"};
    for (int r = 0; r < 40; ++r) {
      const Json values = Json::array({places[r % 6], r * 37 - 100, r * 1.25,
                                       "1996-02-" + std::to_string(1 + r % 28), r % 3 == 0,
                                       Json::array({r % 2 ? "river" : "sea"}), r * 6,
                                       r % 4 ? "The committee met in the hall." : "",
                                       Json::array({r, -r}), r, Json::array({"town"})});
      zd::titlekit::DatabaseRecord record;
      for (size_t f = 0; f < towns.fields.size(); ++f) {
        record.push_back(zd::titlekit::CellFromJson(towns.fields[f], values[f], "records"));
      }
      towns.records.push_back(std::move(record));
    }
    zd::titlekit::WriteDatabaseFolder(towns, dir / "TOWNS");
    zd::RuntimeConfig config;
    config.messagesPath = "/nonexistent/MESSAGES.TXT";
    headless = std::make_unique<zd::HeadlessRuntime>(config);
  }
  zd::Runtime& runtime() { return *headless->runtime; }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

bool Kept(const std::string& line) {
  for (const char* command : {"addfilter", "delfilter", "applyfilters", "shufflesel",
                              "clearselection", "set ", "getdata"}) {
    if (line.rfind(command, 0) == 0) return true;
  }
  return false;
}

void Run(zd::Runtime& runtime, const std::string& text) {
  zd::script::ScriptSource source;
  source.name.Assign("+Fuzz");
  source.text = text;
  runtime.script.RunScript(source, 0, 1, false);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((data[0] & 1) == 0) {
    const size_t nul = rest.find('\0');
    const std::string text = rest.substr(0, nul);
    const std::string word = nul == std::string::npos ? "" : rest.substr(nul + 1);
    const zd::WordMatchOptions options{(data[0] & 2) != 0, (data[0] & 4) != 0, (data[0] & 8) != 0,
                                       (data[0] & 16) != 0};
    const int count = zd::CountWordMatches(text, word, options);
    if (count < 0 || size_t(count) > text.size()) std::abort();
    return 0;
  }

  Fixture& fixture = Shared();
  zd::Runtime& runtime = fixture.runtime();
  zd::Database& database = runtime.database;
  database.useSelection = 0;
  database.filters.Clear();
  database.selection.Clear();
  if (!database.IsOpen() && !database.OpenDatabase((fixture.dir / "TOWNS").string(), "TOWNS")) {
    std::abort();
  }
  std::istringstream in(rest);
  std::string line, script;
  while (std::getline(in, line)) {
    if (Kept(line)) script += line + "\n";
  }
  Run(runtime, script);
  database.useSelection = 0;
  // The status lines replayed rebuild what they describe: once replayed (which checks an
  // unchecked list and sorts it), replaying their lines again writes the same lines.
  Run(runtime, Joined(zd::script::FilterStatusLines(database)));
  const auto lines = zd::script::FilterStatusLines(database);
  Run(runtime, Joined(lines));
  const auto again = zd::script::FilterStatusLines(database);
  if (again != lines) {
    std::fprintf(stderr, "status lines:\n%s\nwritten again:\n%s", Joined(lines).c_str(),
                 Joined(again).c_str());
    std::abort();
  }
  return 0;
}
