#include "raster_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <utility>

#include "picture_geometry.h"

namespace velmo {
namespace {

TEST(PointInImage, HoldsExactlyTheImagesPixels) {
  EXPECT_TRUE(PointInImage(0, 0, 6, 5));
  EXPECT_TRUE(PointInImage(5, 4, 6, 5));
  EXPECT_FALSE(PointInImage(-1, 0, 6, 5));
  EXPECT_FALSE(PointInImage(0, -1, 6, 5));
  EXPECT_FALSE(PointInImage(6, 0, 6, 5));
  EXPECT_FALSE(PointInImage(0, 5, 6, 5));
}

TEST(ResampleBilinear, UniformGreyAtScaleOneBlendsTheFrameWithWhite) {
  const GreyImage source(6 * 5, 100);
  GreyImage target(6 * 5, 0);
  ResampleBilinear(source, 6, 5, target, 6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const int edges = (x == 0 || x == 5) + (y == 0 || y == 4);
      const int expected = edges == 2 ? 216 : edges == 1 ? 177 : 100;
      EXPECT_EQ(target[size_t(y * 6 + x)], expected) << "at " << x << "," << y;
    }
}

TEST(ResampleBilinear, InnerPixelIsTheMeanOfItsDiagonalNeighbours) {
  GreyImage source(5 * 5);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 37 % 256);
  GreyImage target(5 * 5);
  ResampleBilinear(source, 5, 5, target, 5, 5);
  for (int y = 1; y < 4; ++y)
    for (int x = 1; x < 4; ++x) {
      auto s = [&](int sx, int sy) { return int(source[size_t(sy * 5 + sx)]); };
      const int sum = s(x - 1, y - 1) + s(x + 1, y - 1) + s(x - 1, y + 1) + s(x + 1, y + 1);
      EXPECT_EQ(target[size_t(y * 5 + x)], sum / 4) << "at " << x << "," << y;
    }
}

TEST(ResampleBilinear, SamplesOneUnitEitherSideOfThePosition) {
  // Rows are equal, so only the columns matter; at scale 2 target column j
  // sits at source column j / 2.
  const uint8_t columns[4] = {0, 100, 40, 120};
  GreyImage source(4 * 4);
  for (int i = 0; i < 16; ++i) source[size_t(i)] = columns[i % 4];
  GreyImage target(8 * 8);
  ResampleBilinear(source, 4, 4, target, 8, 8);
  const uint8_t* row = &target[4 * 8];
  EXPECT_EQ(row[1], 50);   // x = 0.5: columns 0 and 1, half each
  EXPECT_EQ(row[2], 20);   // x = 1: columns 0 and 2, not column 1 itself
  EXPECT_EQ(row[3], 30);   // x = 1.5: columns 0 and 2, a quarter and three quarters
  EXPECT_EQ(row[5], 115);  // x = 2.5: columns 1 and 3
}

TEST(ScaleImage, SizesAreTruncatedExactProducts) {
  GreyImage image(241 * 151, 7);
  int width = 241, height = 151;
  ScaleImage(image, width, height, 0.5f);
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 75);
  EXPECT_EQ(image.size(), 120u * 75u);

  // 0.35f is 0.34999999: 20 times it is 6.99999988, which rounds to 7.0f in
  // single precision but truncates to 6.
  GreyImage small(20 * 20, 7);
  width = height = 20;
  ScaleImage(small, width, height, 0.35f);
  EXPECT_EQ(width, 6);
  EXPECT_EQ(small.size(), 36u);
}

TEST(ScaleImage, FactorThatLeavesNothingGivesAnEmptyImage) {
  GreyImage image(100 * 100, 7);
  int width = 100, height = 100;
  ScaleImage(image, width, height, 0.001f);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_TRUE(image.empty());
}

// A pixel just short of the threshold by the share it should receive turns
// white only when the share arrives whole; one less stays black.
struct DiffusionCase {
  const char* what;
  int width, height;
  std::vector<int32_t> values;
  size_t watched;
  int32_t expected;
};

// Scaling into a canvas is the whole scaled picture pasted there, cut off at
// the canvas's edges, whatever part of it lands inside.
TEST(ScaleImageInto, IsTheScaledPicturePastedAndCutOff) {
  GreyImage source(23 * 17);
  for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 37 % 251);
  for (float factor : {0.55f, 1.0f, 1.45f}) {
    GreyImage scaled = source;
    int width = 23, height = 17;
    ScaleImage(scaled, width, height, factor);
    for (auto [left, top] : {std::pair{0, 0}, std::pair{-5, -3}, std::pair{4, 6}, std::pair{-40, 0}}) {
      GreyImage expected(20 * 15, 7), got(20 * 15, 7);
      PasteGrey(scaled, width, height, expected, 20, 15, left, top);
      ScaleImageInto(source, 23, 17, factor, got, 20, 15, left, top);
      EXPECT_EQ(got, expected) << "factor " << factor << " at " << left << ", " << top;
    }
  }
}

TEST(FloydSteinbergDiffuse, SpreadsTruncatedSharesToUnvisitedNeighbours) {
  const DiffusionCase cases[] = {
      {"one row, right 7/16 of 16", 2, 1, {16, 121}, 1, 255},
      {"one row, right 7/16 of 16", 2, 1, {16, 120}, 1, 0},
      {"one column, below 5/16 of 16", 1, 2, {16, 123}, 1, 255},
      {"one column, below 5/16 of 16", 1, 2, {16, 122}, 1, 0},
      {"one column, nothing else arrives below", 1, 3, {100, 96, 255}, 1, 0},
      {"below left 3/16 of 16", 2, 2, {0, 16, 125, 255}, 2, 255},
      {"below left 3/16 of 16", 2, 2, {0, 16, 124, 255}, 2, 0},
      {"below right 1/16 of 16", 2, 2, {16, 248, 250, 127}, 3, 255},
      {"below right 1/16 of 16", 2, 2, {16, 248, 250, 126}, 3, 0},
      {"error -1 spreads nothing right", 2, 1, {254, 128}, 1, 255},
      {"error -1 spreads nothing below", 1, 2, {254, 128}, 1, 255},
      {"error -1 spreads nothing below right", 2, 2, {254, 255, 255, 128}, 3, 255},
  };
  for (const DiffusionCase& c : cases) {
    std::vector<int32_t> values = c.values;
    FloydSteinbergDiffuse(values, c.width, c.height);
    EXPECT_EQ(values[c.watched], c.expected) << c.what;
    for (int32_t v : values) EXPECT_TRUE(v == 0 || v == 255) << c.what;
  }
}

TEST(FloydSteinbergDiffuse, SignedValuesOutsideTheByteRangeAreThresholdedToo) {
  std::vector<int32_t> values = {-40, 300, 127, 128};
  FloydSteinbergDiffuse(values, 4, 1);
  // -40 -> 0 (error -40 gives -17 right: 283); 283 -> 255 (error 28 gives
  // 12: 139); 139 -> 255 (error -116 gives -50: 78) -> 0.
  EXPECT_EQ(values, (std::vector<int32_t>{0, 255, 255, 0}));
}

TEST(DitherImage, UniformMidGreysBecomeCheckerboards) {
  for (const auto& [grey, topLeft] : {std::pair{128, 255}, std::pair{127, 0}}) {
    GreyImage image(9 * 7, uint8_t(grey));
    DitherImage(9, 7, image);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x)
        ASSERT_EQ(image[size_t(y * 9 + x)], (x + y) % 2 == 0 ? topLeft : 255 - topLeft)
            << "grey " << grey << " at " << x << "," << y;
  }
}

TEST(DitherImage, KeepsTheMeanBrightness) {
  GreyImage image(64 * 64, 64);
  DitherImage(64, 64, image);
  ASSERT_EQ(image.size(), 64u * 64u);
  const auto whites = std::count(image.begin(), image.end(), uint8_t{255});
  EXPECT_EQ(whites + std::count(image.begin(), image.end(), uint8_t{0}), 64 * 64);
  EXPECT_NEAR(double(whites) / (64 * 64), 64.0 / 255, 0.02);
}

TEST(BuildToneTable, TellingRows) {
  struct Row {
    double exponent;
    int values[7];
  };
  const int indices[7] = {0, 1, 64, 128, 192, 254, 255};
  const Row rows[] = {
      {0, {255, 255, 255, 255, 255, 255, 255}},
      {0.5, {10, 19, 127, 180, 221, 254, 255}},
      {1, {0, 1, 64, 128, 192, 254, 255}},
      {2, {0, 0, 15, 64, 144, 252, 254}},
  };
  for (const Row& row : rows) {
    const ToneTable table = BuildToneTable(row.exponent);
    for (int k = 0; k < 7; ++k)
      EXPECT_EQ(table[size_t(indices[k])], row.values[k]) << "exponent " << row.exponent << " [" << indices[k] << "]";
  }
}

TEST(BuildToneTable, ExponentOneIsTheIdentity) {
  ToneTable identity;
  std::iota(identity.begin(), identity.end(), uint8_t{0});
  EXPECT_EQ(BuildToneTable(1.0), identity);
}

}  // namespace
}  // namespace velmo
