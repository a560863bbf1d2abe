// The selection rules of the clipping window as pure functions: the frame's size while the
// left button drags, and the frame's colour chosen at the press.
#pragma once

#include <cstdint>
#include <optional>

#include "core/colour.h"

namespace kepa {

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend constexpr bool operator==(FrameSize, FrameSize) = default;
};

// The frame's new size for a move to (x, y) after a press at (sx, sy), or nothing when the
// frame keeps its last size. The frame grows only to the right and downwards: left of or
// above the press point it collapses to zero width or height. Comparisons are in double
// precision, conversions round to nearest with ties to even.
[[nodiscard]] std::optional<FrameSize> dragFrameSize(std::int32_t sx, std::int32_t sy, double x,
                                                     double y);

// The frame colour for a press on a pixel read as `pixel` (a colour, or -1 off the image):
// the complement 0xFFFFFF - |pixel|, except that 0x7F7FBB becomes 0xFFFFFA.
[[nodiscard]] Colour selectionColour(std::int32_t pixel);

}  // namespace kepa
