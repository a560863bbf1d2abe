// A Surface seen as a QImage without copying: both use 0xFFRRGGBB words in rows.
#pragma once

#include <QImage>

#include "core/surface.h"

namespace kepa {

// The image shares the surface's memory: it is valid while the surface lives unresized.
[[nodiscard]] inline QImage imageOf(const Surface& surface) {
  return {reinterpret_cast<const uchar*>(surface.data()), surface.width(), surface.height(),
          static_cast<qsizetype>(surface.bytesPerLine()), QImage::Format_RGB32};
}

}  // namespace kepa
