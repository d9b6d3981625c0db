#pragma once
// The print view: the picture as the printer puts it on the selected paper,
// one byte a printer dot (0 black, 255 white), made by the preview's own
// composition at the paper's size in dots instead of the paper panel's.
#include <cstdint>

#include "picture_decode.h"
#include "preview_compose.h"
#include "raster_ops.h"

namespace velmo {

// When the spooler names no resolution for the queue.
inline constexpr int kDefaultPrinterDpi = 203;

struct PrintPaper {
  int32_t widthThousandths = 0;  // the form's size, thousandths of a millimetre
  int32_t heightThousandths = 0;
  int dpi = kDefaultPrinterDpi;
};

// Thousandths of a millimetre in dots at `dpi`, rounded to the nearest dot
// (halves up): 50 mm at 203 dpi is 399.6, so 400 dots. 0 for a length or
// resolution of 0 or less.
int DotsOf(int64_t thousandths, int dpi);

// An offset bar's position in dots: 0.5 mm a step, rounded to the nearest.
int OffsetDots(int position, int dpi);

struct PrintView {
  int width = 0, height = 0;  // the paper in dots, landscape when the paper is turned
  GreyImage dots;             // width x height, every byte 0 or 255
  PreviewGeometry geometry;   // the composed picture before it was placed on the paper
  int pictureLeft = 0, pictureTop = 0;  // where the composed picture lies on the paper
};

// Where a point of the source lands on the paper, in dots.
PreviewPoint MapToPaper(const PrintView& view, double x, double y);

// The controls' areaWidth and areaHeight are not used: the paper gives the
// size. The composed picture is centred on white paper and moved by the
// offset bars' distance in dots; what moves past the edge is cut off.
PrintView RenderPrintView(const PreviewControls& controls, const PrintPaper& paper, const ColorImage& source);

}  // namespace velmo
