#pragma once
// The preview's edges on Win32: pictures from the program's resources and
// from files, and device-independent bitmaps of composed pictures.
#include <optional>
#include <string>

#include "gdi_win.h"
#include "picture_decode.h"

namespace velmo {

// A picture stored in the program as an RCDATA resource.
std::optional<ColorImage> LoadPictureResource(const wchar_t* name);

// A JPEG, PNG or bitmap file; nothing when it cannot be read or decoded.
std::optional<ColorImage> LoadPictureFile(const std::wstring& path);

// A 32-bit top-down bitmap holding the picture's pixels.
toolkit::UniqueBitmap BitmapFromPicture(const ColorImage& picture);

}  // namespace velmo
