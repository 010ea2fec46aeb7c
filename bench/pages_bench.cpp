// Pages: repainting a page of 40 objects and the demo's contents page (against a memcpy of the
// page, so the figure holds across machines), changing between two pages of 100 objects whose
// pictures stay cached, and a scheduler tick with a full queue of timed events.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>
#include <memory>
#include <sstream>
#include <string>

#include "bench_title.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_codec.h"
#include "runtime.h"
#include "titlekit/description_json.h"
#include "titlekit/title_writer.h"

namespace {

namespace fs = std::filesystem;

// A 48x48 picture: a disc with a soft colour ramp, transparent around it.

std::string Objects(int rectangles, int pictures) {
  std::ostringstream out;
  for (int i = 0; i < rectangles + pictures; ++i) {
    const int x = (i * 37) % 560, y = (i * 53) % 400;
    if (i) out << ",\n";
    out << R"({"name": ")" << (i < rectangles ? 'R' : 'S') << i << R"(", "pixels": [)" << x
        << ", " << y << ", " << x + 80 << ", " << y + 60 << "], ";
    if (i < rectangles) {
      out << R"("plot": ")" << (i % 4 == 3 ? "xor" : "copy") << R"(", "colour": "#)"
          << (i % 2 ? "3060C0" : "C08030") << R"("})";
    } else {
      out << R"("type": "sprite", "resource": [1, )" << 1 + i % 4 << "]}";
    }
  }
  return out.str();
}

// A title of three pages (40 objects; two of 100) with four picture resources, and a runtime
// started on it over the headless platform.
class PagesFixture {
 public:
  PagesFixture()
      : title_("pages",
               R"([{"name": "Forty", "background": "#000000", "objects": [)" + Objects(25, 15) +
                   R"(]},
        {"name": "HundredA", "background": "#000000", "objects": [)" + Objects(70, 30) + R"(]},
        {"name": "HundredB", "background": "#000000", "objects": [)" + Objects(60, 40) + "]}]",
               R"([{"name": "Root", "page": "Forty", "children": [
        {"name": "A", "page": "HundredA"}, {"name": "B", "page": "HundredB"}]}])") {}
  zd::Runtime& runtime() { return title_.runtime(); }

 private:
  zd::bench::BenchTitle title_;
};

void BM_RepaintPageOf40Objects(benchmark::State& state) {
  PagesFixture f;
  zd::Runtime& r = f.runtime();
  for (auto _ : state) {
    r.shell.window().InvalidateAll(true);
    r.shell.PaintNow();
  }
}
BENCHMARK(BM_RepaintPageOf40Objects)->Unit(benchmark::kMicrosecond);

// The same page drawn into a canvas of its own, as page pictures, printing and exports draw it:
// nothing marked, nothing fired.
void BM_ComposePageOf40ObjectsIntoItsOwnCanvas(benchmark::State& state) {
  PagesFixture f;
  zd::Runtime& r = f.runtime();
  zd::Canvas picture(640, 480);
  const std::vector<zd::Rect> whole{{0, 0, 640, 480}};
  for (auto _ : state) {
    benchmark::DoNotOptimize(r.pages.ComposePage(picture, whole, zd::PaintSettings{}));
  }
}
BENCHMARK(BM_ComposePageOf40ObjectsIntoItsOwnCanvas)->Unit(benchmark::kMicrosecond);

void BM_PageChangeBetweenPagesOf100Objects(benchmark::State& state) {
  PagesFixture f;
  zd::Runtime& r = f.runtime();
  r.pages.GotoSection(1);
  r.shell.PaintNow();
  uint32_t next = 2;
  for (auto _ : state) {
    r.pages.GotoSection(next);  // the pictures are found in the cache again
    r.shell.PaintNow();
    next = next == 1 ? 2 : 1;
  }
}
BENCHMARK(BM_PageChangeBetweenPagesOf100Objects)->Unit(benchmark::kMicrosecond);

// The demo's contents page (a full-page picture, eight cards, texts), repainted whole as the
// screen's paint does it, presentation included.
void BM_RepaintDemoContentsPage(benchmark::State& state) {
  zd::Trace trace;
  auto platform = zd::platform::MakeHeadlessPlatform({}, trace, nullptr);
  zd::RuntimeConfig config;
  config.commandLine = ZD_DEMO_TITLE;
  config.messagesPath = "/nonexistent";
  zd::Runtime r(*platform, trace, config);
  r.shell.StartUp();
  r.shell.window().Dispatch(zd::WindowMessage{zd::Msg::ShowFirstPage});
  r.shell.PaintNow();
  if (r.pages.CurrentPageName() != "Contents") {
    state.SkipWithError("the demo title is not built");
    return;
  }
  for (auto _ : state) {
    r.shell.window().InvalidateAll(true);
    r.shell.PaintNow();
  }
}
BENCHMARK(BM_RepaintDemoContentsPage)->Unit(benchmark::kMicrosecond);

// The yardstick: one memcpy of a 640x480 page of 8-bit pixels.
void BM_MemcpyOfA640x480Page(benchmark::State& state) {
  std::vector<uint8_t> from(640 * 480, 7), to(640 * 480);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyOfA640x480Page)->Unit(benchmark::kMicrosecond);

void BM_SchedulerTickWith50QueuedEvents(benchmark::State& state) {
  PagesFixture f;
  zd::Scheduler& scheduler = f.runtime().scheduler;
  scheduler.ClearEvents();
  for (int i = 0; i < zd::kEventPoolSize; ++i) {
    scheduler.QueueEvent(zd::timed_event::HIDE_AFTER_DELAY, i % 40, 100000 + i);
  }
  for (auto _ : state) scheduler.Tick();
  state.counters["queued"] = scheduler.queuedCount();
}
BENCHMARK(BM_SchedulerTickWith50QueuedEvents)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
