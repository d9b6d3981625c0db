// libFuzzer entry: JPEG files the user opens for the preview. A decoded
// picture must be whole and plain 0x00RRGGBB and within the size limit; a
// refused one leaves the output as it was.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velmo::ColorImage image{1, 1, {0x123456}};
  if (!velmo::DecodeJpeg({data, size}, image)) {
    VELMO_FUZZ_CHECK(image.width == 1 && image.pixels.size() == 1 && image.pixels[0] == 0x123456);
    return 0;
  }
  VELMO_FUZZ_CHECK(image.width > 0 && image.height > 0);
  VELMO_FUZZ_CHECK(image.pixels.size() == size_t(image.width) * size_t(image.height));
  VELMO_FUZZ_CHECK(image.pixels.size() <= velmo::kMaxPicturePixels);
  for (uint32_t pixel : image.pixels) VELMO_FUZZ_CHECK(pixel >> 24 == 0);
  return 0;
}
