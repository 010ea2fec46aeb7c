// Drawing a masked picture by its runs (skipping where the screen shows through, copying where
// the picture is solid) must leave exactly the pixels the plain AND-then-OR pass leaves, at any
// position, under any clip and origin.
#include <gtest/gtest.h>

#include <random>

#include "graphics/canvas.h"

namespace zd {
namespace {

// A picture that is clear around a solid middle with a ragged edge between, plus a few pixels
// a real mask never has (mask and image both set, partial masks), so that every kind of run
// and every boundary between them occurs.
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

TEST(MaskedBlit, DrawingByRunsLeavesThePixelsOfThePlainPass) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    IndexBitmap mask, image;
    MakePicture(1 + int(random() % 90), 1 + int(random() % 20), random, mask, image);
    const MaskRuns runs = FindMaskRuns(mask, image);
    ASSERT_TRUE(runs.Fits(image.width, image.height));
    Canvas plain(64, 24), byRuns(64, 24);
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 64; ++x) plain.Row(y)[x] = byRuns.Row(y)[x] = uint8_t(random());
    }
    const Rect clip{int(random() % 20), int(random() % 8), 30 + int(random() % 40), 10 + int(random() % 20)};
    const int originX = int(random() % 9) - 4, originY = int(random() % 5) - 2;
    const int x = int(random() % 100) - 40, y = int(random() % 30) - 10;
    for (Canvas* c : {&plain, &byRuns}) {
      c->SetClip(clip);
      c->SetOrigin(originX, originY);
    }
    plain.BlitMasked(x, y, mask, image);
    byRuns.BlitMasked(x, y, mask, image, &runs);
    for (int row = 0; row < 24; ++row) {
      ASSERT_EQ(std::vector<uint8_t>(plain.Row(row), plain.Row(row) + 64),
                std::vector<uint8_t>(byRuns.Row(row), byRuns.Row(row) + 64))
          << "round " << round << ", row " << row;
    }
  }
}

TEST(MaskedBlit, RunsMadeForAnotherPictureAreNotUsed) {
  IndexBitmap mask{4, 1, {0xFF, 0xFF, 0xFF, 0xFF}}, image{4, 1, {0, 0, 0, 0}};
  EXPECT_FALSE(FindMaskRuns(mask, IndexBitmap{3, 1, {0, 0, 0}}).Fits(3, 1));
  // Runs of a wider picture say "keep" everywhere; the picture drawn is solid.
  IndexBitmap wideMask{40, 1, std::vector<uint8_t>(40, 0xFF)}, wideImage{40, 1, std::vector<uint8_t>(40, 0)};
  const MaskRuns wrong = FindMaskRuns(wideMask, wideImage);
  mask.pixels.assign(4, 0x00);
  image.pixels.assign(4, 9);
  Canvas c(4, 1);
  c.BlitMasked(0, 0, mask, image, &wrong);
  EXPECT_EQ(std::vector<uint8_t>(c.Row(0), c.Row(0) + 4), std::vector<uint8_t>(4, 9));
}

}  // namespace
}  // namespace zd
