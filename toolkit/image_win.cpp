#include "image_win.h"

#include <algorithm>

namespace toolkit {

Image::Image(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false) {
  SetPicture(LoadBitmapResource(design.Picture));
  designedPicture_ = picture_ != nullptr;
  Placed();
}

void Image::CreateHandle() { CreateChild(nullptr, 0, 0, L""); }

void Image::SetPicture(UniqueBitmap picture) {
  picture_ = std::move(picture);
  designedPicture_ = false;
  if (Designed().AutoSize && picture_) {
    const SIZE size = BitmapSize(picture_.get());
    Rect bounds = Designed().Bounds;
    bounds.Width = UnscaleLength(size.cx, Dpi());
    bounds.Height = UnscaleLength(size.cy, Dpi());
    SetBounds(bounds);
  }
  Invalidate();
}

void Image::SetPictureCopy(HBITMAP picture) {
  SetPicture(UniqueBitmap(picture ? static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                                  : nullptr));
}

RECT Image::PictureRect() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const SIZE size = BitmapSize(picture_.get());
  if (size.cx <= 0 || size.cy <= 0) return {0, 0, 0, 0};
  const Design& d = Designed();
  // A picture of the design (a banner) grows with the DPI as the design
  // does; pictures shown at run time keep their pixels.
  int width = designedPicture_ ? Scale(size.cx) : size.cx, height = designedPicture_ ? Scale(size.cy) : size.cy;
  const bool larger = width > client.right || height > client.bottom;
  if (d.Proportional && (d.Stretch || larger)) {
    // The largest size with the picture's proportions that fits.
    if (static_cast<long long>(client.right) * height <= static_cast<long long>(client.bottom) * width) {
      height = static_cast<int>(static_cast<long long>(height) * client.right / width);
      width = client.right;
    } else {
      width = static_cast<int>(static_cast<long long>(width) * client.bottom / height);
      height = client.bottom;
    }
  } else if (d.Stretch) {
    width = client.right;
    height = client.bottom;
  }
  const int left = d.Center ? (client.right - width) / 2 : 0;
  const int top = d.Center ? (client.bottom - height) / 2 : 0;
  return {left, top, left + width, top + height};
}

void Image::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  // Drawn off screen first, so that frequent re-renders do not flicker.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP canvas = CreateCompatibleBitmap(dc, std::max<int>(1, client.right), std::max<int>(1, client.bottom));
  HGDIOBJ previousCanvas = SelectObject(buffer, canvas);
  FillBackground(buffer, client);
  if (picture_) {
    const RECT place = PictureRect();
    const SIZE size = BitmapSize(picture_.get());
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture_.get());
    SetStretchBltMode(buffer, HALFTONE);
    SetBrushOrgEx(buffer, 0, 0, nullptr);
    StretchBlt(buffer, place.left, place.top, place.right - place.left, place.bottom - place.top, source, 0, 0,
               size.cx, size.cy, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  if (GetFocus() == Handle()) DrawFocusRect(buffer, &client);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, previousCanvas);
  DeleteObject(canvas);
  DeleteDC(buffer);
}

LRESULT Image::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // Paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
  }
  return Control::WindowProc(message, wParam, lParam);
}

}  // namespace toolkit
