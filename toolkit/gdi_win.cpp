#include <string>

#include "gdi_win.h"

namespace toolkit {

UniqueBitmap LoadBitmapResource(const std::wstring& name) {
  if (name.empty()) return nullptr;
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

}  // namespace toolkit
