#include "picture_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <zlib.h>

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

// `file` with a chunk of `type` inserted after IHDR; `declared` overrides
// the length field (the data stays as given).
std::vector<uint8_t> WithPngChunk(std::vector<uint8_t> file, const char (&type)[5], std::vector<uint8_t> data,
                                  std::optional<uint32_t> declared = std::nullopt) {
  std::vector<uint8_t> chunk;
  const uint32_t length = declared.value_or(uint32_t(data.size()));
  for (int shift : {24, 16, 8, 0}) chunk.push_back(uint8_t(length >> shift));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uint32_t crc = uint32_t(crc32(crc32(0, nullptr, 0), chunk.data() + 4, uInt(chunk.size() - 4)));
  for (int shift : {24, 16, 8, 0}) chunk.push_back(uint8_t(crc >> shift));
  const size_t afterHeader = 8 + 12 + 13;  // signature, then IHDR
  file.insert(file.begin() + long(afterHeader), chunk.begin(), chunk.end());
  return file;
}

TEST(PictureDecode, PngExtraChunksArePassedOverAndTransparencyKept) {
  const ColorImage original = Gradient(8, 4);
  const std::vector<uint8_t> plain = EncodePng(original);
  std::vector<uint8_t> file = WithPngChunk(plain, "tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'});
  file = WithPngChunk(file, "vlMo", {1, 2, 3});
  file = WithPngChunk(file, "gAMA", {0, 0, 0xB1, 0x8F});
  ColorImage decoded;
  ASSERT_TRUE(DecodePng(file, decoded));
  EXPECT_EQ(decoded.pixels, original.pixels);

  // tRNS makes the first pixel's colour transparent: it comes out as paper.
  const uint32_t first = original.pixels[0];
  const std::vector<uint8_t> key = {0, RedOf(first), 0, GreenOf(first), 0, BlueOf(first)};
  ASSERT_TRUE(DecodePng(WithPngChunk(plain, "tRNS", key), decoded));
  EXPECT_EQ(decoded.pixels[0], 0xFFFFFFu);
  EXPECT_EQ(decoded.pixels[1], original.pixels[1]);
}

TEST(PictureDecode, PngChunkDeclaringMoreThanTheFileIsRefused) {
  // A text chunk that declares 835 MB in a file of a few hundred bytes.
  const std::vector<uint8_t> file = WithPngChunk(EncodePng(Gradient(8, 4)), "tEXt", {'a', 0, 'b'}, 0x342D0025);
  ColorImage image{1, 1, {0x123456}};
  EXPECT_FALSE(DecodePng(file, image));
  EXPECT_EQ(image.pixels, std::vector<uint32_t>{0x123456});
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

// Writes a declared size into the frame header (FF C0 baseline, FF C2
// progressive): length, precision, then height and width.
void DeclareJpegSize(std::vector<uint8_t>& file, uint16_t width, uint16_t height) {
  for (size_t i = 0; i + 8 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = uint8_t(height >> 8), file[i + 6] = uint8_t(height);
      file[i + 7] = uint8_t(width >> 8), file[i + 8] = uint8_t(width);
      return;
    }
  }
  FAIL() << "no frame header";
}

TEST(PictureDecode, JpegDeclaringMoreThanThePreviewCanUseIsRefused) {
  const ColorImage small = Gradient(16, 16);
  struct Case {
    JpegScans scans;
    uint16_t width, height;
    const char* why;
  } cases[] = {
      {JpegScans::Baseline, 65535, 65535, "far past the pixel limit"},
      {JpegScans::Progressive, 30000, 30000, "past the pixel limit, refused before any allocation"},
      // Within the pixel limit, but a progressive picture's coefficients
      // for the whole of it would take 192 MB.
      {JpegScans::Progressive, 8192, 8192, "coefficients past the memory limit"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = EncodeJpeg(small, 80, c.scans);
    DeclareJpegSize(file, c.width, c.height);
    ColorImage image{1, 1, {0x123456}};
    EXPECT_FALSE(DecodeJpeg(file, image)) << c.why;
    EXPECT_EQ(image.pixels, std::vector<uint32_t>{0x123456}) << c.why;
  }
}

TEST(PictureDecode, LargeJpegIsDecodedReducedForThePreview) {
  struct Case {
    int width, height;
    int previewWidth, previewHeight;
  } cases[] = {
      {1024, 683, 1024, 683},    // the sample photograph: kept whole
      {1500, 1600, 1500, 1600},  // half of it would be narrower than 800
      {2000, 1700, 1000, 850},   // a half, not a quarter (425 < 800)
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> file = EncodeJpeg(Gradient(c.width, c.height), 90);
    ColorImage preview, full;
    ASSERT_TRUE(DecodeJpeg(file, preview));
    EXPECT_EQ(preview.width, c.previewWidth) << c.width << " x " << c.height;
    EXPECT_EQ(preview.height, c.previewHeight) << c.width << " x " << c.height;
    EXPECT_EQ(preview.pixels.size(), size_t(preview.width) * size_t(preview.height));
    ASSERT_TRUE(DecodeJpeg(file, full, JpegScale::Full));
    EXPECT_EQ(full.width, c.width);
    EXPECT_EQ(full.height, c.height);
    // The reduced picture is the same picture: its centre has the colour of
    // the full one's centre.
    const uint32_t a = preview.pixels[size_t(preview.height / 2) * size_t(preview.width) + size_t(preview.width / 2)];
    const uint32_t b = full.pixels[size_t(full.height / 2) * size_t(full.width) + size_t(full.width / 2)];
    for (int shift : {0, 8, 16}) EXPECT_LE(std::abs(Channel(a, shift) - Channel(b, shift)), 8);
  }
}

}  // namespace
}  // namespace velmo
