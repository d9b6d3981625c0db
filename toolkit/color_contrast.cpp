#include "color_contrast.h"

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

double Linear(unsigned channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(Rgb color) {
  return 0.2126 * Linear(color & 0xFF) + 0.7152 * Linear(color >> 8 & 0xFF) + 0.0722 * Linear(color >> 16 & 0xFF);
}

double ContrastRatio(Rgb a, Rgb b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

SystemColor BackgroundRole(Rgb designed) {
  // Silver (192) and the classic button faces stay below; white and near
  // white (the paper, the windows' designed white) are above.
  return RelativeLuminance(designed) > 0.9 ? SystemColor::Window : SystemColor::ButtonFace;
}

SystemColor TextRole(SystemColor background, bool designedColor, Rgb designed, bool enabled) {
  if (!enabled || (designedColor && designed != MakeRgb(0, 0, 0))) return SystemColor::GrayText;
  if (background == SystemColor::Highlight) return SystemColor::HighlightText;
  return background == SystemColor::Window ? SystemColor::WindowText : SystemColor::ButtonText;
}

}  // namespace toolkit
