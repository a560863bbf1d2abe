#include "clip/region_drop.h"

#include "core/numeric.h"

namespace kepa {

Point dropPosition(float x, float y, std::int32_t width, std::int32_t height) {
  const float left = x - static_cast<float>(width) / 2.0F;
  const float top = y - static_cast<float>(height) / 2.0F;
  return {toLong(left), toLong(top)};
}

}  // namespace kepa
