// The Windows bitmap file format (BMP) of a surface: 24 bits per pixel, rows bottom-up, each
// padded to a multiple of four bytes, blue-green-red byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/surface.h"

namespace kepa {

// The file's size in bytes for a width x height picture: 54 bytes of headers and the rows.
[[nodiscard]] std::size_t bmpFileSize(std::int32_t width, std::int32_t height);

// The whole file. The surface must have a width and a height of at least 1.
[[nodiscard]] std::vector<std::uint8_t> encodeBmp(const Surface& surface);

}  // namespace kepa
