#include "label_maker.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#define ZX_USE_UTF8
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace velmo {
namespace {

ZXing::BarcodeFormat FormatOf(LabelCode code) {
  switch (code) {
    case LabelCode::Code128: return ZXing::BarcodeFormat::Code128;
    case LabelCode::Code39: return ZXing::BarcodeFormat::Code39;
    case LabelCode::Ean13: return ZXing::BarcodeFormat::EAN13;
    case LabelCode::UpcA: return ZXing::BarcodeFormat::UPCA;
    case LabelCode::Itf: return ZXing::BarcodeFormat::ITF;
    case LabelCode::QrCode: return ZXing::BarcodeFormat::QRCode;
    case LabelCode::DataMatrix: return ZXing::BarcodeFormat::DataMatrix;
    case LabelCode::Pdf417: return ZXing::BarcodeFormat::PDF417;
  }
  return ZXing::BarcodeFormat::None;
}

bool IsLinear(LabelCode code) {
  return code != LabelCode::QrCode && code != LabelCode::DataMatrix && code != LabelCode::Pdf417;
}

}  // namespace

ColorImage BlankLabel(int width, int height) {
  return ColorImage{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), 0xFFFFFFu)};
}

int DrawCode(ColorImage& label, LabelCode code, const std::string& text, double left, int top, double module,
             int barHeight) {
  const ZXing::BitMatrix matrix = ZXing::MultiFormatWriter(FormatOf(code)).setMargin(0).encode(text, 0, 0);
  const bool linear = IsLinear(code);
  const int rows = linear ? barHeight : static_cast<int>(std::lround(matrix.height() * module));
  const int first = static_cast<int>(std::floor(left));
  const int last = static_cast<int>(std::ceil(left + matrix.width() * module));
  for (int px = std::max(first, 0); px < std::min(last, label.width); ++px) {
    for (int y = 0; y < rows; ++y) {
      const int py = top + y;
      if (py < 0 || py >= label.height) continue;
      const int row = linear ? 0 : std::min(static_cast<int>(y / module), matrix.height() - 1);
      // How much of the pixel the black modules cover.
      double black = 0;
      const int m0 = std::max(0, static_cast<int>(std::floor((px - left) / module)));
      const int m1 = std::min(matrix.width() - 1, static_cast<int>(std::floor((px + 1 - left) / module)));
      for (int m = m0; m <= m1; ++m) {
        if (!matrix.get(m, row)) continue;
        const double from = std::max<double>(px, left + m * module);
        const double to = std::min<double>(px + 1, left + (m + 1) * module);
        if (to > from) black += to - from;
      }
      if (black <= 0) continue;
      const uint8_t grey = uint8_t(std::lround(255 * (1 - std::min(black, 1.0))));
      uint32_t& pixel = label.pixels[size_t(py) * label.width + px];
      if (grey < BlueOf(pixel)) pixel = PackRgb(grey, grey, grey);
    }
  }
  return last - first;
}

}  // namespace velmo
