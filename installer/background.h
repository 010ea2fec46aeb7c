// The installer's background picture "back.bmp" from the title's CD: an uncompressed Windows
// bitmap of 8 or 24 bits per pixel, read from bytes that may be anything.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace zd::install {

constexpr int kMaxBackgroundSide = 8192;  // larger pictures are not backgrounds

// The picture as RGB, rows top-down; nullopt when the bytes are not such a bitmap or are cut
// short.
std::optional<platform::RgbImage> DecodeBackground(std::string_view bytes);

// "back.bmp" (any case) in `sourceDirectory` (UTF-8), decoded; nullopt when it is missing,
// too large or broken.
std::optional<platform::RgbImage> LoadBackground(const std::string& sourceDirectory);

}  // namespace zd::install
