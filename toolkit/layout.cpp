#include "layout.h"

#include <algorithm>

namespace toolkit {

int ScaleLength(int length, int dpi) {
  const long long scaled = static_cast<long long>(length) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

int UnscaleLength(int pixels, int dpi) {
  if (dpi <= 0) return pixels;
  const long long scaled = static_cast<long long>(pixels) * kDesignDpi;
  const long long half = dpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / dpi : -((-scaled + half) / dpi));
}

Rect ScaleRect(const Rect& r, int dpi) {
  return {ScaleLength(r.Left, dpi), ScaleLength(r.Top, dpi), ScaleLength(r.Width, dpi), ScaleLength(r.Height, dpi)};
}

Edges ScaleEdges(const Edges& e, int dpi) {
  return {ScaleLength(e.Left, dpi), ScaleLength(e.Top, dpi), ScaleLength(e.Right, dpi), ScaleLength(e.Bottom, dpi)};
}

namespace {

// The part of the container not yet taken, as edges.
struct Free {
  int left, top, right, bottom;
  int Width() const { return std::max(0, right - left); }
  int Height() const { return std::max(0, bottom - top); }
};

Rect Place(Free& free, const LayoutItem& item) {
  const Edges& m = item.margins;
  const int outerHeight = item.bounds.Height + m.Top + m.Bottom;
  const int outerWidth = item.bounds.Width + m.Left + m.Right;
  Rect outer;
  switch (item.align) {
    case Align::Top:
      outer = {free.left, free.top, free.Width(), outerHeight};
      free.top += outerHeight;
      break;
    case Align::Bottom:
      outer = {free.left, free.bottom - outerHeight, free.Width(), outerHeight};
      free.bottom -= outerHeight;
      break;
    case Align::Left:
      outer = {free.left, free.top, outerWidth, free.Height()};
      free.left += outerWidth;
      break;
    case Align::Right:
      outer = {free.right - outerWidth, free.top, outerWidth, free.Height()};
      free.right -= outerWidth;
      break;
    case Align::Client:
    case Align::None:
      outer = {free.left, free.top, free.Width(), free.Height()};
      break;
  }
  return {outer.Left + m.Left, outer.Top + m.Top, std::max(0, outer.Width - m.Left - m.Right),
          std::max(0, outer.Height - m.Top - m.Bottom)};
}

}  // namespace

std::vector<Rect> LayoutAligned(const Rect& client, const std::vector<LayoutItem>& items) {
  std::vector<Rect> placed;
  placed.reserve(items.size());
  for (const LayoutItem& item : items) placed.push_back(item.bounds);

  Free free{client.Left, client.Top, client.Left + client.Width, client.Top + client.Height};
  for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].visible && items[i].align == pass) placed[i] = Place(free, items[i]);
    }
  }
  return placed;
}

}  // namespace toolkit
