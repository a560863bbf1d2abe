// The eight raster operations as whole-screen block copies at 3840 x 2160, against a memcpy of
// the same bytes and against QPainter with the matching raster composition mode.

#include <QPainter>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/bit_blt.h"

namespace kepa::bench {
namespace {

constexpr std::int32_t kWidth = 3840;
constexpr std::int32_t kHeight = 2160;

struct Operation {
  const char* name;
  RasterOp op;
  QPainter::CompositionMode mode;
};

const Operation kOperations[] = {
    {"SRCCOPY", RasterOp::SRCCOPY, QPainter::CompositionMode_Source},
    {"SRCAND", RasterOp::SRCAND, QPainter::RasterOp_SourceAndDestination},
    {"SRCPAINT", RasterOp::SRCPAINT, QPainter::RasterOp_SourceOrDestination},
    {"NOTSRCCOPY", RasterOp::NOTSRCCOPY, QPainter::RasterOp_NotSource},
    {"SRCINVERT", RasterOp::SRCINVERT, QPainter::RasterOp_SourceXorDestination},
    {"SRCERASE", RasterOp::SRCERASE, QPainter::RasterOp_SourceAndNotDestination},
    {"NOTSRCERASE", RasterOp::NOTSRCERASE, QPainter::RasterOp_NotSourceAndNotDestination},
    {"MERGEPAINT", RasterOp::MERGEPAINT, QPainter::RasterOp_NotSourceOrDestination},
};

void kepaBitBlt(benchmark::State& state, RasterOp op) {
  Surface source = busySurface(kWidth, kHeight, 1);
  Surface dest = busySurface(kWidth, kHeight, 2);
  DeviceContext from(source);
  DeviceContext to(dest);
  for (auto _ : state) {
    BitBlt(to, 0, 0, kWidth, kHeight, from, 0, 0, op);
    benchmark::DoNotOptimize(dest.data());
    benchmark::ClobberMemory();
  }
}

// One painter per iteration: the equivalent of one call.
void qtDrawImage(benchmark::State& state, QPainter::CompositionMode mode) {
  const QImage source = imageOf(busySurface(kWidth, kHeight, 1));
  QImage dest = imageOf(busySurface(kWidth, kHeight, 2));
  for (auto _ : state) {
    QPainter painter(&dest);
    painter.setCompositionMode(mode);
    painter.drawImage(0, 0, source);
    painter.end();
    benchmark::DoNotOptimize(dest.constBits());
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  for (const Operation& operation : kOperations) {
    const std::string kase = std::string("BitBlt ") + operation.name + " 3840x2160";
    benchmark::RegisterBenchmark(("kepa/" + kase).c_str(), kepaBitBlt, operation.op)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("memcpy/" + kase).c_str(), copyPixels,
                                 std::size_t{kWidth} * kHeight)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("Qt/" + kase).c_str(), qtDrawImage, operation.mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
}  // namespace kepa::bench
