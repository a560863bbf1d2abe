#include "effects/surprise.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kepa {

RasterOp surpriseOperation(std::int16_t algorithm) {
  switch (algorithm) {
    case 0:
      return RasterOp::SRCAND;
    case 1:
      return RasterOp::SRCERASE;
    case 2:
      return RasterOp::SRCINVERT;
    case 3:
      return RasterOp::SRCPAINT;
    case 4:
      return RasterOp::NOTSRCERASE;
    case 5:
      return RasterOp::MERGEPAINT;
    default:
      throw std::out_of_range("no raster operation numbered " + std::to_string(algorithm));
  }
}

void surprise(Colour fill, std::int16_t algorithm, const Region& region,
              const DeviceContext& screen, Picture& image) {
  const RasterOp op = surpriseOperation(algorithm);
  // The clear is covered whole by the fill of the background assignment; the fill is in
  // place when the copy combines with it, in the same pass.
  regionCopyOnto(fill, region, screen, image, op);
}

void RandomSource::Randomize() {
  if (fixedSeed_) {
    engine_.seed((*fixedSeed_)++);
    return;
  }
  engine_.seed(
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

double RandomSource::Rnd() {
  return std::generate_canonical<double, 53>(engine_);
}

SurpriseDraw drawSurprise(RandomSource& random) {
  const double r1 = random.Rnd();
  const double r2 = random.Rnd();
  return {Colour(static_cast<std::uint32_t>(std::floor(r1 * 16777215.0))),
          static_cast<std::int16_t>(std::floor(r2 * 5.0))};
}

std::string customColorText(std::int32_t r, std::int32_t g, std::int32_t b) {
  char text[24];
  std::snprintf(
      text, sizeof text, " %lld",
      static_cast<long long>(std::int64_t{r} + 256 * std::int64_t{g} + 65536 * std::int64_t{b}));
  return text;
}

std::optional<Colour> colourOfText(const std::string& text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  std::uint32_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value > 0xFFFFFFU) return std::nullopt;
  return Colour(value);
}

}  // namespace kepa
