#include "platform/row_bands.h"

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "pixel_testing.h"
#include "platform/stretch_blt.h"

namespace kepa {
namespace {

TEST(RowBands, CoverEveryRowExactlyOnceSmallOrLarge) {
  const struct {
    std::int64_t begin, end, pixelsPerRow;
  } cases[] = {{0, 0, 100},     {0, 1, kParallelPixels}, {5, 9, 10},
               {0, 2160, 3840}, {-3, 1000, 2000},        {0, 3, kParallelPixels}};
  for (const auto& c : cases) {
    std::vector<std::atomic<int>> seen(
        static_cast<std::size_t>(std::max<std::int64_t>(0, c.end - c.begin)));
    std::mutex lock;
    std::set<std::thread::id> threads;
    forEachRowBand(c.begin, c.end, c.pixelsPerRow, [&](std::int64_t first, std::int64_t last) {
      {
        const std::lock_guard<std::mutex> guard(lock);
        threads.insert(std::this_thread::get_id());
      }
      for (std::int64_t r = first; r < last; ++r)
        ++seen[static_cast<std::size_t>(r - c.begin)];
    });
    for (const auto& count : seen)
      EXPECT_EQ(count.load(), 1) << c.begin << ".." << c.end;
    const bool large =
        (c.end - c.begin) >= 2 && (c.end - c.begin) * c.pixelsPerRow >= kParallelPixels;
    if (!large) {
      EXPECT_LE(threads.size(), 1U) << c.begin << ".." << c.end;
    } else if (std::thread::hardware_concurrency() > 1) {
      EXPECT_GT(threads.size(), 1U) << c.begin << ".." << c.end;
    }
  }
}

// Blocks large enough to be split across cores give the same pixels as the rule.
TEST(RowBands, LargeBlockCopiesFollowTheRules) {
  constexpr std::int32_t kWidth = 1201;
  constexpr std::int32_t kHeight = 1003;
  Surface source(kWidth, kHeight);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      source.row(y)[x] = Colour(static_cast<std::uint32_t>(x * 7 + y * 131) & 0xFFFFFFU).pixel();
    }
  }
  Surface dest(kWidth, kHeight, Colour(0x0F0F0F).pixel());
  DeviceContext to(dest);
  // One column and one row to the left of and above the source: those read black.
  BitBlt(to, 0, 0, kWidth, kHeight, DeviceContext(source), -1, -1, RasterOp::SRCINVERT);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      const std::uint32_t s =
          x == 0 || y == 0 ? 0
                           : static_cast<std::uint32_t>((x - 1) * 7 + (y - 1) * 131) & 0xFFFFFFU;
      ASSERT_EQ(Colour::fromPixel(dest.row(y)[x]).value(), s ^ 0x0F0F0FU) << x << "," << y;
    }
  }

  // Halving in both directions keeps every other row and column.
  Surface shrunk(600, 500);
  DeviceContext shrunkDc(shrunk);
  shrunkDc.setStretchMode(StretchMode::COLORONCOLOR);
  Surface big(1200, 1000);
  for (std::int32_t y = 0; y < 1000; ++y) {
    for (std::int32_t x = 0; x < 1200; ++x)
      big.row(y)[x] = Colour(static_cast<std::uint32_t>(x + 4096 * y)).pixel();
  }
  StretchBlt(shrunkDc, 0, 0, 600, 500, DeviceContext(big), 0, 0, 1200, 1000, RasterOp::SRCCOPY);
  for (std::int32_t y = 0; y < 500; ++y) {
    for (std::int32_t x = 0; x < 600; ++x) {
      ASSERT_EQ(Colour::fromPixel(shrunk.row(y)[x]).value(),
                static_cast<std::uint32_t>(2 * x + 4096 * 2 * y))
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace kepa
