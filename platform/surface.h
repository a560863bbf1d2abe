// A width x height pixel buffer: 32-bit words 0xFFRRGGBB (the layout of QImage::Format_RGB32),
// rows top to bottom, each row contiguous with no padding (a row is width words).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/colour.h"

namespace kepa {

class Surface {
 public:
  Surface() = default;
  // Throws std::invalid_argument on a negative size.
  Surface(std::int32_t width, std::int32_t height, std::uint32_t fillPixel = kBlackPixel);

  [[nodiscard]] std::int32_t width() const { return width_; }
  [[nodiscard]] std::int32_t height() const { return height_; }
  [[nodiscard]] bool empty() const { return width_ == 0 || height_ == 0; }
  [[nodiscard]] bool contains(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  // Row y, 0 <= y < height(): width() words.
  [[nodiscard]] std::uint32_t* row(std::int64_t y) {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  [[nodiscard]] const std::uint32_t* row(std::int64_t y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  [[nodiscard]] std::uint32_t* data() { return pixels_.data(); }
  [[nodiscard]] const std::uint32_t* data() const { return pixels_.data(); }
  [[nodiscard]] std::size_t bytesPerLine() const {
    return static_cast<std::size_t>(width_) * sizeof(std::uint32_t);
  }

  void fill(std::uint32_t pixel);
  // Changes the size, keeping the pixels that lie inside both the old and the new size and
  // giving every other pixel fillPixel. Throws std::invalid_argument on a negative size.
  void resize(std::int32_t width, std::int32_t height, std::uint32_t fillPixel);

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace kepa
