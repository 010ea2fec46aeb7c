#include "titlekit/tcs_compress.h"

#include <string>

#include "titlekit/byte_writer.h"
#include "titlekit/description_error.h"

namespace zd::titlekit {
namespace {

constexpr size_t kHeader = 12;
constexpr size_t kLongestRun = 256;

}  // namespace

std::vector<RunPair> EncodeRuns(std::string_view data) {
  std::vector<RunPair> runs;
  size_t i = 0;
  while (i < data.size()) {
    size_t n = 1;
    while (i + n < data.size() && n < kLongestRun && data[i + n] == data[i]) ++n;
    runs.push_back({static_cast<uint8_t>(data[i]), static_cast<uint8_t>(n - 1)});
    i += n;
  }
  return runs;
}

size_t ChooseLiteralLength(std::string_view data) {
  // pairs[k]: the number of run pairs that code data[k..] greedily. Greedy runs are the fewest
  // for any suffix, so the file size for a literal length k is k + 2 * pairs[k].
  const size_t n = data.size();
  std::vector<size_t> pairs(n + 1, 0);
  size_t equalAhead = 0;  // how many bytes from k on equal data[k]
  for (size_t k = n; k-- > 0;) {
    equalAhead = (k + 1 < n && data[k + 1] == data[k]) ? equalAhead + 1 : 1;
    const size_t run = equalAhead < kLongestRun ? equalAhead : kLongestRun;
    pairs[k] = 1 + pairs[k + run];
  }
  size_t best = 0;
  for (size_t k = 1; k <= n; ++k) {
    if (k + 2 * pairs[k] < best + 2 * pairs[best]) best = k;
  }
  return best;
}

Bytes TcsCompress(std::string_view data, const TcsOptions& options) {
  size_t literal = 0;
  if (options.runs) {
    literal = options.literal.value_or(data.size());
    if (literal != data.size()) {
      throw DescriptionError("", "with explicit runs the whole data is the literal section");
    }
  } else {
    literal = options.literal ? *options.literal : ChooseLiteralLength(data);
    if (literal > data.size()) {
      throw DescriptionError("", "literal section of " + std::to_string(literal) +
                                     " bytes is longer than the data (" +
                                     std::to_string(data.size()) + " bytes)");
    }
  }
  const std::vector<RunPair> runs = options.runs ? *options.runs : EncodeRuns(data.substr(literal));
  const size_t runStart = kHeader + literal;
  const uint32_t runOffset = options.runOffset.value_or(static_cast<uint32_t>(runStart));
  if (runOffset > 0xFFFFFF) {
    throw DescriptionError("", "run section offset " + std::to_string(runOffset) +
                                   " does not fit in three bytes");
  }
  ByteWriter out;
  out.Append("3TCS");
  out.U32(runOffset | static_cast<uint32_t>(options.method) << 24);
  out.U32(0);  // end offset, below
  out.Append(data.substr(0, literal));
  for (const RunPair& run : runs) {
    out.U8(run.value);
    out.U8(run.count);
  }
  out.PutU32(8, options.endOffset.value_or(static_cast<uint32_t>(out.size())));
  return out.Take();
}

}  // namespace zd::titlekit
