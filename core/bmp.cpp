#include "core/bmp.h"

#include <stdexcept>

#include "core/row_bands.h"

namespace kepa {

namespace {

constexpr std::size_t kHeaderSize = 14 + 40;  // BITMAPFILEHEADER + BITMAPINFOHEADER

std::size_t rowStride(std::int32_t width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

void put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8U);
}

void put32(std::uint8_t* at, std::uint32_t value) {
  put16(at, value);
  put16(at + 2, value >> 16U);
}

}  // namespace

std::size_t bmpFileSize(std::int32_t width, std::int32_t height) {
  return kHeaderSize + rowStride(width) * static_cast<std::size_t>(height);
}

std::vector<std::uint8_t> encodeBmp(const Surface& surface) {
  const std::int32_t width = surface.width();
  const std::int32_t height = surface.height();
  if (width < 1 || height < 1) throw std::invalid_argument("a bitmap needs at least one pixel");
  const std::size_t stride = rowStride(width);
  const std::size_t size = bmpFileSize(width, height);
  if (size > 0xFFFFFFFFU) throw std::length_error("a bitmap file is limited to 4 GiB");
  std::vector<std::uint8_t> file(size);  // zero-filled: the row padding and reserved fields
  std::uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  put32(h + 2, static_cast<std::uint32_t>(size));
  put32(h + 10, static_cast<std::uint32_t>(kHeaderSize));  // where the pixels start
  put32(h + 14, 40);                                       // BITMAPINFOHEADER
  put32(h + 18, static_cast<std::uint32_t>(width));
  put32(h + 22, static_cast<std::uint32_t>(height));  // positive: the last row comes first
  put16(h + 26, 1);                                   // planes
  put16(h + 28, 24);                                  // bits per pixel
  put32(h + 30, 0);                                   // BI_RGB, uncompressed
  put32(h + 34, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(height)));
  put32(h + 38, 2835);  // 72 dots per inch, in dots per metre
  put32(h + 42, 2835);
  std::uint8_t* pixels = file.data() + kHeaderSize;
  forEachRowBand(0, height, width, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t y = first; y < last; ++y) {
      const std::uint32_t* in = surface.row(static_cast<std::int32_t>(y));
      std::uint8_t* out = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t p = in[x];  // 0xFFRRGGBB
        out[0] = static_cast<std::uint8_t>(p);
        out[1] = static_cast<std::uint8_t>(p >> 8U);
        out[2] = static_cast<std::uint8_t>(p >> 16U);
        out += 3;
      }
    }
  });
  return file;
}

}  // namespace kepa
