// The windows were designed at 100 %, where a pixel is 15 twips: their rectangles are given in
// those design pixels and shown in the screen's pixels at its twips per pixel, each value
// rounded on its own (halves to even).
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace kepa {

struct DesignRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

[[nodiscard]] std::int32_t designToPixels(double designPixels, double twipsPerPixel);
[[nodiscard]] Rect designToPixels(const DesignRect& design, double twipsPerPixelX,
                                  double twipsPerPixelY);

}  // namespace kepa
