// The clipping window's cursor: a 32 x 32 monochrome cross-hair with hotspot (14, 14) whose
// drawn pixels invert the pixels beneath them; every other pixel is transparent.
#pragma once

#include <array>
#include <cstdint>

#include "core/geometry.h"
#include "core/surface.h"

namespace kepa {

class CrossHair {
 public:
  static constexpr std::int32_t kSize = 32;
  static constexpr Point kHotspot{14, 14};

  CrossHair();

  // True where the cursor inverts the pixel beneath it, for 0 <= column, row < 32.
  [[nodiscard]] bool inverts(std::int32_t column, std::int32_t row) const {
    return ((rows_[static_cast<std::size_t>(row)] >> column) & 1U) != 0;
  }

  // Inverts, in `surface`, the pixels the cursor with its hotspot at `at` draws; pixels off
  // the surface are skipped. Applying it twice restores the surface.
  void invertOnto(Surface& surface, Point at) const;

 private:
  std::array<std::uint32_t, kSize> rows_{};  // bit c of row r: pixel (c, r) is drawn
};

}  // namespace kepa
