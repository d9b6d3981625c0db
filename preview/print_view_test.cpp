#include <gtest/gtest.h>

#include <cstddef>
#include <tuple>

#include "print_view.h"

namespace velmo {
namespace {

PreviewControls Plain() {
  PreviewControls c;
  c.halftone = PreviewHalftone::Threshold;
  return c;
}

uint8_t Dot(const PrintView& v, int x, int y) { return v.dots[size_t(y) * v.width + x]; }

TEST(PrintViewSize, PaperInDotsRoundsToTheNearestDot) {
  // 50 mm at 203 dpi is 399.6 dots, 30 mm 239.76.
  EXPECT_EQ(DotsOf(50000, 203), 400);
  EXPECT_EQ(DotsOf(30000, 203), 240);
  // At 254 dpi a millimetre is 10 dots: 0.05 mm is half a dot and goes up,
  // 0.049 mm goes down.
  EXPECT_EQ(DotsOf(50, 254), 1);
  EXPECT_EQ(DotsOf(49, 254), 0);
  EXPECT_EQ(DotsOf(0, 203), 0);
  EXPECT_EQ(DotsOf(50000, 0), 0);
  // An offset step is 0.5 mm: 3.996 dots at 203 dpi.
  EXPECT_EQ(OffsetDots(1, 203), 4);
  EXPECT_EQ(OffsetDots(-10, 203), -40);
}

TEST(PrintViewSize, FiftyByThirtyMillimetresAt203DpiIs400By240Dots) {
  const ColorImage source{10, 6, std::vector<uint32_t>(60, 0xFFFFFF)};
  const PrintView view = RenderPrintView(Plain(), {50000, 30000, 203}, source);
  EXPECT_EQ(view.width, 400);
  EXPECT_EQ(view.height, 240);
  EXPECT_EQ(view.dots.size(), size_t(400 * 240));
  PreviewControls turned = Plain();
  turned.paperRotate = true;
  const PrintView landscape = RenderPrintView(turned, {50000, 30000, 203}, source);
  EXPECT_EQ(landscape.width, 240);
  EXPECT_EQ(landscape.height, 400);
}

// A picture of the paper's size in dots is put on the paper dot for dot.
TEST(PrintViewRender, PictureAtThePrintersResolutionKeepsEveryDot) {
  ColorImage source{400, 240, std::vector<uint32_t>(400 * 240, 0xFFFFFF)};
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 400; ++x)
      if ((x / 3 + y / 7) % 2) source.pixels[size_t(y) * 400 + x] = 0;
  const PrintView view = RenderPrintView(Plain(), {50000, 30000, 203}, source);
  ASSERT_EQ(view.width, 400);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(Dot(view, x, y), source.pixels[size_t(y) * 400 + x] ? 255 : 0);

  PreviewControls moved = Plain();
  moved.offsetX = 1;   // 4 dots right
  moved.offsetY = -1;  // 4 dots up
  const PrintView shifted = RenderPrintView(moved, {50000, 30000, 203}, source);
  EXPECT_EQ(Dot(shifted, 3, 100), 255);  // paper shows where the picture moved away
  for (int y = 0; y < 236; ++y)
    for (int x = 4; x < 400; ++x) ASSERT_EQ(Dot(shifted, x, y), Dot(view, x - 4, y + 4));
}

// Where MapToPaper says a source point goes is where the render put it.
class PrintViewMapping : public testing::TestWithParam<std::tuple<PreviewRotation, bool, bool, bool, int>> {};

TEST_P(PrintViewMapping, MarkedCornerLandsWhereTheMappingSays) {
  auto [rotation, flipH, flipV, paperRotate, zoomIndex] = GetParam();
  // A black 20 x 10 block left of and above the middle of a white picture,
  // near enough to it to stay in sight at every zoom.
  ColorImage source{300, 200, std::vector<uint32_t>(300 * 200, 0xFFFFFF)};
  for (int y = 90; y < 100; ++y)
    for (int x = 130; x < 150; ++x) source.pixels[size_t(y) * 300 + x] = 0;
  PreviewControls c = Plain();
  c.rotation = rotation;
  c.flipHorizontal = flipH;
  c.flipVertical = flipV;
  c.paperRotate = paperRotate;
  c.zoomIndex = zoomIndex;
  c.offsetX = 2;
  const PrintView view = RenderPrintView(c, {60000, 40000, 203}, source);
  const PreviewPoint centre = MapToPaper(view, 140, 95);
  ASSERT_TRUE(PointInImage(int(centre.x), int(centre.y), view.width, view.height));
  EXPECT_EQ(Dot(view, int(centre.x), int(centre.y)), 0);
  const PreviewPoint outside = MapToPaper(view, 170, 110);
  EXPECT_EQ(Dot(view, int(outside.x), int(outside.y)), 255);
}

INSTANTIATE_TEST_SUITE_P(Turns, PrintViewMapping,
                         testing::Combine(testing::Values(PreviewRotation::Deg0, PreviewRotation::Deg90,
                                                          PreviewRotation::Deg180, PreviewRotation::Deg270),
                                          testing::Bool(), testing::Bool(), testing::Bool(),
                                          testing::Values(kZoomIndexFull, 4, 16)));

}  // namespace
}  // namespace velmo
