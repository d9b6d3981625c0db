#include "picture_geometry.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

// 3 x 2 picture whose grey pixels are numbered 1..6 in reading order.
ColorImage Numbered() {
  ColorImage image{3, 2, {}};
  for (uint8_t n = 1; n <= 6; ++n) image.pixels.push_back(PackRgb(n, n, n));
  return image;
}

GreyImage Turned(bool quarter, bool half, int& width, int& height) {
  return StretchTurnGrey(Numbered(), 3, 2, quarter, half, width, height);
}

TEST(PictureGeometry, Turns) {
  int width = 0, height = 0;
  EXPECT_EQ(Turned(false, false, width, height), (GreyImage{1, 2, 3, 4, 5, 6}));
  // 1 2 3      4 1
  // 4 5 6  ->  5 2
  //            6 3
  EXPECT_EQ(Turned(true, false, width, height), (GreyImage{4, 1, 5, 2, 6, 3}));
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(Turned(false, true, width, height), (GreyImage{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(width, 3);
  // Three quarters: the quarter turn, then the half.
  EXPECT_EQ(Turned(true, true, width, height), (GreyImage{3, 6, 2, 5, 1, 4}));
  EXPECT_EQ(width, 2);
}

TEST(PictureGeometry, Mirrors) {
  GreyImage image = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // 3 x 3
  MirrorRows(image, 3, 3);
  EXPECT_EQ(image, (GreyImage{3, 2, 1, 6, 5, 4, 9, 8, 7}));
  MirrorColumns(image, 3, 3);
  EXPECT_EQ(image, (GreyImage{9, 8, 7, 6, 5, 4, 3, 2, 1}));
  GreyImage even = {1, 2, 3, 4};  // 1 x 4: the middle pair swaps too
  MirrorColumns(even, 1, 4);
  EXPECT_EQ(even, (GreyImage{4, 3, 2, 1}));
}

TEST(PictureGeometry, StretchTakesThePixelUnderEachCentre) {
  int width = 0, height = 0;
  EXPECT_EQ(StretchTurnGrey(Numbered(), 6, 4, false, false, width, height),
            (GreyImage{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 4, 4, 5, 5, 6, 6}));
  // The centre (1.5, 1) of the source.
  EXPECT_EQ(StretchTurnGrey(Numbered(), 1, 1, false, false, width, height), GreyImage{5});
  EXPECT_TRUE(StretchTurnGrey(Numbered(), 0, 4, true, false, width, height).empty());
  EXPECT_EQ(width, 0);
  EXPECT_TRUE(StretchTurnGrey(ColorImage{}, 3, 2, false, false, width, height).empty());
}

TEST(PictureGeometry, GreyWeights) {
  const ColorImage colours{6, 1, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x0A141E, 0x000000}};
  int width = 0, height = 0;
  EXPECT_EQ(StretchTurnGrey(colours, 6, 1, false, false, width, height), (GreyImage{76, 149, 29, 255, 18, 0}));
  const ColorImage back = ColorFromGrey({0, 18, 255}, 3, 1);
  EXPECT_EQ(back.pixels, (std::vector<uint32_t>{0x000000, 0x121212, 0xFFFFFF}));
}

TEST(PictureGeometry, PasteCutsOffWhatFallsOutside) {
  const GreyImage source = {1, 2, 3, 4};  // 2 x 2
  GreyImage target(3 * 3, 0);
  PasteGrey(source, 2, 2, target, 3, 3, 2, -1);
  EXPECT_EQ(target, (GreyImage{0, 0, 3, 0, 0, 0, 0, 0, 0}));
  target.assign(9, 0);
  PasteGrey(source, 2, 2, target, 3, 3, -1, 1);
  EXPECT_EQ(target, (GreyImage{0, 0, 0, 2, 0, 0, 4, 0, 0}));
  target.assign(9, 0);
  PasteGrey(source, 2, 2, target, 3, 3, 5, 5);
  EXPECT_EQ(target, GreyImage(9, 0));
}

}  // namespace
}  // namespace velmo
