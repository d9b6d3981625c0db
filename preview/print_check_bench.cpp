// The print view and its barcode check of a 100 x 150 mm label at 203 dpi
// with four barcodes, against the floor: one decode pass of ZXing-C++ over
// the same 1-bit view.
#include <benchmark/benchmark.h>

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include "barcode_check.h"
#include "label_maker.h"

namespace velmo {
namespace {

constexpr PrintPaper kPaper{100000, 150000, 203};  // 799 x 1199 dots

const ColorImage& Label() {
  static const ColorImage label = [] {
    ColorImage l = BlankLabel(799, 1199);
    DrawCode(l, LabelCode::Code128, "VELMO-0001-LT42", 60, 60, 3, 160);
    DrawCode(l, LabelCode::QrCode, "https://velmo.example/parcel/0001", 60, 300, 8);
    DrawCode(l, LabelCode::Ean13, "4006381333931", 60, 700, 3, 160);
    DrawCode(l, LabelCode::Pdf417, "VELMO LT42 PARCEL 0001", 60, 950, 3);
    return l;
  }();
  return label;
}

PreviewControls Controls(benchmark::State& state) {
  PreviewControls c;
  c.halftone = state.range(0) ? PreviewHalftone::Dither : PreviewHalftone::Threshold;
  return c;
}

void BM_PrintViewAndCheck(benchmark::State& state) {
  const PreviewControls controls = Controls(state);
  size_t found = 0;
  for (auto _ : state) {
    const PrintView view = RenderPrintView(controls, kPaper, Label());
    const BarcodeCheck check = CheckBarcodes(Label(), controls, kPaper, view);
    found = check.barcodes.size();
    benchmark::DoNotOptimize(check);
  }
  state.counters["barcodes"] = double(found);
}
BENCHMARK(BM_PrintViewAndCheck)->ArgName("dither")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DecodeFloor(benchmark::State& state) {
  const PrintView view = RenderPrintView(Controls(state), kPaper, Label());
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::EAN13 |
                   ZXing::BarcodeFormat::PDF417 | ZXing::BarcodeFormat::Code39 | ZXing::BarcodeFormat::UPCA |
                   ZXing::BarcodeFormat::ITF | ZXing::BarcodeFormat::DataMatrix);
  hints.setTryDownscale(false);
  size_t found = 0;
  for (auto _ : state) {
    const auto results =
        ZXing::ReadBarcodes(ZXing::ImageView(view.dots.data(), view.width, view.height, ZXing::ImageFormat::Lum), hints);
    found = results.size();
    benchmark::DoNotOptimize(results);
  }
  state.counters["barcodes"] = double(found);
}
BENCHMARK(BM_DecodeFloor)->ArgName("dither")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
