#include "raster_ops.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace velmo {
namespace {

size_t Area(int width, int height) { return size_t(width) * size_t(height); }

// One sample column or row: the two integer positions one unit either side
// of the source position, the two differences that weight them, and where
// the two positions lie in the source (-1 when outside it, which reads white).
struct SamplePair {
  int low;
  int high;
  long double highMinusPos;  // (high - pos)
  long double posMinusLow;   // (pos - low)
  int lowAt;
  int highAt;
};

SamplePair PairAround(double pos, int size) {
  const int low = static_cast<int>(pos - 1.0);
  const int high = static_cast<int>(pos + 1.0);
  const long double p = pos;
  return {low, high, static_cast<long double>(high) - p, p - static_cast<long double>(low),
          low >= 0 && low < size ? low : -1, high >= 0 && high < size ? high : -1};
}

// trunc(value) clamped to 0..255, without switching the x87 unit to
// truncation for every pixel: the nearest double, truncated, is the floor of
// `value` or one above it.
uint8_t TruncateToByte(long double value) {
  if (!(value > 0)) return 0;
  if (value >= 255) return 255;
  int whole = static_cast<int>(static_cast<double>(value));
  if (static_cast<long double>(whole) > value) --whole;
  return static_cast<uint8_t>(whole);
}

// Target pixels [x0, x1) x [y0, y1) of the bilinear resampling of `source` to
// targetWidth x targetHeight, written to `out` at (x - x0, y - y0) with the
// given row stride. Every pixel is worked out by the same sum in extended
// precision as the whole resampling would, in the same order, so a part is
// exactly that part of the whole.
void ResampleRegion(std::span<const uint8_t> source, int sourceWidth, int sourceHeight, int targetWidth,
                    int targetHeight, int x0, int y0, int x1, int y1, uint8_t* out, std::ptrdiff_t stride) {
  const double rx = double(targetWidth) / double(sourceWidth);
  const double ry = double(targetHeight) / double(sourceHeight);
  // The column terms repeat on every row, so they are worked out once.
  std::vector<SamplePair> columns(static_cast<size_t>(x1 - x0));
  for (int j = x0; j < x1; ++j) columns[size_t(j - x0)] = PairAround(j / rx, sourceWidth);

  for (int i = y0; i < y1; ++i, out += stride) {
    const SamplePair row = PairAround(i / ry, sourceHeight);
    // ya - y and y - yb: the row weights' numerators with the sign that the
    // single quotient below expects.
    const long double yaMinusPos = -row.posMinusLow;
    const long double posMinusYb = -row.highMinusPos;
    const uint8_t* rowA = row.lowAt < 0 ? nullptr : source.data() + size_t(row.lowAt) * size_t(sourceWidth);
    const uint8_t* rowB = row.highAt < 0 ? nullptr : source.data() + size_t(row.highAt) * size_t(sourceWidth);
    for (int j = x0; j < x1; ++j) {
      const SamplePair& col = columns[size_t(j - x0)];
      auto sample = [](const uint8_t* line, int at) -> long double { return line && at >= 0 ? line[at] : 255; };
      // One sum in extended precision, in this order, so that the truncation
      // below sees the same value every time. The divisor, (xb - xa) * (ya -
      // yb), is -1, -2 or -4: multiplying by its reciprocal is exact.
      const long double sum = sample(rowB, col.lowAt) * col.highMinusPos * yaMinusPos +
                              sample(rowB, col.highAt) * col.posMinusLow * yaMinusPos +
                              sample(rowA, col.lowAt) * col.highMinusPos * posMinusYb +
                              sample(rowA, col.highAt) * col.posMinusLow * posMinusYb;
      const int divisor = (col.high - col.low) * (row.low - row.high);
      out[j - x0] = TruncateToByte(divisor == -4   ? sum * -0.25L
                                   : divisor == -2 ? sum * -0.5L
                                   : divisor == -1 ? -sum
                                                   : sum / static_cast<long double>(divisor));
    }
  }
}

}  // namespace

// trunc(size * factor), the product taken exactly in extended precision as
// the preview always has (20 * 0.35f is 6.99999988 and gives 6, where a
// product rounded to float would give 7). Sizes that come out as nothing, or
// as nonsense from a negative or NaN factor, are 0.
int ScaledSize(int size, float factor) {
  const long double scaled = static_cast<long double>(size) * factor;
  if (!(scaled >= 1) || scaled >= 2147483648.0L) return 0;
  return static_cast<int>(scaled);
}

void ResampleBilinear(std::span<const uint8_t> source, int sourceWidth, int sourceHeight,
                      std::span<uint8_t> target, int targetWidth, int targetHeight) {
  if (targetWidth <= 0 || targetHeight <= 0) return;
  if (sourceWidth <= 0 || sourceHeight <= 0) {
    std::fill(target.begin(), target.end(), uint8_t{255});
    return;
  }
  ResampleRegion(source, sourceWidth, sourceHeight, targetWidth, targetHeight, 0, 0, targetWidth, targetHeight,
                 target.data(), targetWidth);
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

void ScaleImageInto(std::span<const uint8_t> source, int sourceWidth, int sourceHeight, float factor,
                    std::span<uint8_t> canvas, int canvasWidth, int canvasHeight, int left, int top) {
  const int width = ScaledSize(sourceWidth, factor), height = ScaledSize(sourceHeight, factor);
  if (width == 0 || height == 0) return;
  const int x0 = std::max(0, -left), x1 = std::min(width, canvasWidth - left);
  const int y0 = std::max(0, -top), y1 = std::min(height, canvasHeight - top);
  if (x0 >= x1 || y0 >= y1) return;
  uint8_t* out = canvas.data() + ptrdiff_t(y0 + top) * canvasWidth + (x0 + left);
  if (sourceWidth <= 0 || sourceHeight <= 0) {
    for (int y = y0; y < y1; ++y, out += canvasWidth) std::fill_n(out, x1 - x0, uint8_t{255});
    return;
  }
  ResampleRegion(source, sourceWidth, sourceHeight, width, height, x0, y0, x1, y1, out, canvasWidth);
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
