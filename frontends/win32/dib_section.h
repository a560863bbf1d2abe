// A 32-bit top-down DIB section selected into a memory device context: memory that a Surface
// lives in and that GDI can draw into and read from, so that the screen is grabbed straight
// into the clipping window's image and painted from it.
#pragma once

#include "core/surface.h"
#include "frontends/win32/windows_api.h"

namespace kepa {

class DibSection final : public PixelMemory {
 public:
  // Throws std::runtime_error when Windows cannot make it.
  DibSection(std::int32_t width, std::int32_t height);
  ~DibSection() override;

  [[nodiscard]] std::uint32_t* pixels() override { return bits_; }
  [[nodiscard]] HDC dc() const { return dc_; }

  // The section a surface lives in, or nullptr.
  [[nodiscard]] static DibSection* of(const Surface& surface);

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// A width x height surface in a DIB section of its own.
[[nodiscard]] Surface dibSurface(std::int32_t width, std::int32_t height);

// The header of a 32-bit top-down device-independent bitmap of width x height.
[[nodiscard]] BITMAPINFO topDownInfo(std::int32_t width, std::int32_t height);

}  // namespace kepa
