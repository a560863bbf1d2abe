// What the benchmarks share: busy test pictures and the memcpy baseline.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <QImage>

#include <benchmark/benchmark.h>

#include "core/surface.h"

namespace kepa::bench {

// Pixel (x, y) gets a value mixing x, y and the seed, in the opaque RGB32 layout.
inline Surface busySurface(std::int32_t width, std::int32_t height, std::uint32_t seed) {
  Surface surface(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint32_t* row = surface.row(y);
    for (std::int32_t x = 0; x < width; ++x) {
      const auto mix = static_cast<std::uint32_t>(x) * 2654435761U ^
                       static_cast<std::uint32_t>(y) * 40503U ^ seed;
      row[x] = 0xFF000000U | (mix & 0xFFFFFFU);
    }
  }
  return surface;
}

// The same pixels as a QImage (a deep copy, so each side owns its memory).
inline QImage imageOf(const Surface& surface) {
  QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    std::copy_n(surface.row(y), surface.width(),
                reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  }
  return image;
}

// The baseline of pixel work: a memcpy of `pixels` 32-bit words between two buffers.
inline void copyPixels(benchmark::State& state, std::size_t pixels) {
  const std::vector<std::uint32_t> source(pixels, 0xFF123456U);
  std::vector<std::uint32_t> dest(pixels);
  for (auto _ : state) {
    std::memcpy(dest.data(), source.data(), pixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(dest.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace kepa::bench
