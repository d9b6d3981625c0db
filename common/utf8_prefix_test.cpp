#include "utf8_prefix.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo {
namespace {

TEST(Utf8Prefix, CutsBeforeACharacterThatWouldNotFitWhole) {
  const std::string text = "C:\\安装\\";  // 3 + 3 + 3 + 1 bytes
  EXPECT_EQ(Utf8Prefix(text, 100), text);
  EXPECT_EQ(Utf8Prefix(text, 6), "C:\\安");
  EXPECT_EQ(Utf8Prefix(text, 7), "C:\\安") << "one byte of 装";
  EXPECT_EQ(Utf8Prefix(text, 8), "C:\\安") << "two bytes of 装";
  EXPECT_EQ(Utf8Prefix(text, 9), "C:\\安装");
  EXPECT_EQ(Utf8Prefix("😀x", 3), "") << "a four-byte character goes whole or not at all";
  EXPECT_EQ(Utf8Prefix("ab", 0), "");
}

}  // namespace
}  // namespace velmo
