#include "speed_button_win.h"

#include "picture_scale.h"

namespace toolkit {

namespace {

constexpr int kPictureSize = 32;
constexpr int kTopGap = 3;
constexpr int kTextGap = 2;

void DrawPicture(HDC dc, HBITMAP picture, const RECT& place, bool enabled) {
  const SIZE size = BitmapSize(picture);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, picture);
  const COLORREF transparent = GetPixel(source, 0, size.cy - 1);
  if (enabled) {
    TransparentBlt(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, source, 0, 0,
                   size.cx, size.cy, transparent);
  } else {
    // Greyed: the picture's shape in the disabled-text colour.
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ previousMask = SelectObject(mask, maskBitmap);
    SetBkColor(source, transparent);
    BitBlt(mask, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    HBRUSH grey = CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ previousBrush = SelectObject(dc, grey);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    // Where the mask is black (picture), paint the brush; keep the rest.
    StretchBlt(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, mask, 0, 0, size.cx,
               size.cy, 0x00B8074A);  // PSDPxax: brush where source is 0, destination where 1
    SelectObject(dc, previousBrush);
    DeleteObject(grey);
    SelectObject(mask, previousMask);
    DeleteObject(maskBitmap);
    DeleteDC(mask);
  }
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace

SpeedButton::SpeedButton(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, true), pictureName_(design.Picture) {
  LoadPictureForDpi();
  Placed();
}

void SpeedButton::LoadPictureForDpi() {
  const int scale = NearestPictureScale(Dpi());
  if (pictureName_.empty() || scale == pictureScale_) return;
  pictureScale_ = scale;
  picture_ = LoadBitmapResource(ScaledPictureName(pictureName_, scale));
  if (!picture_) picture_ = LoadBitmapResource(pictureName_);
  Invalidate();
}

void SpeedButton::ApplyFont() {
  Control::ApplyFont();
  LoadPictureForDpi();
}

void SpeedButton::CreateHandle() {
  CreateChild(WC_BUTTONW, BS_OWNERDRAW, 0, Caption());
}

void SpeedButton::SetPicture(UniqueBitmap picture) {
  pictureName_.clear();
  picture_ = std::move(picture);
  Invalidate();
}

void SpeedButton::SetCaption(const std::wstring& caption) {
  Control::SetCaption(caption);
  Invalidate();
}

void SpeedButton::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

void SpeedButton::Draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillBackground(dc, r);
  const bool enabled = !(item.itemState & ODS_DISABLED);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (enabled && (pressed || hot_)) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

  const int picture = Scale(kPictureSize);
  const int shift = pressed ? 1 : 0;
  const int left = (r.left + r.right - picture) / 2 + shift;
  const int top = r.top + Scale(kTopGap) + shift;
  if (picture_) DrawPicture(dc, picture_.get(), {left, top, left + picture, top + picture}, enabled);

  const std::wstring caption = Caption();
  HGDIOBJ previous = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? TextColor() : GetSysColor(COLOR_GRAYTEXT));
  RECT text{r.left + shift, top + picture + Scale(kTextGap), r.right + shift, r.bottom};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_NOCLIP);
  SelectObject(dc, previous);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = r;
    InflateRect(&focus, -Scale(2), -Scale(2));
    DrawFocusRect(dc, &focus);
  }
}

LRESULT SpeedButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      break;
    case WM_LBUTTONDBLCLK:
      message = WM_LBUTTONDOWN;  // a quick second press is another click
      break;
  }
  return Control::WindowProc(message, wParam, lParam);
}

bool SpeedButton::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Raise(OnClick);
    return true;
  }
  return Control::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
