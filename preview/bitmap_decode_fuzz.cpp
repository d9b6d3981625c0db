// libFuzzer entry: the bitmap decoder must refuse or decode anything
// without reading outside the data.
#include <cstddef>
#include <cstdint>

#include "picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velmo::ColorImage image;
  if (velmo::DecodeBitmap({data, size}, image) &&
      image.pixels.size() != size_t(image.width) * size_t(image.height))
    __builtin_trap();
  return 0;
}
