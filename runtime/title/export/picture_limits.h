// The largest picture a save expands into memory. A title's box or sprite can claim any size;
// beyond these the save is refused ("nothing to write") rather than freezing the player.
#pragma once

#include <cstdint>

namespace zd {

constexpr int64_t kLargestPictureSide = 16384;
constexpr int64_t kLargestPicturePixels = int64_t(64) << 20;

constexpr bool PictureTooLarge(int64_t width, int64_t height) {
  return width > kLargestPictureSide || height > kLargestPictureSide ||
         width * height > kLargestPicturePixels;
}

}  // namespace zd
