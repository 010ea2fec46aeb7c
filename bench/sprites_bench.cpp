// Sprites: preparing and caching a full-page masked sprite when its page loads, the cached
// block transfer of every repaint, a stretch to one and a half times, and decoding a 4-bit
// sprite with its own palette to RGBA (what zdinfo exports), and every sprite of the real sprite
// files decoded to RGBA, set against a memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <time.h>
#include <vector>

#include "graphics/sprites/sprite_decode.h"
#include "graphics/sprites/sprite_pixels.h"
#include "graphics/sprites/sprite_plot.h"

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A sprite of `width` x `height` pixels at `bpp` bits (mode 28 or 27), with a mask (a large
// ellipse) and a palette of `paletteEntries`; the pixels are a busy pattern.
std::vector<uint8_t> MakeSprite(int width, int height, int bpp, bool mask, int paletteEntries) {
  const size_t rowBytes = (size_t(width) * bpp + 31) / 32 * 4;
  const size_t image = 44 + size_t(paletteEntries) * 8;
  const size_t maskAt = mask ? image + rowBytes * height : image;
  std::vector<uint8_t> b((mask ? maskAt : image) + rowBytes * height, 0);
  Put32(b, 0, uint32_t(b.size()));
  Put32(b, 16, uint32_t(rowBytes / 4 - 1));
  Put32(b, 20, uint32_t(height - 1));
  Put32(b, 28, uint32_t((width * bpp - 1) % 32));
  Put32(b, 32, uint32_t(image));
  Put32(b, 36, uint32_t(maskAt));
  Put32(b, 40, bpp == 8 ? 28 : 27);
  for (int i = 0; i < paletteEntries; ++i) Put32(b, 44 + 8 * i, uint32_t(i * 0x10203000u));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int v = (x * 7 + y * 3 + (x ^ y)) & ((1 << bpp) - 1);
      const size_t bit = size_t(x) * bpp;
      b[image + y * rowBytes + bit / 8] |= uint8_t(v << (bit % 8));
      if (mask) {
        const double dx = (x - width / 2.0) / (width / 2.0), dy = (y - height / 2.0) / (height / 2.0);
        if (dx * dx + dy * dy < 1.0) b[maskAt + y * rowBytes + bit / 8] |= uint8_t(((1 << bpp) - 1) << (bit % 8));
      }
    }
  }
  return b;
}

zd::ByteView View(const std::vector<uint8_t>& b) { return zd::ByteView(b.data(), b.size()); }

// One page change after another: the previous page's bitmaps are freed before the next are made.
void BM_PrepareAndCache640x480Masked(benchmark::State& state) {
  const std::vector<uint8_t> loaded = MakeSprite(640, 480, 8, true, 0);
  const zd::ColourMatcher matcher;
  const zd::SharedColourHeaders headers = zd::CreateSharedColourHeaders(matcher);
  zd::SpriteBitmapTable table;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<uint8_t> block = loaded;  // as the resource cache reads it
    state.ResumeTiming();
    zd::PrepareSprite(block);
    const auto handles = zd::MakeSpriteBitmaps(View(block), table, headers);
    zd::KeepHeaderAndHandles(block, *handles);
    state.PauseTiming();
    zd::FreeSpriteBitmaps(View(block), table);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PrepareAndCache640x480Masked)->Unit(benchmark::kMillisecond);

void BM_PlotCached640x480Masked(benchmark::State& state) {
  std::vector<uint8_t> block = MakeSprite(640, 480, 8, true, 0);
  const zd::ColourMatcher matcher;
  zd::SpriteBitmapTable table;
  zd::PrepareSprite(block);
  zd::KeepHeaderAndHandles(block, *zd::MakeSpriteBitmaps(View(block), table,
                                                         zd::CreateSharedColourHeaders(matcher)));
  zd::Canvas canvas(640, 480);
  for (auto _ : state) {
    zd::PlotSpriteCached(canvas, {0, 0, 640, 480}, View(block), table);
    benchmark::DoNotOptimize(canvas.Row(240)[320]);
  }
}
BENCHMARK(BM_PlotCached640x480Masked)->Unit(benchmark::kMillisecond);

void BM_PlotStretched640x480MaskedTo960x720(benchmark::State& state) {
  std::vector<uint8_t> block = MakeSprite(640, 480, 8, true, 0);
  zd::PrepareSprite(block);
  const zd::ColourMatcher matcher;
  zd::Canvas canvas(960, 720);
  for (auto _ : state) {
    zd::PlotSpriteStretched(canvas, {0, 0, 960, 720}, View(block), true, matcher);
    benchmark::DoNotOptimize(canvas.Row(360)[480]);
  }
}
BENCHMARK(BM_PlotStretched640x480MaskedTo960x720)->Unit(benchmark::kMillisecond);

void BM_Decode4Bit640x480WithPaletteToRgba(benchmark::State& state) {
  const std::vector<uint8_t> sprite = MakeSprite(640, 480, 4, false, 16);
  for (auto _ : state) {
    auto picture = zd::DecodeSpriteRgba(View(sprite));
    benchmark::DoNotOptimize(picture->rgba.data());
  }
}
BENCHMARK(BM_Decode4Bit640x480WithPaletteToRgba)->Unit(benchmark::kMillisecond);

// The real sprite files of the shared test data, each read whole; empty without the folder.
std::vector<std::vector<uint8_t>> RealSpriteFiles() {
  namespace fs = std::filesystem;
  std::vector<std::vector<uint8_t>> files;
  const fs::path dir = fs::path(ZD_TESTDATA_DIR) / "riscos" / "sprites";
  std::error_code error;
  if (!fs::is_directory(dir, error)) return files;
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(dir, error)) {
    if (entry.path().extension() == ".ff9") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

// Every sprite of the real files (sprites that cannot be drawn included: refusing them is part
// of the work), and the RGBA bytes the drawable ones give.
struct RealSprites {
  std::vector<std::vector<uint8_t>> files;
  std::vector<zd::ByteView> sprites;
  size_t rgbaBytes = 0;
};

const RealSprites& AllRealSprites() {
  static const RealSprites all = [] {
    RealSprites r;
    r.files = RealSpriteFiles();
    for (const auto& file : r.files) {
      for (const zd::ByteView sprite : zd::SpritesOfFile(View(file))) {
        r.sprites.push_back(sprite);
        if (const auto picture = zd::DecodeSpriteRgba(sprite)) r.rgbaBytes += picture->rgba.size();
      }
    }
    return r;
  }();
  return all;
}

// CPU time of the calling thread: the machine is shared, and wall time counts the others' work.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Seconds for one memcpy of `bytes` bytes: the fastest of many rounds, each long enough to time.
double MemcpySeconds(size_t bytes) {
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  const int perRound = int(std::max<size_t>(1, (size_t(64) << 20) / std::max<size_t>(bytes, 1)));
  double best = 1e9;
  for (int round = 0; round < 15; ++round) {
    const double start = ThreadSeconds();
    for (int i = 0; i < perRound; ++i) {
      std::memcpy(to.data(), from.data(), bytes);
      benchmark::ClobberMemory();
    }
    best = std::min(best, (ThreadSeconds() - start) / perRound);
  }
  benchmark::DoNotOptimize(to.data());
  return best;
}

// The figure that holds across machines is the ratio: decoding time / memcpy time of the bytes
// the decoding writes, both in CPU time of this thread.
void BM_DecodeEveryRealSpriteToRgba(benchmark::State& state) {
  const RealSprites& all = AllRealSprites();
  if (all.sprites.empty()) {
    state.SkipWithError("no real sprite files");
    return;
  }
  const double memcpySeconds = MemcpySeconds(all.rgbaBytes);
  const double start = ThreadSeconds();
  for (auto _ : state) {
    for (const zd::ByteView sprite : all.sprites) {
      auto picture = zd::DecodeSpriteRgba(sprite);
      benchmark::DoNotOptimize(picture);
    }
  }
  const double perRound = (ThreadSeconds() - start) / double(state.iterations());
  state.counters["sprites"] = double(all.sprites.size());
  state.counters["rgba_bytes"] = double(all.rgbaBytes);
  state.counters["ratio_to_memcpy"] = perRound / memcpySeconds;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(all.rgbaBytes));
}
BENCHMARK(BM_DecodeEveryRealSpriteToRgba)->Unit(benchmark::kMicrosecond);

// The yardstick: the same number of bytes as all the real sprites decode to, copied once.
void BM_MemcpyRgbaBytesOfEveryRealSprite(benchmark::State& state) {
  const RealSprites& all = AllRealSprites();
  if (all.sprites.empty()) {
    state.SkipWithError("no real sprite files");
    return;
  }
  std::vector<uint8_t> from(all.rgbaBytes, 0x5A), to(all.rgbaBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(all.rgbaBytes));
}
BENCHMARK(BM_MemcpyRgbaBytesOfEveryRealSprite)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
