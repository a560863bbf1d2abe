#include "clip/cross_hair.h"

namespace kepa {

namespace {

// The drawn pixels (column, row), as the cursor's design lists them.
struct Run {
  std::int32_t column, row, length;
  bool vertical;
};

constexpr Run kRuns[] = {
    {14, 0, 12, true},    // column 14, rows 0 to 11
    {14, 17, 14, true},   // column 14, rows 17 to 30
    {0, 14, 13, false},   // row 14, columns 0 to 12
    {16, 14, 15, false},  // row 14, columns 16 to 30
};

constexpr Point kRing[] = {{13, 12}, {14, 12}, {15, 12}, {12, 13}, {16, 13},
                           {12, 15}, {16, 15}, {13, 16}, {14, 16}, {15, 16}};

}  // namespace

CrossHair::CrossHair() {
  const auto draw = [this](std::int32_t column, std::int32_t row) {
    rows_[static_cast<std::size_t>(row)] |= 1U << static_cast<unsigned>(column);
  };
  for (const Run& run : kRuns) {
    for (std::int32_t i = 0; i < run.length; ++i) {
      draw(run.vertical ? run.column : run.column + i, run.vertical ? run.row + i : run.row);
    }
  }
  for (const Point& pixel : kRing)
    draw(pixel.x, pixel.y);
}

void CrossHair::invertOnto(Surface& surface, Point at) const {
  const std::int64_t left = std::int64_t{at.x} - kHotspot.x;
  const std::int64_t top = std::int64_t{at.y} - kHotspot.y;
  for (std::int32_t row = 0; row < kSize; ++row) {
    const std::int64_t y = top + row;
    if (y < 0 || y >= surface.height() || rows_[static_cast<std::size_t>(row)] == 0) continue;
    std::uint32_t* line = surface.row(y);
    for (std::int32_t column = 0; column < kSize; ++column) {
      const std::int64_t x = left + column;
      if (x >= 0 && x < surface.width() && inverts(column, row)) line[x] ^= 0x00FFFFFFU;
    }
  }
}

}  // namespace kepa
