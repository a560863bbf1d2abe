#include "core/raster_op.h"

#include <cstring>

namespace kepa {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000U;

// The loops are written so that the compiler vectorises them (the target builds at -O3).
template <typename Combine>
void eachPixel(std::uint32_t* __restrict dst, const std::uint32_t* __restrict src,
               std::size_t count, Combine combine) {
  for (std::size_t i = 0; i < count; ++i) {
    dst[i] = combine(src[i], dst[i]) | kOpaque;
  }
}

template <typename Combine>
void eachPixelWith(std::uint32_t* __restrict dst, std::uint32_t s, std::size_t count,
                   Combine combine) {
  for (std::size_t i = 0; i < count; ++i) {
    dst[i] = combine(s, dst[i]) | kOpaque;
  }
}

template <typename Combine>
void eachPixelOnto(std::uint32_t* __restrict dst, const std::uint32_t* __restrict src,
                   std::uint32_t d, std::size_t count, Combine combine) {
  for (std::size_t i = 0; i < count; ++i) {
    dst[i] = combine(src[i], d) | kOpaque;
  }
}

template <typename Visit>
void dispatch(RasterOp op, Visit visit) {
  switch (op) {
    case RasterOp::SRCCOPY:
      visit([](std::uint32_t s, std::uint32_t) { return s; });
      break;
    case RasterOp::SRCAND:
      visit([](std::uint32_t s, std::uint32_t d) { return s & d; });
      break;
    case RasterOp::SRCPAINT:
      visit([](std::uint32_t s, std::uint32_t d) { return s | d; });
      break;
    case RasterOp::NOTSRCCOPY:
      visit([](std::uint32_t s, std::uint32_t) { return ~s; });
      break;
    case RasterOp::SRCINVERT:
      visit([](std::uint32_t s, std::uint32_t d) { return s ^ d; });
      break;
    case RasterOp::SRCERASE:
      visit([](std::uint32_t s, std::uint32_t d) { return s & ~d; });
      break;
    case RasterOp::NOTSRCERASE:
      visit([](std::uint32_t s, std::uint32_t d) { return ~(s | d); });
      break;
    case RasterOp::MERGEPAINT:
      visit([](std::uint32_t s, std::uint32_t d) { return ~s | d; });
      break;
  }
}

}  // namespace

bool isKnownRasterOp(RasterOp op) {
  switch (op) {
    case RasterOp::SRCCOPY:
    case RasterOp::SRCAND:
    case RasterOp::SRCPAINT:
    case RasterOp::NOTSRCCOPY:
    case RasterOp::SRCINVERT:
    case RasterOp::SRCERASE:
    case RasterOp::NOTSRCERASE:
    case RasterOp::MERGEPAINT:
      return true;
  }
  return false;
}

void combineRow(RasterOp op, std::uint32_t* dst, const std::uint32_t* src, std::size_t count) {
  if (dst == src && op == RasterOp::SRCCOPY) return;
  if (op == RasterOp::SRCCOPY) {
    // Source words already carry the opaque top byte.
    std::memcpy(dst, src, count * sizeof(std::uint32_t));
    return;
  }
  if (dst == src) {
    // In place: the same element is read and written, so aliasing is harmless, but the
    // restrict-qualified loop must not see it.
    for (std::size_t i = 0; i < count; ++i) {
      dst[i] = combinePixel(op, src[i], dst[i]);
    }
    return;
  }
  dispatch(op, [&](auto combine) { eachPixel(dst, src, count, combine); });
}

void combineRowWith(RasterOp op, std::uint32_t* dst, std::uint32_t source, std::size_t count) {
  dispatch(op, [&](auto combine) { eachPixelWith(dst, source, count, combine); });
}

void combineRowOnto(RasterOp op, std::uint32_t* dst, const std::uint32_t* src,
                    std::uint32_t destination, std::size_t count) {
  dispatch(op, [&](auto combine) { eachPixelOnto(dst, src, destination, count, combine); });
}

}  // namespace kepa
