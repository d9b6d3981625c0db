// Size conversions between the boxes' millimetre texts and thousandths.
#include "paper_units.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(ParseNumber, TakesPlainDecimalNumbers) {
  EXPECT_EQ(ParseNumber(L"40.0"), 40.0);
  EXPECT_EQ(ParseNumber(L" -2.5 "), -2.5);
  EXPECT_EQ(ParseNumber(L"+3"), 3.0);
  EXPECT_EQ(ParseNumber(L".5"), 0.5);
  EXPECT_EQ(ParseNumber(L"7."), 7.0);
  EXPECT_EQ(ParseNumber(L"1.5e2"), 150.0);
  EXPECT_EQ(ParseNumber(L"12,25", L','), 12.25) << "the system's decimal separator";
  EXPECT_EQ(ParseNumber(L"12.25", L','), 12.25) << "and the point the boxes are filled with";
}

TEST(ParseNumber, RefusesEverythingElse) {
  for (const wchar_t* text : {L"", L" ", L"abc", L"1.2.3", L"12,25", L"1e", L"-", L".", L"inf", L"nan", L"0x10",
                              L"4 0", L"40mm", L"1e400", L"４０"})
    EXPECT_FALSE(ParseNumber(text)) << "'" << std::string(text, text + wcslen(text)) << "'";
  for (const wchar_t* text : {L"1,2.5", L"1.2,5", L"12;25", L"1,,5"})
    EXPECT_FALSE(ParseNumber(text, L',')) << "one separator, either kind";
  EXPECT_FALSE(ParseNumber(L"12;25", L'.'));
}

TEST(Thousandths, TruncateTowardZero) {
  EXPECT_EQ(Thousandths(12.25), 12250);
  EXPECT_EQ(Thousandths(0.0004), 0);
  EXPECT_EQ(Thousandths(-1.0009), -1000);
  EXPECT_EQ(Thousandths(2147483.647), 2147483647);
  EXPECT_FALSE(Thousandths(2147483.648)) << "one past the spooler's range";
  EXPECT_FALSE(Thousandths(-2147483.649));
}

TEST(Thousandths, InnerEdgeSubtractsFromTheTruncatedOuterLength) {
  EXPECT_EQ(InnerEdge(40000, 3.0), 37000);
  EXPECT_EQ(InnerEdge(40000, 0.5), 39500);
  EXPECT_EQ(InnerEdge(40000, 0.0004), 39999) << "40000 - 0.4 truncates to 39999";
  EXPECT_FALSE(InnerEdge(0, -2147483.648));
}

TEST(MillimetreTexts, OneDecimal) {
  EXPECT_EQ(MillimetreText(12250), L"12.2") << "%0.1f rounds half to even on the binary value";
  EXPECT_EQ(MillimetreText(100000), L"100.0");
  EXPECT_EQ(MillimetreText(-500), L"-0.5");
  EXPECT_EQ(PaperSizeText(100000, 150000), "100.0mm x 150.0mm");
  EXPECT_EQ(PaperSizeText(57500, 30000), "57.5mm x 30.0mm");
}

}  // namespace
}  // namespace velmo
