// The region effects, pixel by pixel, with every expected value written out from the rule.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "core/bit_blt.h"
#include "effects/colour_conversions.h"
#include "effects/mosaic.h"
#include "effects/surprise.h"
#include "pixel_testing.h"

namespace kepa {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;

// An "F", red on blue, with a few grey-test pixels: no flip or red/blue swap maps it onto
// itself. Smaller screens show the part of the picture that fits.
Surface screenWithF(std::int32_t width, std::int32_t height) {
  Surface screen(width, height, Colour(kBlue).pixel());
  const auto set = [&](std::int32_t x, std::int32_t y, std::uint32_t colour) {
    if (screen.contains(x, y)) screen.row(y)[x] = Colour(colour).pixel();
  };
  for (std::int32_t y = 5; y < 30; ++y)
    set(8, y, kRed);  // the stem
  for (std::int32_t x = 8; x < 30; ++x)
    set(x, 5, kRed);  // the top bar
  for (std::int32_t x = 8; x < 22; ++x)
    set(x, 16, kRed);   // the middle bar
  set(3, 3, 0x1E140A);  // (10, 20, 30)
  set(4, 3, 0x000101);  // (1, 1, 0)
  set(5, 3, 0xFEFFFF);  // (255, 255, 254)
  set(6, 4, 0x123456);
  return screen;
}

std::uint32_t at(const Surface& surface, std::int64_t x, std::int64_t y) {
  if (!surface.contains(x, y)) return 0;  // black outside, as block copies read it
  return Colour::fromPixel(surface.row(y)[x]).value();
}

// The region image as a selection leaves it: the region's cells, then the background.
struct Scene {
  Scene(std::int32_t screenWidth, std::int32_t screenHeight, Region r)
      : screen(screenWithF(screenWidth, screenHeight)),
        region(r),
        image(r.width + 1, r.height + 1),
        work(r.width + 1, r.height + 1) {
    for (Picture* picture : {&image, &work}) {
      BitBlt(picture->hDC(), 0, 0, r.width, r.height, screenDc, r.startX + 1, r.startY + 1,
             RasterOp::SRCCOPY);
    }
  }
  // Checks every pixel of the image against `expected(i, j)`.
  void expectImage(const std::function<std::uint32_t(std::int32_t, std::int32_t)>& expected,
                   const char* what) const {
    for (std::int32_t j = 0; j < image.height(); ++j) {
      for (std::int32_t i = 0; i < image.width(); ++i)
        ASSERT_EQ(at(image.image(), i, j), expected(i, j)) << what << " at " << i << "," << j;
    }
  }
  // The screen pixel of region cell (i, j), shifted by (dx, dy).
  [[nodiscard]] std::uint32_t cell(std::int32_t i, std::int32_t j, std::int32_t dx = 0,
                                   std::int32_t dy = 0) const {
    return at(screen, region.startX + 1 + dx + i, region.startY + 1 + dy + j);
  }
  [[nodiscard]] bool extra(std::int32_t i, std::int32_t j) const {
    return i >= region.width || j >= region.height;
  }

  Surface screen;
  DeviceContext screenDc{screen};
  Region region;
  Picture image;
  Picture work;
};

const Region kRegions[] = {{2, 1, 47, 33}, {30, 20, 25, 20}, {7, 4, 1, 1}};

// Every conversion reads the captured screen, never the image: applied twice it gives what
// applying it once gives.
TEST(Conversions, EachCellFollowsItsRuleAndTheExtraColumnAndRowTheBackground) {
  using Cell = std::function<std::uint32_t(const Scene&, std::int32_t, std::int32_t)>;
  const auto scale = [](std::int32_t index) {
    return [index](Scene& s) { EXPECT_TRUE(colourScale(index, s.region, s.screenDc, s.image)); };
  };
  const struct {
    const char* name;
    std::function<void(Scene&)> apply;
    Cell cell;
    std::uint32_t background;
  } cases[] = {
      {"red", scale(1), [](const Scene& s, auto i, auto j) { return s.cell(i, j) & kRed; }, kRed},
      {"green", scale(2), [](const Scene& s, auto i, auto j) { return s.cell(i, j) & 0xFF00U; },
       0x00FF00},
      {"blue", scale(3), [](const Scene& s, auto i, auto j) { return s.cell(i, j) & kBlue; },
       kBlue},
      // The negative keeps the background it finds: here the system white.
      {"negative", [](Scene& s) { negative(s.region, s.screenDc, s.image); },
       [](const Scene& s, auto i, auto j) { return ~s.cell(i, j) & 0xFFFFFFU; }, 0xFFFFFF},
      // Sepia keeps blue, then ORs in the pixel ten right and below (black beyond the edge).
      {"sepia", [](Scene& s) { sepia(s.region, s.screenDc, s.image); },
       [](const Scene& s, auto i, auto j) { return (s.cell(i, j) & kBlue) | s.cell(i, j, 10, 10); },
       kBlue},
  };
  for (const auto& c : cases) {
    for (const Region region : kRegions) {
      Scene scene(60, 45, region);
      c.apply(scene);
      c.apply(scene);
      scene.expectImage(
          [&](std::int32_t i, std::int32_t j) {
            return scene.extra(i, j) ? c.background : c.cell(scene, i, j);
          },
          c.name);
      EXPECT_EQ(scene.image.backColor().resolved().value(), c.background) << c.name;
    }
  }
  // An index outside 1-3 changes nothing; the negative after the red scale keeps red.
  Scene scene(60, 45, kRegions[0]);
  colourScale(1, scene.region, scene.screenDc, scene.image);
  EXPECT_FALSE(colourScale(4, scene.region, scene.screenDc, scene.image));
  EXPECT_FALSE(colourScale(0, scene.region, scene.screenDc, scene.image));
  scene.expectImage(
      [&](auto i, auto j) { return scene.extra(i, j) ? kRed : scene.cell(i, j) & kRed; },
      "index 4");
  negative(scene.region, scene.screenDc, scene.image);
  EXPECT_EQ(at(scene.image.image(), 47, 33), kRed);
}

TEST(Grey, AveragesWithHalvesToEvenAndFillsTheExtraColumnAndRowFromTheScreen) {
  const auto greyOf = [](std::uint32_t c) {
    const std::uint32_t v = ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) + 1) / 3;
    return v | v << 8 | v << 16;
  };
  PixelBuffer palette{};
  // Cells (0..2, 0) are the pixels (10, 20, 30), (1, 1, 0) and (255, 255, 254). At the
  // screen's corner the reads beyond it give black; an image larger than the loop reaches
  // keeps the black fill beyond it.
  for (const auto& [region, screenSide, imageSide] : {std::tuple{Region{2, 2, 47, 33}, 60, 0},
                                                      {Region{14, 14, 5, 5}, 20, 0},
                                                      {Region{2, 2, 3, 3}, 20, 8}}) {
    Scene scene(screenSide, screenSide, region);
    if (imageSide > 0) scene.image.setSize(imageSide, imageSide);
    grey(scene.region, scene.screenDc, scene.image, palette);
    grey(scene.region, scene.screenDc, scene.image, palette);
    scene.expectImage(
        [&](std::int32_t i, std::int32_t j) {
          return i <= scene.region.width + 1 && j <= scene.region.height + 1
                     ? greyOf(scene.cell(i, j))
                     : 0U;
        },
        "grey");
    EXPECT_EQ(scene.image.backColor().value(), 0U);
  }
  for (int k = 0; k < 256; ++k) {
    const auto v = static_cast<std::uint8_t>(k);
    EXPECT_EQ(palette[static_cast<std::size_t>(k)], (std::array<std::uint8_t, 3>{v, v, v}));
  }
  std::uint8_t r = 0, g = 0, b = 0;
  SplitRGB(static_cast<std::int32_t>(0x7F563412), r, g, b);
  EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{0x12, 0x34, 0x56}));
}

TEST(Mosaic, SizesFollowTheBlockCount) {
  // Region (selection width x height from (10, 5)), level, image and work sizes: 100 x 50
  // cells at level 3; 10 x 10 at level 11, nothing; SelWidth + 1 = 9 at level 3, the full width
  // in 3 blocks.
  const struct {
    std::int32_t selWidth, selHeight;
    std::int16_t n;
    std::int32_t width, height, workWidth, workHeight;
  } cases[] = {{99, 49, 3, 99, 48, 33, 16},
               {9, 9, 11, 0, 0, 0, 0},
               {8, 20, 3, 9, 21, 3, 7},
               {30, 4, 5, 30, 5, 6, 1}};
  for (const auto& c : cases) {
    Scene scene(140, 80, {10, 5, c.selWidth, c.selHeight});
    mosaic(c.n, scene.region, scene.screenDc, scene.image, scene.work);
    EXPECT_EQ((std::array{scene.image.width(), scene.image.height(), scene.work.width(),
                          scene.work.height()}),
              (std::array{c.width, c.height, c.workWidth, c.workHeight}))
        << c.n;
    EXPECT_EQ(scene.work.hDC().stretchMode(), StretchMode::COLORONCOLOR);
  }
}

TEST(Mosaic, EachBlockShowsOneKeptPixelStartingAtTheDragPoint) {
  // 48 x 34 screen pixels from the drag point (2, 1) at level 3: 16 x 11 blocks.
  Scene scene(60, 45, {2, 1, 47, 33});
  mosaic(3, scene.region, scene.screenDc, scene.image, scene.work);
  mosaic(3, scene.region, scene.screenDc, scene.image, scene.work);
  ASSERT_EQ(scene.image.width(), 48);
  ASSERT_EQ(scene.image.height(), 33);
  // The shrink keeps source column 2 + ceil(u * 48 / 16) = 2 + 3u and row 1 + ceil(v * 34 / 11);
  // the enlargement shows work pixel (x * 16 div 48, y * 11 div 34) at (x, y). The first block
  // is the drag point's own pixel, above and left of the first cell.
  scene.expectImage(
      [&](std::int32_t x, std::int32_t y) {
        return at(scene.screen, 2 + 3 * (x * 16 / 48), 1 + ((y * 11 / 34) * 34 + 10) / 11);
      },
      "mosaic");
  // Level 3 then level 11 gives what level 11 alone gives.
  Scene alone(60, 45, {2, 1, 47, 33});
  mosaic(11, alone.region, alone.screenDc, alone.image, alone.work);
  mosaic(11, scene.region, scene.screenDc, scene.image, scene.work);
  EXPECT_EQ(testing::coloursOf(scene.image.image()), testing::coloursOf(alone.image.image()));
}

TEST(Surprise, TheFillThenEveryCellCombinedByTheNumberedOperation) {
  // On white (F = 16777215): １ keeps the capture, ２ and ５ black, ３ the negative, ４ and ６
  // white; on another fill the same table of operations.
  for (const std::uint32_t fill : {0xFFFFFFU, 0x3366CCU}) {
    for (std::int16_t algorithm = 0; algorithm <= 5; ++algorithm) {
      for (const Region region : kRegions) {
        Scene scene(64, 48, region);
        scene.image.setBackColor(Colour(0x00FF00));  // the previous command's background
        surprise(Colour(fill), algorithm, scene.region, scene.screenDc, scene.image);
        scene.expectImage(
            [&](std::int32_t i, std::int32_t j) {
              return scene.extra(i, j) ? fill
                                       : testing::surpriseRule(algorithm, scene.cell(i, j), fill);
            },
            "surprise");
        EXPECT_EQ(scene.image.backColor().value(), fill);
      }
    }
  }
  Scene one(8, 8, {2, 2, 1, 1});
  EXPECT_THROW(surprise(Colour(0), 6, one.region, one.screenDc, one.image), std::out_of_range);
}

TEST(Surprise, RandomDrawsCoverOperationsZeroToFourAndColoursBelowWhite) {
  // F and the operation are the floors of the two draws, in this order; each Randomize starts
  // a new sequence.
  RandomSource draws(99);
  RandomSource mirror(99);
  std::array<int, 5> seen{};
  std::uint32_t lastFill = 0;
  for (int run = 0; run < 2000; ++run) {
    draws.Randomize();
    mirror.Randomize();
    const double r1 = mirror.Rnd();
    const double r2 = mirror.Rnd();
    const SurpriseDraw draw = drawSurprise(draws);
    ASSERT_EQ(draw.fill.value(), static_cast<std::uint32_t>(std::floor(r1 * 16777215.0)));
    ASSERT_EQ(draw.algorithm, static_cast<std::int16_t>(std::floor(r2 * 5.0)));
    ASSERT_NE(draw.fill.value(), lastFill);
    lastFill = draw.fill.value();
    ++seen.at(static_cast<std::size_t>(draw.algorithm));  // MERGEPAINT (5) is never drawn
  }
  for (int algorithm = 0; algorithm < 5; ++algorithm)
    EXPECT_GT(seen[static_cast<std::size_t>(algorithm)], 300) << algorithm;
}

TEST(Surprise, ColourTextPutsRedInTheLowByte) {
  EXPECT_EQ(customColorText(255, 50, 50), " " + std::to_string(255 + 50 * 256 + 50 * 65536));
  EXPECT_EQ(customColorText(50, 50, 255), " " + std::to_string(50 + 50 * 256 + 255 * 65536));
  EXPECT_EQ(customColorText(0, 0, 0), " 0");
  EXPECT_EQ(customColorText(255, 255, 255), " 16777215");
  EXPECT_EQ(colourOfText(" 3289855"), Colour(3289855));
  EXPECT_EQ(colourOfText(" 16777215"), Colour(0xFFFFFF));
  for (const char* text : {"", " ", " 16777216", " 12a"})
    EXPECT_FALSE(colourOfText(text).has_value()) << text;
}

}  // namespace
}  // namespace kepa
