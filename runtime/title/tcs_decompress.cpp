#include "title/tcs_decompress.h"

#include <algorithm>
#include <cstring>

namespace zd {
namespace {

constexpr size_t kHeaderSize = 12;

}  // namespace

bool IsTcsCompressed(ByteView block) {
  return block.size() >= 8 && std::memcmp(block.data(), "3TCS", 4) == 0 &&
         static_cast<int8_t>(*block.U8(7)) == 0;
}

std::optional<std::vector<uint8_t>> DecompressTcs(ByteView block) {
  if (block.size() < kHeaderSize || !IsTcsCompressed(block)) return std::nullopt;
  const size_t size = block.size();
  const size_t runEnd = std::clamp<size_t>(*block.U32(8), kHeaderSize, size);
  const size_t runStart = std::clamp<size_t>(*block.U32(4) & 0x00FFFFFF, kHeaderSize, runEnd);
  const uint8_t* data = block.data();

  // Runs are (value, count - 1) pairs; an odd last byte is no run. Both passes walk the same
  // pairs, so the second can never write more than the first measured.
  const size_t runs = (runEnd - runStart) / 2;
  const uint8_t* run = data + runStart;

  // First pass: the exact output size, so one block of it is filled without reallocating.
  size_t total = runStart - kHeaderSize;
  for (size_t r = 0; r < runs; ++r) total += size_t(run[2 * r + 1]) + 1;

  std::vector<uint8_t> out(total);
  uint8_t* dst = out.data();
  if (runStart > kHeaderSize) {  // an empty output has no buffer to copy into
    std::memcpy(dst, data + kHeaderSize, runStart - kHeaderSize);
    dst += runStart - kHeaderSize;
  }
  for (size_t r = 0; r < runs; ++r) {
    const size_t count = size_t(run[2 * r + 1]) + 1;
    std::memset(dst, run[2 * r], count);
    dst += count;
  }
  return out;
}

}  // namespace zd
