#include "platform/surface.h"

#include <algorithm>
#include <stdexcept>

namespace kepa {

namespace {

std::size_t areaOf(std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative surface size");
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

Surface::Surface(std::int32_t width, std::int32_t height, std::uint32_t fillPixel)
    : width_(width), height_(height), pixels_(areaOf(width, height), fillPixel) {}

void Surface::fill(std::uint32_t pixel) {
  std::fill(pixels_.begin(), pixels_.end(), pixel);
}

void Surface::resize(std::int32_t width, std::int32_t height, std::uint32_t fillPixel) {
  if (width == width_ && height == height_) return;
  std::vector<std::uint32_t> grown(areaOf(width, height), fillPixel);
  const auto keptWidth = static_cast<std::size_t>(std::min(width, width_));
  const std::int32_t keptRows = std::min(height, height_);
  for (std::int32_t y = 0; y < keptRows; ++y) {
    std::copy_n(row(y), keptWidth,
                grown.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
  }
  pixels_ = std::move(grown);
  width_ = width;
  height_ = height;
}

}  // namespace kepa
