#include "effects/mosaic.h"

#include "core/numeric.h"
#include "core/stretch_blt.h"

namespace kepa {

void mosaic(std::int16_t n, const Region& region, const DeviceContext& screen, Picture& image,
            Picture& work) {
  const std::int16_t bw = toInteger((region.width + 1) / n);
  const std::int16_t bh = toInteger((region.height + 1) / n);
  // Width and height in one step: the same pixels as one after the other, in one pass.
  image.setSize(toInteger(bw * n), toInteger(bh * n));
  work.setSize(bw, bh);
  work.hDC().setStretchMode(StretchMode::COLORONCOLOR);
  StretchBlt(work.hDC(), 0, 0, bw, bh, screen, region.startX, region.startY, region.width + 1,
             region.height + 1, RasterOp::SRCCOPY);
  // The clear is invisible: the enlargement below covers all of the image (bw x n by bh x n
  // within (SelWidth + 1) x (SelHeight + 1)), so its fill is skipped.
  StretchBlt(image.hDC(), 0, 0, region.width + 1, region.height + 1, work.hDC(), 0, 0, bw, bh,
             RasterOp::SRCCOPY);
}

}  // namespace kepa
