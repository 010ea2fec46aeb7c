// The choice list: filled with one line per record of a database of 65,535 records (the open
// database, no keyword condition, every record passing the filters), and one frame of it drawn
// as a headless run draws it into the window picture.
//
// The database folder is written once for the run by the titlekit writer into a temporary
// folder and read over the headless platform with the trace off.
#include <benchmark/benchmark.h>

#include <string>

#include "database/database.h"
#include "database/record_list.h"
#include "written_database.h"
#include "headless_runtime.h"
#include "platform/list_control_painter.h"
#include "title/choice_list.h"

namespace {

using zd::titlekit::Json;

constexpr int kRecords = 65535;

constexpr const char* kFields = R"({"title": "Names",
  "fields": [
    {"name": "Name", "type": "text", "width": 40},
    {"name": "Height", "type": "integer", "units": "m"},
    {"name": "Features", "type": "keywords", "keywords": ["river", "lake", "hill"]}
  ]})";

// The folder, written once for the run.
const zd::bench::WrittenDatabase& Names() {
  static const zd::bench::WrittenDatabase folder(kFields, "NAMES", kRecords, [](int r) {
    return Json::array({"Τόπος " + std::to_string(r) + " Place of the plain", r % 3000,
                        Json::array({r % 2 ? "river" : "hill"})});
  });
  return folder;
}

using zd::bench::NoMessages;

// The lines made from the records, and the list given them, as the list window does it.
void BM_FillChoiceListOf65535Records(benchmark::State& state) {
  zd::HeadlessRuntime h(NoMessages());
  zd::Database& database = h.runtime->database;
  if (!database.OpenDatabase(Names().path(), "NAMES")) {
    state.SkipWithError("the database did not open");
    return;
  }
  for (auto _ : state) {
    database.Release();  // the record window read afresh, as a new page finds it
    zd::ChoiceList list(zd::Rect{100, 40, 400, 440});
    list.SetLines(zd::ListRecords(database, 0, h.runtime->shell.reporter()));
    if (list.count() != kRecords) {
      state.SkipWithError("not every record listed");
      return;
    }
    benchmark::DoNotOptimize(list.line(kRecords - 1).text.data());
  }
  database.CloseDatabase();
}
BENCHMARK(BM_FillChoiceListOf65535Records)->Unit(benchmark::kMillisecond);

// One frame: the visible lines of a 300 x 400 list (33 of 65,535, the thumb part way down)
// drawn over a 640 x 480 window picture.
void BM_DrawChoiceListFrame(benchmark::State& state) {
  zd::ChoiceList list(zd::Rect{100, 40, 400, 440});
  std::vector<zd::ChoiceLine> lines;
  lines.reserve(kRecords);
  for (int r = 0; r < kRecords; ++r) {
    lines.push_back({"\xd4\xfc\xf0\xef\xf2 " + std::to_string(r) + " Place of the plain", r});
  }
  list.SetLines(std::move(lines));
  list.Select(20000);
  zd::platform::ListControlView view;
  view.x = 100, view.y = 40, view.w = 300, view.h = 400;
  view.topLine = list.top();
  view.selectedLine = list.selected();
  view.lineCount = list.count();
  view.focused = true;
  view.scrollBarWidth = zd::kChoiceScrollBarWidth;
  list.Thumb(view.thumbTop, view.thumbHeight);
  for (int i = list.top(); i < list.top() + list.visibleLines(); ++i) view.lines.push_back(list.line(i).text);
  const std::vector<zd::platform::ListControlView> views{view};

  zd::platform::RgbImage picture;
  picture.width = 640;
  picture.height = 480;
  picture.rgb.assign(size_t(640) * 480 * 3, 0);
  zd::platform::ListControlPainter painter;
  painter.Draw(views, 0, 0, picture);  // the glyphs are rendered once, at the first frame
  for (auto _ : state) {
    painter.Draw(views, 0, 0, picture);
    benchmark::DoNotOptimize(picture.rgb.data());
  }
}
BENCHMARK(BM_DrawChoiceListFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
