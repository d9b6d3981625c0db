#pragma once
// The barcode check of the print view: every barcode found in the source
// picture is looked for again in the printer's dots, where it lies on the
// paper, and is readable when it gives back the same text.
#include <string>
#include <vector>

#include "print_view.h"

namespace velmo {

struct DotRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct BarcodeResult {
  std::string format;  // as the decoder names it: "Code128", "QRCode", ...
  std::string text;    // what the source gives
  bool readable = false;
  std::string textInView;  // what the view gives when it reads another text, else empty
  bool linear = false;
  // Linear codes: the narrowest black run across the bars, in dots, as a
  // threshold at mid-grey places them (a dither scatters dots over them).
  int narrowestBar = 0;
  DotRect box;             // where it lies on the paper
};

struct BarcodeCheck {
  std::vector<BarcodeResult> barcodes;
  // Dithered and something unreadable: whether a threshold at the same
  // blackness would make every barcode readable.
  bool thresholdKeepsBars = false;
  bool dithered = false;
  int readable() const;
};

// Looks for Code 128, Code 39, EAN-13, UPC-A, ITF, QR Code, Data Matrix and
// PDF417 in `source` and checks each in `view` (RenderPrintView of the same
// source under `controls` and `paper`).
BarcodeCheck CheckBarcodes(const ColorImage& source, const PreviewControls& controls, const PrintPaper& paper,
                           const PrintView& view);

// The status line: "3 barcodes: 2 readable, 1 not readable after
// dithering: threshold keeps its bars"; "No barcode found" for none.
std::wstring BarcodeSummary(const BarcodeCheck& check, bool english);

}  // namespace velmo
