#include "panel_win.h"

namespace toolkit {

namespace {

constexpr int kBevelWidth = 1;

UINT EdgeOf(Bevel bevel) { return bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER; }

UINT DrawTextAlignment(TextAlign alignment) {
  switch (alignment) {
    case TextAlign::Center:
      return DT_CENTER;
    case TextAlign::Right:
      return DT_RIGHT;
    case TextAlign::Left:
      break;
  }
  return DT_LEFT;
}

}  // namespace

Panel::Panel(Component& owner, Container& parent, const Design& design)
    : Container(&owner, &parent, design, true) {
  Placed();
}

void Panel::CreateHandle() { CreateChild(nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Caption()); }

void Panel::SetCaption(const std::wstring& caption) {
  Container::SetCaption(caption);
  Invalidate();
}

RECT Panel::AlignArea() const {
  RECT area = Container::AlignArea();
  if (Designed().BevelOuter != Bevel::None) InflateRect(&area, -kBevelWidth, -kBevelWidth);
  return area;
}

void Panel::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (Designed().BevelOuter != Bevel::None) DrawEdge(dc, &client, EdgeOf(Designed().BevelOuter), BF_RECT);
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  HGDIOBJ previous = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  RECT text = client;
  InflateRect(&text, -Scale(2), 0);
  DrawTextW(dc, caption.c_str(), -1, &text, DrawTextAlignment(Designed().Alignment) | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
}

LRESULT Panel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    Paint(dc);
    EndPaint(Handle(), &ps);
    return 0;
  }
  if (message == WM_PRINTCLIENT) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillBackground(reinterpret_cast<HDC>(wParam), client);
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  return Container::WindowProc(message, wParam, lParam);
}

GroupBox::GroupBox(Component& owner, Container& parent, const Design& design)
    : Container(&owner, &parent, design, true) {
  Placed();
}

void GroupBox::CreateHandle() {
  CreateChild(WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Caption());
}

RECT GroupBox::AlignArea() const {
  RECT area = Container::AlignArea();
  const int frame = Scale(2);
  area.left += frame;
  area.right -= frame;
  area.bottom -= frame;
  area.top += MulDiv(FontPoints(), Dpi(), 72) + Scale(6);  // the caption band
  return area;
}

LRESULT GroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillBackground(reinterpret_cast<HDC>(wParam), client);
      return 1;
    }
    case WM_NCHITTEST:
      return HTCLIENT;  // a group box is transparent to the mouse; its contents must not be
  }
  return Container::WindowProc(message, wParam, lParam);
}

}  // namespace toolkit
