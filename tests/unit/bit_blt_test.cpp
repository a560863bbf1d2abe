#include "core/bit_blt.h"

#include <limits>

#include <gtest/gtest.h>

#include "pixel_testing.h"

namespace kepa {
namespace {

using testing::byChannel;
using testing::coloursOf;
using testing::kRules;
using testing::OpRule;
using testing::surfaceOf;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// A 3 x 2 source and a 4 x 3 destination of distinct colours, extremes among them.
const std::vector<std::uint32_t> kSource = {0x5AF012, 0x000000, 0xFFFFFF,
                                            0x808044, 0x0000FF, 0x123456};
const std::vector<std::uint32_t> kDest = {0x660FC3, 0xFFFFFF, 0x000000, 0x7F7FBB,
                                          0xFF0000, 0xABCDEF, 0x102030, 0x405060,
                                          0x708090, 0xA0B0C0, 0x0F0F0F, 0x3C5A96};

struct Block {
  std::int32_t x, y, w, h, sx, sy;
};
const Block kBlocks[] = {
    {0, 0, 3, 2, 0, 0},        // inside both
    {1, 1, 3, 2, 0, 0},        // to the bottom right: off the destination's last column
    {-1, -1, 3, 3, 0, 0},      // off the destination's top left
    {0, 0, 4, 1, -1, 0},       // the first and last source columns off the source
    {0, 0, 4, 3, -1, 1},       // off the source's left and bottom
    {0, 0, 4, 3, 9, 9},        // nothing on the source: all black
    {0, 0, 2, 2, kMax, kMin},  // extreme source coordinates
    {4, 0, 2, 2, 0, 0},        // nothing on the destination
    {0, 0, 0, 3, 0, 0},        // empty
    {0, 0, -3, 2, 0, 0},       // negative
    {kMin, 0, kMax, 2, 0, 0}, {kMax, 0, kMax, 2, 0, 0},
};

// What the destination holds after the block is combined onto `before`: source pixels off the
// source read black, destination pixels off the block keep `before`.
std::vector<std::uint32_t> expectedAfter(const OpRule& rule, const Block& b,
                                         const std::vector<std::uint32_t>& before) {
  std::vector<std::uint32_t> expected;
  for (std::int64_t y = 0; y < 3; ++y) {
    for (std::int64_t x = 0; x < 4; ++x) {
      const std::uint32_t d = before[static_cast<std::size_t>(y * 4 + x)];
      const std::int64_t i = x - b.x;
      const std::int64_t j = y - b.y;
      if (i < 0 || j < 0 || i >= b.w || j >= b.h) {
        expected.push_back(d);
        continue;
      }
      const std::int64_t sx = b.sx + i;
      const std::int64_t sy = b.sy + j;
      const bool onSource = sx >= 0 && sy >= 0 && sx < 3 && sy < 2;
      expected.push_back(
          byChannel(rule, onSource ? kSource[static_cast<std::size_t>(sy * 3 + sx)] : 0, d));
    }
  }
  return expected;
}

TEST(BitBlt, EveryOperationAndClipFromASurfaceOrTheScreenAlsoAfterAFill) {
  Surface pixels = surfaceOf(3, 2, kSource);
  testing::ScreenOf screen(pixels);
  constexpr std::uint32_t kFill = 0x3C5A96;
  for (const OpRule& rule : kRules) {
    for (const Block& b : kBlocks) {
      for (const bool fromScreen : {false, true}) {
        const DeviceContext source = fromScreen ? DeviceContext(screen) : DeviceContext(pixels);
        SCOPED_TRACE(::testing::Message()
                     << rule.name << " at " << b.x << "," << b.y << " " << b.w << "x" << b.h
                     << " from " << b.sx << "," << b.sy << (fromScreen ? " (screen)" : ""));
        Surface dest = surfaceOf(4, 3, kDest);
        DeviceContext to(dest);
        screen.grabs = 0;
        EXPECT_TRUE(BitBlt(to, b.x, b.y, b.w, b.h, source, b.sx, b.sy, rule.op));
        EXPECT_EQ(coloursOf(dest), expectedAfter(rule, b, kDest));
        EXPECT_LE(screen.grabs, 1);  // the on-screen part in one grab
        // Filled first, then combined in the same pass.
        EXPECT_TRUE(
            FillAndBitBlt(to, Colour(kFill), b.x, b.y, b.w, b.h, source, b.sx, b.sy, rule.op));
        EXPECT_EQ(coloursOf(dest), expectedAfter(rule, b, std::vector<std::uint32_t>(12, kFill)));
        for (std::int32_t y = 0; y < 3; ++y) {
          for (std::int32_t x = 0; x < 4; ++x)
            ASSERT_EQ(dest.row(y)[x] >> 24U, 0xFFU);
        }
      }
    }
  }
}

TEST(BitBlt, WithinOneSurfaceReadsBeforeWriting) {
  Surface row = surfaceOf(5, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  DeviceContext dc(row);
  BitBlt(dc, 1, 0, 4, 2, dc, 0, 0, RasterOp::SRCCOPY);  // one to the right
  EXPECT_EQ(coloursOf(row), (std::vector<std::uint32_t>{1, 1, 2, 3, 4, 6, 6, 7, 8, 9}));
  BitBlt(dc, 0, 0, 5, 1, dc, 0, 1, RasterOp::SRCINVERT);  // row 1 into row 0
  EXPECT_EQ(coloursOf(row),
            (std::vector<std::uint32_t>{1 ^ 6, 1 ^ 6, 2 ^ 7, 3 ^ 8, 4 ^ 9, 6, 6, 7, 8, 9}));
  Surface block = surfaceOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  DeviceContext blockDc(block);
  BitBlt(blockDc, 0, 0, 2, 2, blockDc, 1, 1, RasterOp::SRCCOPY);  // up and left
  EXPECT_EQ(coloursOf(block), (std::vector<std::uint32_t>{5, 6, 3, 8, 9, 6, 7, 8, 9}));
  // Filling first means the copy reads the fill where source and destination are one surface.
  Surface filled = surfaceOf(3, 1, {1, 2, 3});
  DeviceContext filledDc(filled);
  FillAndBitBlt(filledDc, Colour(0x0F0F0F), 0, 0, 2, 1, filledDc, 1, 0, RasterOp::SRCINVERT);
  EXPECT_EQ(coloursOf(filled), (std::vector<std::uint32_t>{0, 0, 0x0F0F0F}));
}

TEST(BitBlt, RefusesWhatCannotBeDrawnAndUnknownOperations) {
  Surface surface(2, 2);
  DeviceContext dc(surface);
  DeviceContext none;
  testing::ScreenOf screen(surface);
  DeviceContext screenDc(screen);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 2, 2, none, 0, 0, RasterOp::SRCCOPY));
  EXPECT_FALSE(BitBlt(none, 0, 0, 2, 2, dc, 0, 0, RasterOp::SRCCOPY));
  EXPECT_FALSE(BitBlt(screenDc, 0, 0, 2, 2, dc, 0, 0, RasterOp::SRCCOPY));
  EXPECT_THROW(BitBlt(dc, 0, 0, 2, 2, dc, 0, 0, static_cast<RasterOp>(0x00AA0029)),
               std::invalid_argument);
}

TEST(PixelAccess, GetPixelGivesMinusOneOutsideAndSetPixelVDropsOutside) {
  Surface surface = surfaceOf(2, 2, {0x010203, 0x040506, 0x070809, 0xFFFFFF});
  DeviceContext dc(surface);
  EXPECT_EQ(GetPixel(dc, 0, 0), 0x010203);
  EXPECT_EQ(GetPixel(dc, 1, 1), 0xFFFFFF);
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {kMin, 0}}) {
    EXPECT_EQ(GetPixel(dc, x, y), -1) << x << "," << y;
    EXPECT_FALSE(SetPixelV(dc, x, y, Colour(0xABCDEF)));
  }
  EXPECT_EQ(GetPixel(DeviceContext(), 0, 0), -1);
  EXPECT_TRUE(SetPixelV(dc, 1, 0, Colour(0x00FF00)));
  EXPECT_EQ(coloursOf(surface),
            (std::vector<std::uint32_t>{0x010203, 0x00FF00, 0x070809, 0xFFFFFF}));
  Surface pixels = surfaceOf(1, 1, {0x332211});
  testing::ScreenOf screen(pixels);
  EXPECT_EQ(GetPixel(DeviceContext(screen), 0, 0), 0x332211);
  EXPECT_EQ(GetPixel(DeviceContext(screen), 1, 0), -1);
}

}  // namespace
}  // namespace kepa
