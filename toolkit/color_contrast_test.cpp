#include "color_contrast.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255), kBlack = 0, kSilver = MakeRgb(192, 192, 192);

TEST(ContrastRatio, SpansOneToTwentyOneWhicheverWayRound) {
  EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kSilver, kSilver), 1.0, 1e-9);
  // Green weighs most: pure green on black is far brighter than pure blue.
  EXPECT_GT(ContrastRatio(MakeRgb(0, 255, 0), kBlack), 3 * ContrastRatio(MakeRgb(0, 0, 255), kBlack));
  EXPECT_NEAR(ContrastRatio(MakeRgb(118, 118, 118), kWhite), 4.54, 0.01);  // the known AA boundary grey
}

TEST(ContrastRatio, SecondaryTextIsReadableWhereTheOldGreysWereNot) {
  EXPECT_LT(ContrastRatio(MakeRgb(128, 128, 128), kWhite), kReadableContrast);
  EXPECT_LT(ContrastRatio(kSilver, kWhite), kReadableContrast);
  for (const Rgb face : {kWhite, MakeRgb(240, 240, 240), MakeRgb(236, 233, 216)})
    EXPECT_GE(ContrastRatio(kSecondaryText, face), kReadableContrast) << std::hex << face;
}

TEST(SystemColorRoles, BackgroundsAndTheirTexts) {
  EXPECT_EQ(BackgroundRole(kWhite), SystemColor::Window);
  EXPECT_EQ(BackgroundRole(MakeRgb(250, 250, 250)), SystemColor::Window);
  EXPECT_EQ(BackgroundRole(kSilver), SystemColor::ButtonFace);
  EXPECT_EQ(BackgroundRole(MakeRgb(240, 240, 240)), SystemColor::ButtonFace);

  EXPECT_EQ(TextRole(SystemColor::Window, false, 0, true), SystemColor::WindowText);
  EXPECT_EQ(TextRole(SystemColor::ButtonFace, false, 0, true), SystemColor::ButtonText);
  EXPECT_EQ(TextRole(SystemColor::Highlight, false, 0, true), SystemColor::HighlightText);
  EXPECT_EQ(TextRole(SystemColor::Window, true, kBlack, true), SystemColor::WindowText);
  EXPECT_EQ(TextRole(SystemColor::Window, true, kSecondaryText, true), SystemColor::GrayText);
  EXPECT_EQ(TextRole(SystemColor::ButtonFace, false, 0, false), SystemColor::GrayText);
}

}  // namespace
}  // namespace toolkit
