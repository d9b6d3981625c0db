#include "picture_scale.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(NearestPictureScale, NearestDrawnSizeAndTheLargerOnATie) {
  EXPECT_EQ(NearestPictureScale(72), 100);
  EXPECT_EQ(NearestPictureScale(96), 100);
  EXPECT_EQ(NearestPictureScale(119), 100);
  EXPECT_EQ(NearestPictureScale(120), 150);  // halfway between 96 and 144
  EXPECT_EQ(NearestPictureScale(144), 150);
  EXPECT_EQ(NearestPictureScale(167), 150);
  EXPECT_EQ(NearestPictureScale(168), 200);
  EXPECT_EQ(NearestPictureScale(288), 200);
}

TEST(ScaledPictureName, TheHundredPercentPictureKeepsItsName) {
  EXPECT_EQ(ScaledPictureName(L"PICTURE_ADD_PAPER", 100), L"PICTURE_ADD_PAPER");
  EXPECT_EQ(ScaledPictureName(L"PICTURE_ADD_PAPER", 150), L"PICTURE_ADD_PAPER_150");
  EXPECT_EQ(ScaledPictureName(L"PICTURE_ADD_PAPER", 200), L"PICTURE_ADD_PAPER_200");
}

}  // namespace
}  // namespace toolkit
