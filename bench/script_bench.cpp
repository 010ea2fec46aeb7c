// Scripts: a page script of 10,000 lines of set, add and if/endif, run again and again over the
// headless platform with the trace off; lines per second, and the allocations made per run
// once the variables exist (none are expected: lines are read in place, words and values live
// in fixed buffers).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>

#include "platform/headless/headless_platform.h"
#include "runtime.h"

namespace {
std::atomic<uint64_t> allocations{0};
}

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }

namespace {

constexpr int kLines = 10000;

// Ten lines repeated: every kind of line a page script is made of, every one of them executed.
std::string BenchScript() {
  std::ostringstream out;
  for (int i = 0; i < kLines / 10; ++i) {
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

void BM_ScriptLines(benchmark::State& state) {
  zd::Trace trace;
  zd::platform::HeadlessOptions options;
  auto platform = zd::platform::MakeHeadlessPlatform(options, trace, nullptr);
  zd::Runtime runtime(*platform, trace, zd::RuntimeConfig{});
  runtime.shell.ReadCommandLine();
  zd::script::ScriptSource source;
  source.name.Assign("+Start");
  source.text = "set total%, 0\nset distance, 0\nset count%, 0\n";
  runtime.script.RunScript(source, 0, 1, false);  // the variables are made once
  const std::string text = BenchScript();
  source.text = text;
  runtime.script.RunScript(source, 0, 1, false);
  const uint64_t before = allocations.load();
  int64_t runs = 0;
  for (auto _ : state) {
    runtime.script.RunScript(source, 0, 1, false);
    ++runs;
  }
  state.SetItemsProcessed(runs * kLines);
  state.counters["allocations_per_run"] =
      runs ? static_cast<double>(allocations.load() - before) / static_cast<double>(runs) : 0;
}
BENCHMARK(BM_ScriptLines)->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
