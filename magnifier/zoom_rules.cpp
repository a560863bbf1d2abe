#include "magnifier/zoom_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/numeric.h"

namespace kepa {

std::int32_t zoomViewSide(float twipsPerPixel) {
  constexpr double kViewTwips = 225.0 * 15.0;
  const double block = std::floor(kViewTwips / kZoomSquare / static_cast<double>(twipsPerPixel));
  return kZoomSquare * static_cast<std::int32_t>(std::max(1.0, block));
}

Point zoomSourceCorner(Point cursor) {
  return {toInteger(static_cast<double>(cursor.x) - kZoomOffset),
          toInteger(static_cast<double>(cursor.y) - kZoomOffset)};
}

Rect zoomSourceOnImage(Point corner, std::int32_t width, std::int32_t height) {
  const Span columns = clipSpan(corner.x, kZoomSquare, width);
  const Span rows = clipSpan(corner.y, kZoomSquare, height);
  if (columns.empty() || rows.empty()) return {};
  return {static_cast<std::int32_t>(columns.begin), static_cast<std::int32_t>(rows.begin),
          static_cast<std::int32_t>(columns.length()), static_cast<std::int32_t>(rows.length())};
}

Colour markerColour(std::int32_t pixel) {
  const auto colour = static_cast<std::uint32_t>(0xFFFFFF - std::llabs(std::int64_t{pixel}));
  return Colour(colour == 0x7F7F7FU ? 0xFFFFFAU : colour);
}

ZoomLabels zoomLabels(Point cursor, bool selectActive, std::int32_t selStartX,
                      std::int32_t selStartY) {
  if (!selectActive) return {std::to_string(cursor.x), std::to_string(cursor.y)};
  const auto difference = [](std::int32_t a, std::int32_t b) {
    return std::to_string(toLong(static_cast<double>(a) - static_cast<double>(b)));
  };
  return {difference(cursor.x, selStartX), difference(cursor.y, selStartY)};
}

ZoomMove zoomWindowMove(std::int16_t sw, std::int16_t sh, std::int16_t cx, std::int16_t cy) {
  const float halfWidth = static_cast<float>(sw) / 2.0F;
  const float halfHeight = static_cast<float>(sh) / 2.0F;
  ZoomMove move;
  if (halfWidth > static_cast<float>(cx)) move.horizontal = ZoomMove::Horizontal::ToRightEdge;
  if (halfWidth < static_cast<float>(cx)) move.horizontal = ZoomMove::Horizontal::ToLeftEdge;
  if (halfHeight < static_cast<float>(cy)) move.toTop = true;
  return move;
}

}  // namespace kepa
