#include "picture_geometry.h"

#include <algorithm>
#include <cstddef>

namespace velmo {
namespace {

// Source index under the centre of target index i of `targetSize`.
int NearestSource(int i, int targetSize, int sourceSize) {
  return static_cast<int>((int64_t{2} * i + 1) * sourceSize / (int64_t{2} * targetSize));
}

std::vector<int> NearestSources(int targetSize, int sourceSize) {
  std::vector<int> sources(static_cast<size_t>(targetSize));
  for (int i = 0; i < targetSize; ++i) sources[size_t(i)] = NearestSource(i, targetSize, sourceSize);
  return sources;
}

uint8_t GreyOf(uint32_t p) { return uint8_t((RedOf(p) * 19595u + GreenOf(p) * 38469u + BlueOf(p) * 7472u) >> 16); }

}  // namespace

GreyImage StretchTurnGrey(const ColorImage& source, int stretchWidth, int stretchHeight, bool quarterTurn,
                          bool halfTurn, int& width, int& height) {
  width = height = 0;
  if (stretchWidth <= 0 || stretchHeight <= 0 || source.width <= 0 || source.height <= 0) return {};
  const std::vector<int> columns = NearestSources(stretchWidth, source.width);
  const std::vector<int> rows = NearestSources(stretchHeight, source.height);
  width = quarterTurn ? stretchHeight : stretchWidth;
  height = quarterTurn ? stretchWidth : stretchHeight;
  GreyImage grey(size_t(width) * size_t(height));
  // Walked along the source's rows, so that its pixels are read in order:
  // unturned, each result row is one source row; turned a quarter, each
  // result column is.
  const int lines = quarterTurn ? width : height, length = quarterTurn ? height : width;
  const std::ptrdiff_t step = quarterTurn ? width : 1, lineStep = quarterTurn ? 1 : width;
  for (int line = 0; line < lines; ++line) {
    // Turned pixel (tx, ty) is stretched pixel (ty, stretchHeight - 1 - tx).
    const int t = halfTurn ? lines - 1 - line : line;
    const uint32_t* from = source.pixels.data() +
                           size_t(rows[size_t(quarterTurn ? stretchHeight - 1 - t : t)]) * size_t(source.width);
    uint8_t* out = grey.data() + line * lineStep;
    for (int i = 0; i < length; ++i, out += step)
      *out = GreyOf(from[columns[size_t(halfTurn ? length - 1 - i : i)]]);
  }
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
