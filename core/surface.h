// A width x height pixel buffer: 32-bit words 0xFFRRGGBB (the layout of QImage::Format_RGB32),
// rows top to bottom, each row contiguous with no padding (a row is width words).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/colour.h"

namespace kepa {

// Memory that a Surface can live in instead of a buffer of its own, such as a shared-memory
// segment that the screen is grabbed into. It holds at least width x height words.
class PixelMemory {
 public:
  PixelMemory() = default;
  PixelMemory(const PixelMemory&) = delete;
  PixelMemory& operator=(const PixelMemory&) = delete;
  virtual ~PixelMemory() = default;
  [[nodiscard]] virtual std::uint32_t* pixels() = 0;
};

class Surface {
 public:
  Surface() = default;
  // Throws std::invalid_argument on a negative size.
  Surface(std::int32_t width, std::int32_t height, std::uint32_t fillPixel = kBlackPixel);
  // A surface in `memory`, filled with fillPixel.
  Surface(std::int32_t width, std::int32_t height, std::unique_ptr<PixelMemory> memory,
          std::uint32_t fillPixel = kBlackPixel);
  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() = default;

  // The memory the surface lives in, or nullptr for its own buffer.
  [[nodiscard]] PixelMemory* memory() const { return memory_.get(); }

  [[nodiscard]] std::int32_t width() const { return width_; }
  [[nodiscard]] std::int32_t height() const { return height_; }
  [[nodiscard]] bool empty() const { return width_ == 0 || height_ == 0; }
  [[nodiscard]] bool contains(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  // Row y, 0 <= y < height(): width() words.
  [[nodiscard]] std::uint32_t* row(std::int64_t y) {
    return data_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  [[nodiscard]] const std::uint32_t* row(std::int64_t y) const {
    return data_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  [[nodiscard]] std::uint32_t* data() { return data_; }
  [[nodiscard]] const std::uint32_t* data() const { return data_; }
  [[nodiscard]] std::size_t bytesPerLine() const {
    return static_cast<std::size_t>(width_) * sizeof(std::uint32_t);
  }

  void fill(std::uint32_t pixel);
  // Sets the top byte of every word of rows [first, last) to 0xFF, for pixels written by
  // someone who leaves it undefined (an X server's depth-24 image).
  void makeOpaque(std::int64_t first, std::int64_t last);
  // Changes the size, keeping the pixels that lie inside both the old and the new size and
  // giving every other pixel fillPixel (in a buffer of the surface's own from then on).
  // Throws std::invalid_argument on a negative size.
  void resize(std::int32_t width, std::int32_t height, std::uint32_t fillPixel);

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::unique_ptr<PixelMemory> memory_;
  std::uint32_t* data_ = nullptr;  // into pixels_ or memory_
};

}  // namespace kepa
