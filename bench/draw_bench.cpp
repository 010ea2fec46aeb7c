// Drawings: the largest real Draw file of the shared test data drawn into a 640 x 480 page with
// its text, and a filled polygon of many crossing edges under both rules.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "graphics/draw/draw_file.h"
#include "graphics/shapes.h"
#include "platform/text_fonts.h"

namespace {

std::string LargestRealDrawFile() {
  std::ifstream in(std::string(ZD_TESTDATA_DIR) + "/riscos/draw/rool-intkey-layouts-korea3set.aff",
                   std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void BM_DrawLargestRealFile(benchmark::State& state) {
  const std::string data = LargestRealDrawFile();
  if (data.empty()) {
    state.SkipWithError("no test data");
    return;
  }
  zd::platform::FontSet fonts;
  zd::FontTextPainter painter(fonts);
  const zd::ColourMatcher matcher;
  zd::Canvas canvas(640, 480);
  const zd::ByteView view(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  for (auto _ : state) {
    canvas.Fill(255);
    zd::DrawFontTable table;
    zd::DrawContext context{matcher, table, state.range(0) ? &painter : nullptr};
    zd::DrawDrawFile(context, canvas, {0, 0, 640, 480}, view);
    benchmark::DoNotOptimize(canvas.Row(240)[320]);
  }
  state.SetLabel(std::to_string(data.size()) + " bytes" +
                 (state.range(0) ? ", with text" : ", no text"));
}
BENCHMARK(BM_DrawLargestRealFile)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A star of 1001 points spanning the page: every scanline crosses hundreds of edges.
void BM_FillComplexPolygon(benchmark::State& state) {
  std::vector<zd::Point> star;
  const int n = 1001;
  for (int i = 0; i < n; ++i) {
    const double angle = 2 * M_PI * (i * 500 % n) / n;
    star.push_back({int(320 + 300 * std::cos(angle)), int(240 + 230 * std::sin(angle))});
  }
  zd::Canvas canvas(640, 480);
  const auto rule = state.range(0) ? zd::FillRule::NonZero : zd::FillRule::EvenOdd;
  for (auto _ : state) {
    zd::FillPolygon(canvas, star, rule, 7);
    benchmark::DoNotOptimize(canvas.Row(240)[320]);
  }
  state.SetLabel(state.range(0) ? "non-zero" : "even-odd");
}
BENCHMARK(BM_FillComplexPolygon)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A polyline of 2560 points with a wide pen, as the longest subpath of a drawing may be.
void BM_WidePolyline(benchmark::State& state) {
  std::vector<zd::Point> line;
  for (int i = 0; i < 2560; ++i) {
    line.push_back({int(20 + i % 600), int(240 + 200 * std::sin(i * 0.05))});
  }
  zd::Canvas canvas(640, 480);
  for (auto _ : state) {
    zd::DrawPolyline(canvas, line, zd::Pen{int(state.range(0)), false, 9});
    benchmark::DoNotOptimize(canvas.Row(240)[320]);
  }
}
BENCHMARK(BM_WidePolyline)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
