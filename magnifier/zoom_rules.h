// The magnifier's rules as pure functions: the source square around the pointer, the centre
// marker's colour, the coordinate labels and where the window moves to keep out of the way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/colour.h"
#include "core/geometry.h"

namespace kepa {

// The source square: 15 x 15 captured pixels centred on the pointer.
inline constexpr std::int32_t kZoomSquare = 15;
inline constexpr std::int32_t kZoomOffset = 7;

// The side of the enlarged view, in pixels, at `twipsPerPixel`: 225 at 15 twips per pixel,
// where each captured pixel becomes a 15 x 15 block. At other scales the view keeps its size
// in twips (3375, its place in the client area), each pixel a block of the whole number of
// pixels that fits: 18 at 125 %, 22 at 150 %, 30 at 200 %. (Twips per pixel times 15 would
// shrink the view as the scale grows, to 112 pixels at 200 %.)
[[nodiscard]] std::int32_t zoomViewSide(float twipsPerPixel);

// The square's top-left corner for a pointer at `cursor`, as 16-bit Integers; throws
// OverflowError where a coordinate does not fit.
[[nodiscard]] Point zoomSourceCorner(Point cursor);

// The part of the source square at `corner` that lies on a captured image of width x height,
// in image coordinates: only that part is copied, so that the rest of the scratch square keeps
// its background colour. Empty when the square lies wholly off the image.
[[nodiscard]] Rect zoomSourceOnImage(Point corner, std::int32_t width, std::int32_t height);

// The colour of the centre pixel's block for a centre read as `pixel` (0 .. 0xFFFFFF):
// 0xFFFFFF - |pixel|, except that 0x7F7F7F (from mid grey) becomes 0xFFFFFA.
[[nodiscard]] Colour markerColour(std::int32_t pixel);

struct ZoomLabels {
  std::string x;
  std::string y;
  friend bool operator==(const ZoomLabels&, const ZoomLabels&) = default;
};

// The label texts: the pointer's offset from the selection's start while a selection is
// active, else its screen position, in plain decimal. Throws OverflowError where a
// difference does not fit a Long.
[[nodiscard]] ZoomLabels zoomLabels(Point cursor, bool selectActive, std::int32_t selStartX,
                                    std::int32_t selStartY);

// Where the window goes for a pointer at (cx, cy) on an sw x sh screen, all 16-bit values
// compared with the half sizes in single precision: to the right edge for a pointer in the
// left half, to the left edge for one in the right half, and to the top edge for one in the
// lower half. Nothing moves on the exact centre line, and nothing moves down.
struct ZoomMove {
  enum class Horizontal { ToRightEdge, ToLeftEdge };
  std::optional<Horizontal> horizontal;
  bool toTop = false;
  friend bool operator==(const ZoomMove&, const ZoomMove&) = default;
};
[[nodiscard]] ZoomMove zoomWindowMove(std::int16_t sw, std::int16_t sh, std::int16_t cx,
                                      std::int16_t cy);

}  // namespace kepa
