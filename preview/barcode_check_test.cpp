// Labels drawn by ZXing's writer when the test runs, checked at 203 dpi on
// a paper whose size in dots is the label's, so that the view is the label
// dot for dot unless the test turns, mirrors or dithers it.
#include <gtest/gtest.h>

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include "barcode_check.h"
#include "label_maker.h"

namespace velmo {
namespace {

// The paper for a label of width x height dots at 203 dpi.
PrintPaper PaperFor(int width, int height) {
  return {static_cast<int32_t>(width * 25400 / 203), static_cast<int32_t>(height * 25400 / 203), 203};
}

PreviewControls Mode(PreviewHalftone halftone, int blackness = 50) {
  PreviewControls c;
  c.halftone = halftone;
  c.blackness = blackness;
  return c;
}

BarcodeCheck Check(const ColorImage& label, const PreviewControls& controls) {
  const PrintPaper paper = PaperFor(label.width, label.height);
  const PrintView view = RenderPrintView(controls, paper, label);
  EXPECT_EQ(view.width, label.width);
  return CheckBarcodes(label, controls, paper, view);
}

TEST(BarcodeCheckPaper, LabelSizedPaperIsTheLabelDotForDot) {
  const PrintPaper paper = PaperFor(640, 360);
  EXPECT_EQ(DotsOf(paper.widthThousandths, 203), 640);
  EXPECT_EQ(DotsOf(paper.heightThousandths, 203), 360);
}

struct FormatCase {
  LabelCode code;
  const char* text;
  const char* format;
  bool linear;
  int modules[3];
};

class EveryFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(EveryFormat, ReadsBackUnderThresholdAtEveryModuleSize) {
  const FormatCase& c = GetParam();
  for (int module : c.modules) {
    ColorImage label = BlankLabel(640, 360);
    const int width = DrawCode(label, c.code, c.text, 60, 60, module, 120);
    ASSERT_LT(width, 520) << module;
    const BarcodeCheck check = Check(label, Mode(PreviewHalftone::Threshold));
    ASSERT_EQ(check.barcodes.size(), 1u) << c.format << " module " << module;
    const BarcodeResult& r = check.barcodes[0];
    EXPECT_EQ(r.format, c.format);
    EXPECT_EQ(r.text, c.text);
    EXPECT_TRUE(r.readable) << c.format << " module " << module;
    EXPECT_EQ(r.linear, c.linear);
    if (c.linear) {
      EXPECT_EQ(r.narrowestBar, module) << c.format;
    }
    EXPECT_GE(r.box.left, 55);
    EXPECT_LE(r.box.left, 65 + 10 * module);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EveryFormat,
    // Debian's ZXing-C++ 1.4.0 finds its own writer's Data Matrix codes
    // only at large modules.
    testing::Values(FormatCase{LabelCode::Code128, "VELMO-42", "Code128", true, {2, 3, 4}},
                    FormatCase{LabelCode::Code39, "LT42", "Code39", true, {2, 3, 4}},
                    FormatCase{LabelCode::Ean13, "4006381333931", "EAN-13", true, {2, 3, 4}},
                    FormatCase{LabelCode::UpcA, "036000291452", "UPC-A", true, {2, 3, 4}},
                    FormatCase{LabelCode::Itf, "00123456", "ITF", true, {2, 3, 4}},
                    FormatCase{LabelCode::QrCode, "https://velmo.example/lt42", "QRCode", false, {3, 4, 6}},
                    FormatCase{LabelCode::DataMatrix, "0123456789012345678901234567890123456789", "DataMatrix", false,
                               {8, 10, 10}},
                    FormatCase{LabelCode::Pdf417, "VELMO LT42", "PDF417", false, {2, 3, 4}}));

TEST(BarcodeCheckHalftone, WideModulesReadBackUnderThresholdAndDither) {
  ColorImage label = BlankLabel(800, 400);
  DrawCode(label, LabelCode::QrCode, "VELMO QR", 40, 60, 8);
  DrawCode(label, LabelCode::Code128, "VELMO-3DOT", 330, 120, 3, 140);
  for (PreviewHalftone mode : {PreviewHalftone::Threshold, PreviewHalftone::Dither}) {
    const BarcodeCheck check = Check(label, Mode(mode));
    ASSERT_EQ(check.barcodes.size(), 2u);
    for (const BarcodeResult& r : check.barcodes) EXPECT_TRUE(r.readable) << r.format;
    EXPECT_EQ(BarcodeSummary(check, true), L"2 barcodes: 2 readable");
  }
}

// Bars of a dark grey (46, as a design's "black" often is): a dither at
// the middle blackness scatters white dots over them that one-dot bars do
// not survive and three-dot bars do, where a threshold makes them black.
TEST(BarcodeCheckHalftone, OneDotBarsBreakUnderDitherAndTheCheckSaysSo) {
  ColorImage label = BlankLabel(800, 400);
  DrawCode(label, LabelCode::QrCode, "VELMO QR", 40, 60, 8);
  DrawCode(label, LabelCode::Code128, "VELMO-3DOT", 330, 40, 3, 120);
  DrawCode(label, LabelCode::Code128, "VELMO-1DOT", 330, 240, 1, 120);
  for (int y = 0; y < label.height; ++y)
    for (int x = 330; x < label.width; ++x)
      if (label.pixels[size_t(y) * label.width + x] == 0) label.pixels[size_t(y) * label.width + x] = PackRgb(46, 46, 46);
  const BarcodeCheck check = Check(label, Mode(PreviewHalftone::Dither, 50));
  ASSERT_EQ(check.barcodes.size(), 3u);
  for (const BarcodeResult& r : check.barcodes) EXPECT_EQ(r.readable, r.text != "VELMO-1DOT") << r.text;
  EXPECT_TRUE(check.thresholdKeepsBars);
  EXPECT_EQ(BarcodeSummary(check, true),
            L"3 barcodes: 2 readable, 1 not readable after dithering: threshold keeps its bars");
  EXPECT_EQ(BarcodeSummary(check, false), L"3 个条码：2 个可读，1 个不可读（抖动后）：阈值可保留线条");

  const BarcodeCheck threshold = Check(label, Mode(PreviewHalftone::Threshold, 50));
  EXPECT_EQ(threshold.readable(), 3);
  EXPECT_FALSE(threshold.thresholdKeepsBars);
}

TEST(BarcodeCheckSummary, NoBarcode) {
  const BarcodeCheck check = Check(BlankLabel(200, 100), Mode(PreviewHalftone::Dither));
  EXPECT_TRUE(check.barcodes.empty());
  EXPECT_EQ(BarcodeSummary(check, true), L"No barcode found");
}

// Turning and mirroring move the code; the check looks for it where it went.
TEST(BarcodeCheckTurns, TurnedAndMirroredLinearCodesStayReadable) {
  ColorImage label = BlankLabel(600, 300);
  DrawCode(label, LabelCode::Code128, "TURN-128", 80, 80, 3, 120);
  struct Case {
    PreviewRotation rotation;
    bool flipH, flipV;
  };
  for (Case c : {Case{PreviewRotation::Deg90, false, false}, Case{PreviewRotation::Deg270, false, false},
                 Case{PreviewRotation::Deg0, true, false}, Case{PreviewRotation::Deg0, false, true},
                 Case{PreviewRotation::Deg90, true, true}}) {
    PreviewControls controls = Mode(PreviewHalftone::Threshold);
    controls.rotation = c.rotation;
    controls.flipHorizontal = c.flipH;
    controls.flipVertical = c.flipV;
    // Square paper, so a quarter turn keeps the scale at 1.
    const PrintPaper paper = PaperFor(600, 600);
    const PrintView view = RenderPrintView(controls, paper, label);
    const BarcodeCheck check = CheckBarcodes(label, controls, paper, view);
    ASSERT_EQ(check.barcodes.size(), 1u);
    EXPECT_TRUE(check.barcodes[0].readable) << int(c.rotation) << c.flipH << c.flipV;
    EXPECT_EQ(check.barcodes[0].narrowestBar, 3);
  }
}

// A mirrored QR Code is reported as the decoder reads the mirrored dots.
TEST(BarcodeCheckTurns, MirroredQrCodeIsReportedAsTheDecoderReadsIt) {
  ColorImage label = BlankLabel(400, 400);
  DrawCode(label, LabelCode::QrCode, "MIRROR", 100, 100, 6);
  PreviewControls controls = Mode(PreviewHalftone::Threshold);
  controls.flipHorizontal = true;
  const PrintPaper paper = PaperFor(400, 400);
  const PrintView view = RenderPrintView(controls, paper, label);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setTryDownscale(false);
  const ZXing::Results direct =
      ZXing::ReadBarcodes(ZXing::ImageView(view.dots.data(), view.width, view.height, ZXing::ImageFormat::Lum), hints);
  const bool decoderReads = !direct.empty() && direct[0].text() == "MIRROR";
  const BarcodeCheck check = CheckBarcodes(label, controls, paper, view);
  ASSERT_EQ(check.barcodes.size(), 1u);
  EXPECT_EQ(check.barcodes[0].readable, decoderReads);
}

// Debian's ZXing-C++ 1.4.0 keeps its assertions, and merging the passes
// over a picture larger than its downscale threshold fails one of them
// (`lineCount() == 1`) on a plain Code 128.
TEST(BarcodeCheckRegression, LargePlainCode128DoesNotAbortTheDecoder) {
  ColorImage label = BlankLabel(1100, 640);
  DrawCode(label, LabelCode::Code128, "VELMO-12345", 60, 20, 6, 600);
  const BarcodeCheck check = Check(label, Mode(PreviewHalftone::Threshold));
  ASSERT_EQ(check.barcodes.size(), 1u);
  EXPECT_TRUE(check.barcodes[0].readable);
}

}  // namespace
}  // namespace velmo
