#include "picture_geometry.h"

#include <algorithm>
#include <cstddef>

namespace velmo {
namespace {

// Source index under the centre of target index i of `targetSize`.
int NearestSource(int i, int targetSize, int sourceSize) {
  return static_cast<int>((int64_t{2} * i + 1) * sourceSize / (int64_t{2} * targetSize));
}

}  // namespace

ColorImage StretchNearest(const ColorImage& source, int width, int height) {
  if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return {};
  ColorImage target{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
  std::vector<int> columns(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) columns[size_t(x)] = NearestSource(x, width, source.width);
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = source.pixels.data() + size_t(NearestSource(y, height, source.height)) * size_t(source.width);
    uint32_t* to = target.pixels.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) to[x] = from[columns[size_t(x)]];
  }
  return target;
}

ColorImage QuarterTurnClockwise(const ColorImage& source) {
  const int width = source.height, height = source.width;
  ColorImage target{width, height, std::vector<uint32_t>(source.pixels.size())};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      target.pixels[size_t(y) * size_t(width) + size_t(x)] =
          source.pixels[size_t(source.height - 1 - x) * size_t(source.width) + size_t(y)];
  return target;
}

void HalfTurn(ColorImage& image) {
  // Reading the rows backwards and each row backwards is reading the whole
  // buffer backwards.
  std::reverse(image.pixels.begin(), image.pixels.end());
}

GreyImage GreyFromColor(const ColorImage& image) {
  GreyImage grey(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), grey.begin(), [](uint32_t p) {
    return uint8_t((RedOf(p) * 19595u + GreenOf(p) * 38469u + BlueOf(p) * 7472u) >> 16);
  });
  return grey;
}

ColorImage ColorFromGrey(const GreyImage& grey, int width, int height) {
  ColorImage image{width, height, std::vector<uint32_t>(grey.size())};
  std::transform(grey.begin(), grey.end(), image.pixels.begin(), [](uint8_t g) { return PackRgb(g, g, g); });
  return image;
}

void MirrorRows(GreyImage& image, int width, int height) {
  for (int y = 0; y < height; ++y) {
    auto row = image.begin() + ptrdiff_t(y) * width;
    std::reverse(row, row + width);
  }
}

void MirrorColumns(GreyImage& image, int width, int height) {
  for (int y = 0; y < height / 2; ++y)
    std::swap_ranges(image.begin() + ptrdiff_t(y) * width, image.begin() + ptrdiff_t(y + 1) * width,
                     image.begin() + ptrdiff_t(height - 1 - y) * width);
}

void PasteGrey(const GreyImage& source, int sourceWidth, int sourceHeight, GreyImage& target,
               int targetWidth, int targetHeight, int left, int top) {
  const int x0 = std::max(0, left), x1 = std::min(targetWidth, left + sourceWidth);
  const int y0 = std::max(0, top), y1 = std::min(targetHeight, top + sourceHeight);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y)
    std::copy_n(source.begin() + ptrdiff_t(y - top) * sourceWidth + (x0 - left), x1 - x0,
                target.begin() + ptrdiff_t(y) * targetWidth + x0);
}

}  // namespace velmo
