// Pictures for the database display tests: one-colour PNGs for zdbuild to make sprites of, and
// sprite bytes that lie about their size.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/png_codec.h"
#include "support/test_support.h"

namespace zd::test {

inline std::string SolidPng(const TempDir& dir, const std::string& name, int width, int height,
                            uint8_t r, uint8_t g, uint8_t b) {
  platform::RgbImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) image.rgb.insert(image.rgb.end(), {r, g, b});
  std::string error;
  EXPECT_TRUE(platform::WritePngRgb(dir.File(name), image, error)) << error;
  return dir.File(name);
}

// A sprite header (mode 28) claiming 100 rows of 400 bytes, and no pixels after it.
constexpr const char* kShortSprite =
    "2c000000 73686f7274000000 00000000 63000000 63000000 00000000 1f000000 2c000000 "
    "2c000000 1c000000 ffffffff";

}  // namespace zd::test
