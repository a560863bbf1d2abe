#include "core/design_pixels.h"

#include "core/numeric.h"

namespace kepa {

std::int32_t designToPixels(double designPixels, double twipsPerPixel) {
  constexpr double kTwipsPerDesignPixel = 15.0;
  return twipsToPixels(designPixels * kTwipsPerDesignPixel, twipsPerPixel);
}

Rect designToPixels(const DesignRect& design, double twipsPerPixelX, double twipsPerPixelY) {
  return {designToPixels(design.left, twipsPerPixelX), designToPixels(design.top, twipsPerPixelY),
          designToPixels(design.width, twipsPerPixelX),
          designToPixels(design.height, twipsPerPixelY)};
}

}  // namespace kepa
