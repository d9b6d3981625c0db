#pragma once
// The preview picture: how the sample picture would come out of the printer
// under the settings window's controls. Plain values in, plain values out;
// the window reads its controls into PreviewControls and shows PreviewFrame.
#include "picture_decode.h"
#include "raster_ops.h"

namespace velmo {

// Which of the rotation radio buttons is checked.
enum class PreviewRotation { None, Deg0, Deg90, Deg180, Deg270 };
// RadioButtonHalftoneBW checked is Threshold; anything else dithers.
enum class PreviewHalftone { Threshold, Dither };
// Left and Top stand also for "no button of the group checked".
enum class PreviewAlignH { Left, Center, Right };
enum class PreviewAlignV { Top, Center, Bottom };

// ComboBoxZoom's items run from "50%" (0) to "150%" (20) in steps of 5.
inline constexpr int kZoomIndexFull = 10;  // "100%": the fitted picture as it is

struct PreviewControls {
  PreviewRotation rotation = PreviewRotation::Deg0;
  bool paperRotate = false;     // CheckBoxPaperRotate: landscape paper, a quarter turn more
  bool flipHorizontal = false;  // CheckBoxFlipHorizontal
  bool flipVertical = false;    // CheckBoxFlipVertical
  bool reverse = false;         // CheckBoxEffectReverse
  PreviewHalftone halftone = PreviewHalftone::Dither;
  int blackness = 50;                // TrackBarBlacknessAdjust, 0..100
  int zoomIndex = kZoomIndexFull;    // ComboBoxZoom's selected index, -1 when none
  PreviewAlignH zoomAlignH = PreviewAlignH::Left;
  PreviewAlignV zoomAlignV = PreviewAlignV::Top;
  int areaWidth = 0;   // PanelImagePreview's size
  int areaHeight = 0;
  int offsetX = 0;     // TrackBarOffsetX and TrackBarOffsetY, -10..10
  int offsetY = 0;
};

struct PreviewRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PreviewRect&) const = default;
};

struct PreviewOffset {
  int left = 0, top = 0;
  bool operator==(const PreviewOffset&) const = default;
};

struct PreviewFrame {
  PreviewRect panel;     // PanelDisplay inside the preview area; ImageDisplay has its size
  PreviewOffset image;   // ImageDisplay's position inside PanelDisplay
  // ImageDisplay's picture, shown centred and scaled to fit: every pixel has
  // blue = green = red and the fourth byte 0. Display-sized unless the zoom
  // is kZoomIndexFull, where it is the fitted picture.
  ColorImage picture;
};

// The paper panel, portrait or landscape, centred in the preview area.
PreviewRect PaperPanel(int areaWidth, int areaHeight, bool paperRotate);

// Moving the offsets needs no new picture: the window applies this alone.
PreviewOffset ImageOffset(int offsetX, int offsetY);

// 0, 90, 180 or 270: the checked rotation, a quarter turn more on landscape
// paper, with a full turn back to 0.
int PreviewAngle(PreviewRotation rotation, bool paperRotate);

// Where each step of a render puts the picture: the fit's stretch, the
// turn, the mirrors and the zoom's canvas, for a source of the given size
// on a display of the given size. `width` x `height` is the rendered
// picture's size: the fitted picture's, or the display's when zoomed.
struct PreviewGeometry {
  int sourceWidth = 0, sourceHeight = 0;
  int angle = 0;
  bool flipHorizontal = false, flipVertical = false;
  int stretchWidth = 0, stretchHeight = 0;  // the fit, before the turn
  int fittedWidth = 0, fittedHeight = 0;    // after the turn
  bool zoomed = false;
  int canvasLeft = 0, canvasTop = 0;        // the fitted picture on the display-sized canvas
  float zoomFactor = 1.0f;
  int zoomLeft = 0, zoomTop = 0;            // the zoomed canvas on the display
  int width = 0, height = 0;
};

struct PreviewPoint {
  double x = 0, y = 0;
};

PreviewGeometry ComposeGeometry(const PreviewControls& controls, int sourceWidth, int sourceHeight,
                                int displayWidth, int displayHeight);

// A point of the source (pixel edges: (0, 0) is the top-left corner, (width,
// height) the bottom-right one) in the rendered picture.
PreviewPoint MapSourcePoint(const PreviewGeometry& geometry, double x, double y);

// The rendered picture in grey (0 or 255 after the halftone), of
// geometry.width x geometry.height; `geometry` comes from ComposeGeometry
// for the same controls and source.
GreyImage ComposeGrey(const PreviewControls& controls, const ColorImage& source, const PreviewGeometry& geometry);

// The whole render; `source` is the decoded picture, never changed.
PreviewFrame ComposePreview(const PreviewControls& controls, const ColorImage& source);

}  // namespace velmo
