#include "picture_scale.h"

#include <cstdlib>

namespace toolkit {

int NearestPictureScale(int dpi) {
  int best = 100;
  for (const int scale : {150, 200})
    if (std::abs(dpi - scale * 96 / 100) <= std::abs(dpi - best * 96 / 100)) best = scale;
  return best;
}

std::wstring ScaledPictureName(const std::wstring& base, int scale) {
  return scale == 100 ? base : base + L"_" + std::to_wstring(scale);
}

}  // namespace toolkit
