#include "core/block_copy.h"

#include <algorithm>

#include "core/colour.h"
#include "core/row_bands.h"

namespace kepa::detail {

void combineBlock(Surface& target, Span cols, Span rows, const Surface& source,
                  std::int64_t srcLeft, std::int64_t srcTop, RasterOp op,
                  const std::uint32_t* destination) {
  const std::int64_t count = cols.length();
  // Columns [lead, inner) of the block have a source inside the source surface.
  const std::int64_t lead = std::clamp<std::int64_t>(-srcLeft, 0, count);
  const std::int64_t inner = std::clamp<std::int64_t>(source.width() - srcLeft, lead, count);
  // The pixels without a source read black.
  const auto black = [&](std::uint32_t* out, std::int64_t n) {
    if (destination != nullptr) {
      std::fill_n(out, n, combinePixel(op, kBlackPixel, *destination));
    } else {
      combineRowWith(op, out, kBlackPixel, static_cast<std::size_t>(n));
    }
  };
  forEachRowBand(rows.begin, rows.end, count, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t r = first; r < last; ++r) {
      std::uint32_t* out = target.row(r) + cols.begin;
      const std::int64_t srcRow = srcTop + (r - rows.begin);
      if (srcRow < 0 || srcRow >= source.height() || inner == lead) {
        black(out, count);
        continue;
      }
      black(out, lead);
      const std::uint32_t* in = source.row(srcRow) + srcLeft + lead;
      const auto n = static_cast<std::size_t>(inner - lead);
      if (destination != nullptr) {
        combineRowOnto(op, out + lead, in, *destination, n);
      } else {
        combineRow(op, out + lead, in, n);
      }
      black(out + inner, count - inner);
    }
  });
}

SourceBlock readSource(const DeviceContext& src, Span cols, Span rows) {
  SourceBlock block;
  if (src.surface() != nullptr) {
    block.external = src.surface();
    return block;
  }
  PixelSource& screen = *src.source();
  const Span onCols = clipSpan(cols.begin, cols.length(), screen.width());
  const Span onRows = clipSpan(rows.begin, rows.length(), screen.height());
  block.originX = onCols.begin;
  block.originY = onRows.begin;
  if (!onCols.empty() && !onRows.empty()) {
    block.scratch = Surface(static_cast<std::int32_t>(onCols.length()),
                            static_cast<std::int32_t>(onRows.length()));
    screen.copyTo(block.scratch, 0, 0, static_cast<std::int32_t>(onCols.begin),
                  static_cast<std::int32_t>(onRows.begin), block.scratch.width(),
                  block.scratch.height());
  }
  return block;
}

}  // namespace kepa::detail
