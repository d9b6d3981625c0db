// Whole renders of every kind of preview, compared by checksum with the
// renders that the straightforward implementation made before the render
// was made faster: the faster code must not change one pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "preview_compose.h"

namespace velmo {
namespace {

// A picture of the sample's size with gradients, fine detail and hard edges
// in all three channels, made in code so that no decoder takes part.
ColorImage Pattern() {
  ColorImage image{1024, 683, std::vector<uint32_t>(size_t(1024) * 683)};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t red = uint8_t(x * 7 + y * 3);
      const uint8_t green = uint8_t((x * y) >> 5);
      const uint8_t blue = ((x / 37 + y / 23) % 3 == 0) ? 0 : uint8_t(x ^ y);
      image.pixels[size_t(y) * 1024 + size_t(x)] = PackRgb(red, green, blue);
    }
  return image;
}

// FNV-1a over everything a render produces.
struct Checksum {
  uint64_t value = 14695981039346656037ull;
  void Add(uint64_t word) {
    for (int i = 0; i < 8; ++i) {
      value ^= (word >> (8 * i)) & 0xFF;
      value *= 1099511628211ull;
    }
  }
  void Add(const PreviewFrame& frame) {
    for (int n : {frame.panel.left, frame.panel.top, frame.panel.width, frame.panel.height, frame.image.left,
                  frame.image.top, frame.picture.width, frame.picture.height})
      Add(uint64_t(uint32_t(n)));
    for (uint32_t pixel : frame.picture.pixels) Add(pixel);
  }
};

constexpr PreviewRotation kRotations[] = {PreviewRotation::None, PreviewRotation::Deg0, PreviewRotation::Deg90,
                                          PreviewRotation::Deg180, PreviewRotation::Deg270};
constexpr int kZooms[] = {0, 3, kZoomIndexFull, 14, 20, -1};
constexpr int kBlackness[] = {0, 23, 50, 61, 100};

// One checksum for each rotation and paper orientation, over every zoom,
// halftone mode and a spread of blackness, mirrors, alignment and reverse.
uint64_t RenderGroup(const ColorImage& source, int areaWidth, int areaHeight, PreviewRotation rotation,
                     bool paperRotate) {
  Checksum sum;
  int n = 0;
  for (int zoom : kZooms)
    for (PreviewHalftone halftone : {PreviewHalftone::Threshold, PreviewHalftone::Dither})
      for (int blackness : kBlackness) {
        PreviewControls c;
        c.areaWidth = areaWidth;
        c.areaHeight = areaHeight;
        c.rotation = rotation;
        c.paperRotate = paperRotate;
        c.zoomIndex = zoom;
        c.halftone = halftone;
        c.blackness = blackness;
        c.flipHorizontal = n % 2 == 1;
        c.flipVertical = n % 4 >= 2;
        c.reverse = n % 7 == 3;
        c.zoomAlignH = PreviewAlignH(n % 3);
        c.zoomAlignV = PreviewAlignV(n / 3 % 3);
        c.offsetX = n % 21 - 10;
        c.offsetY = 10 - n % 21;
        sum.Add(ComposePreview(c, source));
        ++n;
      }
  return sum.value;
}

struct Area {
  int width, height;
  uint64_t expected[5][2];  // by rotation, then without and with paper rotation
};

// Made with the renderer as it was before it was optimised.
constexpr Area kAreas[] = {
    {335, 501, {{0x3bcc0f273adae46eull, 0x3ada963530500ea7ull},
       {0x3bcc0f273adae46eull, 0x3ada963530500ea7ull},
       {0x35aebe691720f1dfull, 0xa93f073dfc16ec2aull},
       {0x9aad832a0479f79bull, 0x2016218d3739a4ceull},
       {0x95ed94ad08d403beull, 0xef4da428b94c7cd2ull}}},
    {97, 61, {{0x45fb3a9a8805afbeull, 0xbbdd9eddf8d40e53ull},
       {0x45fb3a9a8805afbeull, 0xbbdd9eddf8d40e53ull},
       {0x926f0aa44bd24d62ull, 0x77adbf5c0eb54242ull},
       {0xfcd0ce06eb1d7823ull, 0x484de93ecefda26bull},
       {0x5fe7e82b4fb3d6efull, 0x0de14011a17566ebull}}},
};

TEST(PreviewRenderChecksums, EveryKindOfRenderIsUnchanged) {
  const ColorImage source = Pattern();
  for (const Area& area : kAreas)
    for (int r = 0; r < 5; ++r)
      for (int paper = 0; paper < 2; ++paper) {
        const uint64_t got = RenderGroup(source, area.width, area.height, kRotations[r], paper == 1);
        char text[32];
        std::snprintf(text, sizeof text, "0x%016llxull", static_cast<unsigned long long>(got));
        EXPECT_EQ(got, area.expected[r][paper])
            << area.width << " x " << area.height << ", rotation " << r << ", paper rotated " << paper << ": "
            << text;
      }
}

}  // namespace
}  // namespace velmo
