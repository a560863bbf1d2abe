#include "clip/selection.h"

#include <gtest/gtest.h>

#include "clip/cross_hair.h"
#include "clip/region_drop.h"

namespace kepa {
namespace {

TEST(CrossHair, DrawsExactlyTheListedPixels) {
  // The design's list: column 14 for rows 0-11 and 17-30, row 14 for columns 0-12 and
  // 16-30, and the ring around the hotspot; nothing else (the centre stays clear).
  bool expected[32][32] = {};
  for (int k = 0; k <= 30; ++k) {
    expected[k][14] = k <= 11 || k >= 17;
    expected[14][k] = k <= 12 || k >= 16;
  }
  const std::pair<int, int> ring[] = {{13, 12}, {14, 12}, {15, 12}, {12, 13}, {16, 13},
                                      {12, 15}, {16, 15}, {13, 16}, {14, 16}, {15, 16}};
  for (const auto& [column, row] : ring)
    expected[row][column] = true;
  const CrossHair cursor;
  for (int row = 0; row < 32; ++row) {
    for (int column = 0; column < 32; ++column)
      EXPECT_EQ(cursor.inverts(column, row), expected[row][column]) << column << "," << row;
  }
  EXPECT_EQ(CrossHair::kHotspot, (Point{14, 14}));
}

TEST(CrossHair, InvertsBeneathItselfAndUndoesItself) {
  Surface surface(40, 40, Colour(0x102030).pixel());
  const CrossHair cursor;
  cursor.invertOnto(surface, {20, 20});  // top-left of the bitmap at (6, 6)
  EXPECT_EQ(Colour::fromPixel(surface.row(6)[20]).value(), 0xEFDFCFU);   // column 14, row 0
  EXPECT_EQ(Colour::fromPixel(surface.row(20)[20]).value(), 0x102030U);  // the hotspot
  EXPECT_EQ(Colour::fromPixel(surface.row(18)[19]).value(), 0xEFDFCFU);  // ring (13, 12)
  EXPECT_EQ(surface.row(6)[20] >> 24U, 0xFFU);
  cursor.invertOnto(surface, {20, 20});
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(Colour::fromPixel(surface.row(y)[x]).value(), 0x102030U);
  }
  // At a corner, the part off the surface is skipped.
  cursor.invertOnto(surface, {0, 0});
  EXPECT_EQ(Colour::fromPixel(surface.row(0)[16 - 14]).value(), 0xEFDFCFU);  // row 14, col 16
  EXPECT_EQ(Colour::fromPixel(surface.row(3)[0]).value(), 0xEFDFCFU);        // col 14, row 17
  cursor.invertOnto(surface, {-1000, 1 << 30});
}

TEST(Selection, FrameSizeFollowsTheFiveDragCases) {
  const struct {
    double x, y;
    std::optional<FrameSize> size;
  } cases[] = {
      {90, 40, FrameSize{0, 0}},     // left and above
      {90, 70, FrameSize{0, 20}},    // left, below: height without the +1
      {90, 50, FrameSize{0, 0}},     // left, on the press row
      {130, 40, FrameSize{30, 0}},   // right, above: width without the +1
      {100, 40, FrameSize{0, 0}},    // on the press column, above
      {130, 70, FrameSize{31, 21}},  // right and below: press and cursor pixels included
      {101, 51, FrameSize{2, 2}},
      {100, 70, std::nullopt},         // on the press column: keeps its size
      {130, 50, std::nullopt},         // on the press row
      {100, 50, std::nullopt},         // on the press point
      {100.5, 51.5, FrameSize{2, 2}},  // 1.5 rounds to 2 (even)
      {102.5, 53.5, FrameSize{4, 4}},  // 3.5 rounds to 4, 4.5 rounds to 4
      {89.5, 52.5, FrameSize{0, 2}},   // 2.5 rounds to 2
      {101.5, 49.5, FrameSize{2, 0}},  // 1.5 rounds to 2
  };
  for (const auto& c : cases)
    EXPECT_EQ(dragFrameSize(100, 50, c.x, c.y), c.size) << c.x << "," << c.y;
}

TEST(Selection, FrameColourIsTheComplementExceptOneGreyishBlue) {
  const struct {
    std::int32_t pixel;
    std::uint32_t colour;
  } cases[] = {{0x808044, 0xFFFFFA}, {0x808080, 0x7F7F7F}, {-1, 0xFFFFFE},
               {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x0000FF, 0xFFFF00},
               {0x808045, 0x7F7FBA}, {0x808043, 0x7F7FBC}};
  for (const auto& c : cases)
    EXPECT_EQ(selectionColour(c.pixel).value(), c.colour) << std::hex << c.pixel;
}

TEST(RegionDrop, CentresOnTheDropPointRoundingHalvesToEvenWithoutClamping) {
  const struct {
    float x, y;
    std::int32_t width, height;
    Point at;
  } cases[] = {
      {600, 400, 47, 33, {576, 384}},  // 576.5 -> 576, 383.5 -> 384
      {601, 401, 47, 33, {578, 384}},  // 577.5 -> 578, 384.5 -> 384
      {600, 400, 48, 34, {576, 383}},
      {1020, 2, 47, 33, {996, -14}},   // partly off the window, kept there
      {10, 10, 1001, 33, {-490, -6}},  // -490.5 -> -490
  };
  for (const auto& c : cases)
    EXPECT_EQ(dropPosition(c.x, c.y, c.width, c.height), c.at) << c.x << "," << c.y;
}

}  // namespace
}  // namespace kepa
