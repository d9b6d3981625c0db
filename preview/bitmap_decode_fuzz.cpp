// libFuzzer entry: bitmap files the user opens for the preview. The
// decoder must refuse or decode anything without reading outside the data;
// a decoded picture must be whole and plain 0x00RRGGBB.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velmo::ColorImage image{1, 1, {0x123456}};
  if (!velmo::DecodeBitmap({data, size}, image)) {
    VELMO_FUZZ_CHECK(image.width == 1 && image.pixels.size() == 1 && image.pixels[0] == 0x123456);
    return 0;
  }
  VELMO_FUZZ_CHECK(image.width > 0 && image.height > 0);
  VELMO_FUZZ_CHECK(image.pixels.size() == size_t(image.width) * size_t(image.height));
  for (uint32_t pixel : image.pixels) VELMO_FUZZ_CHECK(pixel >> 24 == 0);
  return 0;
}
