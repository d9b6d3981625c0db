#include "picture_bitmap_win.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace velmo {

std::optional<ColorImage> LoadPictureResource(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
  if (!bytes) return std::nullopt;
  ColorImage picture;
  if (!DecodePicture({bytes, SizeofResource(nullptr, found)}, picture)) return std::nullopt;
  return picture;
}

std::optional<ColorImage> LoadPictureFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  std::vector<uint8_t> bytes;
  // Anything larger than a picture the decoders accept is refused unread.
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG(1) << 30)) {
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()) bytes.clear();
  }
  CloseHandle(file);
  ColorImage picture;
  if (bytes.empty() || !DecodePicture(bytes, picture)) return std::nullopt;
  return picture;
}

toolkit::UniqueBitmap BitmapFromPicture(const ColorImage& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits && !picture.pixels.empty())
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(uint32_t));
  return toolkit::UniqueBitmap(bitmap);
}

}  // namespace velmo
