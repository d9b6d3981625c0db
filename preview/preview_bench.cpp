// Time of one whole preview render of the sample photograph in a 335 x 501
// preview area (a 251 x 469 paper panel), per halftone mode and zoom.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "preview_compose.h"

namespace velmo {
namespace {

const ColorImage& Sample() {
  static const ColorImage sample = [] {
    std::ifstream in(VELMO_SAMPLE_PHOTO, std::ios::binary);
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ColorImage image;
    if (!DecodePicture(data, image)) std::fprintf(stderr, "cannot decode %s\n", VELMO_SAMPLE_PHOTO);
    return image;
  }();
  return sample;
}

void BM_ComposePreview(benchmark::State& state) {
  const ColorImage& sample = Sample();
  if (sample.pixels.empty()) {
    state.SkipWithError("no sample photograph");
    return;
  }
  PreviewControls controls;
  controls.areaWidth = 335;
  controls.areaHeight = 501;
  controls.halftone = state.range(0) ? PreviewHalftone::Dither : PreviewHalftone::Threshold;
  controls.zoomIndex = int(state.range(1));
  controls.rotation = state.range(2) ? PreviewRotation::Deg90 : PreviewRotation::Deg0;
  for (auto _ : state) benchmark::DoNotOptimize(ComposePreview(controls, sample));
}
BENCHMARK(BM_ComposePreview)
    ->ArgNames({"dither", "zoom", "quarter"})
    ->ArgsProduct({{0, 1}, {kZoomIndexFull, 0, 20}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
