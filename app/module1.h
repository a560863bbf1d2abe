// Module1: the variables the windows share. Every one starts at 0, False or empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/geometry.h"

namespace kepa {

struct Module1 {
  Point CursorPos;
  std::int32_t SelStartX = 0;
  std::int32_t SelStartY = 0;
  bool SelectActive = false;
  bool ImageChanged = false;
  // The grey palette: entry k holds red, green, blue.
  std::array<std::array<std::uint8_t, 3>, 256> PixelBuffer{};
  std::int16_t SliderR = 0;
  std::int16_t SliderG = 0;
  std::int16_t SliderB = 0;
  std::int16_t CustomOption = 0;
  std::int16_t CustomR = 0;
  std::int16_t CustomG = 0;
  std::int16_t CustomB = 0;
  std::string CustomColorText;
  std::int16_t CustomAlgorithm = 0;
  bool CustomCancelled = false;
};

}  // namespace kepa
