#include "picture_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "picture_encode.h"

namespace velmo {
namespace {

ColorImage Gradient(int width, int height) {
  ColorImage image{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.pixels[size_t(y) * size_t(width) + size_t(x)] =
          (uint32_t(x * 255 / (width - 1)) << 16) | (uint32_t(y * 255 / (height - 1)) << 8) | 0x40;
  return image;
}

int Channel(uint32_t pixel, int shift) { return int((pixel >> shift) & 0xFF); }

TEST(PictureDecode, PngRoundTripIsExact) {
  const ColorImage original = Gradient(37, 21);
  const std::vector<uint8_t> file = EncodePng(original);
  ASSERT_EQ(SniffPicture(file), PictureKind::Png);
  ColorImage decoded;
  ASSERT_TRUE(DecodePicture(file, decoded));
  EXPECT_EQ(decoded.width, 37);
  EXPECT_EQ(decoded.height, 21);
  EXPECT_EQ(decoded.pixels, original.pixels);
}

TEST(PictureDecode, JpegRoundTripIsClose) {
  const ColorImage original = Gradient(64, 48);
  const std::vector<uint8_t> file = EncodeJpeg(original, 95);
  ASSERT_EQ(SniffPicture(file), PictureKind::Jpeg);
  ColorImage decoded;
  ASSERT_TRUE(DecodePicture(file, decoded));
  ASSERT_EQ(decoded.width, 64);
  ASSERT_EQ(decoded.height, 48);
  for (size_t i = 0; i < original.pixels.size(); ++i)
    for (int shift : {0, 8, 16})
      ASSERT_LE(std::abs(Channel(decoded.pixels[i], shift) - Channel(original.pixels[i], shift)), 12)
          << "pixel " << i;
}

TEST(PictureDecode, DamagedOrForeignDataLeavesImageUntouched) {
  const std::vector<uint8_t> png = EncodePng(Gradient(16, 16));
  const std::vector<uint8_t> jpeg = EncodeJpeg(Gradient(16, 16), 80);
  const std::vector<uint8_t> cases[] = {
      {png.begin(), png.begin() + long(png.size() / 2)},    // truncated PNG
      {jpeg.begin(), jpeg.begin() + 20},                    // truncated JPEG header
      {'G', 'I', 'F', '8', '9', 'a'},                       // unknown kind
      {},
  };
  for (const auto& data : cases) {
    ColorImage image{1, 1, {0x123456}};
    EXPECT_FALSE(DecodePicture(data, image));
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.pixels, std::vector<uint32_t>{0x123456});
  }
  ColorImage image;
  EXPECT_FALSE(DecodeJpeg(png, image)) << "a PNG is not taken for a JPEG";
}

TEST(PictureDecode, JpegLargerThanTheLimitIsRefused) {
  std::vector<uint8_t> file = EncodeJpeg(Gradient(16, 16), 80);
  // The frame header (FF C0): length, precision, then height and width.
  const uint8_t marker[] = {0xFF, 0xC0};
  const auto sof = std::search(file.begin(), file.end(), std::begin(marker), std::end(marker));
  ASSERT_NE(sof, file.end());
  const size_t at = size_t(sof - file.begin()) + 5;
  file[at] = file[at + 2] = 0xFF;  // 65535 x 65535, far past the limit
  file[at + 1] = file[at + 3] = 0xFF;
  ColorImage image{1, 1, {0x123456}};
  EXPECT_FALSE(DecodeJpeg(file, image));
  EXPECT_EQ(image.pixels, std::vector<uint32_t>{0x123456});
}

}  // namespace
}  // namespace velmo
