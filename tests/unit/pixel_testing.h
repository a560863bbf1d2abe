// Helpers for pixel tests: surfaces built from colour lists and read back as colours, a
// surface seen as a screen, and the raster operations' rules written out per channel.
#pragma once

#include <cstdint>
#include <vector>

#include "core/bit_blt.h"
#include "core/colour.h"
#include "core/pixel_source.h"
#include "core/surface.h"

namespace kepa::testing {

// A surface whose pixel (x, y) is colours[y * width + x] (0x00BBGGRR values).
inline Surface surfaceOf(std::int32_t width, std::int32_t height,
                         const std::vector<std::uint32_t>& colours) {
  Surface surface(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x)
      surface.row(y)[x] = Colour(colours[static_cast<std::size_t>(y * width + x)]).pixel();
  }
  return surface;
}

// Every pixel as a 0x00BBGGRR colour, row by row.
inline std::vector<std::uint32_t> coloursOf(const Surface& surface) {
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    for (std::int32_t x = 0; x < surface.width(); ++x)
      colours.push_back(Colour::fromPixel(surface.row(y)[x]).value());
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

// Each raster operation's rule on one 8-bit channel, NOT being 255 - v.
struct OpRule {
  RasterOp op;
  const char* name;
  int (*channel)(int s, int d);
};

inline constexpr OpRule kRules[] = {
    {RasterOp::SRCCOPY, "SRCCOPY", [](int s, int) { return s; }},
    {RasterOp::SRCAND, "SRCAND", [](int s, int d) { return s & d; }},
    {RasterOp::SRCPAINT, "SRCPAINT", [](int s, int d) { return s | d; }},
    {RasterOp::NOTSRCCOPY, "NOTSRCCOPY", [](int s, int) { return 255 - s; }},
    {RasterOp::SRCINVERT, "SRCINVERT", [](int s, int d) { return s ^ d; }},
    {RasterOp::SRCERASE, "SRCERASE", [](int s, int d) { return s & (255 - d); }},
    {RasterOp::NOTSRCERASE, "NOTSRCERASE", [](int s, int d) { return 255 - (s | d); }},
    {RasterOp::MERGEPAINT, "MERGEPAINT", [](int s, int d) { return (255 - s) | d; }},
};

// The rule applied channel by channel to the source S and destination D, 0x00BBGGRR.
inline std::uint32_t byChannel(const OpRule& rule, std::uint32_t s, std::uint32_t d) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int channel =
        rule.channel(static_cast<int>((s >> shift) & 0xFF), static_cast<int>((d >> shift) & 0xFF));
    result |= static_cast<std::uint32_t>(channel) << shift;
  }
  return result;
}

// The surprise effects' operation numbered `algorithm` on one cell, from its table
// (0 SRCAND, 1 SRCERASE, 2 SRCINVERT, 3 SRCPAINT, 4 NOTSRCERASE, 5 MERGEPAINT): S the
// captured pixel, F the fill.
inline std::uint32_t surpriseRule(int algorithm, std::uint32_t s, std::uint32_t f) {
  constexpr int kRuleOf[] = {1, 5, 4, 2, 6, 7};
  return byChannel(kRules[kRuleOf[algorithm]], s, f);
}

}  // namespace kepa::testing
