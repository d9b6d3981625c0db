// libFuzzer entry: PNG files the user opens for the preview.
#include "picture_decode_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velmo::CheckPictureDecoder([](auto bytes, velmo::ColorImage& image) { return velmo::DecodePng(bytes, image); },
                             data, size);
  return 0;
}
