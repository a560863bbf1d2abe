// The mosaic: the region shrunk into a small work image and stretched back, so that each
// block of n x n pixels shows one pixel the shrink kept.
#pragma once

#include <cstdint>

#include "effects/region.h"

namespace kepa {

// Block size n (3, 5, 9 or 11). The image becomes bw*n x bh*n pixels with bw = (width + 1)
// div n and bh = (height + 1) div n; the work image bw x bh. The shrink reads the
// (width + 1) x (height + 1) screen block at (startX, startY), the drag's starting point.
// A selection narrower or lower than n leaves the image with no width or height.
void mosaic(std::int16_t n, const Region& region, const DeviceContext& screen, Picture& image,
            Picture& work);

}  // namespace kepa
