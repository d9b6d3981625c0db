#include "preview_compose.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmo {
namespace {

// The preview area whose portrait paper panel is 251 x 469.
constexpr int kAreaWidth = 335, kAreaHeight = 501;

ColorImage Uniform(int width, int height, uint32_t pixel) {
  return {width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel)};
}

// The sample's size, black on the left half and white on the right.
ColorImage HalfBlack() {
  ColorImage image = Uniform(1024, 683, 0xFFFFFF);
  for (int y = 0; y < 683; ++y) std::fill_n(image.pixels.begin() + y * 1024, 512, 0u);
  return image;
}

PreviewControls Controls() {
  PreviewControls c;
  c.areaWidth = kAreaWidth;
  c.areaHeight = kAreaHeight;
  return c;
}

// Threshold 50 keeps black black and white white.
PreviewControls Threshold(PreviewControls c = Controls()) {
  c.halftone = PreviewHalftone::Threshold;
  c.blackness = 50;
  return c;
}

uint8_t At(const ColorImage& image, int x, int y) {
  return BlueOf(image.pixels[size_t(y) * size_t(image.width) + size_t(x)]);
}

bool AllEqual(const ColorImage& image, uint32_t pixel) {
  return std::all_of(image.pixels.begin(), image.pixels.end(), [pixel](uint32_t p) { return p == pixel; });
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Box BlackBox(const ColorImage& image) {
  Box box;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (At(image, x, y) == 0) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
  return box;
}

TEST(PreviewLayout, PaperPanelIsCentredPortraitOrLandscape) {
  EXPECT_EQ(PaperPanel(kAreaWidth, kAreaHeight, false), (PreviewRect{42, 16, 251, 469}));
  EXPECT_EQ(PaperPanel(kAreaWidth, kAreaHeight, true), (PreviewRect{10, 63, 314, 375}));
}

TEST(PreviewLayout, OffsetsMoveTheImageTwoPixelsAStep) {
  EXPECT_EQ(ImageOffset(-10, 10), (PreviewOffset{-20, 20}));
  EXPECT_EQ(ImageOffset(0, -3), (PreviewOffset{0, -6}));
}

TEST(PreviewLayout, AngleAddsAQuarterTurnForLandscapePaper) {
  using R = PreviewRotation;
  const std::tuple<R, int, int> rows[] = {
      {R::None, 0, 90}, {R::Deg0, 0, 90}, {R::Deg90, 90, 180}, {R::Deg180, 180, 270}, {R::Deg270, 270, 0}};
  for (const auto& [rotation, portrait, landscape] : rows) {
    EXPECT_EQ(PreviewAngle(rotation, false), portrait);
    EXPECT_EQ(PreviewAngle(rotation, true), landscape);
  }
}

TEST(ComposePreview, FitsTheSampleSizeToTheDisplay) {
  const ColorImage sample = Uniform(1024, 683, 0x808080);
  PreviewControls c = Controls();
  EXPECT_EQ(ComposePreview(c, sample).picture.width, 251);
  EXPECT_EQ(ComposePreview(c, sample).picture.height, 167);
  c.rotation = PreviewRotation::Deg90;  // k = 251 / 683, and 683 * k truncates to 250
  const PreviewFrame turned = ComposePreview(c, sample);
  EXPECT_EQ(turned.picture.width, 250);
  EXPECT_EQ(turned.picture.height, 376);
  EXPECT_EQ(turned.panel, (PreviewRect{42, 16, 251, 469}));
}

TEST(ComposePreview, QuarterTurnsAndMirrorsMoveTheBlackHalf) {
  const ColorImage source = HalfBlack();
  struct Row {
    PreviewRotation rotation;
    bool flipH, flipV;
    // Probes left/right or top/bottom of the result: which one is black.
    bool blackFirst, alongWidth;
  };
  const Row rows[] = {
      {PreviewRotation::Deg0, false, false, true, true},     // left black
      {PreviewRotation::Deg0, true, false, false, true},     // mirrored: right black
      {PreviewRotation::Deg90, false, false, true, false},   // clockwise: left goes to the top
      {PreviewRotation::Deg90, false, true, false, false},   // then mirrored vertically
      {PreviewRotation::Deg180, false, false, false, true},  // right black
      {PreviewRotation::Deg270, false, false, false, false}, // bottom black
  };
  for (const Row& row : rows) {
    PreviewControls c = Threshold();
    c.rotation = row.rotation;
    c.flipHorizontal = row.flipH;
    c.flipVertical = row.flipV;
    const ColorImage picture = ComposePreview(c, source).picture;
    const int w = picture.width, h = picture.height;
    const uint8_t first = row.alongWidth ? At(picture, 2, h / 2) : At(picture, w / 2, 2);
    const uint8_t last = row.alongWidth ? At(picture, w - 3, h / 2) : At(picture, w / 2, h - 3);
    EXPECT_EQ(first, row.blackFirst ? 0 : 255) << int(row.rotation) << row.flipH << row.flipV;
    EXPECT_EQ(last, row.blackFirst ? 255 : 0) << int(row.rotation) << row.flipH << row.flipV;
  }
}

TEST(ComposePreview, LandscapePaperTurnsThePicture) {
  PreviewControls c = Threshold();
  c.rotation = PreviewRotation::Deg270;
  c.paperRotate = true;  // 270 + 90: no turn at all
  const ColorImage picture = ComposePreview(c, HalfBlack()).picture;
  EXPECT_EQ(picture.width, 314);
  EXPECT_EQ(At(picture, 2, picture.height / 2), 0);
  EXPECT_EQ(At(picture, picture.width - 3, picture.height / 2), 255);
}

TEST(ComposePreview, EveryZoomButFullGivesTheDisplaySize) {
  const ColorImage sample = Uniform(1024, 683, 0x808080);
  for (int index = -1; index <= 20; ++index) {
    PreviewControls c = Controls();
    c.zoomIndex = index;
    const ColorImage picture = ComposePreview(c, sample).picture;
    if (index == kZoomIndexFull) {
      EXPECT_EQ(picture.width, 251);
      EXPECT_EQ(picture.height, 167);
    } else {
      EXPECT_EQ(picture.width, 251) << index;
      EXPECT_EQ(picture.height, 469) << index;
    }
  }
}

TEST(ComposePreview, HalfZoomCentredSitsInTheMiddleOfWhite) {
  PreviewControls c = Threshold();
  c.blackness = 70;  // threshold 130: the blend with white at the edges goes either way
  c.zoomIndex = 0;
  c.zoomAlignH = PreviewAlignH::Center;
  c.zoomAlignV = PreviewAlignV::Center;
  const ColorImage picture = ComposePreview(c, Uniform(1024, 683, 0)).picture;
  // The 251 x 167 picture centred in 251 x 469, halved to 125 x 234 and
  // centred at (63, 117): the black band is 125 x 83 around the middle.
  const Box box = BlackBox(picture);
  EXPECT_NEAR(box.left, 63, 1);
  EXPECT_NEAR(box.right, 63 + 124, 1);
  EXPECT_NEAR(box.left, 250 - box.right, 1);
  EXPECT_NEAR(box.top, 468 - box.bottom, 2);
  EXPECT_NEAR(box.bottom - box.top + 1, 83, 2);
}

TEST(ComposePreview, LargeZoomShowsTheAlignedWindow) {
  PreviewControls c = Threshold();
  c.zoomIndex = 20;  // 150%: the display shows 251 x 469 of 376 x 703
  c.zoomAlignH = PreviewAlignH::Right;
  c.zoomAlignV = PreviewAlignV::Bottom;
  const ColorImage picture = ComposePreview(c, HalfBlack()).picture;
  // The window starts at canvas column 83 and row 156; the black half ends
  // at canvas column 125 and the picture at canvas row 318.
  EXPECT_EQ(At(picture, 30, 10), 0);
  EXPECT_EQ(At(picture, 100, 10), 255);
  EXPECT_EQ(At(picture, 30, 300), 255);

  c.zoomAlignH = PreviewAlignH::Left;
  c.zoomAlignV = PreviewAlignV::Top;
  const ColorImage topLeft = ComposePreview(c, HalfBlack()).picture;
  EXPECT_EQ(At(topLeft, 30, 10), 255) << "the canvas's white margin above the picture";
  EXPECT_EQ(At(topLeft, 100, 300), 0);
}

TEST(ComposePreview, ZoomFactorIsTheDoublePercentageHeldAsAFloat) {
  PreviewControls c = Threshold();
  c.areaWidth = 334;  // a 250-wide display
  c.blackness = 70;
  c.zoomIndex = 2;  // 0.60000002: 150 columns; 60 * 0.01f would make 149
  c.zoomAlignH = PreviewAlignH::Right;
  const ColorImage picture = ComposePreview(c, Uniform(1024, 683, 0)).picture;
  ASSERT_EQ(picture.width, 250);
  EXPECT_EQ(At(picture, 99, 140), 255);
  EXPECT_EQ(At(picture, 100, 140), 0);
}

TEST(ComposePreview, FitThatMissesBothSidesIsStillShownCentred) {
  PreviewControls c = Threshold();
  c.rotation = PreviewRotation::Deg90;  // fitted 250 x 376 in 251 x 469
  c.zoomIndex = 11;                     // 105%, from the top left
  const ColorImage picture = ComposePreview(c, Uniform(1024, 683, 0)).picture;
  EXPECT_EQ(At(picture, 125, 234), 0);
  EXPECT_EQ(At(picture, 125, 10), 255) << "46 white rows above the centred picture";
  EXPECT_EQ(At(picture, 125, 60), 0);
}

TEST(ComposePreview, ThresholdFollowsTheBlackness) {
  struct Row {
    int blackness;
    uint8_t grey;
    uint8_t result;
  };
  const Row rows[] = {
      {0, 0, 255},    {49, 48, 0},   {49, 49, 255}, {50, 49, 0},    {50, 50, 255},
      {51, 53, 0},    {51, 54, 255}, {100, 249, 0}, {100, 250, 255},
  };
  for (const Row& row : rows) {
    PreviewControls c = Threshold();
    c.blackness = row.blackness;
    const ColorImage picture = ComposePreview(c, Uniform(64, 64, PackRgb(row.grey, row.grey, row.grey))).picture;
    EXPECT_TRUE(AllEqual(picture, PackRgb(row.result, row.result, row.result)))
        << "blackness " << row.blackness << " grey " << int(row.grey);
  }
}

TEST(ComposePreview, DitherFollowsTheToneTable) {
  PreviewControls c = Controls();
  c.blackness = 0;  // every tone white
  EXPECT_TRUE(AllEqual(ComposePreview(c, Uniform(64, 64, 0)).picture, 0xFFFFFF));
  c.blackness = 50;  // identity: 128 stays 128 and dithers to a checkerboard
  const ColorImage board = ComposePreview(c, Uniform(64, 64, 0x808080)).picture;
  ASSERT_EQ(board.width, 251);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(board, x, y), (x + y) % 2 ? 0 : 255) << x << "," << y;
  for (uint32_t p : board.pixels) ASSERT_TRUE(p == 0 || p == 0xFFFFFF);
}

TEST(ComposePreview, ReverseInvertsTheResult) {
  PreviewControls c = Threshold();
  c.blackness = 0;
  c.reverse = true;
  EXPECT_TRUE(AllEqual(ComposePreview(c, Uniform(64, 64, 0x123456)).picture, 0));
}

TEST(ComposePreview, OffsetsLeaveThePictureAlone) {
  const ColorImage source = HalfBlack();
  PreviewControls c = Controls();
  const PreviewFrame still = ComposePreview(c, source);
  c.offsetX = -10;
  c.offsetY = 10;
  const PreviewFrame moved = ComposePreview(c, source);
  EXPECT_EQ(moved.image, (PreviewOffset{-20, 20}));
  EXPECT_EQ(moved.panel, still.panel);
  EXPECT_EQ(moved.picture.pixels, still.picture.pixels);
}

TEST(ComposePreview, DegenerateAreasAndSourcesGiveEmptyPictures) {
  PreviewControls c = Controls();
  c.areaWidth = c.areaHeight = 1;  // a 0 x 0 panel
  c.zoomIndex = 0;
  EXPECT_TRUE(ComposePreview(c, Uniform(16, 16, 0)).picture.pixels.empty());
  EXPECT_TRUE(ComposePreview(Controls(), ColorImage{}).picture.pixels.empty());
}

}  // namespace
}  // namespace velmo
