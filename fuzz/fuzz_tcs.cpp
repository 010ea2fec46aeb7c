// "3TCS" resources: unpacking run-length coded sprite files whose header and pairs lie.
#include <cstddef>
#include <cstdint>

#include "title/tcs_decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zd::ByteView block(data, size);
  zd::IsTcsCompressed(block);
  if (const auto unpacked = zd::DecompressTcs(block)) {
    // Unpacked data is handed on as a sprite file: its size must be what it says.
    volatile size_t bytes = unpacked->size();
    (void)bytes;
  }
  return 0;
}
