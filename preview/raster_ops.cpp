#include "raster_ops.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace velmo {
namespace {

size_t Area(int width, int height) { return size_t(width) * size_t(height); }

// trunc(size * factor), the product taken exactly in extended precision as
// the preview always has (20 * 0.35f is 6.99999988 and gives 6, where a
// product rounded to float would give 7). Sizes that come out as nothing, or
// as nonsense from a negative or NaN factor, are 0.
int ScaledSize(int size, float factor) {
  const long double scaled = static_cast<long double>(size) * factor;
  if (!(scaled >= 1) || scaled >= 2147483648.0L) return 0;
  return static_cast<int>(scaled);
}

// One sample column or row: the two integer positions one unit either side
// of the source position and the two differences that weight them.
struct SamplePair {
  int low;
  int high;
  long double highMinusPos;  // (high - pos)
  long double posMinusLow;   // (pos - low)
};

SamplePair PairAround(double pos) {
  const int low = static_cast<int>(pos - 1.0);
  const int high = static_cast<int>(pos + 1.0);
  const long double p = pos;
  return {low, high, static_cast<long double>(high) - p, p - static_cast<long double>(low)};
}

}  // namespace

void ResampleBilinear(std::span<const uint8_t> source, int sourceWidth, int sourceHeight,
                      std::span<uint8_t> target, int targetWidth, int targetHeight) {
  if (targetWidth <= 0 || targetHeight <= 0) return;
  if (sourceWidth <= 0 || sourceHeight <= 0) {
    std::fill(target.begin(), target.end(), uint8_t{255});
    return;
  }
  const double rx = double(targetWidth) / double(sourceWidth);
  const double ry = double(targetHeight) / double(sourceHeight);
  auto sample = [&](int x, int y) -> long double {
    return PointInImage(x, y, sourceWidth, sourceHeight) ? source[size_t(y) * size_t(sourceWidth) + size_t(x)]
                                                         : 255;
  };
  // The column terms repeat on every row, so they are worked out once.
  std::vector<SamplePair> columns(static_cast<size_t>(targetWidth));
  for (int j = 0; j < targetWidth; ++j) columns[size_t(j)] = PairAround(j / rx);

  for (int i = 0; i < targetHeight; ++i) {
    const SamplePair row = PairAround(i / ry);
    // ya - y and y - yb: the row weights' numerators with the sign that the
    // single quotient below expects.
    const long double yaMinusPos = -row.posMinusLow;
    const long double posMinusYb = -row.highMinusPos;
    uint8_t* out = target.data() + size_t(i) * size_t(targetWidth);
    for (int j = 0; j < targetWidth; ++j) {
      const SamplePair& col = columns[size_t(j)];
      const int xa = col.low, xb = col.high, ya = row.low, yb = row.high;
      // One quotient in extended precision, summed in this order, so that
      // the truncation below sees the same value every time.
      const long double sum = sample(xa, yb) * col.highMinusPos * yaMinusPos +
                              sample(xb, yb) * col.posMinusLow * yaMinusPos +
                              sample(xa, ya) * col.highMinusPos * posMinusYb +
                              sample(xb, ya) * col.posMinusLow * posMinusYb;
      const long double value = sum / static_cast<long double>((xb - xa) * (ya - yb));
      out[j] = static_cast<uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
    }
  }
}

void ScaleImage(GreyImage& image, int& width, int& height, float factor) {
  int newWidth = ScaledSize(width, factor);
  int newHeight = ScaledSize(height, factor);
  if (newWidth == 0 || newHeight == 0) newWidth = newHeight = 0;
  GreyImage scaled(Area(newWidth, newHeight), uint8_t{255});
  ResampleBilinear(image, width, height, scaled, newWidth, newHeight);
  image = std::move(scaled);
  width = newWidth;
  height = newHeight;
}

void FloydSteinbergDiffuse(std::span<int32_t> values, int width, int height) {
  for (int y = 0; y < height; ++y) {
    int32_t* row = values.data() + size_t(y) * size_t(width);
    int32_t* below = y < height - 1 ? row + width : nullptr;
    for (int x = 0; x < width; ++x) {
      const int32_t v = row[x];
      const int32_t n = v < 128 ? 0 : 255;
      row[x] = n;
      const int32_t e = v - n;
      const bool hasRight = x < width - 1;
      if (hasRight) row[x + 1] += e * 7 / 16;
      if (below) {
        if (x > 0) below[x - 1] += e * 3 / 16;
        below[x] += e * 5 / 16;
        if (hasRight) below[x + 1] += e / 16;
      }
    }
  }
}

void DitherImage(int width, int height, GreyImage& image) {
  std::vector<int32_t> working(image.begin(), image.end());
  FloydSteinbergDiffuse(working, width, height);
  GreyImage twoLevel(working.size());
  std::transform(working.begin(), working.end(), twoLevel.begin(),
                 [](int32_t v) { return v >= 128 ? uint8_t{255} : uint8_t{0}; });
  image = std::move(twoLevel);
}

ToneTable BuildToneTable(double exponent) {
  ToneTable table{};
  for (int i = 0; i < 256; ++i) {
    const double value = std::pow((i + 0.5) * 0.00390625, exponent) * 256 - 0.5;
    table[size_t(i)] = value > 0 ? static_cast<uint8_t>(std::min(value, 255.0)) : uint8_t{0};
  }
  return table;
}

}  // namespace velmo
