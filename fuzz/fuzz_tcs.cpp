// "3TCS" resources: unpacking run-length coded sprite files whose header and pairs lie, then
// preparing the sprites of what came out, as the resource cache does with a packed picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/sprites/sprite_format.h"
#include "graphics/sprites/sprite_pixels.h"
#include "title/tcs_decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zd::ByteView block(data, size);
  zd::IsTcsCompressed(block);
  const auto unpacked = zd::DecompressTcs(block);
  if (!unpacked) return 0;
  const zd::ByteView file(unpacked->data(), unpacked->size());
  for (const zd::ByteView& sprite : zd::SpritesOfFile(file, 2)) {
    std::vector<uint8_t> copy(sprite.data(), sprite.data() + sprite.size());
    zd::PrepareSprite(copy);
  }
  return 0;
}
