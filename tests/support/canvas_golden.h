// Canvas pictures compared index for index with a golden PNG in the source tree; with
// ZD_UPDATE_GOLDEN set (make golden) the picture is written there instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "platform/png_codec.h"
#include "support/test_support.h"

namespace zd::test {

// `golden` is relative to the source directory; `what` names the picture in the failure.
inline void ExpectCanvasGolden(const Canvas& canvas, const std::string& golden,
                               const std::string& what) {
  platform::IndexedImage picture{
      canvas.width(), canvas.height(), {}, PaletteColours(BuildRulePalette()), 256};
  picture.pixels.assign(canvas.View().pixels,
                        canvas.View().pixels + size_t(canvas.width()) * canvas.height());
  const std::string path = SourceDir() + "/" + golden;
  std::string error;
  if (std::getenv("ZD_UPDATE_GOLDEN")) {
    ASSERT_TRUE(platform::WritePngIndexed(path, picture, error)) << error;
    GTEST_SKIP() << "wrote " << path;
  }
  const std::string bytes = ReadFile(path);
  platform::IndexedImage expected;
  ASSERT_TRUE(platform::DecodePngIndexed(reinterpret_cast<const uint8_t*>(bytes.data()),
                                         bytes.size(), expected, error))
      << path << ": " << error << " (make golden)";
  ASSERT_EQ(expected.width, picture.width);
  ASSERT_EQ(expected.height, picture.height);
  size_t differing = 0;
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    differing += picture.pixels[i] != expected.pixels[i];
  }
  EXPECT_EQ(differing, 0u) << what << " differ from " << path;
}

}  // namespace zd::test
