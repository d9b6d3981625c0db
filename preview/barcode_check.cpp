#include "barcode_check.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// Debian's ZXing-C++ 1.4.0 is built with assertions on, and one of them
// (`lineCount() == 1` in Result::operator==) fails whenever ReadBarcodes
// compares a linear code with a second find of the same text: a plain Code
// 128 larger than the downscale threshold, or one that dithering split in
// two. That comparison only runs for a second symbol of one read, so every
// read here asks for one symbol, without downscaling; the source's codes
// are found one at a time, each painted out before the next read.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

namespace velmo {
namespace {

constexpr ZXing::BarcodeFormats kChecked = ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::Code39 |
                                          ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::UPCA |
                                          ZXing::BarcodeFormat::ITF | ZXing::BarcodeFormat::QRCode |
                                          ZXing::BarcodeFormat::DataMatrix | ZXing::BarcodeFormat::PDF417;

// A threshold of 130, nearest to the middle of the grey scale that the
// blackness bar gives.
constexpr int kMidGreyBlackness = 70;

ZXing::Result ReadOne(const uint8_t* grey, int width, int height, ZXing::BarcodeFormats formats) {
  if (width <= 0 || height <= 0) return {};
  ZXing::DecodeHints hints;
  hints.setFormats(formats);
  hints.setTryHarder(true);
  hints.setTryRotate(true);
  hints.setTryDownscale(false);
  hints.setMaxNumberOfSymbols(1);
  return ZXing::ReadBarcode(ZXing::ImageView(grey, width, height, ZXing::ImageFormat::Lum), hints);
}

GreyImage GreyOf(const ColorImage& source) {
  GreyImage grey(source.pixels.size());
  for (size_t i = 0; i < grey.size(); ++i) {
    const uint32_t p = source.pixels[i];
    grey[i] = uint8_t((RedOf(p) * 19595 + GreenOf(p) * 38469 + BlueOf(p) * 7472) >> 16);
  }
  return grey;
}

bool IsLinear(ZXing::BarcodeFormat format) {
  return ZXing::BarcodeFormats(ZXing::BarcodeFormat::LinearCodes).testFlag(format);
}

struct Found {
  ZXing::BarcodeFormat format;
  std::string text;
  PreviewPoint corners[4];  // on the paper, in the decoder's order
};

DotRect BoxOf(const Found& found, int width, int height, bool withMargin) {
  double left = found.corners[0].x, right = left, top = found.corners[0].y, bottom = top;
  for (const PreviewPoint& c : found.corners) {
    left = std::min(left, c.x);
    right = std::max(right, c.x);
    top = std::min(top, c.y);
    bottom = std::max(bottom, c.y);
  }
  // Room for the quiet zone: a fifth of the longer side, and a little more
  // for the small codes.
  const double margin = withMargin ? std::max(right - left, bottom - top) / 5 + 12 : 0;
  DotRect box;
  box.left = std::clamp(static_cast<int>(std::floor(left - margin)), 0, width);
  box.top = std::clamp(static_cast<int>(std::floor(top - margin)), 0, height);
  box.right = std::clamp(static_cast<int>(std::ceil(right + margin)) + 1, box.left, width);
  box.bottom = std::clamp(static_cast<int>(std::ceil(bottom + margin)) + 1, box.top, height);
  return box;
}

// The narrowest black run on the line through the middle of a linear code,
// from its left edge's middle to its right edge's middle.
int NarrowestBar(const Found& found, const PrintView& view) {
  const auto mid = [](PreviewPoint a, PreviewPoint b) { return PreviewPoint{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
  PreviewPoint from = mid(found.corners[0], found.corners[3]);
  PreviewPoint to = mid(found.corners[1], found.corners[2]);
  // A little into the quiet zone either side, so no end bar is cut short.
  const double dx = (to.x - from.x) / 20, dy = (to.y - from.y) / 20;
  from = {from.x - dx, from.y - dy};
  to = {to.x + dx, to.y + dy};
  const int steps = static_cast<int>(std::ceil(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y))));
  int narrowest = 0, run = 0;
  for (int i = 0; i <= steps; ++i) {
    const double t = steps ? double(i) / steps : 0;
    const int x = static_cast<int>(std::floor(from.x + (to.x - from.x) * t));
    const int y = static_cast<int>(std::floor(from.y + (to.y - from.y) * t));
    const bool black = PointInImage(x, y, view.width, view.height) && view.dots[size_t(y) * view.width + x] == 0;
    if (black) ++run;
    if ((!black || i == steps) && run > 0) {
      narrowest = narrowest == 0 ? run : std::min(narrowest, run);
      run = 0;
    }
  }
  return narrowest;
}

// Reads the part of the view around `found`; the same text is readable.
void ReadBack(const Found& found, const PrintView& view, BarcodeResult& result) {
  const DotRect crop = BoxOf(found, view.width, view.height, true);
  const int w = crop.right - crop.left, h = crop.bottom - crop.top;
  GreyImage part(size_t(std::max(w, 0)) * size_t(std::max(h, 0)));
  for (int y = 0; y < h; ++y)
    std::copy_n(view.dots.begin() + ptrdiff_t(crop.top + y) * view.width + crop.left, w,
                part.begin() + ptrdiff_t(y) * w);
  result.readable = false;
  result.textInView.clear();
  const ZXing::Result r = ReadOne(part.data(), w, h, found.format);
  if (!r.isValid()) return;
  result.readable = r.text() == found.text;
  if (!result.readable) result.textInView = r.text();
}

// Dark-light changes along row `y` (or column `y` when `columns`) between
// `from` and `to`.
int Changes(const GreyImage& grey, int width, int y, int from, int to, bool columns) {
  int changes = 0;
  bool dark = false;
  for (int i = from; i < to; ++i) {
    const bool d = grey[columns ? size_t(i) * width + y : size_t(y) * width + i] < 128;
    if (i > from && d != dark) ++changes;
    dark = d;
  }
  return changes;
}

// The rectangle to paint out for a code the decoder found: its corners'
// box, and for a linear code the whole length of its bars, followed while
// the rows across them change between dark and light half as often as the
// found ones.
DotRect PaintOutBox(const GreyImage& grey, int width, int height, const ZXing::Result& r, bool linear) {
  const auto& q = r.position();
  DotRect box{q[0].x, q[0].y, q[0].x, q[0].y};
  for (int i = 1; i < 4; ++i) {
    box.left = std::min(box.left, q[i].x);
    box.right = std::max(box.right, q[i].x);
    box.top = std::min(box.top, q[i].y);
    box.bottom = std::max(box.bottom, q[i].y);
  }
  box.left = std::clamp(box.left - 1, 0, width);
  box.top = std::clamp(box.top - 1, 0, height);
  box.right = std::clamp(box.right + 2, box.left, width);
  box.bottom = std::clamp(box.bottom + 2, box.top, height);
  if (!linear || box.right <= box.left || box.bottom <= box.top) return box;
  // Bars across the scan direction: a scan along x has its bars in columns.
  const bool alongX = std::abs(q[1].x - q[0].x) >= std::abs(q[1].y - q[0].y);
  if (alongX) {
    const int wanted = Changes(grey, width, (box.top + box.bottom) / 2, box.left, box.right, false) / 2;
    while (box.top > 0 && Changes(grey, width, box.top - 1, box.left, box.right, false) >= wanted) --box.top;
    while (box.bottom < height && Changes(grey, width, box.bottom, box.left, box.right, false) >= wanted) ++box.bottom;
  } else {
    const int wanted = Changes(grey, width, (box.left + box.right) / 2, box.top, box.bottom, true) / 2;
    while (box.left > 0 && Changes(grey, width, box.left - 1, box.top, box.bottom, true) >= wanted) --box.left;
    while (box.right < width && Changes(grey, width, box.right, box.top, box.bottom, true) >= wanted) ++box.right;
  }
  return box;
}

// Reads one code after another, each painted white once found, until a
// read finds nothing; a code found again (a part of one already found) is
// painted out but not counted twice.
std::vector<Found> FindInSource(const ColorImage& source, const PrintView& view) {
  constexpr int kMostCodes = 64;
  GreyImage grey = GreyOf(source);
  std::vector<Found> found;
  std::vector<DotRect> painted;
  for (int n = 0; n < kMostCodes; ++n) {
    const ZXing::Result r = ReadOne(grey.data(), source.width, source.height, kChecked);
    if (!r.isValid()) break;
    const DotRect box = PaintOutBox(grey, source.width, source.height, r, IsLinear(r.format()));
    for (int y = box.top; y < box.bottom; ++y)
      std::fill_n(grey.begin() + ptrdiff_t(y) * source.width + box.left, box.right - box.left, uint8_t{255});
    const bool again = std::any_of(found.begin(), found.end(), [&](const Found& f) {
      const DotRect& o = painted[size_t(&f - found.data())];
      return f.format == r.format() && f.text == r.text() && box.left < o.right + 4 && o.left < box.right + 4 &&
             box.top < o.bottom + 4 && o.top < box.bottom + 4;
    });
    if (again) continue;
    painted.push_back(box);
    Found f{r.format(), r.text(), {}};
    const auto& q = r.position();
    PreviewPoint corners[4];
    if (IsLinear(r.format())) {
      // The painted box, ordered so that its first and last corners are the
      // start of the scan and the middle two its end.
      const double l = box.left, t = box.top, rt = box.right, b = box.bottom;
      const bool alongX = std::abs(q[1].x - q[0].x) >= std::abs(q[1].y - q[0].y);
      if (alongX)
        corners[0] = {l, t}, corners[1] = {rt, t}, corners[2] = {rt, b}, corners[3] = {l, b};
      else
        corners[0] = {l, t}, corners[1] = {l, b}, corners[2] = {rt, b}, corners[3] = {rt, t};
    } else {
      // Pixel centres: a corner pixel (x, y) spans x..x+1.
      for (int i = 0; i < 4; ++i) corners[i] = {q[i].x + 0.5, q[i].y + 0.5};
    }
    for (int i = 0; i < 4; ++i) f.corners[i] = MapToPaper(view, corners[i].x, corners[i].y);
    found.push_back(std::move(f));
  }
  return found;
}

}  // namespace

int BarcodeCheck::readable() const {
  return static_cast<int>(std::count_if(barcodes.begin(), barcodes.end(), [](auto& b) { return b.readable; }));
}

BarcodeCheck CheckBarcodes(const ColorImage& source, const PreviewControls& controls, const PrintPaper& paper,
                           const PrintView& view) {
  BarcodeCheck check;
  check.dithered = controls.halftone == PreviewHalftone::Dither;
  const std::vector<Found> found = FindInSource(source, view);
  // Bars are measured where a threshold at mid-grey puts them, since
  // dithering scatters single dots over them that are no bars.
  PrintView measured;
  const bool hasLinear = std::any_of(found.begin(), found.end(), [](const Found& f) { return IsLinear(f.format); });
  if (check.dithered && hasLinear) {
    PreviewControls midGrey = controls;
    midGrey.halftone = PreviewHalftone::Threshold;
    midGrey.blackness = kMidGreyBlackness;
    measured = RenderPrintView(midGrey, paper, source);
  }
  for (const Found& f : found) {
    BarcodeResult result;
    result.format = ZXing::ToString(f.format);
    result.text = f.text;
    result.linear = IsLinear(f.format);
    result.box = BoxOf(f, view.width, view.height, false);
    ReadBack(f, view, result);
    if (result.linear) result.narrowestBar = NarrowestBar(f, check.dithered ? measured : view);
    check.barcodes.push_back(std::move(result));
  }
  if (check.dithered && check.readable() < int(check.barcodes.size())) {
    PreviewControls threshold = controls;
    threshold.halftone = PreviewHalftone::Threshold;
    const PrintView other = RenderPrintView(threshold, paper, source);
    check.thresholdKeepsBars = true;
    for (const Found& f : found) {
      BarcodeResult again;
      ReadBack(f, other, again);
      check.thresholdKeepsBars = check.thresholdKeepsBars && again.readable;
    }
  }
  return check;
}

std::wstring BarcodeSummary(const BarcodeCheck& check, bool english) {
  const int total = int(check.barcodes.size()), readable = check.readable(), unreadable = total - readable;
  if (total == 0) return english ? L"No barcode found" : L"未找到条码";
  std::wstring line = english ? std::to_wstring(total) + (total == 1 ? L" barcode: " : L" barcodes: ") +
                                    std::to_wstring(readable) + L" readable"
                              : std::to_wstring(total) + L" 个条码：" + std::to_wstring(readable) + L" 个可读";
  if (unreadable == 0) return line;
  line += english ? L", " + std::to_wstring(unreadable) + L" not readable" : L"，" + std::to_wstring(unreadable) + L" 个不可读";
  if (check.dithered) line += english ? L" after dithering" : L"（抖动后）";
  if (check.thresholdKeepsBars) line += english ? L": threshold keeps its bars" : L"：阈值可保留线条";
  return line;
}

}  // namespace velmo
