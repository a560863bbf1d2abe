#include "platform/bit_blt.h"

#include <limits>

#include <gtest/gtest.h>

#include "pixel_testing.h"

namespace kepa {
namespace {

using testing::coloursOf;
using testing::surfaceOf;

// Each operation's rule on one 8-bit channel, NOT being 255 - v.
struct OpRule {
  RasterOp op;
  const char* name;
  int (*channel)(int s, int d);
};

const OpRule kRules[] = {
    {RasterOp::SRCCOPY, "SRCCOPY", [](int s, int) { return s; }},
    {RasterOp::SRCAND, "SRCAND", [](int s, int d) { return s & d; }},
    {RasterOp::SRCPAINT, "SRCPAINT", [](int s, int d) { return s | d; }},
    {RasterOp::NOTSRCCOPY, "NOTSRCCOPY", [](int s, int) { return 255 - s; }},
    {RasterOp::SRCINVERT, "SRCINVERT", [](int s, int d) { return s ^ d; }},
    {RasterOp::SRCERASE, "SRCERASE", [](int s, int d) { return s & (255 - d); }},
    {RasterOp::NOTSRCERASE, "NOTSRCERASE", [](int s, int d) { return 255 - (s | d); }},
    {RasterOp::MERGEPAINT, "MERGEPAINT", [](int s, int d) { return (255 - s) | d; }},
};

std::uint32_t byChannel(const OpRule& rule, std::uint32_t s, std::uint32_t d) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int channel =
        rule.channel(static_cast<int>((s >> shift) & 0xFF), static_cast<int>((d >> shift) & 0xFF));
    result |= static_cast<std::uint32_t>(channel) << shift;
  }
  return result;
}

const std::vector<std::uint32_t> kSource = {0x5AF012, 0x000000, 0xFFFFFF,
                                            0x808044, 0x0000FF, 0x123456};
const std::vector<std::uint32_t> kDest = {0x660FC3, 0xFFFFFF, 0x000000,
                                          0x7F7FBB, 0xFF0000, 0xABCDEF};

TEST(BitBlt, EveryRasterOperationCombinesEachChannelByItsRule) {
  for (const OpRule& rule : kRules) {
    Surface source = surfaceOf(3, 2, kSource);
    Surface dest = surfaceOf(3, 2, kDest);
    DeviceContext to(dest);
    ASSERT_TRUE(BitBlt(to, 0, 0, 3, 2, DeviceContext(source), 0, 0, rule.op));
    std::vector<std::uint32_t> expected;
    for (std::size_t i = 0; i < kSource.size(); ++i) {
      expected.push_back(byChannel(rule, kSource[i], kDest[i]));
    }
    EXPECT_EQ(coloursOf(dest), expected) << rule.name;
    for (std::int32_t y = 0; y < 2; ++y) {
      for (std::int32_t x = 0; x < 3; ++x)
        EXPECT_EQ(dest.row(y)[x] >> 24U, 0xFFU) << rule.name;
    }
  }
}

TEST(BitBlt, ReadsOutsideTheSourceAreBlackForEveryOperation) {
  for (const OpRule& rule : kRules) {
    Surface source = surfaceOf(2, 1, {0x010203, 0x040506});
    Surface dest = surfaceOf(4, 1, {0x102030, 0x405060, 0x708090, 0xA0B0C0});
    DeviceContext to(dest);
    // Source columns -1 .. 2: the first and the last lie outside the 2-pixel source.
    BitBlt(to, 0, 0, 4, 1, DeviceContext(source), -1, 0, rule.op);
    const std::vector<std::uint32_t> expected = {
        byChannel(rule, 0x000000, 0x102030), byChannel(rule, 0x010203, 0x405060),
        byChannel(rule, 0x040506, 0x708090), byChannel(rule, 0x000000, 0xA0B0C0)};
    EXPECT_EQ(coloursOf(dest), expected) << rule.name;
  }
}

TEST(BitBlt, WritesOnlyInsideTheDestination) {
  Surface source(5, 5, Colour(0x0000FF).pixel());
  const struct {
    std::int32_t x, y, w, h;
    std::vector<std::uint32_t> expected;  // 3 x 2 destination, 0 untouched, 0xFF written
  } cases[] = {
      {-1, -1, 2, 2, {0xFF, 0, 0, 0, 0, 0}},
      {2, 1, 5, 5, {0, 0, 0, 0, 0, 0xFF}},
      {1, 0, 1, 2, {0, 0xFF, 0, 0, 0xFF, 0}},
      {3, 0, 4, 4, {0, 0, 0, 0, 0, 0}},
      {0, 0, 0, 5, {0, 0, 0, 0, 0, 0}},
      {0, 0, -3, 2, {0, 0, 0, 0, 0, 0}},
      {std::numeric_limits<std::int32_t>::min(),
       0,
       std::numeric_limits<std::int32_t>::max(),
       2,
       {0, 0, 0, 0, 0, 0}},
      {std::numeric_limits<std::int32_t>::max(),
       0,
       std::numeric_limits<std::int32_t>::max(),
       2,
       {0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Surface dest(3, 2);
    DeviceContext to(dest);
    EXPECT_TRUE(BitBlt(to, c.x, c.y, c.w, c.h, DeviceContext(source), 0, 0, RasterOp::SRCCOPY));
    EXPECT_EQ(coloursOf(dest), c.expected) << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
}

TEST(BitBlt, ExtremeSourceCoordinatesReadBlack) {
  Surface source(4, 4, Colour(0xFFFFFF).pixel());
  Surface dest(2, 2, Colour(0x123456).pixel());
  DeviceContext to(dest);
  BitBlt(to, 0, 0, 2, 2, DeviceContext(source), std::numeric_limits<std::int32_t>::max(),
         std::numeric_limits<std::int32_t>::min(), RasterOp::SRCPAINT);
  EXPECT_EQ(coloursOf(dest), std::vector<std::uint32_t>(4, 0x123456));
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceReadsBeforeWriting) {
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
}

TEST(BitBlt, CopiesFromTheScreenInOneGrabAndBlackBeyondIt) {
  Surface pixels = surfaceOf(3, 2, kSource);
  testing::ScreenOf screen(pixels);
  Surface dest(3, 2, Colour(0x777777).pixel());
  DeviceContext to(dest);
  ASSERT_TRUE(BitBlt(to, 0, 0, 3, 2, DeviceContext(screen), 0, 0, RasterOp::SRCCOPY));
  EXPECT_EQ(coloursOf(dest), kSource);
  EXPECT_EQ(screen.grabs, 1);

  // Half off the screen: the off-screen column and row are black.
  BitBlt(to, 0, 0, 3, 2, DeviceContext(screen), 1, 1, RasterOp::SRCCOPY);
  EXPECT_EQ(coloursOf(dest), (std::vector<std::uint32_t>{kSource[4], kSource[5], 0, 0, 0, 0}));

  // Another operation combines the grabbed pixels with the destination.
  Surface dest2 = surfaceOf(3, 2, kDest);
  DeviceContext to2(dest2);
  BitBlt(to2, 0, 0, 3, 2, DeviceContext(screen), 0, 0, RasterOp::SRCAND);
  std::vector<std::uint32_t> expected;
  for (std::size_t i = 0; i < kSource.size(); ++i)
    expected.push_back(kSource[i] & kDest[i]);
  EXPECT_EQ(coloursOf(dest2), expected);
}

TEST(FillAndBitBlt, GivesTheFillThenTheCopyForEveryOperationAndClip) {
  // 3 x 2 source; 4 x 3 destination filled with F, then the block combined onto F, with
  // source pixels off the source reading black and the rest of the destination left at F.
  Surface source = surfaceOf(3, 2, kSource);
  constexpr std::uint32_t kFill = 0x3C5A96;
  const struct {
    std::int32_t x, y, w, h, sx, sy;
  } blocks[] = {
      {0, 0, 3, 2, 0, 0},    // inside both
      {1, 1, 3, 2, 0, 0},    // to the bottom right: the last column and row only
      {-1, -1, 3, 3, 0, 0},  // off the destination's top left
      {0, 0, 4, 3, -1, 1},   // reading off the source's left and bottom
      {0, 0, 4, 3, 9, 9},    // nothing on the source
      {4, 0, 2, 2, 0, 0},    // nothing on the destination
      {0, 0, 0, 3, 0, 0},    // empty
  };
  for (const OpRule& rule : kRules) {
    for (const auto& b : blocks) {
      std::vector<std::uint32_t> expected;
      for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) {
          const std::int32_t i = x - b.x;
          const std::int32_t j = y - b.y;
          if (i < 0 || j < 0 || i >= b.w || j >= b.h) {
            expected.push_back(kFill);
            continue;
          }
          const std::int32_t sx = b.sx + i;
          const std::int32_t sy = b.sy + j;
          const bool onSource = sx >= 0 && sy >= 0 && sx < 3 && sy < 2;
          expected.push_back(byChannel(
              rule, onSource ? kSource[static_cast<std::size_t>(sy * 3 + sx)] : 0, kFill));
        }
      }
      Surface dest(4, 3, Colour(0x010101).pixel());
      DeviceContext to(dest);
      EXPECT_TRUE(FillAndBitBlt(to, Colour(kFill), b.x, b.y, b.w, b.h, DeviceContext(source), b.sx,
                                b.sy, rule.op));
      EXPECT_EQ(coloursOf(dest), expected) << rule.name << " at " << b.x << "," << b.y;
      for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
          EXPECT_EQ(dest.row(y)[x] >> 24U, 0xFFU) << rule.name;
    }
  }
}

TEST(FillAndBitBlt, WithinOneSurfaceReadsTheFilledPixels) {
  // Filling first means the copy reads the fill where source and destination are one surface.
  Surface surface = surfaceOf(3, 1, {1, 2, 3});
  DeviceContext dc(surface);
  FillAndBitBlt(dc, Colour(0x0F0F0F), 0, 0, 2, 1, dc, 1, 0, RasterOp::SRCINVERT);
  EXPECT_EQ(coloursOf(surface), (std::vector<std::uint32_t>{0, 0, 0x0F0F0F}));
}

TEST(BitBlt, RefusesWhatCannotBeDrawnAndUnknownOperations) {
  Surface surface(2, 2);
  DeviceContext dc(surface);
  DeviceContext none;
  Surface pixels(2, 2);
  testing::ScreenOf screen(pixels);
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
  for (const auto& [x, y] :
       {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {std::numeric_limits<std::int32_t>::min(), 0}}) {
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
