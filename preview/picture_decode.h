#pragma once
// Decoding of picture files into colour pixels, free of any window system.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmo {

// Pixels top row first, each a 32-bit value 0x00RRGGBB (blue in the lowest
// byte), the layout of a 32-bit device-independent bitmap.
struct ColorImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

constexpr uint32_t PackRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return (uint32_t{red} << 16) | (uint32_t{green} << 8) | uint32_t{blue};
}
constexpr uint8_t RedOf(uint32_t pixel) { return uint8_t(pixel >> 16); }
constexpr uint8_t GreenOf(uint32_t pixel) { return uint8_t(pixel >> 8); }
constexpr uint8_t BlueOf(uint32_t pixel) { return uint8_t(pixel); }

// Larger pictures are refused rather than allocated: a damaged or hostile
// header must not ask for more than a 32-bit program can give.
inline constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 26;

enum class PictureKind { Unknown, Jpeg, Png, Bitmap };

// Tells the kind from the file's first bytes, not from its name.
PictureKind SniffPicture(std::span<const uint8_t> data);

// The preview's paper panel is under 800 pixels on its shorter side even at
// twice the normal screen scaling, so a picture kept at least this long on
// both sides is never enlarged by the preview's fit step.
inline constexpr uint32_t kPreviewMinSide = 800;

// ForPreview decodes a large JPEG picture at 1/2, 1/4 or 1/8 of its size
// (the strongest reduction that keeps both sides at least kPreviewMinSide),
// which spares most of the decoding work of a camera photograph.
enum class JpegScale { ForPreview, Full };

// Each returns false, leaving `out` untouched, for damaged or foreign data.
[[nodiscard]] bool DecodeJpeg(std::span<const uint8_t> data, ColorImage& out,
                              JpegScale scale = JpegScale::ForPreview);
[[nodiscard]] bool DecodePng(std::span<const uint8_t> data, ColorImage& out);
// Uncompressed 1-, 4-, 8-, 24- and 32-bit bitmap files, bottom-up or top-down.
[[nodiscard]] bool DecodeBitmap(std::span<const uint8_t> data, ColorImage& out);
[[nodiscard]] bool DecodePicture(std::span<const uint8_t> data, ColorImage& out);

}  // namespace velmo
