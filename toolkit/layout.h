// Placement of a container's children by their alignment, and the one
// function that turns designed 96-DPI lengths into device pixels.
// Portable so that the rules are tested without windows.
#pragma once

#include <vector>

namespace toolkit {

enum class Align { None, Top, Bottom, Left, Right, Client };

struct Rect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const Rect&) const = default;
};

struct Edges {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const Edges&) const = default;
};

constexpr int kDesignDpi = 96;

// Rounds to the nearest pixel, halves away from zero, for negative lengths too.
int ScaleLength(int length, int dpi);
Rect ScaleRect(const Rect& rect, int dpi);
Edges ScaleEdges(const Edges& edges, int dpi);
// The inverse, for reading device geometry back in designed units.
int UnscaleLength(int pixels, int dpi);

struct LayoutItem {
  Align align = Align::None;
  Rect bounds;    // the current rectangle; an aligned item keeps its height or width from it
  Edges margins;  // space kept free around an aligned item
  bool visible = true;
};

// Returns the rectangle of every item. Aligned items take their strip from
// what is left of `client`: all Top items in order from the top, then Bottom
// from the bottom, Left, Right, and last Client, which gets the rest. Hidden
// and unaligned items keep their bounds.
std::vector<Rect> LayoutAligned(const Rect& client, const std::vector<LayoutItem>& items);

}  // namespace toolkit
