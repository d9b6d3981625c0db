// Time of opening a 20-megapixel camera photograph in the preview: decoding
// the JPEG file and the first render into a 251 x 469 paper panel. The
// full-size decode (what opening took before large pictures were decoded
// reduced) runs beside the preview's own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "picture_encode.h"
#include "preview_compose.h"

namespace velmo {
namespace {

// The sample photograph enlarged to 5472 x 3648 (a 20-megapixel camera's
// size) with a little noise, so that it compresses like a photograph rather
// than like a smooth enlargement.
const std::vector<uint8_t>& Photo20Mp() {
  static const std::vector<uint8_t> file = [] {
    std::ifstream in(VELMO_SAMPLE_PHOTO, std::ios::binary);
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ColorImage sample;
    if (!DecodeJpeg(data, sample, JpegScale::Full)) return std::vector<uint8_t>{};
    ColorImage big{5472, 3648, std::vector<uint32_t>(size_t{5472} * 3648)};
    uint32_t noise = 12345;
    for (int y = 0; y < big.height; ++y) {
      const uint32_t* src = sample.pixels.data() + size_t(y * sample.height / big.height) * size_t(sample.width);
      for (int x = 0; x < big.width; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int n = int(noise >> 28) - 8;
        const uint32_t p = src[x * sample.width / big.width];
        auto channel = [n](uint8_t c) { return uint8_t(std::clamp(int(c) + n, 0, 255)); };
        big.pixels[size_t(y) * size_t(big.width) + size_t(x)] =
            PackRgb(channel(RedOf(p)), channel(GreenOf(p)), channel(BlueOf(p)));
      }
    }
    return EncodeJpeg(big, 90);
  }();
  return file;
}

void BM_OpenPhoto20Mp(benchmark::State& state) {
  const std::vector<uint8_t>& file = Photo20Mp();
  if (file.empty()) {
    state.SkipWithError("no sample photograph");
    return;
  }
  const JpegScale scale = state.range(0) ? JpegScale::ForPreview : JpegScale::Full;
  PreviewControls controls;
  controls.areaWidth = 335;
  controls.areaHeight = 501;
  int decodedWidth = 0;
  for (auto _ : state) {
    ColorImage picture;
    if (!DecodeJpeg(file, picture, scale)) state.SkipWithError("cannot decode");
    decodedWidth = picture.width;
    benchmark::DoNotOptimize(ComposePreview(controls, picture));
  }
  state.counters["decoded_width"] = decodedWidth;
  state.counters["file_MB"] = double(file.size()) / 1e6;
}
BENCHMARK(BM_OpenPhoto20Mp)->ArgName("reduced")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
