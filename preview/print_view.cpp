#include "print_view.h"

#include <cmath>
#include <cstddef>

#include "picture_geometry.h"

namespace velmo {

int DotsOf(int64_t thousandths, int dpi) {
  if (thousandths <= 0 || dpi <= 0) return 0;
  return static_cast<int>((thousandths * dpi + 12700) / 25400);
}

int OffsetDots(int position, int dpi) {
  return static_cast<int>(std::lround(position * 0.5 * dpi / 25.4));
}

PreviewPoint MapToPaper(const PrintView& view, double x, double y) {
  const PreviewPoint p = MapSourcePoint(view.geometry, x, y);
  return {p.x + view.pictureLeft, p.y + view.pictureTop};
}

PrintView RenderPrintView(const PreviewControls& controls, const PrintPaper& paper, const ColorImage& source) {
  PrintView view;
  const int across = DotsOf(paper.widthThousandths, paper.dpi);
  const int along = DotsOf(paper.heightThousandths, paper.dpi);
  view.width = controls.paperRotate ? along : across;
  view.height = controls.paperRotate ? across : along;
  view.dots.assign(size_t(view.width) * size_t(view.height), uint8_t{255});
  view.geometry = ComposeGeometry(controls, source.width, source.height, view.width, view.height);
  const GreyImage picture = ComposeGrey(controls, source, view.geometry);
  view.pictureLeft = (view.width - view.geometry.width) / 2 + OffsetDots(controls.offsetX, paper.dpi);
  view.pictureTop = (view.height - view.geometry.height) / 2 + OffsetDots(controls.offsetY, paper.dpi);
  PasteGrey(picture, view.geometry.width, view.geometry.height, view.dots, view.width, view.height,
            view.pictureLeft, view.pictureTop);
  return view;
}

}  // namespace velmo
