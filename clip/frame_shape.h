// The model of the selection frame Shape1: a rectangle outline with a transparent interior,
// drawn over the window's image and never into it.
#pragma once

#include <array>
#include <cstdint>

#include "core/colour.h"
#include "core/geometry.h"

namespace kepa {

struct FrameShape {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool visible = false;
  Colour borderColor{0x000000};

  // The outline: one-pixel lines along the columns left .. left + width - 1 and the rows
  // top .. top + height - 1. A frame of zero width or height draws nothing; a hidden one too.
  [[nodiscard]] std::array<Rect, 4> edges() const {
    if (!visible || width <= 0 || height <= 0) return {};
    return {Rect{left, top, width, 1}, Rect{left, top + height - 1, width, 1},
            Rect{left, top, 1, height}, Rect{left + width - 1, top, 1, height}};
  }

  // The same pixels as edges(), each in exactly one part (the corners are not repeated), for
  // an outline drawn by inverting what it crosses; empty parts where a side has none.
  [[nodiscard]] std::array<Rect, 4> disjointEdges() const {
    if (!visible || width <= 0 || height <= 0) return {};
    const std::int32_t inner = height > 2 ? height - 2 : 0;
    return {Rect{left, top, width, 1}, height > 1 ? Rect{left, top + height - 1, width, 1} : Rect{},
            Rect{left, top + 1, 1, inner},
            width > 1 ? Rect{left + width - 1, top + 1, 1, inner} : Rect{}};
  }
};

}  // namespace kepa
