#pragma once
// Labels with barcodes drawn by ZXing's writer, made when a test or a
// benchmark runs: every module a square of whole pixels.
#include <string>

#include "picture_decode.h"

namespace velmo {

enum class LabelCode { Code128, Code39, Ean13, UpcA, Itf, QrCode, DataMatrix, Pdf417 };

// A white label of width x height pixels.
ColorImage BlankLabel(int width, int height);

// Draws `text` as `code` with its top-left module at (left, top), each
// module `module` pixels wide (and, for linear codes, the bars `barHeight`
// high); nothing is drawn outside the label. A module of a fraction of
// pixels gives the pixels it covers in part the grey of that part, as a
// smoothed drawing program would. Returns the drawn width in whole pixels.
int DrawCode(ColorImage& label, LabelCode code, const std::string& text, double left, int top, double module,
             int barHeight = 80);

}  // namespace velmo
