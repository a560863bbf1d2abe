// The rules of the clipping window (the cross-hair, the frame, the drop of the region image)
// and of the magnifier.
#include <limits>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "clip/cross_hair.h"
#include "clip/frame_shape.h"
#include "clip/region_drop.h"
#include "clip/selection.h"
#include "core/numeric.h"
#include "magnifier/zoom_rules.h"

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

// The parts of a frame that an inverting outline paints cover its edges, each pixel once.
TEST(FrameShape, DisjointEdgesCoverTheOutlineOnce) {
  for (const auto& [width, height] : {std::pair{1, 1}, {1, 5}, {5, 1}, {2, 2}, {3, 3}, {10, 4}}) {
    const FrameShape frame{3, 2, width, height, true};
    std::map<std::pair<int, int>, int> painted;
    for (const Rect& part : frame.disjointEdges()) {
      for (int y = part.y; y < part.y + part.height; ++y) {
        for (int x = part.x; x < part.x + part.width; ++x)
          ++painted[{x, y}];
      }
    }
    int outline = 0;
    for (int y = 2; y < 2 + height; ++y) {
      for (int x = 3; x < 3 + width; ++x) {
        const bool edge = x == 3 || y == 2 || x == 2 + width || y == 1 + height;
        outline += edge ? 1 : 0;
        const auto found = painted.find({x, y});
        EXPECT_EQ(found == painted.end() ? 0 : found->second, edge ? 1 : 0)
            << width << "x" << height << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(painted.size(), static_cast<std::size_t>(outline)) << width << "x" << height;
  }
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

TEST(ZoomRules, SourceSquareIsCentredOnThePointerIn16Bits) {
  EXPECT_EQ(zoomSourceCorner({7, 7}), (Point{0, 0}));
  EXPECT_EQ(zoomSourceCorner({0, 3}), (Point{-7, -4}));
  EXPECT_EQ(zoomSourceCorner({1023, 767}), (Point{1016, 760}));
  // The corner is a 16-bit Integer: 32767 + 7 still fits, one more does not.
  EXPECT_EQ(zoomSourceCorner({32774, -32761}), (Point{32767, -32768}));
  EXPECT_THROW((void)zoomSourceCorner({32775, 0}), OverflowError);
  EXPECT_THROW((void)zoomSourceCorner({0, -32762}), OverflowError);
  EXPECT_THROW((void)zoomSourceCorner({std::numeric_limits<std::int32_t>::min(), 0}),
               OverflowError);
}

TEST(ZoomRules, ViewKeepsItsSizeInTwipsInWholeBlocks) {
  // twips per pixel -> view side: 15 blocks of floor(225 / tpp) pixels.
  const std::pair<float, std::int32_t> cases[] = {{15.0F, 225}, {12.0F, 270}, {10.0F, 330},
                                                  {7.5F, 450},  {20.0F, 165}, {1000.0F, 15}};
  for (const auto& [tpp, side] : cases)
    EXPECT_EQ(zoomViewSide(tpp), side) << tpp;
}

TEST(ZoomRules, OnlyThePartOfTheSquareOnTheImageIsCopied) {
  EXPECT_EQ(zoomSourceOnImage({100, 50}, 1024, 768), (Rect{100, 50, 15, 15}));
  EXPECT_EQ(zoomSourceOnImage({-7, -3}, 1024, 768), (Rect{0, 0, 8, 12}));         // top left
  EXPECT_EQ(zoomSourceOnImage({1016, 760}, 1024, 768), (Rect{1016, 760, 8, 8}));  // bottom right
  EXPECT_TRUE(zoomSourceOnImage({1024, 0}, 1024, 768).empty());
  EXPECT_TRUE(zoomSourceOnImage({-15, 0}, 1024, 768).empty());
  EXPECT_TRUE(zoomSourceOnImage({0, 0}, 0, 0).empty());
}

TEST(ZoomRules, MarkerIsTheComplementExceptForMidGrey) {
  const struct {
    std::int32_t centre;
    std::uint32_t marker;
  } cases[] = {
      {0x808080, 0xFFFFFA},  // mid grey: its complement 0x7F7F7F would not stand out
      {0xFFFFFF, 0x000000},  // white -> black
      {0x000000, 0xFFFFFF},  // black -> white
      {0x0000FF, 0xFFFF00},  // pure red (red in the low byte) -> cyan
      {0x123456, 0xEDCBA9}, {0x7F7F7F, 0x808080},  // the grey next to it is an ordinary complement
      {0x8080BB, 0x7F7F44},                        // the frame's exception is not the marker's
  };
  for (const auto& c : cases) {
    EXPECT_EQ(markerColour(c.centre).value(), c.marker) << std::hex << c.centre;
  }
}

TEST(ZoomRules, LabelsShowTheOffsetFromTheStartOrTheScreenPosition) {
  // While a selection is active: 0 and 0 on the start corner, negative left of or above it.
  EXPECT_EQ(zoomLabels({100, 80}, true, 100, 80), (ZoomLabels{"0", "0"}));
  EXPECT_EQ(zoomLabels({90, 200}, true, 100, 80), (ZoomLabels{"-10", "120"}));
  EXPECT_EQ(zoomLabels({0, 0}, true, 1023, 767), (ZoomLabels{"-1023", "-767"}));
  // Before any selection, or after an empty one: the screen position, plain decimal.
  EXPECT_EQ(zoomLabels({100, 80}, false, 100, 80), (ZoomLabels{"100", "80"}));
  EXPECT_EQ(zoomLabels({0, 7}, false, 0, 0), (ZoomLabels{"0", "7"}));
  EXPECT_EQ(zoomLabels({-3, 1050}, false, 0, 0), (ZoomLabels{"-3", "1050"}));
  // The differences are checked 32-bit Longs.
  EXPECT_THROW((void)zoomLabels({std::numeric_limits<std::int32_t>::max(), 0}, true, -1, 0),
               OverflowError);
}

TEST(ZoomRules, WindowMovesAwayFromThePointerOverAPlacementTable) {
  using H = ZoomMove::Horizontal;
  const struct {
    std::int16_t sw, sh, cx, cy;
    ZoomMove move;
  } cases[] = {
      {1024, 768, 100, 100, {H::ToRightEdge, false}},  // left half, upper half
      {1024, 768, 900, 100, {H::ToLeftEdge, false}},   // right half
      {1024, 768, 900, 700, {H::ToLeftEdge, true}},    // lower half too: to the top
      {1024, 768, 100, 700, {H::ToRightEdge, true}},
      {1024, 768, 512, 100, {std::nullopt, false}},    // exactly on the centre line: stays
      {1024, 768, 511, 384, {H::ToRightEdge, false}},  // sh / 2 itself is not the lower half
      {1024, 768, 513, 385, {H::ToLeftEdge, true}},
      {1023, 767, 511, 383, {H::ToRightEdge, false}},  // 511 < 511.5: the left half
      {1023, 767, 512, 384, {H::ToLeftEdge, true}},    // 512 > 511.5, 384 > 383.5
      {1024, 768, -5, 2000, {H::ToRightEdge, true}},   // off the screen
  };
  for (const auto& c : cases) {
    EXPECT_EQ(zoomWindowMove(c.sw, c.sh, c.cx, c.cy), c.move)
        << c.sw << "x" << c.sh << " at " << c.cx << "," << c.cy;
  }
}

}  // namespace
}  // namespace kepa
