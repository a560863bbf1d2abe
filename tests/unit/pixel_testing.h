// Helpers for pixel tests: surfaces built from colour lists and read back as colours.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bit_blt.h"
#include "platform/colour.h"
#include "platform/pixel_source.h"
#include "platform/surface.h"

namespace kepa::testing {

// A surface whose pixel (x, y) is colours[y * width + x] (0x00BBGGRR values).
inline Surface surfaceOf(std::int32_t width, std::int32_t height,
                         const std::vector<std::uint32_t>& colours) {
  Surface surface(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      surface.row(y)[x] = Colour(colours[static_cast<std::size_t>(y * width + x)]).pixel();
    }
  }
  return surface;
}

// Every pixel as a 0x00BBGGRR colour, row by row.
inline std::vector<std::uint32_t> coloursOf(const Surface& surface) {
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    for (std::int32_t x = 0; x < surface.width(); ++x) {
      colours.push_back(Colour::fromPixel(surface.row(y)[x]).value());
    }
  }
  return colours;
}

// A Surface seen as a screen, counting the grabs made from it.
class ScreenOf final : public PixelSource {
 public:
  explicit ScreenOf(const Surface& pixels) : pixels_(pixels) {}
  [[nodiscard]] std::int32_t width() const override { return pixels_.width(); }
  [[nodiscard]] std::int32_t height() const override { return pixels_.height(); }
  void copyTo(Surface& into, std::int32_t dx, std::int32_t dy, std::int32_t sx, std::int32_t sy,
              std::int32_t w, std::int32_t h) override {
    ++grabs;
    for (std::int32_t r = 0; r < h; ++r) {
      for (std::int32_t c = 0; c < w; ++c)
        into.row(dy + r)[dx + c] = pixels_.row(sy + r)[sx + c];
    }
  }
  int grabs = 0;

 private:
  const Surface& pixels_;
};

// The surprise effects' operation numbered `algorithm` on one cell, written out from its table:
// S the captured pixel, F the fill, both 0x00BBGGRR.
inline std::uint32_t surpriseRule(int algorithm, std::uint32_t s, std::uint32_t f) {
  switch (algorithm) {
    case 0:
      return s & f;  // SRCAND
    case 1:
      return s & ~f & 0xFFFFFFU;  // SRCERASE
    case 2:
      return s ^ f;  // SRCINVERT
    case 3:
      return s | f;  // SRCPAINT
    case 4:
      return ~(s | f) & 0xFFFFFFU;  // NOTSRCERASE
    default:
      return (~s & 0xFFFFFFU) | f;  // MERGEPAINT
  }
}

}  // namespace kepa::testing
