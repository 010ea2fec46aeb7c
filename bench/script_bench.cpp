// Scripts, over the headless platform with the trace off:
// - lines per second of a 10,000-line page script of set, add and if/endif, prepared once and
//   run again and again (as a script object's text is), beside the same lines read afresh each
//   time they run; and the allocations made per run once the variables exist;
// - one pointer move as the player handles it (the main window's move message: the hit test
//   and every MouseMove handler) on a page of 100 objects whose "+Start" defines 16 handlers,
//   beside the same move with empty handler bodies and with no handlers;
// - the prepared form of 1 MB of script: its own count of bytes, the live heap it took (and the
//   most it held while being made), and the time to prepare it.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>
#include <string>

#include "bench_title.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_codec.h"
#include "runtime.h"
#include "titlekit/description_json.h"
#include "titlekit/title_writer.h"

// Every allocation counted, and the live heap kept in bytes as the allocator hands them out.
namespace {
std::atomic<uint64_t> allocations{0};
std::atomic<int64_t> liveBytes{0};
std::atomic<int64_t> peakBytes{0};  // the most live bytes since it was last set
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) {
    const int64_t live =
        liveBytes.fetch_add(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed) +
        static_cast<int64_t>(malloc_usable_size(p));
    int64_t peak = peakBytes.load(std::memory_order_relaxed);
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
    }
    return p;
  }
  throw std::bad_alloc();
}
// These are the replacements of the allocation functions: malloc and free are theirs to pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  if (p) liveBytes.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  if (p) liveBytes.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
  std::free(p);
}
#pragma GCC diagnostic pop

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 10000;

// Ten lines repeated: every kind of line a page script is made of, every one of them executed.
std::string BenchScript(int lines = kLines) {
  std::ostringstream out;
  for (int i = 0; i < lines / 10; ++i) {
    out << "set a%, " << i << "\n"
        << "add total%, total%, a%\n"
        << "if (a% >= 0)\n"
        << "  set speed, 2.5\n"
        << "  add distance, distance, speed\n"
        << "endif\n"
        << "set name$, \"Ada\"\n"
        << "if (name$ == \"Ada\")\n"
        << "  add count%, count%, 1   | counted\n"
        << "endif\n";
  }
  return out.str();
}

// --- Lines per second ----------------------------------------------------------------------

void RunLinesBenchmark(benchmark::State& state, zd::script::ScriptReading reading) {
  zd::Trace trace;
  zd::platform::HeadlessOptions options;
  auto platform = zd::platform::MakeHeadlessPlatform(options, trace, nullptr);
  zd::Runtime runtime(*platform, trace, zd::RuntimeConfig{});
  runtime.shell.ReadCommandLine();
  runtime.script.SetScriptReading(reading);
  const auto setUp = runtime.script.Prepare("set total%, 0\nset distance, 0\nset count%, 0\n");
  runtime.script.RunPrepared(*setUp, "+Start", 0, 1, false);  // the variables are made once
  const std::string text = BenchScript();
  const auto prepared = runtime.script.Prepare(text);
  runtime.script.RunPrepared(*prepared, "+Start", 0, 1, false);
  const uint64_t before = allocations.load();
  int64_t runs = 0;
  for (auto _ : state) {
    runtime.script.RunPrepared(*prepared, "+Start", 0, 1, false);
    ++runs;
  }
  state.SetItemsProcessed(runs * kLines);
  state.counters["allocations_per_run"] =
      runs ? static_cast<double>(allocations.load() - before) / static_cast<double>(runs) : 0;
  state.counters["time_per_line"] = benchmark::Counter(
      static_cast<double>(runs) * kLines,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ScriptLines(benchmark::State& state) {
  RunLinesBenchmark(state, zd::script::ScriptReading::Prepared);
}
BENCHMARK(BM_ScriptLines)->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_ScriptLinesReadAfresh(benchmark::State& state) {
  RunLinesBenchmark(state, zd::script::ScriptReading::Afresh);
}
BENCHMARK(BM_ScriptLinesReadAfresh)->Iterations(100)->Unit(benchmark::kMillisecond);

// --- Pointer moves and MouseMove handlers ----------------------------------------------------


// 100 objects over the page: rectangles (copy and xor), hotspots and pictures, overlapping.
std::string HundredObjects() {
  std::ostringstream out;
  for (int i = 0; i < 100; ++i) {
    const int x = (i * 37) % 560, y = (i * 53) % 400;
    if (i) out << ",\n";
    const char kind = i % 10 < 6 ? 'R' : i % 10 < 8 ? 'H' : 'S';
    out << R"({"name": ")" << kind << i << R"(", "pixels": [)" << x << ", " << y << ", " << x + 80
        << ", " << y + 60 << "], ";
    if (kind == 'R') {
      out << R"("plot": ")" << (i % 4 == 3 ? "xor" : "copy") << R"(", "colour": "#)"
          << (i % 2 ? "3060C0" : "C08030") << R"("})";
    } else if (kind == 'H') {
      out << R"("type": "hotspot"})";
    } else {
      out << R"("type": "sprite", "resource": [1, )" << 1 + i % 4 << "]}";
    }
  }
  return out.str();
}

enum class HandlerBodies { Full, FullReadingMouseX, Empty, None };

// The "+Start" script: 16 MouseMove handlers, each body five lines (or none), then a line that
// shows the script ran to its end.
std::string StartScript(HandlerBodies bodies) {
  std::ostringstream out;
  out << "set a%, 0\nset b%, 0\nset c%, 0\nset moves%, 0\n";
  if (bodies != HandlerBodies::None) {
    for (int n = 1; n <= 16; ++n) {
      out << "defhandler \"h" << n << "\", \"MouseMove\", 1\n";
      if (bodies == HandlerBodies::Full) {
        out << "set a%, " << n << "\n"
            << "add b%, b%, a%\n"
            << "if (b% > 100000)\n"
            << "  set b%, 0\n"
            << "endif\n";
      } else if (bodies == HandlerBodies::FullReadingMouseX) {
        out << "set a%, MouseX%\n"
            << "add b%, b%, a%\n"
            << "if (b% > 100000)\n"
            << "  set b%, 0\n"
            << "endif\n";
      }
      out << "endhandler\n";
    }
  }
  out << "set started%, 1\n";
  return out.str();
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

// A one-page title of 100 objects and the "+Start" script, started over the headless platform.
class PointerFixture {
 public:
  explicit PointerFixture(HandlerBodies bodies)
      : title_("pointer",
               R"([{"name": "Moves", "background": "#000000", "objects": [)" + HundredObjects() +
                   R"(, {"name": "+Start", "type": "text", "text": )" +
                   JsonString(StartScript(bodies)) + "}]}]",
               R"([{"name": "Root", "page": "Moves"}])") {}
  zd::Runtime& runtime() { return title_.runtime(); }
  bool Started() {
    const auto started = runtime().script.ProbeVariable("started%");
    return started && started->number == 1;
  }

 private:
  zd::bench::BenchTitle title_;
};

zd::WindowMessage MoveTo(int x, int y) {
  zd::WindowMessage m;
  m.id = zd::Msg::MouseMove;
  m.x = x;
  m.y = y;
  return m;
}

// The move message goes where the player's message loop sends a translated pointer event: the
// main window, then pointer tracking, the MouseMove handlers and the object under the pointer.
// Two positions over different objects take turns, so every move is a real change.
void PointerMoves(benchmark::State& state, HandlerBodies bodies) {
  PointerFixture f(bodies);
  zd::Runtime& r = f.runtime();
  if (!f.Started()) {
    state.SkipWithError("the title's +Start did not run to its end");
    return;
  }
  const zd::WindowMessage moves[2] = {MoveTo(45, 35), MoveTo(200, 280)};
  auto& window = r.shell.window();
  window.Dispatch(moves[0]);
  window.Dispatch(moves[1]);
  const int underFirst = r.pages.ObjectAt(45, 35), underSecond = r.pages.ObjectAt(200, 280);
  const uint64_t before = allocations.load();
  int64_t count = 0;
  for (auto _ : state) {
    window.Dispatch(moves[count & 1]);
    ++count;
  }
  state.counters["allocations_per_move"] =
      count ? static_cast<double>(allocations.load() - before) / static_cast<double>(count) : 0;
  state.counters["object_under_first"] = underFirst;
  state.counters["object_under_second"] = underSecond;
  int32_t b = 0;
  r.script.GetIntVariable("b%", b);
  benchmark::DoNotOptimize(b);
}

void BM_PointerMoveHandlers(benchmark::State& state) { PointerMoves(state, HandlerBodies::Full); }
BENCHMARK(BM_PointerMoveHandlers)->Unit(benchmark::kMicrosecond);

void BM_PointerMoveHandlersReadingMouseX(benchmark::State& state) {
  PointerMoves(state, HandlerBodies::FullReadingMouseX);
}
BENCHMARK(BM_PointerMoveHandlersReadingMouseX)->Unit(benchmark::kMicrosecond);

void BM_PointerMoveEmptyHandlers(benchmark::State& state) {
  PointerMoves(state, HandlerBodies::Empty);
}
BENCHMARK(BM_PointerMoveEmptyHandlers)->Unit(benchmark::kMicrosecond);

void BM_PointerMoveNoHandlers(benchmark::State& state) { PointerMoves(state, HandlerBodies::None); }
BENCHMARK(BM_PointerMoveNoHandlers)->Unit(benchmark::kMicrosecond);

// The hit test alone, at the same two positions: what a move costs before any script runs.
void BM_PointerHitTestOf100Objects(benchmark::State& state) {
  PointerFixture f(HandlerBodies::None);
  zd::Runtime& r = f.runtime();
  int64_t count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(count & 1 ? r.pages.ObjectAt(200, 280) : r.pages.ObjectAt(45, 35));
    ++count;
  }
}
BENCHMARK(BM_PointerHitTestOf100Objects)->Unit(benchmark::kMicrosecond);

// --- The prepared form of 1 MB of script -----------------------------------------------------

constexpr size_t kMegabyte = size_t(1) << 20;

std::string RepeatedTo1MB(const std::string& unit) {
  std::string text;
  if (unit.empty()) return text;
  text.reserve(kMegabyte + unit.size());
  while (text.size() < kMegabyte) text += unit;
  return text;
}

// Every script of the demo titles (the text objects named "+..."), one after another.
std::string DemoScripts() {
  std::string scripts;
  for (const char* file : {"title.json", "pond.json"}) {
    const fs::path path = fs::path(ZD_DEMO_SOURCE) / file;
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    std::ostringstream json;
    json << in.rdbuf();
    try {
      const auto description = zd::titlekit::ParseDescriptionText(json.str(), path.parent_path());
      for (const auto& title : description.titles) {
        for (const auto& page : title.authorfile.pages) {
          for (const auto& object : page.objects) {
            if (object.name.empty() || object.name[0] != '+' || object.text.empty()) continue;
            scripts += object.text;
            if (scripts.back() != '\n') scripts += '\n';
          }
        }
      }
    } catch (const std::exception&) {
      continue;  // a description this benchmark cannot read: its scripts are left out
    }
  }
  return scripts;
}

void PreparedMemory(benchmark::State& state, const std::string& text) {
  if (text.empty()) {
    state.SkipWithError("no script text (the demo descriptions are absent)");
    return;
  }
  zd::Trace trace;
  auto platform = zd::platform::MakeHeadlessPlatform({}, trace, nullptr);
  zd::Runtime runtime(*platform, trace, zd::RuntimeConfig{});
  runtime.shell.ReadCommandLine();
  size_t memoryBytes = 0, lines = 0;
  int64_t heapGrowth = 0, peakGrowth = 0;
  for (auto _ : state) {
    const int64_t before = liveBytes.load();
    peakBytes.store(before);
    auto prepared = runtime.script.Prepare(text);
    heapGrowth = liveBytes.load() - before;
    peakGrowth = peakBytes.load() - before;
    memoryBytes = prepared->MemoryBytes();
    lines = prepared->lineCount();
    state.PauseTiming();
    prepared.reset();  // freeing is not part of preparing
    state.ResumeTiming();
  }
  const double textBytes = static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["text_bytes"] = textBytes;
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["memory_bytes"] = static_cast<double>(memoryBytes);
  state.counters["heap_growth_bytes"] = static_cast<double>(heapGrowth);
  state.counters["heap_per_text_byte"] = static_cast<double>(heapGrowth) / textBytes;
  // The most the heap held above its start while the text was being prepared.
  state.counters["heap_peak_growth_bytes"] = static_cast<double>(peakGrowth);
}

void BM_PreparedScriptMemory(benchmark::State& state) {
  static const std::string text = RepeatedTo1MB(BenchScript());
  PreparedMemory(state, text);
}
BENCHMARK(BM_PreparedScriptMemory)->Unit(benchmark::kMillisecond);

void BM_PreparedScriptMemoryDemoScripts(benchmark::State& state) {
  static const std::string text = RepeatedTo1MB(DemoScripts());
  PreparedMemory(state, text);
}
BENCHMARK(BM_PreparedScriptMemoryDemoScripts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
