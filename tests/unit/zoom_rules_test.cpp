#include "magnifier/zoom_rules.h"

#include <limits>

#include <gtest/gtest.h>

#include "platform/numeric.h"

namespace kepa {
namespace {

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
      {0x8080BB, 0x7F7F44},                        // the frame's special case is not the marker's
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
