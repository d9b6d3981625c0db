#include "layout.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(Scaling, RoundsToNearestPixelBothSigns) {
  EXPECT_EQ(ScaleLength(85, 96), 85);
  EXPECT_EQ(ScaleLength(85, 144), 128);  // 127.5 rounds up
  EXPECT_EQ(ScaleLength(-85, 144), -128);
  EXPECT_EQ(ScaleLength(1, 120), 1);  // 1.25
  EXPECT_EQ(ScaleLength(3, 120), 4);  // 3.75
  EXPECT_EQ(UnscaleLength(128, 144), 85);
  EXPECT_EQ(UnscaleLength(-128, 144), -85);
  EXPECT_EQ(ScaleRect({10, 20, 30, 40}, 192), (Rect{20, 40, 60, 80}));
  EXPECT_EQ(ScaleEdges({12, 4, 4, 4}, 144), (Edges{18, 6, 6, 6}));
}

TEST(Scaling, UnscaleUndoesScaleAtCommonDpis) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    for (int length : {0, 1, 7, 64, 65, 870, 657}) {
      EXPECT_EQ(UnscaleLength(ScaleLength(length, dpi), dpi), length) << dpi << " " << length;
    }
  }
}

TEST(AlignLayout, TopBottomThenLeftRightThenClient) {
  // Created in a mixed order; the passes go by alignment, not creation.
  const Rect client{0, 0, 400, 300};
  const std::vector<LayoutItem> items{
      {Align::Client, {}, {}, true},
      {Align::Bottom, {0, 0, 10, 45}, {}, true},
      {Align::Left, {0, 0, 100, 10}, {}, true},
      {Align::Top, {0, 0, 10, 85}, {}, true},
      {Align::Right, {0, 0, 50, 10}, {}, true},
      {Align::Top, {0, 0, 10, 20}, {}, true},
  };
  const auto r = LayoutAligned(client, items);
  EXPECT_EQ(r[3], (Rect{0, 0, 400, 85}));
  EXPECT_EQ(r[5], (Rect{0, 85, 400, 20}));
  EXPECT_EQ(r[1], (Rect{0, 255, 400, 45}));
  EXPECT_EQ(r[2], (Rect{0, 105, 100, 150}));
  EXPECT_EQ(r[4], (Rect{350, 105, 50, 150}));
  EXPECT_EQ(r[0], (Rect{100, 105, 250, 150}));
}

TEST(AlignLayout, PaddedClientAndMarginsAroundItems) {
  // A form's inner margin is its client rect; an item's margins sit inside its strip.
  const Rect client{12, 4, 870 - 16, 657 - 8};
  const std::vector<LayoutItem> items{
      {Align::Top, {0, 0, 0, 85}, {}, true},
      {Align::Top, {0, 0, 0, 100}, {2, 3, 4, 5}, true},
  };
  const auto r = LayoutAligned(client, items);
  EXPECT_EQ(r[0], (Rect{12, 4, 854, 85}));
  EXPECT_EQ(r[1], (Rect{14, 92, 848, 100}));
}

TEST(AlignLayout, HiddenAndUnalignedKeepTheirBoundsAndTakeNoSpace) {
  const Rect client{0, 0, 200, 200};
  const std::vector<LayoutItem> items{
      {Align::Top, {5, 5, 50, 60}, {}, false},
      {Align::None, {7, 8, 9, 10}, {}, true},
      {Align::Top, {0, 0, 0, 30}, {}, true},
  };
  const auto r = LayoutAligned(client, items);
  EXPECT_EQ(r[0], (Rect{5, 5, 50, 60}));
  EXPECT_EQ(r[1], (Rect{7, 8, 9, 10}));
  EXPECT_EQ(r[2], (Rect{0, 0, 200, 30}));
}

TEST(AlignLayout, OvercrowdedContainerGivesEmptyNotNegativeSizes) {
  const Rect client{0, 0, 100, 50};
  const std::vector<LayoutItem> items{
      {Align::Top, {0, 0, 0, 40}, {}, true},
      {Align::Top, {0, 0, 0, 40}, {}, true},
      {Align::Client, {}, {5, 5, 5, 5}, true},
  };
  const auto r = LayoutAligned(client, items);
  EXPECT_EQ(r[1], (Rect{0, 40, 100, 40}));
  EXPECT_EQ(r[2].Width, 90);
  EXPECT_EQ(r[2].Height, 0);
}

}  // namespace
}  // namespace toolkit
