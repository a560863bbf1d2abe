// The surprise effects: the region image filled with one colour F, then every region cell
// combined from its screen pixel S and F by one of six raster operations, chosen at random
// (colour and operation) or in the custom settings dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "effects/region.h"

namespace kepa {

// The operation numbered `algorithm` (CustomAlgorithm): 0 SRCAND, 1 SRCERASE, 2 SRCINVERT,
// 3 SRCPAINT, 4 NOTSRCERASE, 5 MERGEPAINT. Throws std::out_of_range for any other number.
[[nodiscard]] RasterOp surpriseOperation(std::int16_t algorithm);

// Clears the image, assigns F as its background colour (which fills it) and combines every
// region cell: D(i, j) = op(S(startX + 1 + i, startY + 1 + j), F). The extra column and row
// keep F.
void surprise(Colour fill, std::int16_t algorithm, const Region& region,
              const DeviceContext& screen, Picture& image);

// Randomize and Rnd: a generator of uniformly distributed values 0 <= r < 1, reseeded from the
// clock by Randomize. Tests give a seed of their own.
class RandomSource {
 public:
  explicit RandomSource(std::optional<std::uint64_t> fixedSeed = std::nullopt)
      : fixedSeed_(fixedSeed) {}
  // Reseeds from the clock, or from the fixed seed (which then advances, so that runs differ).
  void Randomize();
  [[nodiscard]] double Rnd();

 private:
  std::optional<std::uint64_t> fixedSeed_;
  std::mt19937_64 engine_;
};

// The first effect's draw: F = floor(r1 x 16777215) and the operation floor(r2 x 5), in double
// precision, so F lies in 0 .. 16777214 and the operation in 0 .. 4.
struct SurpriseDraw {
  Colour fill;
  std::int16_t algorithm = 0;
};
[[nodiscard]] SurpriseDraw drawSurprise(RandomSource& random);

// CustomColorText for the bar values r, g, b: r + 256 g + 65536 b in decimal after one blank.
[[nodiscard]] std::string customColorText(std::int32_t r, std::int32_t g, std::int32_t b);

// The colour a CustomColorText names (its leading blank ignored); nothing for an empty text or
// one that is not a colour number.
[[nodiscard]] std::optional<Colour> colourOfText(const std::string& text);

}  // namespace kepa
