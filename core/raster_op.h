// The eight raster operations of block copies, with the codes of the Windows graphics
// interface, and their application to whole rows of pixel words.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kepa {

// The result combines source S and destination D bit by bit over the 24 colour bits, so each
// channel is treated on its own and NOT of a channel value v is 255 - v.
enum class RasterOp : std::uint32_t {
  SRCCOPY = 0x00CC0020,      // S
  SRCAND = 0x008800C6,       // S AND D
  SRCPAINT = 0x00EE0086,     // S OR D
  NOTSRCCOPY = 0x00330008,   // NOT S
  SRCINVERT = 0x00660046,    // S XOR D
  SRCERASE = 0x00440328,     // S AND (NOT D)
  NOTSRCERASE = 0x001100A6,  // NOT (S OR D)
  MERGEPAINT = 0x00BB0226,   // (NOT S) OR D
};

// True for the eight codes above; block copies reject any other code.
[[nodiscard]] bool isKnownRasterOp(RasterOp op);

// One pixel word combined by op; the top byte of the result is always 0xFF.
[[nodiscard]] constexpr std::uint32_t combinePixel(RasterOp op, std::uint32_t s, std::uint32_t d) {
  std::uint32_t r = 0;
  switch (op) {
    case RasterOp::SRCCOPY:
      r = s;
      break;
    case RasterOp::SRCAND:
      r = s & d;
      break;
    case RasterOp::SRCPAINT:
      r = s | d;
      break;
    case RasterOp::NOTSRCCOPY:
      r = ~s;
      break;
    case RasterOp::SRCINVERT:
      r = s ^ d;
      break;
    case RasterOp::SRCERASE:
      r = s & ~d;
      break;
    case RasterOp::NOTSRCERASE:
      r = ~(s | d);
      break;
    case RasterOp::MERGEPAINT:
      r = ~s | d;
      break;
  }
  return r | 0xFF000000U;
}

// dst[i] = op(src[i], dst[i]) for i < count. dst and src must not overlap unless equal.
void combineRow(RasterOp op, std::uint32_t* dst, const std::uint32_t* src, std::size_t count);

// dst[i] = op(source, dst[i]) for i < count: a row whose source is one colour (the black that
// reads outside a source surface give).
void combineRowWith(RasterOp op, std::uint32_t* dst, std::uint32_t source, std::size_t count);

// dst[i] = op(src[i], destination) for i < count: a row combined onto a destination that is
// known to be one colour, without reading it. dst and src must not overlap.
void combineRowOnto(RasterOp op, std::uint32_t* dst, const std::uint32_t* src,
                    std::uint32_t destination, std::size_t count);

}  // namespace kepa
