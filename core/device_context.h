// A device context: a light handle through which the drawing calls reach a Surface (or, for
// the screen, a PixelSource), carrying the stretch mode that StretchBlt uses.
#pragma once

#include <cstdint>

#include "core/pixel_source.h"
#include "core/surface.h"

namespace kepa {

// Stretch modes with the codes of the Windows graphics interface. BLACKONWHITE is the mode a
// device context starts with. Both modes the program uses pick pixels by the same
// nearest-neighbour rule (see stretch_blt.h); neither blends.
enum class StretchMode : std::int32_t {
  BLACKONWHITE = 1,
  COLORONCOLOR = 3,
};

class DeviceContext {
 public:
  // A null context: every call on it does nothing and reports failure.
  DeviceContext() = default;
  explicit DeviceContext(Surface& surface) : surface_(&surface) {}
  explicit DeviceContext(PixelSource& source) : source_(&source) {}

  [[nodiscard]] bool isNull() const { return surface_ == nullptr && source_ == nullptr; }
  // The surface drawn on, or nullptr for a read-only (screen) or null context.
  [[nodiscard]] Surface* surface() const { return surface_; }
  [[nodiscard]] PixelSource* source() const { return source_; }

  [[nodiscard]] std::int32_t width() const;
  [[nodiscard]] std::int32_t height() const;

  [[nodiscard]] StretchMode stretchMode() const { return mode_; }
  // SetStretchBltMode: returns the previous mode.
  StretchMode setStretchMode(StretchMode mode) {
    const StretchMode previous = mode_;
    mode_ = mode;
    return previous;
  }

 private:
  Surface* surface_ = nullptr;
  PixelSource* source_ = nullptr;
  StretchMode mode_ = StretchMode::BLACKONWHITE;
};

inline std::int32_t DeviceContext::width() const {
  if (surface_ != nullptr) return surface_->width();
  return source_ != nullptr ? source_->width() : 0;
}

inline std::int32_t DeviceContext::height() const {
  if (surface_ != nullptr) return surface_->height();
  return source_ != nullptr ? source_->height() : 0;
}

}  // namespace kepa
