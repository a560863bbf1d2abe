// The live screen as a pixel source: the whole desktop (every monitor), its top-left corner
// at (0, 0). A copy into a surface that lives in a DIB section is one BitBlt from the screen
// straight into it.
#pragma once

#include "core/geometry.h"
#include "core/pixel_source.h"

namespace kepa {

// The desktop on the screen's coordinates: its top-left corner (which may lie left of or
// above the primary monitor's) and its size.
[[nodiscard]] Rect virtualScreen();

class ScreenSource final : public PixelSource {
 public:
  ScreenSource() : area_(virtualScreen()) {}
  [[nodiscard]] std::int32_t width() const override { return area_.width; }
  [[nodiscard]] std::int32_t height() const override { return area_.height; }
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override;

 private:
  Rect area_;
};

}  // namespace kepa
