// Which of a picture's drawn sizes suits a DPI: pictures come at 100, 150
// and 200 % (96, 144 and 192 DPI), and the nearest is taken; between two,
// the larger, since shrinking keeps a picture sharper than stretching.
#pragma once

#include <string>

namespace toolkit {

int NearestPictureScale(int dpi);  // 100, 150 or 200

// The resource name of a picture at a scale: the 100 % picture keeps its
// base name, the others carry the scale ("PICTURE_ADD_PAPER_150").
std::wstring ScaledPictureName(const std::wstring& base, int scale);

}  // namespace toolkit
