// Times creating and showing the gallery form (about 80 components) and
// destroying it again; prints the minimum and median of repeated runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "gallery_form_win.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::size_t CountOwned(const toolkit::Component& root) {
  std::size_t count = 0;
  toolkit::VisitOwnedDepthFirst(root, [&](toolkit::Component&) { ++count; });
  return count;
}

}  // namespace

int main() {
  constexpr int kRuns = 30;
  std::vector<double> createAndShow, destroy;
  std::size_t components = 0;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start, shown, gone;
    QueryPerformanceCounter(&start);
    auto* form = new toolkit::TfrmGallery;
    form->Show();
    toolkit::ProcessMessages();  // the controls' first paint
    QueryPerformanceCounter(&shown);
    components = CountOwned(*form);
    delete form;
    QueryPerformanceCounter(&gone);
    createAndShow.push_back(Milliseconds(start, shown));
    destroy.push_back(Milliseconds(shown, gone));
  }
  // The first run pays for loading fonts and classes; report it apart.
  const double first = createAndShow.front();
  std::sort(createAndShow.begin() + 1, createAndShow.end());
  std::sort(destroy.begin(), destroy.end());
  std::printf("components: %zu, runs: %d\n", components, kRuns);
  std::printf("create+show first: %.1f ms\n", first);
  std::printf("create+show after: min %.1f ms, median %.1f ms\n", createAndShow[1], createAndShow[1 + (kRuns - 1) / 2]);
  std::printf("destroy: min %.1f ms, median %.1f ms\n", destroy.front(), destroy[kRuns / 2]);
  return 0;
}
