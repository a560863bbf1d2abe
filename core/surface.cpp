#include "core/surface.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/row_bands.h"

namespace kepa {

namespace {

std::size_t areaOf(std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative surface size");
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

Surface::Surface(std::int32_t width, std::int32_t height, std::uint32_t fillPixel)
    : width_(width),
      height_(height),
      pixels_(areaOf(width, height), fillPixel),
      data_(pixels_.data()) {}

Surface::Surface(std::int32_t width, std::int32_t height, std::unique_ptr<PixelMemory> memory,
                 std::uint32_t fillPixel)
    : width_(width), height_(height), memory_(std::move(memory)), data_(memory_->pixels()) {
  std::fill_n(data_, areaOf(width, height), fillPixel);
}

Surface::Surface(Surface&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::move(other.pixels_)),
      memory_(std::move(other.memory_)),
      data_(std::exchange(other.data_, nullptr)) {
  other.pixels_.clear();
}

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this == &other) return *this;
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  pixels_ = std::move(other.pixels_);
  other.pixels_.clear();
  memory_ = std::move(other.memory_);
  data_ = std::exchange(other.data_, nullptr);
  return *this;
}

void Surface::fill(std::uint32_t pixel) {
  forEachRowBand(0, height_, width_, [this, pixel](std::int64_t top, std::int64_t bottom) {
    std::fill_n(row(top), static_cast<std::size_t>(bottom - top) * static_cast<std::size_t>(width_),
                pixel);
  });
}

void Surface::makeOpaque(std::int64_t first, std::int64_t last) {
  forEachRowBand(first, last, width_, [this](std::int64_t top, std::int64_t bottom) {
    std::uint32_t* pixels = row(top);
    const std::size_t count =
        static_cast<std::size_t>(bottom - top) * static_cast<std::size_t>(width_);
    for (std::size_t i = 0; i < count; ++i)
      pixels[i] |= 0xFF000000U;
  });
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
  memory_.reset();
  data_ = pixels_.data();
  width_ = width;
  height_ = height;
}

}  // namespace kepa
