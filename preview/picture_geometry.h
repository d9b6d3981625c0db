#pragma once
// Whole-picture steps that the preview composes: scaling copies, turns,
// grey conversion, mirrors and clipped pastes.
#include "picture_decode.h"
#include "raster_ops.h"

namespace velmo {

// Nearest-pixel scaled copy (each target pixel takes the source pixel under
// its centre), the plain colour-on-colour stretch of a bitmap copy. A target
// size of 0 or less, or an empty source, gives an empty picture.
ColorImage StretchNearest(const ColorImage& source, int width, int height);

// Target pixel (x, y) is source pixel (y, source.height - 1 - x): a quarter
// turn clockwise, so the result is source.height wide and source.width high.
ColorImage QuarterTurnClockwise(const ColorImage& source);

// Pixel (x, y) becomes pixel (width - 1 - x, height - 1 - y).
void HalfTurn(ColorImage& image);

// Each pixel's grey (red * 19595 + green * 38469 + blue * 7472) >> 16; the
// weights add up to 65536, so equal channels keep their value.
GreyImage GreyFromColor(const ColorImage& image);
// Each grey byte g as the pixel with blue = green = red = g.
ColorImage ColorFromGrey(const GreyImage& grey, int width, int height);

// Swaps x and width - 1 - x in every row.
void MirrorRows(GreyImage& image, int width, int height);
// Swaps y and height - 1 - y in every column.
void MirrorColumns(GreyImage& image, int width, int height);

// Copies `source` into `target` with its top-left pixel at (left, top);
// whatever falls outside the target is cut off, so negative positions take
// a window of a larger source.
void PasteGrey(const GreyImage& source, int sourceWidth, int sourceHeight, GreyImage& target,
               int targetWidth, int targetHeight, int left, int top);

}  // namespace velmo
