#pragma once
// What every picture decoder must hold for any bytes: a decoded picture is
// whole, plain 0x00RRGGBB and within the size limit; a refused one leaves
// the output as it was.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "picture_decode.h"

namespace velmo {

template <typename Decode>
void CheckPictureDecoder(Decode decode, const uint8_t* data, size_t size) {
  ColorImage image{1, 1, {0x123456}};
  if (!decode(std::span<const uint8_t>(data, size), image)) {
    VELMO_FUZZ_CHECK(image.width == 1 && image.pixels.size() == 1 && image.pixels[0] == 0x123456);
    return;
  }
  VELMO_FUZZ_CHECK(image.width > 0 && image.height > 0);
  VELMO_FUZZ_CHECK(image.pixels.size() == size_t(image.width) * size_t(image.height));
  VELMO_FUZZ_CHECK(image.pixels.size() <= kMaxPicturePixels);
  for (uint32_t pixel : image.pixels) VELMO_FUZZ_CHECK(pixel >> 24 == 0);
}

}  // namespace velmo
