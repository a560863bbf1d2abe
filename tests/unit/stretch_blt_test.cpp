// Stretched block copies, and the row bands that split large copies across cores.
#include "core/stretch_blt.h"

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/row_bands.h"
#include "pixel_testing.h"

namespace kepa {
namespace {

using testing::coloursOf;
using testing::surfaceOf;

// The colour of pixel (x, y) of a numbered surface: every pixel distinct.
std::uint32_t numberOf(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>((x + 1) + 256 * (y + 1));
}

Surface numbered(std::int32_t width, std::int32_t height) {
  std::vector<std::uint32_t> colours;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x)
      colours.push_back(numberOf(x, y));
  }
  return surfaceOf(width, height, colours);
}

TEST(StretchBlt, SourceIndexesPerAxisWithoutBlending) {
  // Destination index -> source index, written out for each pair of extents.
  const struct {
    std::int32_t source;
    std::int32_t dest;
    std::vector<std::int32_t> picks;
  } cases[] = {
      {9, 3, {0, 3, 6}},              // shrink by 3: keep every third
      {10, 3, {0, 4, 7}},             // cells [0,3.33) [3.33,6.67) [6.67,10): first whole pixel
      {5, 2, {0, 3}},                 // cells [0,2.5) [2.5,5)
      {4, 4, {0, 1, 2, 3}},           // same size: a plain copy
      {2, 3, {0, 0, 1}},              // enlarge: i * 2 div 3
      {3, 7, {0, 0, 0, 1, 1, 2, 2}},  // i * 3 div 7
      {1, 4, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    // Along a row in one mode, down a column in the other.
    for (const bool rows : {false, true}) {
      Surface source = rows ? numbered(1, c.source) : numbered(c.source, 1);
      Surface dest = rows ? Surface(1, c.dest) : Surface(c.dest, 1);
      DeviceContext to(dest);
      if (!rows) to.setStretchMode(StretchMode::COLORONCOLOR);
      StretchBlt(to, 0, 0, dest.width(), dest.height(), DeviceContext(source), 0, 0, source.width(),
                 source.height(), RasterOp::SRCCOPY);
      std::vector<std::uint32_t> expected;
      for (const std::int32_t pick : c.picks)
        expected.push_back(rows ? numberOf(0, pick) : numberOf(pick, 0));
      EXPECT_EQ(coloursOf(dest), expected) << c.source << " -> " << c.dest << (rows ? " rows" : "");
    }
  }
}

TEST(StretchBlt, ClipsTheDestinationReadsBlackOutsideAndCombines) {
  Surface source = surfaceOf(2, 1, {0x0000FF, 0x00FF00});
  // Source block starting one pixel left of the source: its first pixel is black.
  Surface dest(4, 1, Colour(0xFFFFFF).pixel());
  DeviceContext to(dest);
  StretchBlt(to, 0, 0, 6, 1, DeviceContext(source), -1, 0, 3, 1, RasterOp::SRCCOPY);
  // Destination 0..5 reads source -1,-1,0,0,1,1; only 0..3 exist.
  EXPECT_EQ(coloursOf(dest), (std::vector<std::uint32_t>{0, 0, 0x0000FF, 0x0000FF}));

  Surface anded(2, 2, Colour(0x0F0F0F).pixel());
  DeviceContext andedDc(anded);
  StretchBlt(andedDc, -1, -1, 3, 3, DeviceContext(source), 0, 0, 1, 1, RasterOp::SRCAND);
  EXPECT_EQ(coloursOf(anded), std::vector<std::uint32_t>(4, 0x00000F));

  // Zero or negative extents copy nothing.
  Surface untouched(2, 2, Colour(0x123456).pixel());
  DeviceContext untouchedDc(untouched);
  StretchBlt(untouchedDc, 0, 0, -2, 2, DeviceContext(source), 0, 0, 2, 1, RasterOp::SRCCOPY);
  StretchBlt(untouchedDc, 0, 0, 2, 2, DeviceContext(source), 0, 0, 0, 1, RasterOp::SRCCOPY);
  StretchBlt(untouchedDc, 0, 0, 2, 2, DeviceContext(source), 2, 0, -2, 1, RasterOp::SRCCOPY);
  EXPECT_EQ(coloursOf(untouched), std::vector<std::uint32_t>(4, 0x123456));
}

TEST(StretchBlt, WithinOneSurfaceAndFromTheScreenReadTheSourceFirst) {
  Surface surface = surfaceOf(4, 1, {1, 2, 3, 4});
  DeviceContext dc(surface);
  StretchBlt(dc, 0, 0, 4, 1, dc, 0, 0, 2, 1, RasterOp::SRCCOPY);
  EXPECT_EQ(coloursOf(surface), (std::vector<std::uint32_t>{1, 1, 2, 2}));

  Surface pixels = numbered(3, 3);
  testing::ScreenOf screen(pixels);
  Surface dest(2, 2);
  DeviceContext to(dest);
  StretchBlt(to, 0, 0, 2, 2, DeviceContext(screen), 1, 1, 4, 4, RasterOp::SRCCOPY);
  // Source indexes 1 + ceil(0) = 1 and 1 + ceil(2) = 3 (off the 3 x 3 screen: black).
  EXPECT_EQ(coloursOf(dest), (std::vector<std::uint32_t>{numberOf(1, 1), 0, 0, 0}));
}

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
  const auto colour = [](std::int32_t x, std::int32_t y) {
    return x < 0 || y < 0 ? 0U : static_cast<std::uint32_t>(x * 7 + y * 131) & 0xFFFFFFU;
  };
  Surface source(1201, 1003);
  for (std::int32_t y = 0; y < 1003; ++y) {
    for (std::int32_t x = 0; x < 1201; ++x)
      source.row(y)[x] = Colour(colour(x, y)).pixel();
  }
  // One column and one row to the left of and above the source: those read black.
  Surface dest(1201, 1003, Colour(0x0F0F0F).pixel());
  DeviceContext to(dest);
  BitBlt(to, 0, 0, 1201, 1003, DeviceContext(source), -1, -1, RasterOp::SRCINVERT);
  for (std::int32_t y = 0; y < 1003; ++y) {
    for (std::int32_t x = 0; x < 1201; ++x)
      ASSERT_EQ(Colour::fromPixel(dest.row(y)[x]).value(), colour(x - 1, y - 1) ^ 0x0F0F0FU);
  }
  // Halving in both directions keeps every other row and column.
  Surface shrunk(600, 500);
  DeviceContext shrunkDc(shrunk);
  shrunkDc.setStretchMode(StretchMode::COLORONCOLOR);
  StretchBlt(shrunkDc, 0, 0, 600, 500, DeviceContext(source), 0, 0, 1200, 1000, RasterOp::SRCCOPY);
  for (std::int32_t y = 0; y < 500; ++y) {
    for (std::int32_t x = 0; x < 600; ++x)
      ASSERT_EQ(Colour::fromPixel(shrunk.row(y)[x]).value(), colour(2 * x, 2 * y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace kepa
