#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "picture_decode.h"

namespace velmo {
namespace {

void PutU16(std::vector<uint8_t>& d, size_t at, uint32_t v) {
  d[at] = uint8_t(v), d[at + 1] = uint8_t(v >> 8);
}
void PutU32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
}

struct BitmapSpec {
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t infoSize = 40;
  std::vector<uint32_t> palette = {};  // written as blue, green, red, 0
  std::vector<uint8_t> extraAfterHeader = {};
  std::vector<uint8_t> rows = {};  // as stored, padding included
};

// A file laid out the way writers lay it out: headers, any masks, the
// colour table, then the rows.
std::vector<uint8_t> BitmapFile(const BitmapSpec& s) {
  std::vector<uint8_t> d(14 + s.infoSize);
  d[0] = 'B', d[1] = 'M';
  PutU32(d, 14, s.infoSize);
  PutU32(d, 18, uint32_t(s.width));
  PutU32(d, 22, uint32_t(s.height));
  PutU16(d, 26, 1);
  PutU16(d, 28, s.bitCount);
  PutU32(d, 30, s.compression);
  PutU32(d, 46, uint32_t(s.palette.size()));
  d.insert(d.end(), s.extraAfterHeader.begin(), s.extraAfterHeader.end());
  for (uint32_t c : s.palette) d.insert(d.end(), {BlueOf(c), GreenOf(c), RedOf(c), 0});
  PutU32(d, 10, uint32_t(d.size()));
  d.insert(d.end(), s.rows.begin(), s.rows.end());
  PutU32(d, 2, uint32_t(d.size()));
  return d;
}

// 3 x 2, 24-bit: each row 9 bytes and 3 of padding.
BitmapSpec ThreeByTwo(bool topDown) {
  const std::vector<uint8_t> top = {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0, 0};
  const std::vector<uint8_t> bottom = {0x13, 0x12, 0x11, 0x16, 0x15, 0x14, 0x19, 0x18, 0x17, 0, 0, 0};
  BitmapSpec s{.width = 3, .height = topDown ? -2 : 2, .rows = std::vector<uint8_t>(24)};
  std::copy(top.begin(), top.end(), s.rows.begin() + (topDown ? 0 : 12));
  std::copy(bottom.begin(), bottom.end(), s.rows.begin() + (topDown ? 12 : 0));
  return s;
}
const std::vector<uint32_t> kThreeByTwoPixels = {0x010203, 0x040506, 0x070809, 0x111213, 0x141516, 0x171819};

std::vector<uint8_t> ThirtyTwoBitRows() {
  return {0x03, 0x02, 0x01, 0xAA, 0x06, 0x05, 0x04, 0xBB};  // 2 x 1, the fourth byte ignored
}

TEST(BitmapDecode, TwentyFourBitBottomUpAndTopDown) {
  for (bool topDown : {false, true}) {
    ColorImage image;
    ASSERT_TRUE(DecodePicture(BitmapFile(ThreeByTwo(topDown)), image)) << topDown;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, kThreeByTwoPixels) << topDown;
  }
}

TEST(BitmapDecode, ThirtyTwoBitPlainAndWithPlainBitFields) {
  const std::vector<uint8_t> masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
  const BitmapSpec specs[] = {
      {.width = 2, .height = 1, .bitCount = 32, .rows = ThirtyTwoBitRows()},
      {.width = 2, .height = 1, .bitCount = 32, .compression = 3, .extraAfterHeader = masks,
       .rows = ThirtyTwoBitRows()},
  };
  for (const BitmapSpec& s : specs) {
    ColorImage image;
    ASSERT_TRUE(DecodeBitmap(BitmapFile(s), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x010203, 0x040506}));
  }
  // A longer header carries the masks itself.
  BitmapSpec v5{.width = 2, .height = 1, .bitCount = 32, .compression = 3, .infoSize = 124,
                .rows = ThirtyTwoBitRows()};
  std::vector<uint8_t> file = BitmapFile(v5);
  PutU32(file, 54, 0x00FF0000), PutU32(file, 58, 0x0000FF00), PutU32(file, 62, 0x000000FF);
  ColorImage image;
  ASSERT_TRUE(DecodeBitmap(file, image));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x010203, 0x040506}));
  PutU32(file, 54, 0x0000FF00), PutU32(file, 58, 0x00FF0000);  // green and red swapped
  EXPECT_FALSE(DecodeBitmap(file, image));
}

TEST(BitmapDecode, PalettizedEightFourAndOneBit) {
  BitmapSpec eight{.width = 3, .height = 1, .bitCount = 8, .palette = {0x102030, 0x405060, 0x708090},
                   .rows = {2, 0, 1, 0}};
  ColorImage image;
  ASSERT_TRUE(DecodeBitmap(BitmapFile(eight), image));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x708090, 0x102030, 0x405060}));
  eight.rows = {2, 3, 1, 0};  // 3 is past the table
  EXPECT_FALSE(DecodeBitmap(BitmapFile(eight), image));

  // 3 x 1 at 4 bits: indices 2, 0, 1 from the high nibble on.
  const BitmapSpec four{.width = 3, .height = 1, .bitCount = 4, .palette = {0x102030, 0x405060, 0x708090},
                        .rows = {0x20, 0x10, 0, 0}};
  ASSERT_TRUE(DecodeBitmap(BitmapFile(four), image));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x708090, 0x102030, 0x405060}));

  // 10 x 2, bits from the highest; each row 2 bytes and 2 of padding.
  const BitmapSpec one{.width = 10, .height = -2, .bitCount = 1, .palette = {0x000000, 0xFFFFFF},
                       .rows = {0b10100000, 0b01000000, 0, 0, 0xFF, 0xC0, 0, 0}};
  ASSERT_TRUE(DecodeBitmap(BitmapFile(one), image));
  ASSERT_EQ(image.pixels.size(), 20u);
  const uint32_t W = 0xFFFFFF;
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{W, 0, W, 0, 0, 0, 0, 0, 0, W,  //
                                                 W, W, W, W, W, W, W, W, W, W}));
}

TEST(BitmapDecode, EveryTruncationIsRefused) {
  const std::vector<uint8_t> whole = BitmapFile(ThreeByTwo(false));
  ColorImage image;
  ASSERT_TRUE(DecodeBitmap(whole, image));
  for (size_t size = 0; size < whole.size(); ++size) {
    const std::vector<uint8_t> part(whole.begin(), whole.begin() + ptrdiff_t(size));
    EXPECT_FALSE(DecodeBitmap(part, image)) << size << " of " << whole.size();
  }
}

TEST(BitmapDecode, UnsupportedOrImpossibleHeadersAreRefused) {
  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>&);
  };
  const Case cases[] = {
      {"run-length compression", [](auto& d) { PutU32(d, 30, 1); }},
      {"16 bits a pixel", [](auto& d) { PutU16(d, 28, 16); }},
      {"2 bits a pixel", [](auto& d) { PutU16(d, 28, 2); }},
      {"two planes", [](auto& d) { PutU16(d, 26, 2); }},
      {"width 0", [](auto& d) { PutU32(d, 18, 0); }},
      {"negative width", [](auto& d) { PutU32(d, 18, uint32_t(-3)); }},
      {"height 0", [](auto& d) { PutU32(d, 22, 0); }},
      {"height INT32_MIN", [](auto& d) { PutU32(d, 22, uint32_t(INT32_MIN)); }},
      {"core header", [](auto& d) { PutU32(d, 14, 12); }},
      {"header longer than the file", [](auto& d) { PutU32(d, 14, 124); }},
      {"huge size", [](auto& d) { PutU32(d, 18, INT32_MAX), PutU32(d, 22, INT32_MAX); }},
      {"rows past the end", [](auto& d) { PutU32(d, 22, 3); }},
      {"pixel data offset past the end", [](auto& d) { PutU32(d, 10, 0xFFFFFFF0u); }},
      {"bit fields for 24 bits", [](auto& d) { PutU32(d, 30, 3); }},
      {"not BM", [](auto& d) { d[1] = 'A'; }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = BitmapFile(ThreeByTwo(false));
    c.damage(file);
    ColorImage image{1, 1, {0x123456}};
    EXPECT_FALSE(DecodePicture(file, image)) << c.what;
    EXPECT_EQ(image.pixels, std::vector<uint32_t>{0x123456}) << c.what;
  }
}

TEST(BitmapDecode, ColourTableLimits) {
  BitmapSpec full{.width = 1, .height = 1, .bitCount = 8, .palette = std::vector<uint32_t>(256, 0x010101),
                  .rows = {255, 0, 0, 0}};
  ColorImage image;
  EXPECT_TRUE(DecodeBitmap(BitmapFile(full), image)) << "256 colours, the most 8 bits can index";
  full.palette.push_back(0);
  EXPECT_FALSE(DecodeBitmap(BitmapFile(full), image)) << "257 colours";
  std::vector<uint8_t> file = BitmapFile({.width = 1, .height = 1, .bitCount = 1, .palette = {0, 0xFFFFFF},
                                          .rows = {0x80, 0, 0, 0}});
  PutU32(file, 46, 3);
  EXPECT_FALSE(DecodeBitmap(file, image)) << "more colours than 1 bit can index";
  file = BitmapFile({.width = 1, .height = 1, .bitCount = 8, .rows = {0, 0, 0, 0}});
  EXPECT_FALSE(DecodeBitmap(file, image)) << "count 0 asks for 256 colours, which the file lacks";
}

}  // namespace
}  // namespace velmo
