#include "preview_compose.h"

#include <algorithm>
#include <cstddef>

#include "picture_geometry.h"
#include "raster_ops.h"

namespace velmo {
namespace {

size_t Area(int width, int height) { return size_t(width) * size_t(height); }

int RotationDegrees(PreviewRotation rotation) {
  switch (rotation) {
    case PreviewRotation::Deg90: return 90;
    case PreviewRotation::Deg180: return 180;
    case PreviewRotation::Deg270: return 270;
    default: return 0;
  }
}

// The source scaled to fit the display keeping its shape (at a quarter
// angle the fit is for the turned picture), turned by `angle`, in grey.
GreyImage FitTurnGrey(const ColorImage& source, int displayWidth, int displayHeight, int angle, int& width,
                      int& height) {
  width = height = 0;
  if (source.width <= 0 || source.height <= 0) return {};
  const bool quarterTurn = angle == 90 || angle == 270;
  const double sw = source.width, sh = source.height;
  const double k = quarterTurn ? std::min(displayWidth / sh, displayHeight / sw)
                               : std::min(displayWidth / sw, displayHeight / sh);
  // k is held as a double but multiplied out in extended precision before
  // truncating, as the preview always has: 683 * (251 / 683) is then
  // 250.999... and gives 250, where a product rounded to double gives 251.
  const long double wide = k;
  // 270 is the quarter turn followed by a half turn.
  return StretchTurnGrey(source, static_cast<int>(sw * wide), static_cast<int>(sh * wide), quarterTurn,
                         angle == 180 || angle == 270, width, height);
}

// Start of the zoomed picture's placement along one axis, where `slack` is
// how much the smaller of display and zoomed picture leaves free.
int AlignStart(int slack, bool centre, bool far) { return centre ? slack / 2 : far ? slack : 0; }

// The fitted picture on a white display-sized canvas, zoomed by the combo
// box's factor and aligned; the result has the display's size.
GreyImage Zoom(const GreyImage& fitted, int width, int height, int displayWidth, int displayHeight,
               const PreviewControls& controls) {
  GreyImage canvas(Area(displayWidth, displayHeight), uint8_t{255});
  // Centred both ways. When one side fills the display this is the move
  // along the other side alone; when neither does (a fit that truncated
  // 251 to 250) the picture is still shown, centred, rather than left out.
  PasteGrey(fitted, width, height, canvas, displayWidth, displayHeight, (displayWidth - width) / 2,
            (displayHeight - height) / 2);

  // The percentage times the double 0.01, then held as a float (for "60%"
  // that is 0.60000002, where 60 * 0.01f would be 0.59999996).
  const float factor = static_cast<float>((controls.zoomIndex * 5 + 50) * 0.01);
  const int zoomedWidth = ScaledSize(displayWidth, factor), zoomedHeight = ScaledSize(displayHeight, factor);
  GreyImage zoomed(canvas.size(), uint8_t{255});
  const bool smaller = factor < 1.0f;
  const bool centreH = controls.zoomAlignH == PreviewAlignH::Center;
  const bool centreV = controls.zoomAlignV == PreviewAlignV::Center;
  const int xo = AlignStart(smaller ? displayWidth - zoomedWidth : zoomedWidth - displayWidth, centreH,
                            controls.zoomAlignH == PreviewAlignH::Right);
  const int yo = AlignStart(smaller ? displayHeight - zoomedHeight : zoomedHeight - displayHeight, centreV,
                            controls.zoomAlignV == PreviewAlignV::Bottom);
  // Smaller: the zoomed picture goes in at (xo, yo). Larger: the display
  // shows its window starting at (xo, yo); only that window is worked out.
  ScaleImageInto(canvas, displayWidth, displayHeight, factor, zoomed, displayWidth, displayHeight,
                 smaller ? xo : -xo, smaller ? yo : -yo);
  return zoomed;
}

void Halftone(GreyImage& grey, int width, int height, PreviewHalftone mode, int blackness) {
  if (mode == PreviewHalftone::Threshold) {
    const int threshold = blackness < 50 ? blackness : 4 * blackness - 150;
    for (uint8_t& g : grey) g = g >= threshold ? 255 : 0;
    return;
  }
  const ToneTable tones = BuildToneTable(blackness * 0.02);
  for (uint8_t& g : grey) g = tones[g];
  DitherImage(width, height, grey);
}

}  // namespace

PreviewRect PaperPanel(int areaWidth, int areaHeight, bool paperRotate) {
  PreviewRect panel;
  panel.width = paperRotate ? areaWidth * 15 / 16 : areaWidth * 3 / 4;
  panel.height = paperRotate ? areaHeight * 3 / 4 : areaHeight * 15 / 16;
  panel.left = (areaWidth - panel.width) / 2;
  panel.top = (areaHeight - panel.height) / 2;
  return panel;
}

PreviewOffset ImageOffset(int offsetX, int offsetY) { return {offsetX * 2, offsetY * 2}; }

int PreviewAngle(PreviewRotation rotation, bool paperRotate) {
  const int angle = RotationDegrees(rotation) + (paperRotate ? 90 : 0);
  return angle > 270 ? 0 : angle;
}

PreviewFrame ComposePreview(const PreviewControls& controls, const ColorImage& source) {
  PreviewFrame frame;
  frame.image = ImageOffset(controls.offsetX, controls.offsetY);
  frame.panel = PaperPanel(controls.areaWidth, controls.areaHeight, controls.paperRotate);
  const int displayWidth = frame.panel.width, displayHeight = frame.panel.height;

  const int angle = PreviewAngle(controls.rotation, controls.paperRotate);
  int width = 0, height = 0;
  GreyImage grey = FitTurnGrey(source, displayWidth, displayHeight, angle, width, height);
  if (controls.flipHorizontal) MirrorRows(grey, width, height);
  if (controls.flipVertical) MirrorColumns(grey, width, height);

  if (controls.zoomIndex != kZoomIndexFull && displayWidth > 0 && displayHeight > 0) {
    grey = Zoom(grey, width, height, displayWidth, displayHeight, controls);
    width = displayWidth;
    height = displayHeight;
  }

  Halftone(grey, width, height, controls.halftone, controls.blackness);
  if (controls.reverse)
    for (uint8_t& g : grey) g = uint8_t(255 - g);

  frame.picture = ColorFromGrey(grey, width, height);
  return frame;
}

}  // namespace velmo
