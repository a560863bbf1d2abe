// Where a drop puts the region image: its centre on the drop point.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace kepa {

// Left = x - width / 2 and Top = y - height / 2 in single precision, each rounded to a whole
// pixel to nearest with ties to even (an odd width puts the centre half a pixel off). There is
// no clamping: the image may end partly or wholly outside the window.
[[nodiscard]] Point dropPosition(float x, float y, std::int32_t width, std::int32_t height);

}  // namespace kepa
