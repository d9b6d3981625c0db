#pragma once
// Encoding of colour pixels into picture files, for tools and tests; the
// programs themselves only decode.
#include <cstdint>
#include <vector>

#include "picture_decode.h"

namespace velmo {

std::vector<uint8_t> EncodePng(const ColorImage& image);
enum class JpegScans { Baseline, Progressive };
std::vector<uint8_t> EncodeJpeg(const ColorImage& image, int quality, JpegScans scans = JpegScans::Baseline);

}  // namespace velmo
