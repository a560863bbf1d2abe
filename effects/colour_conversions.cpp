#include "effects/colour_conversions.h"

#include <algorithm>
#include <cstdlib>

#include "core/block_copy.h"
#include "core/numeric.h"
#include "core/row_bands.h"

namespace kepa {

bool colourScale(std::int32_t index, const Region& region, const DeviceContext& screen,
                 Picture& image) {
  const char* mask = nullptr;
  switch (index) {
    case 1:
      mask = "&H0000FF";
      break;
    case 2:
      mask = "&H00ff00";
      break;
    case 3:
      mask = "&Hff0000";
      break;
    default:
      return false;
  }
  // Clearing first would be overwritten whole at once: assigning the background colour fills
  // all of the image with the mask, which the copy then ANDs with the region.
  regionCopyOnto(Colour(static_cast<std::uint32_t>(hexLiteral(mask))), region, screen, image,
                 RasterOp::SRCAND);
  return true;
}

void negative(const Region& region, const DeviceContext& screen, Picture& image) {
  // The clear keeps the background colour, which stays in the extra column and row.
  regionCopyOnto(image.backColor(), region, screen, image, RasterOp::NOTSRCCOPY);
}

void SplitRGB(std::int32_t q, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
  const auto bits = static_cast<std::uint32_t>(q);
  r = static_cast<std::uint8_t>(bits & 0xFFU);
  g = static_cast<std::uint8_t>((bits >> 8U) & 0xFFU);
  b = static_cast<std::uint8_t>((bits >> 16U) & 0xFFU);
}

void InitPixelBuffer(PixelBuffer& palette) {
  for (auto& entry : palette)
    entry = {0, 0, 0};
  for (int k = 0; k <= 255; ++k) {
    const auto level = static_cast<std::uint8_t>(k);
    palette[static_cast<std::size_t>(k)] = {level, level, level};
  }
}

void grey(const Region& region, const DeviceContext& screen, Picture& image, PixelBuffer& palette) {
  InitPixelBuffer(palette);
  // The loop bounds are 16-bit: width + 1 and height + 1 are checked like the loop's counters.
  const std::int32_t lastColumn = toInteger(region.width + 1);
  const std::int32_t lastRow = toInteger(region.height + 1);
  // Only the pixels that land inside the image are computed; the others are dropped anyway.
  const std::int64_t columns = std::min<std::int64_t>(lastColumn + 1, image.width());
  const std::int64_t rows = std::min<std::int64_t>(lastRow + 1, image.height());
  // The background becomes black, and a clear fills the image with it. Where the loop below
  // writes every pixel of the image (always, after a selection), that fill is invisible.
  if (columns == image.width() && rows == image.height()) {
    image.setBackColorWithoutFill(Colour(0));
  } else {
    image.setBackColor(Colour(0));
  }
  if (columns <= 0 || rows <= 0) return;

  // Each grey level's pixel word, by channel sum s (0 .. 765): v = (s + 1) div 3, which is
  // s / 3 rounded to nearest with halves to even.
  std::array<std::uint32_t, 766> greyOfSum{};
  for (std::size_t s = 0; s < greyOfSum.size(); ++s) {
    const auto& entry = palette[(s + 1) / 3];
    greyOfSum[s] = Colour::fromRgb(entry[0], entry[1], entry[2]).pixel();
  }
  // A pixel the screen cannot supply reads as -1; its absolute value 1 is (1, 0, 0): black.
  const std::uint32_t unreadable = greyOfSum[1];

  const std::int64_t left = std::int64_t{region.startX} + 1;
  const std::int64_t top = std::int64_t{region.startY} + 1;
  const detail::SourceBlock block =
      detail::readSource(screen, {left, left + columns}, {top, top + rows});
  const Surface& source = block.surface();
  // Columns [lead, inner) of each row have a pixel on the screen.
  const std::int64_t firstColumn = left - block.originX;
  const std::int64_t lead = std::clamp<std::int64_t>(-firstColumn, 0, columns);
  const std::int64_t inner = std::clamp<std::int64_t>(source.width() - firstColumn, lead, columns);
  forEachRowBand(0, rows, columns, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t y = first; y < last; ++y) {
      std::uint32_t* out = image.image().row(y);
      const std::int64_t sy = top + y - block.originY;
      if (sy < 0 || sy >= source.height() || inner == lead) {
        std::fill_n(out, columns, unreadable);
        continue;
      }
      const std::uint32_t* in = source.row(sy) + firstColumn;
      std::fill_n(out, lead, unreadable);
      for (std::int64_t x = lead; x < inner; ++x) {
        const std::uint32_t p = in[x];
        out[x] = greyOfSum[((p >> 16U) & 0xFFU) + ((p >> 8U) & 0xFFU) + (p & 0xFFU)];
      }
      std::fill_n(out + inner, columns - inner, unreadable);
    }
  });
}

void sepia(const Region& region, const DeviceContext& screen, Picture& image) {
  regionCopyOnto(Colour(static_cast<std::uint32_t>(hexLiteral("&HFF0000"))), region, screen, image,
                 RasterOp::SRCAND);
  regionCopy(region, screen, image, RasterOp::SRCPAINT, 10, 10);
}

}  // namespace kepa
