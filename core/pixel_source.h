// A source of pixels that is not held in a Surface, such as the live screen: block copies
// read it through copyTo, so that a grab can land straight in the destination surface.
#pragma once

#include <cstdint>

#include "core/surface.h"

namespace kepa {

class PixelSource {
 public:
  PixelSource() = default;
  PixelSource(const PixelSource&) = delete;
  PixelSource& operator=(const PixelSource&) = delete;
  virtual ~PixelSource() = default;

  [[nodiscard]] virtual std::int32_t width() const = 0;
  [[nodiscard]] virtual std::int32_t height() const = 0;

  // Copies the w x h block at (sx, sy) of the source to (dx, dy) of `into`. Callers clip
  // first: the block lies inside both the source and `into`, and w, h >= 1. Every word
  // written carries the opaque top byte 0xFF.
  virtual void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx,
                      std::int32_t sy, std::int32_t w, std::int32_t h) = 0;
};

}  // namespace kepa
