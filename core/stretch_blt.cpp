#include "core/stretch_blt.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/block_copy.h"
#include "core/geometry.h"
#include "core/row_bands.h"

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

// Gathers one destination row from its source row through a column map. The map is
// monotone, so the columns without a source are a prefix and a suffix, and the columns
// between them fall into runs that read one source column each.
class RowGather {
 public:
  explicit RowGather(const std::vector<std::int64_t>& columnOf) : count_(columnOf.size()) {
    while (validBegin_ < count_ && columnOf[validBegin_] < 0)
      ++validBegin_;
    validEnd_ = validBegin_;
    while (validEnd_ < count_ && columnOf[validEnd_] >= 0)
      ++validEnd_;
    std::size_t longest = 0;
    for (std::size_t c = validBegin_; c < validEnd_; ++c) {
      const auto column = static_cast<std::uint32_t>(columnOf[c]);
      if (runStart_.empty() || column != runSource_.back()) {
        if (!runStart_.empty()) longest = std::max(longest, c - runStart_.back());
        runSource_.push_back(column);
        runStart_.push_back(static_cast<std::uint32_t>(c));
      }
    }
    if (!runStart_.empty()) longest = std::max(longest, validEnd_ - runStart_.back());
    // An enlargement of up to four times writes each run with four stores at once; the later
    // runs overwrite what an earlier one wrote beyond its end.
    byRuns_ = longest >= 2 && longest <= kRunStores;
    if (!byRuns_) {
      columnIndex_.reserve(validEnd_ - validBegin_);
      for (std::size_t c = validBegin_; c < validEnd_; ++c)
        columnIndex_.push_back(static_cast<std::uint32_t>(columnOf[c]));
    }
  }

  void operator()(const std::uint32_t* in, std::uint32_t* into) const {
    std::fill(into, into + validBegin_, kBlackPixel);
    if (byRuns_) {
      const std::size_t runs = runStart_.size();
      std::size_t k = 0;
      for (; k < runs && runStart_[k] + kRunStores <= validEnd_; ++k) {
        const std::uint32_t v = in[runSource_[k]];
        std::uint32_t* at = into + runStart_[k];
        for (std::size_t i = 0; i < kRunStores; ++i)
          at[i] = v;
      }
      for (; k < runs; ++k) {
        const std::size_t end = k + 1 < runs ? runStart_[k + 1] : validEnd_;
        std::fill(into + runStart_[k], into + end, in[runSource_[k]]);
      }
    } else {
      std::uint32_t* at = into + validBegin_;
      for (std::size_t i = 0; i < columnIndex_.size(); ++i)
        at[i] = in[columnIndex_[i]];
    }
    std::fill(into + validEnd_, into + count_, kBlackPixel);
  }

 private:
  static constexpr std::size_t kRunStores = 4;
  std::size_t count_;
  std::size_t validBegin_ = 0;
  std::size_t validEnd_ = 0;
  bool byRuns_ = false;
  std::vector<std::uint32_t> runSource_;
  std::vector<std::uint32_t> runStart_;
  std::vector<std::uint32_t> columnIndex_;
};

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

  const RowGather gather(columnOf);
  const auto count = static_cast<std::size_t>(cols.length());

  // One destination row is gathered from its source row, then combined; consecutive
  // destination rows that read the same source row reuse the gathered row.
  // A shrinking row reads from a source row as wide as sw, which its memory traffic follows.
  const std::int64_t rowCost = std::max<std::int64_t>(cols.length(), sw);
  forEachRowBand(rows.begin, rows.end, rowCost, [&](std::int64_t first, std::int64_t last) {
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
        gather(source.row(srcRow), direct ? out : gathered.data());
        gatheredRow = srcRow;
      }
      if (!direct) combineRow(op, out, gathered.data(), count);
      previousOut = out;
    }
  });
  return true;
}

}  // namespace kepa
