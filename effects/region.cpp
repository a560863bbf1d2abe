#include "effects/region.h"

#include "core/bit_blt.h"

namespace kepa {

void regionCopy(const Region& region, const DeviceContext& screen, Picture& image, RasterOp op,
                std::int32_t dx, std::int32_t dy) {
  BitBlt(image.hDC(), 0, 0, region.width, region.height, screen, region.startX + 1 + dx,
         region.startY + 1 + dy, op);
}

void regionCopyOnto(Colour background, const Region& region, const DeviceContext& screen,
                    Picture& image, RasterOp op) {
  image.setBackColorWithoutFill(background);
  FillAndBitBlt(image.hDC(), background, 0, 0, region.width, region.height, screen,
                region.startX + 1, region.startY + 1, op);
}

}  // namespace kepa
