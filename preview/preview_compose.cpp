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

// The stretch of the fit: the source scaled to fit the display keeping its
// shape (at a quarter angle the fit is for the turned picture).
void FitStretch(int sourceWidth, int sourceHeight, int displayWidth, int displayHeight, bool quarterTurn,
                int& stretchWidth, int& stretchHeight) {
  stretchWidth = stretchHeight = 0;
  if (sourceWidth <= 0 || sourceHeight <= 0) return;
  const double sw = sourceWidth, sh = sourceHeight;
  const double k = quarterTurn ? std::min(displayWidth / sh, displayHeight / sw)
                               : std::min(displayWidth / sw, displayHeight / sh);
  // k is held as a double but multiplied out in extended precision before
  // truncating, as the preview always has: 683 * (251 / 683) is then
  // 250.999... and gives 250, where a product rounded to double gives 251.
  const long double wide = k;
  stretchWidth = static_cast<int>(sw * wide);
  stretchHeight = static_cast<int>(sh * wide);
}

// Start of the zoomed picture's placement along one axis, where `slack` is
// how much the smaller of display and zoomed picture leaves free.
int AlignStart(int slack, bool centre, bool far) { return centre ? slack / 2 : far ? slack : 0; }

// The fitted picture on a white display-sized canvas, zoomed and aligned as
// `geometry` says; the result has the display's size.
GreyImage Zoom(const GreyImage& fitted, const PreviewGeometry& geometry) {
  const int displayWidth = geometry.width, displayHeight = geometry.height;
  GreyImage canvas(Area(displayWidth, displayHeight), uint8_t{255});
  PasteGrey(fitted, geometry.fittedWidth, geometry.fittedHeight, canvas, displayWidth, displayHeight,
            geometry.canvasLeft, geometry.canvasTop);
  GreyImage zoomed(canvas.size(), uint8_t{255});
  // Only the part inside the display is worked out.
  ScaleImageInto(canvas, displayWidth, displayHeight, geometry.zoomFactor, zoomed, displayWidth, displayHeight,
                 geometry.zoomLeft, geometry.zoomTop);
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

PreviewGeometry ComposeGeometry(const PreviewControls& controls, int sourceWidth, int sourceHeight,
                                int displayWidth, int displayHeight) {
  PreviewGeometry g;
  g.sourceWidth = sourceWidth;
  g.sourceHeight = sourceHeight;
  g.angle = PreviewAngle(controls.rotation, controls.paperRotate);
  g.flipHorizontal = controls.flipHorizontal;
  g.flipVertical = controls.flipVertical;
  const bool quarterTurn = g.angle == 90 || g.angle == 270;
  FitStretch(sourceWidth, sourceHeight, displayWidth, displayHeight, quarterTurn, g.stretchWidth,
             g.stretchHeight);
  if (g.stretchWidth > 0 && g.stretchHeight > 0) {
    g.fittedWidth = quarterTurn ? g.stretchHeight : g.stretchWidth;
    g.fittedHeight = quarterTurn ? g.stretchWidth : g.stretchHeight;
  }
  g.width = g.fittedWidth;
  g.height = g.fittedHeight;

  g.zoomed = controls.zoomIndex != kZoomIndexFull && displayWidth > 0 && displayHeight > 0;
  if (!g.zoomed) return g;
  g.width = displayWidth;
  g.height = displayHeight;
  // Centred both ways. When one side fills the display this is the move
  // along the other side alone; when neither does (a fit that truncated
  // 251 to 250) the picture is still shown, centred, rather than left out.
  g.canvasLeft = (displayWidth - g.fittedWidth) / 2;
  g.canvasTop = (displayHeight - g.fittedHeight) / 2;
  // The percentage times the double 0.01, then held as a float (for "60%"
  // that is 0.60000002, where 60 * 0.01f would be 0.59999996).
  g.zoomFactor = static_cast<float>((controls.zoomIndex * 5 + 50) * 0.01);
  const int zoomedWidth = ScaledSize(displayWidth, g.zoomFactor);
  const int zoomedHeight = ScaledSize(displayHeight, g.zoomFactor);
  const bool smaller = g.zoomFactor < 1.0f;
  const int xo = AlignStart(smaller ? displayWidth - zoomedWidth : zoomedWidth - displayWidth,
                            controls.zoomAlignH == PreviewAlignH::Center,
                            controls.zoomAlignH == PreviewAlignH::Right);
  const int yo = AlignStart(smaller ? displayHeight - zoomedHeight : zoomedHeight - displayHeight,
                            controls.zoomAlignV == PreviewAlignV::Center,
                            controls.zoomAlignV == PreviewAlignV::Bottom);
  // Smaller: the zoomed picture goes in at (xo, yo). Larger: the display
  // shows its window starting at (xo, yo).
  g.zoomLeft = smaller ? xo : -xo;
  g.zoomTop = smaller ? yo : -yo;
  return g;
}

PreviewPoint MapSourcePoint(const PreviewGeometry& g, double x, double y) {
  if (g.sourceWidth <= 0 || g.sourceHeight <= 0) return {};
  // Stretch, then the turns as StretchTurnGrey makes them, on pixel edges.
  double px = x * g.stretchWidth / g.sourceWidth, py = y * g.stretchHeight / g.sourceHeight;
  if (g.angle == 90 || g.angle == 270) {
    const double turnedX = g.stretchHeight - py;
    py = px;
    px = turnedX;
  }
  if (g.angle == 180 || g.angle == 270) {
    px = g.fittedWidth - px;
    py = g.fittedHeight - py;
  }
  if (g.flipHorizontal) px = g.fittedWidth - px;
  if (g.flipVertical) py = g.fittedHeight - py;
  if (g.zoomed) {
    px = (px + g.canvasLeft) * g.zoomFactor + g.zoomLeft;
    py = (py + g.canvasTop) * g.zoomFactor + g.zoomTop;
  }
  return {px, py};
}

GreyImage ComposeGrey(const PreviewControls& controls, const ColorImage& source, const PreviewGeometry& g) {
  const bool quarterTurn = g.angle == 90 || g.angle == 270;
  int width = 0, height = 0;
  // 270 is the quarter turn followed by a half turn.
  GreyImage grey = g.stretchWidth > 0 && g.stretchHeight > 0
                       ? StretchTurnGrey(source, g.stretchWidth, g.stretchHeight, quarterTurn,
                                         g.angle == 180 || g.angle == 270, width, height)
                       : GreyImage{};
  if (controls.flipHorizontal) MirrorRows(grey, width, height);
  if (controls.flipVertical) MirrorColumns(grey, width, height);
  if (g.zoomed) grey = Zoom(grey, g);

  Halftone(grey, g.width, g.height, controls.halftone, controls.blackness);
  if (controls.reverse)
    for (uint8_t& v : grey) v = uint8_t(255 - v);
  return grey;
}

PreviewFrame ComposePreview(const PreviewControls& controls, const ColorImage& source) {
  PreviewFrame frame;
  frame.image = ImageOffset(controls.offsetX, controls.offsetY);
  frame.panel = PaperPanel(controls.areaWidth, controls.areaHeight, controls.paperRotate);
  const PreviewGeometry geometry =
      ComposeGeometry(controls, source.width, source.height, frame.panel.width, frame.panel.height);
  frame.picture = ColorFromGrey(ComposeGrey(controls, source, geometry), geometry.width, geometry.height);
  return frame;
}

}  // namespace velmo
