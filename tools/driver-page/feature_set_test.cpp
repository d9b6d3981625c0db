#include "feature_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(FeatureSet, OptionsSettingsAndDefaultSupportList) {
  std::string error;
  auto set = ParseFeatureSet("# c\nHalftone=DITHER\nHalftoneDefault=BW\nMarginLeftDefaultMm=mm2\n"
                             "@paper=12\n@delay=40\n@unanswered=Halftone, PageMark\n\nPageMark = PageMarkLabel\n",
                             error);
  ASSERT_TRUE(set) << error;
  EXPECT_EQ(*set->Find("Halftone"), "DITHER");
  EXPECT_EQ(*set->Find("PageMark"), "PageMarkLabel");
  EXPECT_EQ(set->paper, 12);
  EXPECT_EQ(set->delay_ms, 40u);
  EXPECT_THAT(set->unanswered, ::testing::ElementsAre("Halftone", "PageMark"));
  EXPECT_THAT(set->supported, ::testing::ElementsAre("Halftone", "PageMark"));
  set->Set("Halftone", "BW");
  EXPECT_EQ(*set->Find("Halftone"), "BW");
}

TEST(FeatureSet, ExplicitSupportListAndBadLines) {
  std::string error;
  auto set = ParseFeatureSet("A=1\nB=2\n@supported=B\n", error);
  ASSERT_TRUE(set);
  EXPECT_THAT(set->supported, ::testing::ElementsAre("B"));
  EXPECT_FALSE(ParseFeatureSet("A=1\nnonsense\n", error));
  EXPECT_EQ(error, "line 2: expected Keyword=Option");
  EXPECT_FALSE(ParseFeatureSet("@delay=soon\n", error));
  EXPECT_FALSE(ParseFeatureSet("@paper=-1\n", error));
}

}  // namespace
}  // namespace velmo
