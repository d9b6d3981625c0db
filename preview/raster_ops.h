#pragma once
// Operations on 8-bit grey images that the preview chains together.
//
// A grey image is width x height bytes, top row first, each row left to
// right (pixel (x, y) at y * width + x); 0 is black, 255 white. The numbers
// these produce are part of the preview's look, so every conversion below
// truncates toward zero exactly where the preview always has.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace velmo {

using GreyImage = std::vector<uint8_t>;

// Grey value -> grey value to use instead, applied before diffusion.
using ToneTable = std::array<uint8_t, 256>;

constexpr bool PointInImage(int x, int y, int width, int height) {
  return x >= 0 && x < width && y >= 0 && y < height;
}

// Fills every byte of `target` (targetWidth x targetHeight) from `source`.
// Each target pixel samples the source one unit either side of its source
// position, not at the nearest pixels, and samples outside the source read
// as white: at scale 1 a pixel becomes the mean of its diagonal neighbours
// and the outer frame blends with white.
void ResampleBilinear(std::span<const uint8_t> source, int sourceWidth, int sourceHeight,
                      std::span<uint8_t> target, int targetWidth, int targetHeight);

// trunc(size * factor), the product taken exactly; 0 for a size that comes
// out as nothing.
int ScaledSize(int size, float factor);

// The picture that ScaleImage would make of `source` (sourceWidth x
// sourceHeight) by `factor`, pasted into `canvas` (canvasWidth x canvasHeight)
// with its top-left pixel at (left, top); what falls outside the canvas is
// cut off and never computed. The rest of the canvas is left as it is.
void ScaleImageInto(std::span<const uint8_t> source, int sourceWidth, int sourceHeight, float factor,
                    std::span<uint8_t> canvas, int canvasWidth, int canvasHeight, int left, int top);

// Replaces `image` by one of trunc(width * factor) x trunc(height * factor)
// (exact products, not rounded to float first) and stores the new size; a
// size that comes out as 0 or less leaves an empty image.
void ScaleImage(GreyImage& image, int& width, int& height, float factor);

// Floyd-Steinberg error diffusion in place, rows top to bottom and every row
// left to right; afterwards every value is 0 or 255. Values are never
// clamped while the error spreads, and the shares' truncation loss is dropped.
void FloydSteinbergDiffuse(std::span<int32_t> values, int width, int height);

// Replaces `image` (width x height bytes) by its two-level (0 or 255)
// diffused version.
void DitherImage(int width, int height, GreyImage& image);

// Entry i is trunc(pow((i + 0.5) / 256, exponent) * 256 - 0.5): exponent 1
// is the identity, larger ones darken the mid-tones, 0 makes all white.
// Meant for exponents 0 to 2; entries outside 0..255 are clamped.
ToneTable BuildToneTable(double exponent);

}  // namespace velmo
