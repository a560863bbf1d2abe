// StretchBlt: a block copy with scaling.
//
// The pixel rule, per axis, for a source extent s and a destination extent d (both >= 1):
// destination index i (0 <= i < d) reads source index
//   floor(i * s / d)  when enlarging or keeping the size (s <= d), and
//   ceil(i * s / d)   when shrinking (s > d).
// Enlarging therefore repeats each source pixel over a run of floor(d / s) or ceil(d / s)
// destination pixels (an exact multiple gives equal blocks); shrinking keeps, for every
// destination pixel, the first whole source pixel of the source cell
// [i * s / d, (i + 1) * s / d) and drops the rest, without blending. The rule is the same in
// both stretch modes the program uses (COLORONCOLOR and the default BLACKONWHITE).
//
// As with BitBlt: clip once, work on whole rows, black outside the source, nothing written
// outside the destination. Zero or negative extents (mirroring) copy nothing.
#pragma once

#include <cstdint>

#include "core/device_context.h"
#include "core/raster_op.h"

namespace kepa {

// Source index of destination index i for the extents above.
[[nodiscard]] constexpr std::int64_t stretchSourceIndex(std::int64_t i, std::int64_t sourceExtent,
                                                        std::int64_t destExtent) {
  const std::int64_t scaled = i * sourceExtent;
  if (sourceExtent <= destExtent) return scaled / destExtent;
  return (scaled + destExtent - 1) / destExtent;
}

bool StretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                const DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                std::int32_t sh, RasterOp op);

}  // namespace kepa
