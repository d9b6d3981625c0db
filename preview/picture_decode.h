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

enum class PictureKind { Unknown, Jpeg, Png, Bitmap };

// Tells the kind from the file's first bytes, not from its name.
PictureKind SniffPicture(std::span<const uint8_t> data);

// Each returns false, leaving `out` untouched, for damaged or foreign data.
[[nodiscard]] bool DecodeJpeg(std::span<const uint8_t> data, ColorImage& out);
[[nodiscard]] bool DecodePng(std::span<const uint8_t> data, ColorImage& out);
[[nodiscard]] bool DecodePicture(std::span<const uint8_t> data, ColorImage& out);

}  // namespace velmo
