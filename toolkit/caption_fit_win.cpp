#include "caption_fit_win.h"

#include <algorithm>
#include <cstdint>

#include "button_win.h"
#include "label_win.h"
#include "page_control_win.h"
#include "panel_win.h"
#include "speed_button_win.h"

namespace toolkit {

namespace {

// 96-DPI pixels of the system's drawing that text must leave free.
constexpr int kPanelInset = 2;          // Panel::Paint
constexpr int kButtonFrame = 4;         // a push button's edge and focus frame, each side
constexpr int kCheckMark = 13 + 4;      // the box or circle of a check or radio button and its gap
constexpr int kGroupCaptionLeft = 8;    // where a group box starts its caption
constexpr int kSpeedPictureBand = 3 + 32 + 2;  // SpeedButton::Draw: gap, picture, gap
constexpr int kTabPadding = 5;          // a tab's text to its edges, each side, in device pixels at any DPI

int Scaled(int length, int dpi) { return MulDiv(length, dpi, 96); }

// The text as drawn in the window's font: its advance and line height, and
// how far its ink reaches past the advance on either side (a wide letter's
// stem, an italic), which a control's edge cuts as well. The ink is found by
// drawing the text, since the font's metrics need not say it.
struct TextSize {
  LONG cx = 0, cy = 0;
  LONG before = 0, after = 0;
};

void FindInk(HDC dc, const std::wstring& text, UINT format, TextSize& size) {
  const LONG margin = size.cy;
  const LONG width = size.cx + 2 * margin, height = size.cy;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  HDC canvas = CreateCompatibleDC(dc);
  HGDIOBJ previousBitmap = SelectObject(canvas, bitmap);
  HGDIOBJ previousFont = SelectObject(canvas, GetCurrentObject(dc, OBJ_FONT));
  PatBlt(canvas, 0, 0, width, height, WHITENESS);
  SetTextColor(canvas, RGB(0, 0, 0));
  SetBkMode(canvas, TRANSPARENT);
  RECT place{margin, 0, margin + size.cx, height};
  DrawTextW(canvas, text.c_str(), -1, &place, format | DT_NOCLIP);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  LONG first = width, last = -1;
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x)
      if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  if (last >= 0) {
    size.before = std::max(0L, margin - first);
    size.after = std::max(0L, last + 1 - (margin + size.cx));
  }
  SelectObject(canvas, previousFont);
  SelectObject(canvas, previousBitmap);
  DeleteDC(canvas);
  DeleteObject(bitmap);
}

TextSize Measure(HWND window, const std::wstring& text, UINT format) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, format | DT_CALCRECT | DT_NOCLIP);
  TextSize size{r.right - r.left, r.bottom - r.top};
  if (format & DT_SINGLELINE) FindInk(dc, text, format, size);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size;
}

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

RECT ClientScreenRect(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The text's place inside `room` (screen coordinates) for a horizontal alignment.
RECT Place(const RECT& room, const TextSize& text, UINT align, bool vcenter) {
  RECT r;
  r.left = align == DT_RIGHT ? room.right - text.cx
                             : align == DT_CENTER ? (room.left + room.right - text.cx) / 2 : room.left;
  r.top = vcenter ? (room.top + room.bottom - text.cy) / 2 : room.top;
  r.right = r.left + text.cx + text.after;
  r.left -= text.before;
  r.bottom = r.top + text.cy;
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// Where the control draws its caption and the room it has for it, both in
// screen coordinates; false for a caption the system places by itself.
struct TextPlace {
  RECT text;
  RECT room;
};

bool PlaceOf(const Control& control, const std::wstring& caption, int dpi, TextPlace& place) {
  HWND window = control.Handle();
  const RECT client = ClientScreenRect(window);
  const auto inset = [&](RECT r, int left, int top, int right, int bottom) {
    return RECT{r.left + Scaled(left, dpi), r.top + Scaled(top, dpi), r.right - Scaled(right, dpi),
                r.bottom - Scaled(bottom, dpi)};
  };
  if (dynamic_cast<const Label*>(&control)) {
    const LONG style = GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK;
    const UINT align = style == SS_RIGHT ? DT_RIGHT : style == SS_CENTER ? DT_CENTER : DT_LEFT;
    place.room = client;
    place.text = Place(client, Measure(window, caption, DT_SINGLELINE), align, false);
  } else if (dynamic_cast<const CheckBox*>(&control) || dynamic_cast<const RadioButton*>(&control)) {
    place.room = inset(client, kCheckMark, 0, 0, 0);
    place.text = Place(place.room, Measure(window, caption, DT_SINGLELINE), DT_LEFT, true);
  } else if (dynamic_cast<const Button*>(&control)) {
    place.room = inset(client, kButtonFrame, kButtonFrame / 2, kButtonFrame, kButtonFrame / 2);
    place.text = Place(place.room, Measure(window, caption, DT_SINGLELINE), DT_CENTER, true);
  } else if (dynamic_cast<const SpeedButton*>(&control)) {
    place.room = inset(client, 0, kSpeedPictureBand, 0, 0);
    place.text = Place(place.room, Measure(window, caption, 0), DT_CENTER, false);
  } else if (dynamic_cast<const GroupBox*>(&control)) {
    place.room = inset(client, kGroupCaptionLeft, 0, kGroupCaptionLeft, 0);
    place.text = Place(place.room, Measure(window, caption, DT_SINGLELINE), DT_LEFT, false);
  } else if (dynamic_cast<const TabSheet*>(&control)) {
    const auto& sheet = static_cast<const TabSheet&>(control);
    if (!sheet.TabVisible()) return false;
    const Container& pages = *control.Parent();
    int index = 0;  // among the shown tabs
    for (const Control* child : pages.Children()) {
      if (child == &control) break;
      if (auto* other = dynamic_cast<const TabSheet*>(child); other && other->TabVisible()) ++index;
    }
    RECT tab{};
    TabCtrl_GetItemRect(pages.Handle(), index, &tab);
    MapWindowPoints(pages.Handle(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
    place.room = {tab.left + kTabPadding, tab.top, tab.right - kTabPadding, tab.bottom};
    place.text = Place(place.room, Measure(pages.Handle(), caption, DT_SINGLELINE), DT_CENTER, true);
    // A tab that runs past the page control's edge is cut however wide it is.
    const RECT pagesRect = ClientScreenRect(pages.Handle());
    place.room.right = std::min(place.room.right, pagesRect.right);
  } else if (dynamic_cast<const Panel*>(&control)) {
    place.room = inset(client, kPanelInset, 0, kPanelInset, 0);
    place.text = Place(place.room, Measure(window, caption, DT_SINGLELINE), DT_LEFT, true);
  } else {
    return false;
  }
  return true;
}

bool IsAncestor(HWND ancestor, HWND window) {
  for (HWND w = GetParent(window); w; w = GetParent(w))
    if (w == ancestor) return true;
  return false;
}

// The first visible control of the form, other than `control` and the
// containers it lies in, that covers part of `text`.
const Control* Covering(const Form& form, const Control& control, const RECT& text) {
  const Control* found = nullptr;
  VisitOwnedDepthFirst(form, [&](Component& each) {
    auto* other = dynamic_cast<Control*>(&each);
    if (found || !other || other == &control || !other->Handle() || !IsWindowVisible(other->Handle())) return;
    if (IsAncestor(other->Handle(), control.Handle())) return;
    // A tab's text lies on the page control, not on its sheets.
    if (dynamic_cast<const TabSheet*>(&control) && IsAncestor(control.Parent()->Handle(), other->Handle())) return;
    RECT overlap;
    const RECT area = ScreenRect(other->Handle());
    if (IntersectRect(&overlap, &area, &text)) found = other;
  });
  return found;
}

}  // namespace

std::vector<CutCaption> FindCutCaptions(const Form& form) {
  std::vector<CutCaption> cut;
  const int dpi = form.Dpi();
  VisitOwnedDepthFirst(form, [&](Component& each) {
    auto* control = dynamic_cast<Control*>(&each);
    if (!control || !control->HasCaption() || !control->Handle()) return;
    const std::wstring caption = control->Caption();
    if (caption.empty()) return;
    // A hidden sheet still shows its tab.
    const bool sheet = dynamic_cast<const TabSheet*>(control) != nullptr;
    if (!sheet && !IsWindowVisible(control->Handle())) return;
    TextPlace place;
    if (!PlaceOf(*control, caption, dpi, place)) return;
    const auto report = [&](const std::wstring& why) { cut.push_back({control->Name(), caption, why}); };
    const LONG needed = place.text.right - place.text.left, room = place.room.right - place.room.left;
    if (needed > room) {
      report(L"needs " + std::to_wstring(needed) + L" pixels, has " + std::to_wstring(room));
      return;
    }
    if (place.text.left < place.room.left || place.text.right > place.room.right) {
      report(L"its ink runs past the control's edge");
      return;
    }
    if (place.text.bottom - place.text.top > place.room.bottom - place.room.top) {
      report(L"taller than its control");
      return;
    }
    // Up to the form: a dialog's parent is its owner, which it need not lie in.
    HWND container = sheet ? GetParent(control->Parent()->Handle()) : GetParent(control->Handle());
    for (; container; container = container == form.Handle() ? nullptr : GetParent(container)) {
      if (!Inside(place.text, ClientScreenRect(container))) {
        report(L"reaches outside its container");
        return;
      }
    }
    if (const Control* other = Covering(form, *control, place.text)) report(L"lies under " + other->Name());
  });
  return cut;
}

}  // namespace toolkit
