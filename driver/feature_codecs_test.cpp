#include "feature_codecs.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace velmo {
namespace {

TEST(FeatureCodecs, NumbersAreReadLikeAtolAfterTheFirstCharacter) {
  EXPECT_EQ(OptionNumber("h5"), 5);
  EXPECT_EQ(OptionNumber("p 25x"), 25);
  EXPECT_EQ(OptionNumber("m-3"), -3);
  EXPECT_EQ(OptionNumber("z"), 0);
  EXPECT_EQ(OptionNumber(""), 0);
  EXPECT_EQ(OptionNumber("hx9"), 0);
  EXPECT_EQ(OptionNumber("h\t\n +7"), 7);
  // 32-bit results on every build, as the Windows atol gives them.
  EXPECT_EQ(OptionNumber("h2147483647"), INT32_MAX);
  EXPECT_EQ(OptionNumber("h2147483648"), INT32_MAX);
  EXPECT_EQ(OptionNumber("h9223372036854775808123"), INT32_MAX);
  EXPECT_EQ(OptionNumber("m-2147483648"), INT32_MIN);
  EXPECT_EQ(OptionNumber("m-99999999999"), INT32_MIN);
}

TEST(FeatureCodecs, OrientationPairs) {
  EXPECT_EQ(RotationButtonOf("PORTRAIT", "OFF"), 0);
  EXPECT_EQ(RotationButtonOf("LANDSCAPE_CC90", "OFF"), 1);
  EXPECT_EQ(RotationButtonOf("PORTRAIT", "ON"), 2);
  EXPECT_EQ(RotationButtonOf("LANDSCAPE_CC90", "ON"), 3);
  EXPECT_EQ(RotationButtonOf("PORTRAIT", ""), -1);
  EXPECT_EQ(RotationButtonOf("portrait", "OFF"), -1) << "options compare exactly";
  for (int b = 0; b < 4; ++b) {
    const auto [o, e] = OrientationPairOf(b);
    EXPECT_EQ(RotationButtonOf(o, e), b);
  }
}

TEST(FeatureCodecs, Blackness) {
  EXPECT_EQ(BlacknessPosition("h5", "l7"), 57);
  EXPECT_EQ(BlacknessPosition("h12", "l0"), 100) << "limited to the bar";
  EXPECT_EQ(BlacknessPosition("h-1", "l0"), 0);
  // 10 x H past the 32-bit range is still limited, not wrapped.
  EXPECT_EQ(BlacknessPosition("h214748365", "l0"), 100);
  EXPECT_EQ(BlacknessPosition("h-214748365", "l9"), 0);
  EXPECT_EQ(BlacknessPosition("h9223372036854775807", "l9223372036854775807"), 100);
  EXPECT_EQ(BlacknessPosition("h-9223372036854775808", "l-9223372036854775808"), 0);
  EXPECT_EQ(BlacknessPosition("h0", "l-5"), 0);
  EXPECT_EQ(BlacknessPosition("h9", "l99"), 100);
  EXPECT_EQ(BlacknessOptions(100), std::make_pair(std::string("h10"), std::string("l0")));
  EXPECT_EQ(BlacknessOptions(0), std::make_pair(std::string("h0"), std::string("l0")));
  EXPECT_EQ(BlacknessOptions(57), std::make_pair(std::string("h5"), std::string("l7")));
  EXPECT_EQ(BlacknessLabel(57), "57");
}

TEST(FeatureCodecs, Zoom) {
  EXPECT_EQ(ZoomIndexOf("z100"), 10);
  EXPECT_EQ(ZoomIndexOf("z50"), 0);
  EXPECT_EQ(ZoomIndexOf("z154"), 20) << "the step at or below";
  EXPECT_EQ(ZoomIndexOf("z103"), 10);
  EXPECT_EQ(ZoomIndexOf("z49"), -1);
  EXPECT_EQ(ZoomIndexOf("z155"), -1);
  EXPECT_EQ(ZoomIndexOf("z-3"), -1);
  EXPECT_EQ(ZoomOption(0), "z50");
  EXPECT_EQ(ZoomOption(20), "z150");
  EXPECT_EQ(ZoomItemText(10), L"100%");
}

TEST(FeatureCodecs, Trim) {
  EXPECT_EQ(TrimPosition("p25"), 5);
  EXPECT_EQ(TrimPosition("p07"), 1);
  EXPECT_EQ(TrimPosition("p99"), 19);
  EXPECT_EQ(TrimPosition("p200"), 19);
  EXPECT_EQ(TrimPosition("p-10"), 0);
  EXPECT_EQ(TrimOption(19), "p95");
  EXPECT_EQ(TrimOption(0), "p00");
  EXPECT_EQ(TrimLabel(5), "2.5mm");
  EXPECT_EQ(TrimLabel(3), "1.5mm");
}

TEST(FeatureCodecs, Offset) {
  EXPECT_EQ(OffsetPosition("m25"), -5);
  EXPECT_EQ(OffsetPosition("p50"), 10);
  EXPECT_EQ(OffsetPosition("m99"), -10);
  EXPECT_EQ(OffsetPosition("p00"), 0);
  EXPECT_EQ(OffsetOption(-1), "m05");
  EXPECT_EQ(OffsetOption(0), "p00");
  EXPECT_EQ(OffsetOption(10), "p50");
  EXPECT_EQ(OffsetLabel(3), "+1.5mm");
  EXPECT_EQ(OffsetLabel(0), " 0.0mm");
  EXPECT_EQ(OffsetLabel(-3), " -1.5mm");
  EXPECT_EQ(OffsetLabel(-5), " -2.5mm");
}

TEST(FeatureCodecs, OptionsRoundTripThroughTheControls) {
  for (int p = 0; p <= kBlacknessMax; ++p) {
    const auto [h, l] = BlacknessOptions(p);
    EXPECT_EQ(BlacknessPosition(h, l), p);
  }
  for (int i = 0; i < kZoomItems; ++i) EXPECT_EQ(ZoomIndexOf(ZoomOption(i)), i);
  for (int p = 0; p <= kTrimMax; ++p) EXPECT_EQ(TrimPosition(TrimOption(p)), p);
  for (int p = -kOffsetMax; p <= kOffsetMax; ++p) EXPECT_EQ(OffsetPosition(OffsetOption(p)), p);
}

}  // namespace
}  // namespace velmo
