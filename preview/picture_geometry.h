#pragma once
// Whole-picture steps that the preview composes: scaling copies, turns,
// grey conversion, mirrors and clipped pastes.
#include "picture_decode.h"
#include "raster_ops.h"

namespace velmo {

// The grey picture of `source` after three steps, made in one pass:
// - a nearest-pixel stretch to stretchWidth x stretchHeight (each pixel takes
//   the source pixel under its centre), the plain stretch of a bitmap copy;
// - with `quarterTurn`, a quarter turn clockwise: pixel (x, y) of the turned
//   picture is pixel (y, stretchHeight - 1 - x) of the stretched one, so it is
//   stretchHeight wide and stretchWidth high;
// - with `halfTurn`, a half turn: pixel (x, y) becomes (width - 1 - x,
//   height - 1 - y).
// Each pixel's grey is (red * 19595 + green * 38469 + blue * 7472) >> 16; the
// weights add up to 65536, so equal channels keep their value. `width` and
// `height` receive the result's size; a stretch size of 0 or less, or an
// empty source, gives an empty picture.
GreyImage StretchTurnGrey(const ColorImage& source, int stretchWidth, int stretchHeight, bool quarterTurn,
                          bool halfTurn, int& width, int& height);
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
