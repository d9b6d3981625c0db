// Owning handles for the GDI objects the toolkit keeps.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace toolkit {

struct GdiObjectDeleter {
  void operator()(void* object) const noexcept { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

// Loads a bitmap resource of the running program by name; null when absent.
UniqueBitmap LoadBitmapResource(const std::wstring& name);

// The pixel size of a bitmap, {0, 0} for null.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace toolkit
