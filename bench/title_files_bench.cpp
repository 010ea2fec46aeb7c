// Title files: indexing an authorfile of 2000 pages and walking every object of every page, and
// unpacking "3TCS" resources.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "title/authorfile.h"
#include "title/tcs_decompress.h"

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  if (b.size() < at + 4) b.resize(at + 4);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An authorfile of `pages` pages of `objects` objects of 200 bytes each.
std::vector<uint8_t> MakeAuthorfile(uint32_t pages, uint32_t objects) {
  std::vector<uint8_t> b(256, 0);
  std::memcpy(b.data(), "Auth", 4);
  Put32(b, 8, 101);
  const size_t table = 256;
  Put32(b, 116, table);
  Put32(b, table + 4, pages - 1);
  size_t at = table + 16;
  for (uint32_t p = 0; p < pages; ++p) {
    const uint32_t length = 72 + objects * 200;
    Put32(b, at, length);
    std::memcpy(&b[at + 4], "Page", 4);
    Put32(b, at + 24, objects);
    for (uint32_t o = 0; o < objects; ++o) {
      const size_t obj = at + 72 + o * 200;
      Put32(b, obj + 12, o % 6);
      Put32(b, obj + 20, 200);
    }
    at += length;
  }
  b.resize(at);
  return b;
}

void BM_Authorfile2000PagesWalkEveryObject(benchmark::State& state) {
  const std::vector<uint8_t> bytes = MakeAuthorfile(2000, 12);
  for (auto _ : state) {
    zd::AuthorfileImage image(bytes);  // the copy stands for reading the file into memory
    uint64_t types = 0;
    for (uint32_t p = 0; p < image.PageCount(); ++p) {
      for (const zd::ObjectRef& o : image.Objects(*image.PageRecord(p))) {
        types += image.U32Or(o.offset + zd::object_record::kType, 0);
      }
    }
    benchmark::DoNotOptimize(types);
  }
  state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(BM_Authorfile2000PagesWalkEveryObject)->Unit(benchmark::kMillisecond);

// A packed sprite as the authoring tool made them: a short literal header, then runs of
// mixed lengths (long runs of background, short runs of detail). With `shortRuns`, every run is
// of 1 to 4 bytes: the worst case for unpacking speed.
std::vector<uint8_t> MakeTcs(size_t outputBytes, bool shortRuns) {
  std::vector<uint8_t> b(12 + 44, 0);
  std::memcpy(b.data(), "3TCS", 4);
  size_t produced = 44;
  uint32_t seed = 1;
  while (produced < outputBytes) {
    seed = seed * 1103515245u + 12345u;
    const uint8_t count = shortRuns ? uint8_t((seed >> 8) % 4)
                                    : (seed >> 16) % 4 == 0 ? uint8_t(seed >> 8) : 255;
    b.push_back(uint8_t(seed >> 24));
    b.push_back(count);
    produced += size_t(count) + 1;
  }
  Put32(b, 4, 12 + 44);
  Put32(b, 8, static_cast<uint32_t>(b.size()));
  return b;
}

void BM_TcsDecompress(benchmark::State& state) {
  const std::vector<uint8_t> packed = MakeTcs(4 << 20, state.range(0) != 0);
  size_t out = 0;
  for (auto _ : state) {
    auto unpacked = zd::DecompressTcs(zd::ByteView(packed.data(), packed.size()));
    out = unpacked->size();
    benchmark::DoNotOptimize(unpacked->data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out));
}
BENCHMARK(BM_TcsDecompress)->Arg(0)->Arg(1)->ArgName("shortRuns")->Unit(benchmark::kMillisecond);

}  // namespace
