#include "platform/stretch_blt.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/block_copy.h"
#include "platform/geometry.h"
#include "platform/row_bands.h"

namespace kepa {

namespace {

// Source index (relative to the scratch origin) of every clipped destination index, or -1
// where the source index lies outside the readable source.
std::vector<std::int64_t> indexMap(Span clipped, std::int64_t destStart, std::int64_t destExtent,
                                   std::int64_t sourceStart, std::int64_t sourceExtent,
                                   std::int64_t origin, std::int64_t limit) {
  std::vector<std::int64_t> map(static_cast<std::size_t>(clipped.length()));
  for (std::int64_t d = clipped.begin; d < clipped.end; ++d) {
    const std::int64_t s =
        sourceStart + stretchSourceIndex(d - destStart, sourceExtent, destExtent) - origin;
    map[static_cast<std::size_t>(d - clipped.begin)] = (s >= 0 && s < limit) ? s : -1;
  }
  return map;
}

}  // namespace

bool StretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                const DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                std::int32_t sh, RasterOp op) {
  if (!isKnownRasterOp(op)) throw std::invalid_argument("unknown raster operation");
  Surface* target = dst.surface();
  if (target == nullptr || src.isNull()) return false;
  if (sw <= 0 || sh <= 0) return true;
  const Span cols = clipSpan(x, w, target->width());
  const Span rows = clipSpan(y, h, target->height());
  if (cols.empty() || rows.empty()) return true;

  const Span srcCols{sx, std::int64_t{sx} + sw};
  const Span srcRows{sy, std::int64_t{sy} + sh};
  detail::SourceBlock block = detail::readSource(src, srcCols, srcRows);
  if (block.external == target) {
    // Stretching within one surface: read the source block before writing anything.
    const Span onCols = clipSpan(sx, sw, target->width());
    const Span onRows = clipSpan(sy, sh, target->height());
    block.external = nullptr;
    block.originX = onCols.begin;
    block.originY = onRows.begin;
    block.scratch = Surface(static_cast<std::int32_t>(onCols.length()),
                            static_cast<std::int32_t>(onRows.length()));
    detail::combineBlock(block.scratch, {0, block.scratch.width()}, {0, block.scratch.height()},
                         *target, onCols.begin, onRows.begin, RasterOp::SRCCOPY);
  }
  const Surface& source = block.surface();
  const std::vector<std::int64_t> columnOf =
      indexMap(cols, x, w, sx, sw, block.originX, source.width());
  const std::vector<std::int64_t> rowOf =
      indexMap(rows, y, h, sy, sh, block.originY, source.height());

  // The map is monotone, so the columns without a source are a prefix and a suffix; the
  // gather loop runs over the columns between them with 32-bit indices.
  const auto count = static_cast<std::size_t>(cols.length());
  std::size_t validBegin = 0;
  while (validBegin < count && columnOf[validBegin] < 0)
    ++validBegin;
  std::size_t validEnd = validBegin;
  std::vector<std::uint32_t> columnIndex(count);
  while (validEnd < count && columnOf[validEnd] >= 0) {
    columnIndex[validEnd] = static_cast<std::uint32_t>(columnOf[validEnd]);
    ++validEnd;
  }

  // One destination row is gathered from its source row, then combined; consecutive
  // destination rows that read the same source row reuse the gathered row.
  forEachRowBand(rows.begin, rows.end, cols.length(), [&](std::int64_t first, std::int64_t last) {
    std::vector<std::uint32_t> gathered(count);
    std::int64_t gatheredRow = -2;
    const std::uint32_t* previousOut = nullptr;
    for (std::int64_t r = first; r < last; ++r) {
      std::uint32_t* out = target->row(r) + cols.begin;
      const std::int64_t srcRow = rowOf[static_cast<std::size_t>(r - rows.begin)];
      if (srcRow < 0) {
        combineRowWith(op, out, kBlackPixel, count);
        previousOut = nullptr;
        continue;
      }
      if (srcRow == gatheredRow && op == RasterOp::SRCCOPY && previousOut != nullptr) {
        combineRow(op, out, previousOut, count);
        previousOut = out;
        continue;
      }
      // A plain copy gathers straight into the destination row (the source is never the
      // target here); other operations gather first and then combine.
      const bool direct = op == RasterOp::SRCCOPY;
      if (srcRow != gatheredRow || direct) {
        const std::uint32_t* in = source.row(srcRow);
        std::uint32_t* into = direct ? out : gathered.data();
        std::fill(into, into + validBegin, kBlackPixel);
        for (std::size_t c = validBegin; c < validEnd; ++c) {
          into[c] = in[columnIndex[c]];
        }
        std::fill(into + validEnd, into + count, kBlackPixel);
        gatheredRow = srcRow;
      }
      if (!direct) combineRow(op, out, gathered.data(), count);
      previousOut = out;
    }
  });
  return true;
}

}  // namespace kepa
