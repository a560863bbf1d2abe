#include "core/bit_blt.h"

#include <algorithm>
#include <stdexcept>

#include "core/block_copy.h"
#include "core/geometry.h"
#include "core/row_bands.h"

namespace kepa {

namespace {

bool overlaps(Span a, Span b) {
  return a.begin < b.end && b.begin < a.end;
}

// Fills the part of the surface outside the block cols x rows.
void fillAround(Surface& surface, Span cols, Span rows, std::uint32_t pixel) {
  const std::int64_t width = surface.width();
  forEachRowBand(0, surface.height(), width, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t r = first; r < last; ++r) {
      std::uint32_t* out = surface.row(r);
      if (r < rows.begin || r >= rows.end) {
        std::fill_n(out, width, pixel);
        continue;
      }
      std::fill_n(out, cols.begin, pixel);
      std::fill(out + cols.end, out + width, pixel);
    }
  });
}

}  // namespace

bool BitBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
            const DeviceContext& src, std::int32_t sx, std::int32_t sy, RasterOp op) {
  if (!isKnownRasterOp(op)) throw std::invalid_argument("unknown raster operation");
  Surface* target = dst.surface();
  if (target == nullptr || src.isNull()) return false;
  const Span cols = clipSpan(x, w, target->width());
  const Span rows = clipSpan(y, h, target->height());
  if (cols.empty() || rows.empty()) return true;

  // Source coordinates of the clipped block's top-left pixel.
  const std::int64_t srcLeft = std::int64_t{sx} + (cols.begin - x);
  const std::int64_t srcTop = std::int64_t{sy} + (rows.begin - y);
  const Span srcCols{srcLeft, srcLeft + cols.length()};
  const Span srcRows{srcTop, srcTop + rows.length()};

  if (op == RasterOp::SRCCOPY && src.source() != nullptr) {
    // A copy from the screen lands straight in the destination: the off-screen part of the
    // block is black, the rest is grabbed in place.
    const PixelSource& screen = *src.source();
    const Span onCols = clipSpan(srcCols.begin, srcCols.length(), screen.width());
    const Span onRows = clipSpan(srcRows.begin, srcRows.length(), screen.height());
    if (onCols.empty() || onRows.empty() || onCols.length() != cols.length() ||
        onRows.length() != rows.length()) {
      detail::combineBlock(*target, cols, rows, Surface(), 0, 0, RasterOp::SRCCOPY);
    }
    if (!onCols.empty() && !onRows.empty()) {
      src.source()->copyTo(
          *target, static_cast<std::int32_t>(cols.begin + onCols.begin - srcLeft),
          static_cast<std::int32_t>(rows.begin + onRows.begin - srcTop),
          static_cast<std::int32_t>(onCols.begin), static_cast<std::int32_t>(onRows.begin),
          static_cast<std::int32_t>(onCols.length()), static_cast<std::int32_t>(onRows.length()));
    }
    return true;
  }

  const detail::SourceBlock block = detail::readSource(src, srcCols, srcRows);
  const Surface& source = block.surface();
  if (&source == target && overlaps(cols, srcCols) && overlaps(rows, srcRows)) {
    // Overlapping copy within one surface: read the whole source block before writing.
    Surface copy(static_cast<std::int32_t>(cols.length()),
                 static_cast<std::int32_t>(rows.length()));
    detail::combineBlock(copy, {0, copy.width()}, {0, copy.height()}, source, srcLeft, srcTop,
                         RasterOp::SRCCOPY);
    detail::combineBlock(*target, cols, rows, copy, 0, 0, op);
    return true;
  }
  detail::combineBlock(*target, cols, rows, source, srcLeft - block.originX, srcTop - block.originY,
                       op);
  return true;
}

bool FillAndBitBlt(DeviceContext& dst, Colour fill, std::int32_t x, std::int32_t y, std::int32_t w,
                   std::int32_t h, const DeviceContext& src, std::int32_t sx, std::int32_t sy,
                   RasterOp op) {
  if (!isKnownRasterOp(op)) throw std::invalid_argument("unknown raster operation");
  Surface* target = dst.surface();
  if (target == nullptr) return false;
  const std::uint32_t pixel = fill.pixel();
  const Span cols = clipSpan(x, w, target->width());
  const Span rows = clipSpan(y, h, target->height());
  if (src.isNull() || cols.empty() || rows.empty() || src.surface() == target) {
    target->fill(pixel);
    return BitBlt(dst, x, y, w, h, src, sx, sy, op);
  }
  fillAround(*target, cols, rows, pixel);
  const std::int64_t srcLeft = std::int64_t{sx} + (cols.begin - x);
  const std::int64_t srcTop = std::int64_t{sy} + (rows.begin - y);
  const detail::SourceBlock block =
      detail::readSource(src, {srcLeft, srcLeft + cols.length()}, {srcTop, srcTop + rows.length()});
  detail::combineBlock(*target, cols, rows, block.surface(), srcLeft - block.originX,
                       srcTop - block.originY, op, &pixel);
  return true;
}

std::int32_t GetPixel(const DeviceContext& dc, std::int32_t x, std::int32_t y) {
  if (!(x >= 0 && y >= 0 && x < dc.width() && y < dc.height())) return -1;
  if (const Surface* surface = dc.surface()) {
    return static_cast<std::int32_t>(Colour::fromPixel(surface->row(y)[x]).value());
  }
  Surface one(1, 1);
  dc.source()->copyTo(one, 0, 0, x, y, 1, 1);
  return static_cast<std::int32_t>(Colour::fromPixel(one.row(0)[0]).value());
}

bool SetPixelV(DeviceContext& dc, std::int32_t x, std::int32_t y, Colour colour) {
  Surface* surface = dc.surface();
  if (surface == nullptr || !surface->contains(x, y)) return false;
  surface->row(y)[x] = colour.pixel();
  return true;
}

}  // namespace kepa
