#include "picture_geometry.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

// 3 x 2 picture whose pixels are numbered 1..6 in reading order.
ColorImage Numbered() { return {3, 2, {1, 2, 3, 4, 5, 6}}; }

TEST(PictureGeometry, QuarterTurnClockwise) {
  // 1 2 3      4 1
  // 4 5 6  ->  5 2
  //            6 3
  const ColorImage turned = QuarterTurnClockwise(Numbered());
  EXPECT_EQ(turned.width, 2);
  EXPECT_EQ(turned.height, 3);
  EXPECT_EQ(turned.pixels, (std::vector<uint32_t>{4, 1, 5, 2, 6, 3}));
}

TEST(PictureGeometry, HalfTurn) {
  ColorImage image = Numbered();
  HalfTurn(image);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{6, 5, 4, 3, 2, 1}));
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

TEST(PictureGeometry, StretchNearestTakesThePixelUnderEachCentre) {
  const ColorImage doubled = StretchNearest(Numbered(), 6, 4);
  EXPECT_EQ(doubled.pixels, (std::vector<uint32_t>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3,
                                                   4, 4, 5, 5, 6, 6, 4, 4, 5, 5, 6, 6}));
  const ColorImage middle = StretchNearest(Numbered(), 1, 1);
  EXPECT_EQ(middle.pixels, std::vector<uint32_t>{5});  // centre (1.5, 1) of the source
  EXPECT_TRUE(StretchNearest(Numbered(), 0, 4).pixels.empty());
}

TEST(PictureGeometry, GreyWeights) {
  const ColorImage colours{6, 1, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x0A141E, 0x000000}};
  EXPECT_EQ(GreyFromColor(colours), (GreyImage{76, 149, 29, 255, 18, 0}));
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
