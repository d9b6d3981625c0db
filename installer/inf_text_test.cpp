// The portable profile reader: the semantics the catalogue relies on.
#include <gtest/gtest.h>

#include "inf_text.h"

namespace velmo {
namespace {

using Names = std::vector<std::string>;

TEST(InfText, SectionAndKeyNamesMatchWithoutRegardToCase) {
  const InfText inf("[VeRsIoN]\r\nPROVIDER=Velmo\r\n");
  EXPECT_EQ(inf.Value("version", "provider", "-"), "Velmo");
  EXPECT_EQ(inf.Value("Version", "Signature", "-"), "-");
  EXPECT_EQ(inf.Value("Strings", "Provider", "none"), "none");
}

TEST(InfText, BlanksAroundKeysAndValuesGoButNotInside) {
  const InfText inf("[S]\n \t Velmo  LT42 \t=\t A , B \r\n");
  EXPECT_EQ(inf.KeyNames("S"), Names{"Velmo  LT42"});
  EXPECT_EQ(inf.Value("S", "Velmo  LT42", ""), "A , B");
}

TEST(InfText, APairOfQuotesAroundAValueGoesKeyNamesKeepTheirs) {
  const InfText inf("[S]\n\"A\"=\"x y\"\nB='x'\nC=\"x'\nD=\"\nE=\"\"\nF=x\"y\"\n");
  EXPECT_EQ(inf.KeyNames("S"), (Names{"\"A\"", "B", "C", "D", "E", "F"}));
  EXPECT_EQ(inf.Value("S", "\"a\"", ""), "x y");
  EXPECT_EQ(inf.Value("S", "B", ""), "x");
  EXPECT_EQ(inf.Value("S", "C", ""), "\"x'") << "quotes that do not pair stay";
  EXPECT_EQ(inf.Value("S", "D", ""), "\"") << "one quote is no pair";
  EXPECT_EQ(inf.Value("S", "E", "-"), "");
  EXPECT_EQ(inf.Value("S", "F", ""), "x\"y\"");
}

TEST(InfText, CommentsAndBlankLinesAreNoKeys) {
  const InfText inf("; head\n[S]\n\n  ; models\nA=1\n;B=2\n");
  EXPECT_EQ(inf.KeyNames("S"), Names{"A"});
  EXPECT_EQ(inf.Value("S", ";B", "-"), "-");
}

TEST(InfText, EveryKindOfLineEndEndsALine) {
  const InfText inf("[S]\r\nA=1\nB=2\rC=3\r\n\r\nD=4");
  EXPECT_EQ(inf.KeyNames("S"), (Names{"A", "B", "C", "D"}));
  EXPECT_EQ(inf.Value("S", "B", ""), "2");
  EXPECT_EQ(inf.Value("S", "D", ""), "4");
}

TEST(InfText, TheFirstSectionAndTheFirstKeyOfANameCount) {
  const InfText inf("[S]\nA=1\nA=2\n[s]\nB=3\n");
  EXPECT_EQ(inf.Value("S", "A", ""), "1");
  EXPECT_EQ(inf.Value("S", "B", "-"), "-");
  EXPECT_EQ(inf.KeyNames("S"), (Names{"A", "A"}));
}

TEST(InfText, LinesWithoutEqualsSignAndNamelessKeysAreNotListed) {
  const InfText inf("[S]\nLonely\nA=1\n= nameless\n");
  EXPECT_EQ(inf.KeyNames("S"), Names{"A"});
  EXPECT_EQ(inf.Value("S", "Lonely", "-"), "-");
  EXPECT_EQ(inf.Value("S", "", "-"), "nameless");
}

TEST(InfText, SectionNamesAreTrimmedAndAnUnclosedHeaderIsPassedOver) {
  const InfText inf("[ Spaced ]\nA=1\n[Unclosed\nB=2\n[x]y]\nC=3\n");
  EXPECT_EQ(inf.KeyNames("Spaced"), (Names{"A", "B"}));
  EXPECT_TRUE(inf.KeyNames("Unclosed").empty());
  EXPECT_EQ(inf.KeyNames("x]y"), Names{"C"}) << "the name runs to the last bracket";
}

TEST(InfText, AMissingSectionHasNoKeysAndAByteOrderMarkIsSkipped) {
  const InfText inf("\xEF\xBB\xBF[Version]\nProvider=Velmo\n");
  EXPECT_EQ(inf.Value("Version", "Provider", ""), "Velmo");
  EXPECT_TRUE(inf.KeyNames("Velmo.NTx86").empty());
  EXPECT_TRUE(InfText("").KeyNames("Version").empty());
}

}  // namespace
}  // namespace velmo
