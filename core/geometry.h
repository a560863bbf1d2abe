// Integer rectangles in pixels and their clipping, computed in 64 bits so that no
// coordinate a caller passes can overflow.
#pragma once

#include <algorithm>
#include <cstdint>

namespace kepa {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

// A rectangle of pixels: columns [x, x + width), rows [y, y + height).
struct Rect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  [[nodiscard]] constexpr bool empty() const { return width <= 0 || height <= 0; }
  friend constexpr bool operator==(Rect, Rect) = default;
};

// A half-open span [begin, end) of pixel indexes.
struct Span {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  [[nodiscard]] constexpr std::int64_t length() const { return end > begin ? end - begin : 0; }
  [[nodiscard]] constexpr bool empty() const { return end <= begin; }
};

// The part of [start, start + length) that lies inside [0, limit).
[[nodiscard]] constexpr Span clipSpan(std::int64_t start, std::int64_t length, std::int64_t limit) {
  if (length <= 0) return {};
  return {std::max<std::int64_t>(start, 0), std::min<std::int64_t>(start + length, limit)};
}

}  // namespace kepa
