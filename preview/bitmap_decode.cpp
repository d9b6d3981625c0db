// Bitmap files, parsed by hand: the file header, then an information header
// of 40 bytes or one of its longer successors, an optional colour table and
// the rows, each padded to four bytes. Every size comes from outside input,
// so all offsets are worked out in 64 bits and checked against the data
// before anything is read or allocated.
#include <cstddef>

#include "picture_decode.h"

namespace velmo {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t ReadU16(std::span<const uint8_t> d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }
uint32_t ReadU32(std::span<const uint8_t> d, size_t at) {
  return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
int32_t ReadI32(std::span<const uint8_t> d, size_t at) { return static_cast<int32_t>(ReadU32(d, at)); }

bool KnownInfoHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// 32-bit pixels with bit fields are taken only when the fields are the
// plain blue-green-red layout, which is what writers of such files use.
bool PlainMasks(std::span<const uint8_t> d, size_t at) {
  return ReadU32(d, at) == 0x00FF0000 && ReadU32(d, at + 4) == 0x0000FF00 && ReadU32(d, at + 8) == 0x000000FF;
}

struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint64_t rowStride = 0;
  size_t pixelOffset = 0;
  std::vector<uint32_t> palette;
};

bool ReadLayout(std::span<const uint8_t> data, Layout& layout) {
  if (data.size() < kFileHeaderSize + 40 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t pixelOffset = ReadU32(data, 10);
  const uint32_t infoSize = ReadU32(data, 14);
  if (!KnownInfoHeaderSize(infoSize) || data.size() < kFileHeaderSize + uint64_t{infoSize}) return false;
  const int32_t width = ReadI32(data, 18);
  const int32_t height = ReadI32(data, 22);
  const uint16_t planes = ReadU16(data, 26);
  const uint16_t bitCount = ReadU16(data, 28);
  const uint32_t compression = ReadU32(data, 30);
  const uint32_t colorsUsed = ReadU32(data, 46);
  // INT32_MIN has no positive counterpart to be the row count.
  if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return false;

  size_t tableAt = kFileHeaderSize + infoSize;
  if (compression == kBiBitfields && bitCount == 32) {
    // With the short header the three masks follow it; longer ones hold them.
    if (infoSize == 40) {
      if (data.size() < tableAt + 12) return false;
      if (!PlainMasks(data, tableAt)) return false;
      tableAt += 12;
    } else if (!PlainMasks(data, kFileHeaderSize + 40)) {
      return false;
    }
  } else if (compression != kBiRgb) {
    return false;
  }

  layout.width = width;
  layout.topDown = height < 0;
  layout.height = layout.topDown ? -height : height;
  layout.bitCount = bitCount;
  if (uint64_t(layout.width) * uint64_t(layout.height) > kMaxPicturePixels) return false;
  layout.rowStride = (uint64_t(layout.width) * bitCount + 31) / 32 * 4;
  if (uint64_t{pixelOffset} + layout.rowStride * uint64_t(layout.height) > data.size()) return false;
  layout.pixelOffset = pixelOffset;

  if (bitCount <= 8) {
    const uint32_t maxColors = uint32_t{1} << bitCount;
    const uint32_t colors = colorsUsed == 0 ? maxColors : colorsUsed;
    if (colors > maxColors || tableAt + uint64_t{colors} * 4 > data.size()) return false;
    for (uint32_t i = 0; i < colors; ++i) {
      const size_t at = tableAt + size_t{i} * 4;
      layout.palette.push_back(PackRgb(data[at + 2], data[at + 1], data[at]));
    }
  }
  return true;
}

// One file row into one picture row; false for a colour index past the table.
bool DecodeRow(const uint8_t* row, const Layout& layout, uint32_t* out) {
  const int bits = layout.bitCount;
  for (int x = 0; x < layout.width; ++x) {
    if (bits <= 8) {
      // Indices are packed from the highest bit of each byte.
      const unsigned bit = unsigned(x) * unsigned(bits);
      const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
      if (index >= layout.palette.size()) return false;
      out[x] = layout.palette[index];
    } else {
      const uint8_t* p = row + size_t(x) * size_t(bits / 8);
      out[x] = PackRgb(p[2], p[1], p[0]);
    }
  }
  return true;
}

}  // namespace

bool DecodeBitmap(std::span<const uint8_t> data, ColorImage& out) {
  Layout layout;
  if (!ReadLayout(data, layout)) return false;
  ColorImage image{layout.width, layout.height,
                   std::vector<uint32_t>(size_t(layout.width) * size_t(layout.height))};
  for (int y = 0; y < layout.height; ++y) {
    const int fileRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* row = data.data() + layout.pixelOffset + size_t(fileRow) * size_t(layout.rowStride);
    if (!DecodeRow(row, layout, image.pixels.data() + size_t(y) * size_t(layout.width))) return false;
  }
  out = std::move(image);
  return true;
}

}  // namespace velmo
