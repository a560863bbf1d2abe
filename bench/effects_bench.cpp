// The region effects on a 3840 x 2160 capture with a 3838 x 2158 region, against a memcpy of
// the region's bytes.
#include <functional>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "effects/colour_conversions.h"
#include "effects/mosaic.h"

namespace kepa::bench {
namespace {

constexpr Region kRegion{0, 0, 3838, 2158};

using Effect = std::function<void(const DeviceContext&, Picture&, Picture&)>;

void kepaEffect(benchmark::State& state, const Effect& effect) {
  Surface screen = busySurface(3840, 2160, 5);
  const DeviceContext screenDc(screen);
  Picture image(kRegion.width + 1, kRegion.height + 1);
  Picture work(kRegion.width + 1, kRegion.height + 1);
  for (auto _ : state) {
    effect(screenDc, image, work);
    benchmark::DoNotOptimize(image.image().data());
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  PixelBuffer* palette = new PixelBuffer{};  // lives as long as the benchmarks
  const std::pair<const char*, Effect> effects[] = {
      {"red scale",
       [](const DeviceContext& s, Picture& p, Picture&) { colourScale(1, kRegion, s, p); }},
      {"negative", [](const DeviceContext& s, Picture& p, Picture&) { negative(kRegion, s, p); }},
      {"grey",
       [palette](const DeviceContext& s, Picture& p, Picture&) { grey(kRegion, s, p, *palette); }},
      {"sepia", [](const DeviceContext& s, Picture& p, Picture&) { sepia(kRegion, s, p); }},
      {"mosaic 3",
       [](const DeviceContext& s, Picture& p, Picture& w) { mosaic(3, kRegion, s, p, w); }},
      {"mosaic 5",
       [](const DeviceContext& s, Picture& p, Picture& w) { mosaic(5, kRegion, s, p, w); }},
      {"mosaic 9",
       [](const DeviceContext& s, Picture& p, Picture& w) { mosaic(9, kRegion, s, p, w); }},
      {"mosaic 11",
       [](const DeviceContext& s, Picture& p, Picture& w) { mosaic(11, kRegion, s, p, w); }},
  };
  for (const auto& [name, effect] : effects) {
    const std::string kase = std::string(name) + " 3838x2158";
    benchmark::RegisterBenchmark(("kepa/" + kase).c_str(), kepaEffect, effect)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("memcpy/" + kase).c_str(), copyPixels,
                                 std::size_t{kRegion.width} * kRegion.height)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
}  // namespace kepa::bench
