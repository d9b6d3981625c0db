#include "language_decision.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(DecideEnglishMode, SystemLanguageThenRecordedValue) {
  EXPECT_EQ(DecideEnglishMode(0x0804, std::nullopt), 0);
  EXPECT_EQ(DecideEnglishMode(0x0404, std::nullopt), 1) << "Taiwan's Chinese is not the designed language";
  EXPECT_EQ(DecideEnglishMode(0x0409, std::nullopt), 1);
  EXPECT_EQ(DecideEnglishMode(0x0804, std::string("English (United States)")), 1);
  EXPECT_EQ(DecideEnglishMode(0x0804, std::string("ENGLISH")), 1);
  EXPECT_EQ(DecideEnglishMode(0x0804, std::string("Chinese")), 0);
  EXPECT_EQ(DecideEnglishMode(0x0409, std::string("Chinese")), 1) << "the value cannot switch back";
}

TEST(DecideEnglishMode, NamesEnglishIgnoresCase) {
  EXPECT_TRUE(NamesEnglish("British English"));
  EXPECT_TRUE(NamesEnglish("eNgLiSh"));
  EXPECT_FALSE(NamesEnglish("engl ish"));
  EXPECT_FALSE(NamesEnglish(""));
}

}  // namespace
}  // namespace velmo
