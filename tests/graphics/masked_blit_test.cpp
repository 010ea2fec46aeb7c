// A masked picture drawn in one pass leaves exactly the pixels its mask drawn with AND and then
// its image drawn with OR leave, at any position, width, clip and origin.
#include <gtest/gtest.h>

#include <random>

#include "graphics/canvas.h"

namespace zd {
namespace {

// Clear around a solid middle with a ragged edge, and a few pixels no real mask has.
void MakePicture(int width, int height, std::mt19937& random, IndexBitmap& mask, IndexBitmap& image) {
  mask = {width, height, std::vector<uint8_t>(size_t(width * height))};
  image = mask;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int edge = int(random() % 7);
      const bool solid = x > 4 + edge && x < width - 5 - edge && y > 2 && y < height - 3;
      uint8_t m = solid ? 0x00 : 0xFF;
      uint8_t v = solid ? uint8_t(1 + random() % 254) : 0;
      if (random() % 40 == 0) {
        m = uint8_t(random());
        v = uint8_t(random());
      }
      mask.Row(y)[x] = m;
      image.Row(y)[x] = v;
    }
  }
}

TEST(MaskedBlit, OnePassLeavesWhatTheMaskThenTheImageLeave) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    IndexBitmap mask, image;
    MakePicture(1 + int(random() % 90), 1 + int(random() % 20), random, mask, image);
    Canvas onePass(64, 24), twoPasses(64, 24);
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 64; ++x) onePass.Row(y)[x] = twoPasses.Row(y)[x] = uint8_t(random());
    }
    const Rect clip{int(random() % 20), int(random() % 8), 30 + int(random() % 40), 10 + int(random() % 20)};
    const int originX = int(random() % 9) - 4, originY = int(random() % 5) - 2;
    const int x = int(random() % 100) - 40, y = int(random() % 30) - 10;
    for (Canvas* c : {&onePass, &twoPasses}) {
      c->SetClip(clip);
      c->SetOrigin(originX, originY);
    }
    onePass.BlitMasked(x, y, mask, image);
    const Rect whole{0, 0, image.width, image.height};
    twoPasses.Blit(x, y, mask, whole, RasterOp::And);
    twoPasses.Blit(x, y, image, whole, RasterOp::Or);
    for (int row = 0; row < 24; ++row) {
      ASSERT_EQ(std::vector<uint8_t>(onePass.Row(row), onePass.Row(row) + 64),
                std::vector<uint8_t>(twoPasses.Row(row), twoPasses.Row(row) + 64))
          << "round " << round << ", row " << row;
    }
  }
}

}  // namespace
}  // namespace zd
