// StretchBlt against QImage::scaled with Qt::FastTransformation (nearest neighbour) and a
// memcpy of the destination's bytes: the magnifier's enlargement and a large shrink.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/stretch_blt.h"

namespace kepa::bench {
namespace {

struct Stretch {
  const char* name;
  std::int32_t sourceWidth, sourceHeight, destWidth, destHeight;
  StretchMode mode;
};

const Stretch kStretches[] = {
    {"StretchBlt 15x15 to 225x225", 15, 15, 225, 225, StretchMode::BLACKONWHITE},
    {"StretchBlt 3840x2160 to 1280x720", 3840, 2160, 1280, 720, StretchMode::COLORONCOLOR},
};

void kepaStretch(benchmark::State& state, Stretch stretch) {
  Surface source = busySurface(stretch.sourceWidth, stretch.sourceHeight, 3);
  Surface dest(stretch.destWidth, stretch.destHeight);
  DeviceContext from(source);
  DeviceContext to(dest);
  to.setStretchMode(stretch.mode);
  for (auto _ : state) {
    StretchBlt(to, 0, 0, stretch.destWidth, stretch.destHeight, from, 0, 0, stretch.sourceWidth,
               stretch.sourceHeight, RasterOp::SRCCOPY);
    benchmark::DoNotOptimize(dest.data());
    benchmark::ClobberMemory();
  }
}

void qtScaled(benchmark::State& state, Stretch stretch) {
  const QImage source = imageOf(busySurface(stretch.sourceWidth, stretch.sourceHeight, 3));
  for (auto _ : state) {
    QImage scaled = source.scaled(stretch.destWidth, stretch.destHeight, Qt::IgnoreAspectRatio,
                                  Qt::FastTransformation);
    benchmark::DoNotOptimize(scaled.constBits());
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  for (const Stretch& stretch : kStretches) {
    const std::string kase = stretch.name;
    benchmark::RegisterBenchmark(("kepa/" + kase).c_str(), kepaStretch, stretch)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(
        ("memcpy/" + kase).c_str(), copyPixels,
        static_cast<std::size_t>(stretch.destWidth) * static_cast<std::size_t>(stretch.destHeight))
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("Qt/" + kase).c_str(), qtScaled, stretch)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
}  // namespace kepa::bench
