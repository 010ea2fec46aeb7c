// The pointer images the program carries: well-formed, and each one something to see.
#include "resources/cursor_images.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace zd {
namespace {

// Every cursor resource the pointer table names.
constexpr const char* kNames[] = {
    "IDC_ARROWFORWARD", "IDC_ARROWUP",       "IDC_ARROWDOWN",     "IDC_TRANS2",
    "IDC_HANDPOINT",    "IDC_QUESTION2",     "IDC_ARROWLEFT",     "IDC_ARROWRIGHT",
    "IDC_NOWAY3",       "IDC_CROSSHAIR",     "IDC_HANDGRABOPEN",  "IDC_HANDGRABCLOSE",
    "IDC_ERASER",       "IDC_HANDTHUMBUP",   "IDC_HANDTHUMBDOWN", "IDC_ZOOMIN",
    "IDC_ZOOMOUT",      "IDC_ZOOMAREA",      "IDC_MOVE",          "IDC_CENTRE",
    "IDC_POINT",        "IDC_POINTADD",      "IDC_POINTMINUS",    "IDC_GROUP",
    "IDC_GROUPADD",     "IDC_GROUPMINUS",    "IDC_MEASURE",       "IDC_ARROWQUESTION",
    "IDC_MOVE2",        "IDC_WALK",          "IDC_TILT",
};

std::string Picture(const platform::CursorImage& image) {
  std::string all;
  for (int y = 0; y < platform::kCursorSize; ++y) all += image.rows[y];
  return all;
}

TEST(CursorImages, EveryImageIsA32By32PictureOfThreeCharacters) {
  for (const char* name : kNames) {
    const platform::CursorImage* image = FindCursorImage(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_STREQ(image->name, name);
    ASSERT_NE(image->rows, nullptr) << name;
    for (int y = 0; y < platform::kCursorSize; ++y) {
      ASSERT_NE(image->rows[y], nullptr) << name << " row " << y;
      EXPECT_EQ(std::strlen(image->rows[y]), size_t(platform::kCursorSize)) << name << " row " << y;
      EXPECT_EQ(std::strspn(image->rows[y], "X. "), std::strlen(image->rows[y]))
          << name << " row " << y;
    }
    EXPECT_GE(image->hotX, 0) << name;
    EXPECT_GE(image->hotY, 0) << name;
    EXPECT_LT(image->hotX, platform::kCursorSize) << name;
    EXPECT_LT(image->hotY, platform::kCursorSize) << name;
  }
}

TEST(CursorImages, OnlyTheTransparentPointerIsInvisible) {
  std::set<std::string> pictures;
  for (const char* name : kNames) {
    const platform::CursorImage* image = FindCursorImage(name);
    ASSERT_NE(image, nullptr) << name;
    const std::string picture = Picture(*image);
    const bool visible = picture.find_first_of("X.") != std::string::npos;
    EXPECT_EQ(visible, std::string(name) != "IDC_TRANS2") << name;
    // Visible shapes show both colours, so they stand out on dark and light pages alike.
    if (visible) {
      EXPECT_NE(picture.find('X'), std::string::npos) << name;
      EXPECT_NE(picture.find('.'), std::string::npos) << name;
    }
    EXPECT_TRUE(pictures.insert(picture).second) << name << " looks like another pointer";
  }
}

TEST(CursorImages, TheHandPointsWithAPixelOfItsFinger) {
  const platform::CursorImage* hand = FindCursorImage("IDC_HANDPOINT");
  ASSERT_NE(hand, nullptr);
  const char at = hand->rows[hand->hotY][hand->hotX];
  EXPECT_TRUE(at == 'X' || at == '.') << "hot spot on a transparent pixel";
  // The fingertip is the top of the picture: nothing is drawn above the hot spot.
  for (int y = 0; y < hand->hotY; ++y) {
    EXPECT_EQ(std::string(hand->rows[y]).find_first_of("X."), std::string::npos) << y;
  }
}

TEST(CursorImages, UnknownNamesFindNothing) {
  EXPECT_EQ(FindCursorImage(""), nullptr);
  EXPECT_EQ(FindCursorImage("IDC_NOSUCHCURSOR"), nullptr);
  EXPECT_EQ(FindCursorImage("idc_handpoint"), nullptr);  // resource names are exact
}

}  // namespace
}  // namespace zd
