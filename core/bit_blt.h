// Block copies between device contexts and single-pixel access: BitBlt, GetPixel, SetPixelV.
//
// Every call clips once and then works on whole rows. Source pixels outside the source read
// as black; destination pixels outside the destination are not written; no coordinates
// make a call read or write out of bounds. A screen (read-only) or null destination is
// refused. Extents of zero or less copy nothing.
#pragma once

#include <cstdint>

#include "core/colour.h"
#include "core/device_context.h"
#include "core/raster_op.h"

namespace kepa {

// For each 0 <= i < w, 0 <= j < h: dst(x + i, y + j) = op(src(sx + i, sy + j), dst(x + i, y + j)).
// Returns false for a destination that cannot be drawn on or a null source. Throws
// std::invalid_argument for a raster operation code other than the eight known ones.
bool BitBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
            const DeviceContext& src, std::int32_t sx, std::int32_t sy, RasterOp op);

// Fills all of dst with `fill` and then does the BitBlt above, with the same result as the
// two steps but a single pass over the block: its destination pixels are known to be `fill`
// and are not read.
bool FillAndBitBlt(DeviceContext& dst, Colour fill, std::int32_t x, std::int32_t y, std::int32_t w,
                   std::int32_t h, const DeviceContext& src, std::int32_t sx, std::int32_t sy,
                   RasterOp op);

// The colour 0x00BBGGRR at (x, y), or -1 outside the context (or for a null context).
[[nodiscard]] std::int32_t GetPixel(const DeviceContext& dc, std::int32_t x, std::int32_t y);

// Writes colour at (x, y); returns false (and writes nothing) outside the surface.
bool SetPixelV(DeviceContext& dc, std::int32_t x, std::int32_t y, Colour colour);

}  // namespace kepa
