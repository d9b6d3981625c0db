// Synthesises the preview's sample photograph, 1024 x 683, made so that
// every preview control shows: a landscape with a shaded sphere for tones,
// letters that read wrongly when mirrored or turned, fine line groups and a
// star that alias when scaled, and grey and colour ramps for the halftones.
//   make_sample <output.jpg>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "glyph_font.h"
#include "picture_encode.h"

namespace velmo::sample {
namespace {

constexpr int kWidth = 1024, kHeight = 683;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

uint8_t Channel(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

class Canvas {
 public:
  Canvas() : image_{kWidth, kHeight, std::vector<uint32_t>(size_t(kWidth) * kHeight)} {}

  void Set(int x, int y, Rgb c) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
      image_.pixels[size_t(y) * kWidth + size_t(x)] = PackRgb(Channel(c.r), Channel(c.g), Channel(c.b));
  }
  Rgb Get(int x, int y) const {
    const uint32_t p = image_.pixels[size_t(y) * kWidth + size_t(x)];
    return {double(RedOf(p)), double(GreenOf(p)), double(BlueOf(p))};
  }
  // Blends `c` in by `coverage` (0..1), for soft edges.
  void Blend(int x, int y, Rgb c, double coverage) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) Set(x, y, Mix(Get(x, y), c, std::clamp(coverage, 0.0, 1.0)));
  }
  void Fill(int left, int top, int right, int bottom, Rgb c) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) Set(x, y, c);
  }
  const ColorImage& image() const { return image_; }

 private:
  ColorImage image_;
};

// Small deterministic grain, so that the flat areas look photographed.
double Grain(int x, int y) {
  uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
  h ^= h >> 13, h *= 0x5bd1e995u, h ^= h >> 15;
  return double(h & 0xFF) / 255.0 - 0.5;
}

void Landscape(Canvas& canvas) {
  const Rgb skyTop{62, 118, 196}, skyLow{214, 230, 246};
  const Rgb farHill{104, 138, 132}, nearTop{92, 160, 64}, nearLow{34, 82, 30};
  for (int x = 0; x < kWidth; ++x) {
    const double farRidge = 372 + 26 * std::sin(x * 0.012) + 11 * std::sin(x * 0.037 + 1.0);
    const double nearRidge = 452 + 38 * std::sin(x * 0.0071 + 2.0) + 14 * std::sin(x * 0.026);
    for (int y = 0; y < kHeight; ++y) {
      Rgb c = Mix(skyTop, skyLow, std::min(1.0, y / 420.0));
      if (y >= farRidge) c = Mix(farHill, Scale(farHill, 0.8), (y - farRidge) / 120.0);
      if (y >= nearRidge) {
        c = Mix(nearTop, nearLow, std::min(1.0, (y - nearRidge) / 180.0));
        // Furrows across the near field, closer together towards the front.
        c = Scale(c, 0.9 + 0.1 * std::sin(std::pow(y - nearRidge, 1.25) * 0.3));
      }
      const double grain = 6 * Grain(x, y);
      canvas.Set(x, y, {c.r + grain, c.g + grain, c.b + grain});
    }
  }
}

void ShadedSphere(Canvas& canvas, double cx, double cy, double radius) {
  const Rgb base{206, 58, 40};
  const double lx = -0.48, ly = -0.58, lz = 0.66;  // light from the upper left, unit length
  for (int y = int(cy - radius) - 1; y <= int(cy + radius) + 1; ++y)
    for (int x = int(cx - radius) - 1; x <= int(cx + radius) + 1; ++x) {
      const double dx = (x - cx) / radius, dy = (y - cy) / radius;
      const double d2 = dx * dx + dy * dy;
      const double coverage = (1.0 - std::sqrt(d2)) * radius + 0.5;
      if (coverage <= 0) continue;
      const double nz = std::sqrt(std::max(0.0, 1.0 - d2));
      const double diffuse = std::max(0.0, dx * lx + dy * ly + nz * lz);
      const double reflect = 2 * diffuse * nz - lz;  // view along z
      const double specular = std::pow(std::max(0.0, reflect), 40);
      const Rgb lit = Scale(base, 0.12 + 0.88 * diffuse);
      canvas.Blend(x, y, Mix(lit, {255, 255, 255}, specular), coverage);
    }
}

void Text(Canvas& canvas, std::string_view text, int left, int top, int scale, Rgb colour) {
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t* rows = GlyphRows(text[i]);
    if (!rows) continue;
    const int x0 = left + int(i) * (kGlyphWidth + 1) * scale;
    for (int row = 0; row < kGlyphHeight; ++row)
      for (int col = 0; col < kGlyphWidth; ++col)
        if (rows[row] & (0x10 >> col)) canvas.Fill(x0 + col * scale, top + row * scale, x0 + (col + 1) * scale,
                                                   top + (row + 1) * scale, colour);
  }
}

// Black and white wedges meeting in the centre: they alias at every scale.
void SiemensStar(Canvas& canvas, double cx, double cy, double radius, int spokes) {
  for (int y = int(cy - radius) - 2; y <= int(cy + radius) + 2; ++y)
    for (int x = int(cx - radius) - 2; x <= int(cx + radius) + 2; ++x) {
      const double r = std::hypot(x - cx, y - cy);
      if (r > radius + 2) continue;
      const double angle = std::atan2(y - cy, x - cx) + kPi;
      const bool dark = int(angle / (2 * kPi) * spokes * 2) % 2 == 0 || r > radius;
      canvas.Blend(x, y, dark ? Rgb{16, 16, 16} : Rgb{250, 250, 250}, radius + 2.5 - r);
    }
}

// A white card with groups of 1-, 2- and 3-pixel lines, upright and across.
void LineCard(Canvas& canvas, int left, int top) {
  canvas.Fill(left, top, left + 250, top + 220, {70, 70, 70});
  canvas.Fill(left + 2, top + 2, left + 248, top + 218, {250, 250, 250});
  const Rgb ink{12, 12, 12};
  for (int group = 0; group < 3; ++group) {
    const int period = 2 * (group + 1), x0 = left + 12 + group * 78;
    for (int k = 0; k < 66; ++k)
      if (k % period < period / 2) {
        canvas.Fill(x0 + k, top + 12, x0 + k + 1, top + 104, ink);   // upright lines
        canvas.Fill(x0, top + 116 + k, x0 + 66, top + 117 + k, ink);  // lines across
      }
  }
  // One-pixel diagonal, the hardest line to keep through a turn and a zoom.
  for (int k = 0; k < 200; ++k) canvas.Set(left + 25 + k, top + 205 - k / 10, ink);
}

void Ramps(Canvas& canvas, int top) {
  const Rgb hues[] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}, {255, 0, 0}};
  for (int x = 0; x < kWidth; ++x) {
    const double t = x / double(kWidth - 1);
    const double grey = 255 * t;
    const double h = t * 6;
    const int i = std::min(5, int(h));
    const Rgb hue = Mix(hues[i], hues[i + 1], h - i);
    for (int y = top; y < top + 40; ++y) canvas.Set(x, y, {grey, grey, grey});
    for (int y = top + 40; y < kHeight; ++y) canvas.Set(x, y, hue);
  }
}

ColorImage SamplePhoto() {
  Canvas canvas;
  Landscape(canvas);
  ShadedSphere(canvas, 812, 236, 150);
  const Rgb navy{18, 28, 64};
  Text(canvas, "VELMO LT42", 40, 36, 8, navy);
  Text(canvas, "PRINT PREVIEW", 40, 112, 4, navy);
  Text(canvas, "0123456789", 40, 152, 3, navy);
  SiemensStar(canvas, 160, 470, 100, 24);
  LineCard(canvas, 330, 360);
  Ramps(canvas, kHeight - 80);
  return canvas.image();
}

}  // namespace
}  // namespace velmo::sample

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample <output.jpg>\n");
    return 2;
  }
  const std::vector<uint8_t> jpeg = velmo::EncodeJpeg(velmo::sample::SamplePhoto(), 85);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
  if (!out) {
    std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu bytes\n", argv[1], jpeg.size());
  return 0;
}
