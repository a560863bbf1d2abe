// The shared inner step of the block copies: combining an already clipped block of a
// destination with a source surface, row by row, reading black outside the source.
#pragma once

#include <cstdint>

#include "core/device_context.h"
#include "core/geometry.h"
#include "core/raster_op.h"
#include "core/surface.h"

namespace kepa::detail {

// target(c, r) = op(source(srcLeft + c - cols.begin, srcTop + r - rows.begin), target(c, r))
// for c in cols and r in rows, which lie inside target.
// With `destination` given, the block is combined as if every target pixel in it held that
// word, and the target is not read.
void combineBlock(Surface& target, Span cols, Span rows, const Surface& source,
                  std::int64_t srcLeft, std::int64_t srcTop, RasterOp op,
                  const std::uint32_t* destination = nullptr);

// The pixels of a source block made readable as a Surface. For a surface context this is
// the surface itself; for a screen context it is a scratch copy of the part of the block that
// lies on the screen, placed so that source (x, y) is scratch (x - originX, y - originY).
struct SourceBlock {
  const Surface* external = nullptr;
  Surface scratch;
  std::int64_t originX = 0;
  std::int64_t originY = 0;

  [[nodiscard]] const Surface& surface() const { return external != nullptr ? *external : scratch; }
};

[[nodiscard]] SourceBlock readSource(const DeviceContext& src, Span cols, Span rows);

}  // namespace kepa::detail
