// Windows icon files (.ICO) as a title's CD carries them, read so that the desktop can show
// them: the largest picture of the file, as RGBA. The file comes from the CD and is read through
// bounds checks; a broken file gives no picture, never a crash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/png_codec.h"

namespace zd::install {

constexpr int kMaxIconSide = 256;  // the largest picture an icon directory can describe
constexpr size_t kMaxIconEntries = 64;  // more pictures than any real icon file holds

struct IconPicture {
  platform::RgbaImage image;
  // The picture as a PNG when the icon stores it so (passed through as it is), else empty.
  std::string png;
};

// The largest picture of the icon file (by area, then by colour depth): a bitmap picture of
// 1, 4, 8, 24 or 32 bits a pixel with its transparency mask, or a PNG picture. nullopt with
// `error` set when the file holds no picture that can be read.
std::optional<IconPicture> ReadLargestIcon(std::string_view bytes, std::string& error);

// The PNG bytes of the picture: the stored PNG itself, or the bitmap encoded.
std::optional<std::string> IconAsPng(const IconPicture& picture, std::string& error);

// The picture as the desktop's icon theme takes it: a square of one of the theme's standard
// sizes (16, 22, 24, 32, 48, 64, 128, 256). A picture of such a size stays as it is; any other
// is scaled, nearest pixel, to 48 by 48. `side` is the size it got.
std::optional<std::string> IconForTheme(const IconPicture& picture, int& side, std::string& error);

}  // namespace zd::install
