#include "runtime/kepa_icon.h"

#include <array>
#include <string_view>

namespace kepa {

const Surface& kepaIcon() {
  // N navy, W white, R red.
  // clang-format off
  static constexpr std::array<std::string_view, 16> kRows = {
      "NNNNNNNNNNNNNNNN",
      "NWWWWWNNNNWWWWWN",
      "NWNNNNNNNNNNNNWN",
      "NWNNNNNNRNNNNNWN",
      "NWNNNNNNRNNNNNWN",
      "NWNNNNNRRRNNNNWN",
      "NNNNNNRNRNRNNNNN",
      "NNNNNRNNNNRNNNNN",
      "NNNRRRRNNRRRRNNN",
      "NNNNNRNNRNRNNNNN",
      "NWNNNNRRRRNNNNWN",
      "NWNNNNNNRNNNNNWN",
      "NWNNNNNNRNNNNNWN",
      "NWNNNNNNNNNNNNWN",
      "NWWWWWNNNNWWWWWN",
      "NNNNNNNNNNNNNNNN",
  };
  // clang-format on
  static const Surface icon = [] {
    Surface pixels(16, 16);
    for (std::int32_t y = 0; y < 16; ++y) {
      for (std::int32_t x = 0; x < 16; ++x) {
        const char c = kRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        pixels.row(y)[x] = c == 'W' ? 0xFFFFFFFFU : c == 'R' ? 0xFFFF0000U : 0xFF000080U;
      }
    }
    return pixels;
  }();
  return icon;
}

}  // namespace kepa
