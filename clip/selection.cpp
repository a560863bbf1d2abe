#include "clip/selection.h"

#include <cstdlib>

#include "core/numeric.h"

namespace kepa {

std::optional<FrameSize> dragFrameSize(std::int32_t sx, std::int32_t sy, double x, double y) {
  const double startX = sx;
  const double startY = sy;
  if (x < startX && y < startY) return FrameSize{0, 0};
  if (x < startX && y >= startY) return FrameSize{0, toLong(y - startY)};
  if (x >= startX && y < startY) return FrameSize{toLong(x - startX), 0};
  if (x > startX && y > startY) return FrameSize{toLong(x - startX + 1), toLong(y - startY + 1)};
  return std::nullopt;  // on the press point's column or row: the frame keeps its size
}

Colour selectionColour(std::int32_t pixel) {
  const std::int64_t magnitude = std::llabs(std::int64_t{pixel});
  const auto colour = static_cast<std::uint32_t>(0xFFFFFF - magnitude);
  return Colour(colour == 0x7F7FBBU ? 0xFFFFFAU : colour);
}

}  // namespace kepa
