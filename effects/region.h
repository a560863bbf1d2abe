// The region the effects work on: where the selection drag began and the size of the
// selection, and the region copy that every effect is built from.
#pragma once

#include <cstdint>

#include "core/device_context.h"
#include "core/picture.h"
#include "core/raster_op.h"

namespace kepa {

// Region cell (i, j), 0 <= i < width, 0 <= j < height, is screen pixel
// (startX + 1 + i, startY + 1 + j).
struct Region {
  std::int32_t startX = 0;  // SelStartX
  std::int32_t startY = 0;  // SelStartY
  std::int32_t width = 0;   // SelWidth
  std::int32_t height = 0;  // SelHeight
};

// For every region cell: D(i, j) = op(S(startX + 1 + dx + i, startY + 1 + dy + j), D(i, j)),
// with S the captured screen and D the region image. The image's extra column and row are not
// touched; source pixels off the screen read as black.
void regionCopy(const Region& region, const DeviceContext& screen, Picture& image, RasterOp op,
                std::int32_t dx = 0, std::int32_t dy = 0);

// Assigns the image's background colour (which fills it) and then does the region copy, in
// one pass over the region.
void regionCopyOnto(Colour background, const Region& region, const DeviceContext& screen,
                    Picture& image, RasterOp op);

}  // namespace kepa
